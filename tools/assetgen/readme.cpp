// Readme.htm, the help document that F1 opens in the game and in the editor: plain HTML with
// its style inline and no pictures or links to anything outside the file.
#include <string>

#include "tools/assetgen/palette.h"

namespace {

const char* const kStyle = R"(<style>
body { background: #0d2c36; color: #1f1a12; font-family: "DejaVu Sans", Verdana, sans-serif;
       margin: 0; padding: 24px; }
.page { background: #f4eacb; max-width: 52em; margin: auto; padding: 8px 32px 24px;
        border: 6px solid #6b4a2e; border-radius: 10px; }
h1 { color: #3e2a1a; font-family: "DejaVu Serif", Georgia, serif; text-align: center; }
h2 { color: #1f5a3a; border-bottom: 1px solid #1f5a3a; margin-top: 1.6em; }
h3 { color: #6b4a2e; }
table { border-collapse: collapse; margin: 0.5em 0; }
td, th { border: 1px solid #c9b98a; padding: 3px 10px; text-align: left; vertical-align: top; }
th { background: #e6d9af; }
kbd { background: #fffbea; border: 1px solid #8e7d52; border-radius: 3px; padding: 0 4px;
      font-family: "DejaVu Sans Mono", monospace; }
.bean { display: inline-block; width: 0.8em; height: 0.7em; border-radius: 50%;
        border: 1px solid #0a171b; vertical-align: middle; }
</style>
)";

const char* const kGame = R"(<h1>Munch Trail</h1>
<p>A worm crawls over a pond, eats coloured beans and grows. Guide it through the scenes made
with the scene editor KELV, avoid the stones and your own body, and chase the high score.</p>

<h2>Starting</h2>
<p>From the main menu choose <b>Play</b> and pick a scene from the list: the right-hand side
shows its title, background, random fall, objective and description. <kbd>Enter</kbd> or
<kbd>Space</kbd> starts it, <kbd>Backspace</kbd> returns to the menu. The scenes are the
<code>.qsn</code> files in the <code>Scenes</code> folder beside the game.</p>

<h2>Your progress</h2>
<p>The game remembers every scene you play: its best game, whether you have won it and how
many games you have played on it. In the scene list a gold star stands beside each scene you
have won, the top corner counts the won scenes (<b>WON 3/14</b>), and the details show the
selected scene's best score and games. A won game beats a lost one, then the higher score
wins. When you change a scene in KELV and save it, it starts afresh.</p>
<p>The best game of every scene is kept. <kbd>R</kbd> on the scene list (the gamepad's
<kbd>Y</kbd>) shows it again: <kbd>Space</kbd> pauses, <kbd>&rarr;</kbd> plays it four times as
fast, <kbd>Backspace</kbd> returns to the list, as does its end.</p>
<p>Play a scene you have won and its best game races you as a <b>ghost</b>: a faint outline
of the worm that moves as your best game's worm did, from the moment your own worm sets off.
It is only a picture: nothing can touch it. <b>More options</b> switches it on for every scene
that has a best game, off, or on only for the scenes you have won (the start setting).</p>
<p>After a game the end picture shows your score and <b>NEW BEST!</b> when the game beat the
scene's best. After a won scene, <kbd>Enter</kbd> goes straight on to the next scene of the list;
<kbd>Space</kbd> or <kbd>Backspace</kbd> returns to the menu.</p>
<p>The progress is kept in <code>~/.local/share/munchtrail/progress</code>, the games in
<code>~/.local/state/munchtrail/replays</code> (the newest 50 and every scene's best).</p>

<h2>Keys</h2>
<table>
<tr><th>Key</th><th>In play</th></tr>
<tr><td><kbd>&larr;</kbd> <kbd>&uarr;</kbd> <kbd>&rarr;</kbd> <kbd>&darr;</kbd></td><td>steer the worm (it cannot turn straight back); the first arrow sets it moving</td></tr>
<tr><td><kbd>Space</kbd></td><td>pause and resume</td></tr>
<tr><td><kbd>Backspace</kbd></td><td>leave the scene and return to the main menu</td></tr>
<tr><td><kbd>Tab</kbd> (held)</td><td>show the score panel fully, also before the worm sets off</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>Enter</kbd></td><td>switch between a window and full screen</td></tr>
<tr><td><kbd>F1</kbd></td><td>open this help file</td></tr>
<tr><td><kbd>Escape</kbd></td><td>quit the game at once</td></tr>
</table>
<p>In the menus the arrows move the selection and <kbd>Enter</kbd> chooses.</p>

<h2>Gamepad</h2>
<p>A gamepad works as the keyboard: the D-pad or the left stick steers and moves through the
menus, <b>A</b> is <kbd>Enter</kbd>, <b>B</b> is <kbd>Backspace</kbd>, <b>Start</b> is
<kbd>Space</kbd> (pause), and <b>Y</b> on the scene list shows the selected scene's best game.
These are the buttons of a first start, as the keys above are the keys of a first start: the
Controls screen changes both.</p>

<h2>Options</h2>
<p>On the Options screens <kbd>&uarr;</kbd> and <kbd>&darr;</kbd> choose a row and
<kbd>&larr;</kbd> and <kbd>&rarr;</kbd> change it; the game keeps every choice for the next
start.</p>
<table>
<tr><th>Option</th><th>What it does</th></tr>
<tr><td>Display</td><td>a window (its picture grows with the window) or full screen</td></tr>
<tr><td>Game speed</td><td>slow, normal or fast: 15, 20 or 25 frames a second</td></tr>
<tr><td>Sound</td><td>on or off</td></tr>
<tr><td>Controls</td><td>your own keys and gamepad buttons (below); beside More options</td></tr>
<tr><td>More options: Pixels</td><td><b>sharp fill</b> (the start setting): the picture fills the
window or screen at its own shape, its pixels crisp; <b>whole factors</b>: only whole multiples of
its size, with black bands round it. Where the computer draws without a graphics card, the game
keeps to whole factors, which cost it a fraction of the time.</td></tr>
<tr><td>More options: Effects volume</td><td>the game's sounds, 0 to 100 % in steps of 10</td></tr>
<tr><td>More options: Ambient volume</td><td>the birds, frogs and crickets of the pond, likewise</td></tr>
<tr><td>More options: Bean marks</td><td>a small dark shape on each colour's beans (red a dot,
orange a bar, green a cross, blue a ring, purple a triangle), on the pond, in the air and in the
score panel's run, so that no colour has to be told by its colour alone</td></tr>
<tr><td>More options: Ghost</td><td>the ghost of a scene's best game: on won scenes, always or never</td></tr>
</table>

<h2>Controls</h2>
<p><b>Controls</b> on the Options screen lists the game's actions (the four directions, pause,
back, confirm, the score panel and full screen) with their keys and gamepad buttons. Choose one
with the arrows, press <kbd>Enter</kbd>, then the key or the gamepad button you want for it. A
key another action already has changes places with that action's old key, so every action always
keeps a key; buttons change places likewise. Full screen is always <kbd>Alt</kbd> with its key.
<b>DEFAULTS</b> puts back the keys of a first start; <kbd>Backspace</kbd> or <kbd>Escape</kbd>
returns to the options (<kbd>Escape</kbd> while the screen waits for a key only stops waiting).
The menus follow your keys too. <kbd>Escape</kbd>, <kbd>F1</kbd> and <kbd>Alt</kbd> cannot be
bound; the left stick always steers, and <b>Y</b>, unless you bind it, shows a scene's best
game.</p>

<h2>Command line</h2>
<table>
<tr><td><code>MunchTrail --play FILE.qsn</code></td><td>play one scene at once; the game ends with it</td></tr>
<tr><td><code>MunchTrail --windowed</code>, <code>--fullscreen</code></td><td>choose the display for this run only</td></tr>
<tr><td><code>MunchTrail --replay FILE</code></td><td>show a kept game: <kbd>Space</kbd> pauses, <kbd>&rarr;</kbd> four times as fast, <kbd>Backspace</kbd> leaves</td></tr>
<tr><td><code>MunchTrail --verify-replay FILE</code></td><td>check a kept game without a window</td></tr>
<tr><td><code>MunchTrail --help</code></td><td>list the options</td></tr>
</table>

<h2>Rules</h2>
<ul>
<li>Every bean eaten adds one segment to the worm. A new worm starts with one segment and grows
to five as soon as it moves.</li>
<li>Stones and the worm's own body are deadly.</li>
<li>The pond wraps round: a worm leaving at one edge comes back at the opposite edge.</li>
<li>Some scenes let new beans fall from the sky: after every bean eaten, or every few
seconds. Watch their shadows to see where they will land.</li>
<li>Day turns to night on the pond; at night the worm's head carries a light.</li>
</ul>

<h2>Objectives</h2>
<table>
<tr><th>Objective</th><th>The scene is won when...</th></tr>
<tr><td>Standard</td><td>never: score as high as you can</td></tr>
<tr><td>Escape</td><td>the worm reaches the exit point (arrows point at it before you start)</td></tr>
<tr><td>Goal score</td><td>the score reaches the scene's goal score</td></tr>
<tr><td>Eat up</td><td>every bean except the stones has been eaten</td></tr>
</table>

<h2>Colour powers</h2>
<p>Eat five beans of the same colour in a row and the colour's power fires. The small beans in
the score panel count the run; the fourth one blinks.</p>
<table>
<tr><td><span class="bean" style="background:#d9352d"></span> Red</td><td><b>Speed</b>: the worm speeds up and every bean is worth 5 points more. A red bean eaten while fast slows it down again.</td></tr>
<tr><td><span class="bean" style="background:#f28c1e"></span> Orange</td><td><b>Laser</b>: a shot flies straight ahead of the worm and turns the first stone or bean it hits into a golden bonus bean worth 30 points.</td></tr>
<tr><td><span class="bean" style="background:#4db23a"></span> Green</td><td><b>Stone revival</b>: the five oldest stones turn back into beans of random colours.</td></tr>
<tr><td><span class="bean" style="background:#2f70e0"></span> Blue</td><td><b>Storm</b>: thunder and rain; while it rains every bean is worth 10 points more.</td></tr>
<tr><td><span class="bean" style="background:#9c46ca"></span> Purple</td><td><b>Halving</b>: the worm loses half of its body.</td></tr>
</table>

<h2>Scoring</h2>
<table>
<tr><td>Bean</td><td>5 points</td></tr>
<tr><td>Bean while fast</td><td>10 points (+5 shown)</td></tr>
<tr><td>Bean in the rain</td><td>15 points (+10 shown)</td></tr>
<tr><td>Bean while fast in the rain</td><td>20 points (+15 shown)</td></tr>
<tr><td>Golden bonus bean</td><td>30 points; it does not grow the worm or break a colour run</td></tr>
</table>
<p>The best score is kept between games and shown as HISCORE in the score panel.</p>

<h2>Lives</h2>
<p>A game gives you three worms. Every 5000 points brings one more (up to 99). When a worm dies
the next one starts again at the start point; the beans already eaten stay eaten.</p>

<h2>Molting</h2>
<p>A worm cannot grow beyond 25 segments. At 24 a heartbeat warns you; at 25 the worm sheds its
body, which turns into a trail of stones, and crawls on with five segments. Plan where you molt:
those stones stay on the pond.</p>
)";

const char* const kEditor = R"(<h1>KELV, the scene editor</h1>
<p>KELV creates and edits the scenes of Munch Trail. It starts from the game's main menu
(<b>Scene Editor</b>) or on its own; a scene file named on its command line is opened.</p>

<h2>The scene</h2>
<p>A scene is a grid of 40 columns by 30 rows of cells, drawn over its background picture. The
status bar shows the cell under the mouse and the chosen unit and shape.</p>

<h2>Units</h2>
<table>
<tr><th>Key</th><th>Unit</th><th>Meaning</th></tr>
<tr><td><kbd>`</kbd></td><td>Random bean</td><td>a bean whose colour the game picks at random when it reads the scene</td></tr>
<tr><td><kbd>1</kbd> .. <kbd>5</kbd></td><td>Red, Orange, Green, Blue, Purple bean</td><td>beans of that colour</td></tr>
<tr><td><kbd>6</kbd></td><td>Stone bean</td><td>a deadly stone</td></tr>
<tr><td><kbd>7</kbd></td><td>Eraser</td><td>empties cells</td></tr>
<tr><td><kbd>8</kbd></td><td>Start point</td><td>where the worm starts (exactly one)</td></tr>
<tr><td><kbd>9</kbd></td><td>Exit point</td><td>the goal of an Escape scene (only there)</td></tr>
</table>
<p>Choosing the selected unit again deselects it. Placing a start or exit point moves the
existing one.</p>

<h2>Shapes</h2>
<p>Line, Rectangle, Ellipse, Filled rectangle and Filled ellipse, from the Scene menu or the
toolbar. Without a shape the mouse sets single cells. Press the left button, drag to see a
preview and release to draw. A right click during a drag cancels it; otherwise a right click
first drops the shape, then the unit.</p>

<h2>Brush, fill and selection</h2>
<p>The <b>Brush</b> (<kbd>B</kbd>) paints every cell a drag crosses; a drag with the right
button erases the same way. <b>Fill</b> (<kbd>F</kbd>) fills the area of equal cells under the
pointer with the current bean (the edges of the pond do not join here). <b>Select</b>
(<kbd>S</kbd>) drags a rectangle of cells; drag the selection to move it. Cut, copy and paste
the selection with <kbd>Ctrl</kbd>+<kbd>X</kbd>, <kbd>C</kbd> and <kbd>V</kbd>: pasted cells
follow the pointer until a click places them, and <kbd>Escape</kbd> drops them. <kbd>X</kbd> and
<kbd>Y</kbd> mirror the selection (or the pasted cells), <kbd>R</kbd> turns it half round; a
start or exit point placed this way moves the one already there. The clipboard holds the cells
as lines of letters (<code>r o g b p</code> beans, <code>?</code> random, <code>#</code> stone,
<code>S</code> start, <code>E</code> exit, <code>.</code> empty), so you can paste them between
two editors or into any text.</p>
<p>The arrow keys move the cell cursor (the green frame); <kbd>Space</kbd> paints the current
bean there, <kbd>Delete</kbd> empties it (or the selection), <kbd>Enter</kbd> places the start
or exit point. <b>View &rarr; Grid</b> (<kbd>Ctrl</kbd>+<kbd>G</kbd>) draws the lines between the
cells; <kbd>Ctrl</kbd>+<kbd>+</kbd> and <kbd>Ctrl</kbd>+<kbd>-</kbd> zoom,
<kbd>Ctrl</kbd>+<kbd>0</kbd> fits the window. The status bar shows the cell under the cursor and
counts the beans of each colour, the random beans and the stones.</p>

<h2>Keys</h2>
<table>
<tr><td><kbd>Ctrl</kbd>+<kbd>N</kbd></td><td>new scene</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>O</kbd></td><td>open a scene</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>S</kbd></td><td>save the scene</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>Shift</kbd>+<kbd>S</kbd></td><td>save the scene under another name</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>Z</kbd>, <kbd>Ctrl</kbd>+<kbd>Y</kbd></td><td>undo, redo</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>P</kbd></td><td>scene properties</td></tr>
<tr><td><kbd>F5</kbd></td><td>test play: the game plays the scene as it stands, unsaved</td></tr>
<tr><td><kbd>F7</kbd></td><td>check the scene</td></tr>
<tr><td><kbd>`</kbd>, <kbd>1</kbd> .. <kbd>9</kbd></td><td>choose a unit (see above)</td></tr>
<tr><td><kbd>B</kbd>, <kbd>F</kbd>, <kbd>S</kbd></td><td>brush, fill, select</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>A</kbd>, <kbd>X</kbd>, <kbd>C</kbd>, <kbd>V</kbd></td><td>select all, cut, copy, paste</td></tr>
<tr><td><kbd>X</kbd>, <kbd>Y</kbd>, <kbd>R</kbd></td><td>flip left to right, top to bottom, turn half round</td></tr>
<tr><td>arrows, <kbd>Space</kbd>, <kbd>Delete</kbd>, <kbd>Enter</kbd></td><td>move the cell cursor; paint, empty, place a point</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>G</kbd></td><td>grid lines</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>+</kbd>, <kbd>Ctrl</kbd>+<kbd>-</kbd>, <kbd>Ctrl</kbd>+<kbd>0</kbd></td><td>zoom in, zoom out, fit the window</td></tr>
<tr><td><kbd>Ctrl</kbd>+<kbd>Q</kbd></td><td>quit</td></tr>
<tr><td><kbd>F1</kbd></td><td>this help file</td></tr>
</table>

<h2>Properties</h2>
<p><b>Scene &rarr; Set properties</b> edits the title, the description, the background (one of
Grass, Silt, Marble, Rock, Cobble, Granite, Sandrock, Cobblestone, Ore, or auto cycle or a
random one), random fall and its interval in seconds (0: a bean falls after every bean eaten),
and the objective with its goal score. Below the description a preview shows it as the game's
scene list will: 31 letters a line, in capitals. Scene texts hold Latin-1 letters only.</p>

<h2>Saving</h2>
<p>Scenes are saved as <code>.qsn</code> files into the <code>Scenes</code> folder beside the
programs, where the game finds them; a new scene is offered its title as its name. Before saving
KELV checks the scene: it needs a start point; it needs beans unless random fall brings them
(and always for Eat up); an Escape scene needs an exit point, and other objectives must not have
one; every setting must be within the limits of the properties, and there is one start and one
exit at most. KELV also warns, and lets you save all the same, when the exit or the beans of an
Eat-up scene cannot be reached from the start, when the goal score is more than the beans can
bring, when the start is boxed in by stones, or when the game cannot show the file name (its
scene list shows Latin-1 letters only). <b>Scene &rarr; Check</b> (<kbd>F7</kbd>) lists all of
this at any time. A file that is not a scene file opens only after a warning, and is then saved
only under a new name.</p>

<h2>Test play and recovery</h2>
<p><b>Scene &rarr; Test play</b> (<kbd>F5</kbd>) makes the same checks, then the game plays a
temporary copy of the scene; the scene in KELV and its file stay as they are. While a scene has
unsaved changes, KELV puts a copy aside every minute (in <code>~/.local/state/kelv</code>); if
KELV ends without saving, the next start offers to recover it.</p>
)";

}  // namespace

void makeReadme(const std::string& folder) {
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Munch Trail and KELV - Help</title>\n";
    html += kStyle;
    html += "</head>\n<body>\n<div class=\"page\">\n";
    html += kGame;
    html += kEditor;
    html += "<p style=\"text-align:center\"><small>Munch Trail version 2.01</small></p>\n";
    html += "</div>\n</body>\n</html>\n";
    if (!writeText(folder + "/Readme.htm", html)) reportFailure("Readme.htm");
}
