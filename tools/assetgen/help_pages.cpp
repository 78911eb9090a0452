// The two help pages, help.bmp and help0.bmp: a parchment sheet on the pond with two columns
// of short, plain text. Page one: the keys, beans and stones, the objectives. Page two: the
// colour powers, scoring, lives and molting.
#include <sstream>
#include <string>

#include "tools/assetgen/palette.h"

namespace {

constexpr double kLine = 13.0;

TextStyle bodyText() {
    TextStyle style;
    style.size = 10.5;
    style.bold = false;
    style.colour = pal::barkDark;
    return style;
}

TextStyle headingText() {
    TextStyle style;
    style.size = 12;
    style.colour = 0x1F5A3A;
    return style;
}

TextStyle keyText() {
    TextStyle style = bodyText();
    style.bold = true;
    style.colour = pal::bark;
    return style;
}

// Writes text word by word within maxWidth; returns the baseline after the last line.
double wrapText(cairo_t* cr, double x, double y, double maxWidth, const std::string& text,
                const TextStyle& style) {
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(cr, candidate, style) > maxWidth) {
            drawLabel(cr, x, y, line, style);
            y += kLine;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.empty()) drawLabel(cr, x, y, line, style);
    return y + kLine;
}

double heading(cairo_t* cr, double x, double y, const char* text) {
    drawLabel(cr, x, y, text, headingText());
    setColour(cr, 0x1F5A3A, 0.5);
    cairo_rectangle(cr, x, y + 3, 170, 1);
    cairo_fill(cr);
    return y + kLine + 5;
}

double keyLine(cairo_t* cr, double x, double y, const char* key, const char* meaning, double tab = 68) {
    drawLabel(cr, x, y, key, keyText());
    drawLabel(cr, x + tab, y, meaning, bodyText());
    return y + kLine;
}

void pageFrame(cairo_t* cr, const char* title, int page) {
    drawWaterBackdrop(cr, 400, 300, 700 + page);
    cairo_new_path(cr);
    roundedRect(cr, 11, 11, 382, 282, 8);
    setColour(cr, pal::ink, 0.5);
    cairo_fill(cr);
    roundedRect(cr, 7, 7, 382, 282, 8);
    setColour(cr, pal::bark);
    cairo_fill(cr);
    roundedRect(cr, 11, 11, 374, 274, 5);
    setColour(cr, pal::cream);
    cairo_fill(cr);
    TextStyle t;
    t.size = 18;
    t.serif = true;
    t.colour = pal::barkDark;
    drawLabel(cr, 200, 34, title, t, 1);
    TextStyle footer = bodyText();
    footer.size = 9;
    footer.colour = pal::bark;
    drawLabel(cr, 200, 278,
              page == 1 ? "Page 1 of 2  -  Space or Enter: next page"
                        : "Page 2 of 2  -  Space or Enter: back to the menu",
              footer, 1);
}

void pageOne(cairo_t* cr) {
    pageFrame(cr, "How to Play", 1);
    double y = heading(cr, 20, 56, "Keys");
    y = keyLine(cr, 20, y, "Arrows", "steer the worm");
    y = keyLine(cr, 20, y, "Space", "pause and resume");
    y = keyLine(cr, 20, y, "Backspace", "leave the scene");
    y = keyLine(cr, 20, y, "Tab", "show the score panel");
    y = keyLine(cr, 20, y, "Alt+Enter", "window or full screen");
    y = keyLine(cr, 20, y, "F1", "open the help file");
    y = keyLine(cr, 20, y, "Escape", "quit the game");
    y = heading(cr, 20, y + 6, "Gamepad and menus");
    wrapText(cr, 20, y, 172,
             "Stick or D-pad steer, A confirms, B leaves, Start pauses. In menus arrows choose, Enter "
             "confirms, Left and Right change an option. Options, Controls: your own keys and buttons.",
             bodyText());

    y = heading(cr, 206, 56, "Beans and stones");
    y = wrapText(cr, 206, y, 172,
                 "Every bean you eat adds a segment to your worm. Stones and your own body "
                 "are deadly. The pond wraps round: leave at one edge, come back at the other.",
                 bodyText());
    y = heading(cr, 206, y + 8, "Objectives");
    y = keyLine(cr, 206, y, "Standard", "score high", 68);
    y = keyLine(cr, 206, y, "Escape", "reach the exit", 68);
    y = keyLine(cr, 206, y, "Goal score", "reach the goal", 68);
    y = keyLine(cr, 206, y, "Eat up", "eat all beans", 68);
    wrapText(cr, 206, y + 4, 172, "Bean marks (in More options) give each colour its own shape.", bodyText());
}

void powerLine(cairo_t* cr, double& y, int colour, const char* name, const char* text) {
    drawBeanShape(cr, 25, y - 3.5, 4.2, pal::bean[static_cast<std::size_t>(colour)]);
    drawLabel(cr, 35, y, name, keyText());
    y = wrapText(cr, 82, y, 108, text, bodyText());
}

void pageTwo(cairo_t* cr) {
    pageFrame(cr, "Powers and Scoring", 2);
    double y = heading(cr, 20, 56, "Colour powers");
    y = wrapText(cr, 20, y, 172, "Five beans of a colour in a row:", bodyText());
    powerLine(cr, y, 0, "Red", "speed: faster and more points");
    powerLine(cr, y, 1, "Orange", "laser: shoots out a bonus bean");
    powerLine(cr, y, 2, "Green", "revival: five stones turn to beans");
    powerLine(cr, y, 3, "Blue", "storm: rain, beans worth more");
    powerLine(cr, y, 4, "Purple", "halving: half the worm is gone");
    wrapText(cr, 20, y + 2, 172, "A red bean while fast slows you down again.", bodyText());

    y = heading(cr, 206, 56, "Scoring");
    y = keyLine(cr, 206, y, "Bean", "5 points", 76);
    y = keyLine(cr, 206, y, "Fast", "+5 more", 76);
    y = keyLine(cr, 206, y, "In the rain", "+10 more", 76);
    y = keyLine(cr, 206, y, "Bonus bean", "30 points", 76);
    y = heading(cr, 206, y + 6, "Lives");
    y = wrapText(cr, 206, y, 172, "You have three worms. Every 5000 points brings one more.", bodyText());
    y = heading(cr, 206, y + 6, "Molting");
    wrapText(cr, 206, y, 172,
             "A heartbeat warns at 24 segments. At 25 the worm sheds its body as stones "
             "and crawls on with 5 segments.",
             bodyText());
}

}  // namespace

void makeHelpPages(const std::string& dat) {
    Image one = makeImage(400, 300, 0);
    {
        Canvas canvas(one);
        pageOne(canvas.cr);
    }
    saveBmp(dat, "help.bmp", one);
    Image two = makeImage(400, 300, 0);
    {
        Canvas canvas(two);
        pageTwo(canvas.cr);
    }
    saveBmp(dat, "help0.bmp", two);
}
