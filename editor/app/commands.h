// KELV's command table: every command of the menus, the keyboard and the toolbar with its id,
// its menu text, its key, and its status-bar prompt and tooltip (one string, split at "\n").
// The main frame builds its actions, menus and toolbar from these rows, so the texts and keys
// live in one place.
#pragma once

#include <array>
#include <cstdint>

enum CommandId : int {
    CmdFileNew = 57600,
    CmdFileOpen = 57601,
    CmdFileSave = 57603,
    CmdFileSaveAs = 57604,
    CmdFileMru = 57616,
    CmdAppExit = 57665,
    CmdEditUndo = 57643,
    CmdEditRedo = 57644,
    CmdEditCut = 57635,
    CmdEditCopy = 57634,
    CmdEditPaste = 57637,
    CmdEditDelete = 57632,
    CmdEditSelectAll = 57642,
    CmdFlipHorizontally = 32791,
    CmdFlipVertically = 32792,
    CmdHalfTurn = 32793,
    CmdSetProperties = 32771,
    CmdRandomBean = 32772,
    CmdRedBean = 32773,
    CmdOrangeBean = 32774,
    CmdGreenBean = 32775,
    CmdBlueBean = 32776,
    CmdPurpleBean = 32777,
    CmdStoneBean = 32778,
    CmdEraser = 32779,
    CmdStartPoint = 32780,
    CmdExitPoint = 32781,
    CmdLine = 32785,
    CmdRectangle = 32786,
    CmdEllipse = 32787,
    CmdFilledRectangle = 32788,
    CmdFilledEllipse = 32789,
    CmdTestPlay = 32790,
    CmdBrush = 32794,
    CmdSelect = 32795,
    CmdFill = 32796,
    CmdCheck = 32797,
    CmdViewGrid = 32798,
    CmdZoomIn = 32799,
    CmdZoomOut = 32800,
    CmdZoomFit = 32801,
    CmdViewToolbar = 59392,
    CmdViewStatusBar = 59393,
    CmdHelp = 57670,
    CmdAbout = 57664,
};

// What a command does to the selection: places a unit, chooses a shape, or something else.
enum class CommandKind : std::uint8_t { Other, Unit, Shape };

struct Command {
    CommandId id;
    const char* text;    // menu text with its mnemonic, without the key
    const char* key;     // QKeySequence text, empty for none
    const char* prompt;  // status-bar prompt "\n" tooltip
    CommandKind kind;
    std::uint8_t code;     // unit or shape code for the selection commands
    const char* iconName;  // toolbar picture under icons/, empty for menu-only commands
};

inline constexpr std::array<Command, 45> commandTable = {{
    {CmdFileNew, "&New", "Ctrl+N", "Create a new document\nNew", CommandKind::Other, 0, "new"},
    {CmdFileOpen, "&Open...", "Ctrl+O", "Open an existing document\nOpen", CommandKind::Other, 0, "open"},
    {CmdFileSave, "&Save", "Ctrl+S", "Save the active document\nSave", CommandKind::Other, 0, "save"},
    {CmdFileSaveAs, "Save &As...", "Ctrl+Shift+S", "Save the active document with a new name\nSave As",
     CommandKind::Other, 0, ""},
    {CmdAppExit, "E&xit", "Ctrl+Q", "Quit the application; prompts to save documents\nExit",
     CommandKind::Other, 0, ""},
    {CmdEditUndo, "&Undo", "Ctrl+Z", "Undo the last action\nUndo", CommandKind::Other, 0, ""},
    {CmdEditRedo, "&Redo", "Ctrl+Y", "Redo the previously undone action\nRedo", CommandKind::Other, 0, ""},
    {CmdEditCut, "Cu&t", "Ctrl+X", "Cut the selection to the clipboard\nCut", CommandKind::Other, 0, ""},
    {CmdEditCopy, "&Copy", "Ctrl+C", "Copy the selection to the clipboard\nCopy", CommandKind::Other, 0, ""},
    {CmdEditPaste, "&Paste", "Ctrl+V", "Paste cells from the clipboard; a click places them\nPaste",
     CommandKind::Other, 0, ""},
    {CmdEditDelete, "&Delete", "Del", "Empty the selection, or the cell under the cursor\nDelete",
     CommandKind::Other, 0, ""},
    {CmdEditSelectAll, "Select &all", "Ctrl+A", "Select every cell\nSelect all", CommandKind::Other, 0, ""},
    {CmdFlipHorizontally, "Flip &horizontally", "X",
     "Mirror the selection left to right\nFlip horizontally [X]", CommandKind::Other, 0, ""},
    {CmdFlipVertically, "Flip &vertically", "Y", "Mirror the selection top to bottom\nFlip vertically [Y]",
     CommandKind::Other, 0, ""},
    {CmdHalfTurn, "R&otate half turn", "R", "Turn the selection upside down\nRotate half turn [R]",
     CommandKind::Other, 0, ""},
    {CmdSetProperties, "Se&t properties...", "Ctrl+P", "Set the scene's properties\nSet properties [Ctrl+P]",
     CommandKind::Other, 0, "properties"},
    {CmdTestPlay, "Test pla&y", "F5", "Play the scene in the game without saving it\nTest play [F5]",
     CommandKind::Other, 0, "testplay"},
    {CmdCheck, "C&heck", "F7", "List what breaks the rules or may make the scene unwinnable\nCheck [F7]",
     CommandKind::Other, 0, ""},
    {CmdRandomBean, "Rando&m bean", "`", "Random bean\nRandom bean [`]", CommandKind::Unit, 10, "random"},
    {CmdRedBean, "&Red bean", "1", "Red bean\nRed bean [1]", CommandKind::Unit, 0, "red"},
    {CmdOrangeBean, "&Orange bean", "2", "Orange bean\nOrange bean [2]", CommandKind::Unit, 1, "orange"},
    {CmdGreenBean, "&Green bean", "3", "Green bean\nGreen bean [3]", CommandKind::Unit, 2, "green"},
    {CmdBlueBean, "&Blue bean", "4", "Blue bean\nBlue bean [4]", CommandKind::Unit, 3, "blue"},
    {CmdPurpleBean, "&Purple bean", "5", "Purple bean\nPurple bean [5]", CommandKind::Unit, 4, "purple"},
    {CmdStoneBean, "Sto&ne bean", "6", "Stone bean\nStone bean [6]", CommandKind::Unit, 5, "stone"},
    {CmdEraser, "Eraser", "7", "Eraser\nEraser [7]", CommandKind::Unit, 254, "eraser"},
    {CmdStartPoint, "&Start point", "8", "Start point\nStart point [8]", CommandKind::Unit, 6, "start"},
    {CmdExitPoint, "E&xit point", "9", "Exit point\nExit point [9]", CommandKind::Unit, 7, "exit"},
    {CmdLine, "&Line", "", "Draw a line using current selected bean\nLine", CommandKind::Shape, 0, "line"},
    {CmdRectangle, "Rect&angle", "", "Draw a rectangle using current selected bean\nRectangle",
     CommandKind::Shape, 1, "rectangle"},
    {CmdEllipse, "&Ellipse", "", "Draw a ellipse using current selected bean\nEllipse", CommandKind::Shape, 2,
     "ellipse"},
    {CmdFilledRectangle, "&Filled rectangle", "",
     "Draw a rectangle filled with current selected bean\nFilled rectangle", CommandKind::Shape, 3,
     "filledrectangle"},
    {CmdFilledEllipse, "Fille&d ellipse", "",
     "Draw a ellipse filled with current selected bean\nFilled ellipse", CommandKind::Shape, 4,
     "filledellipse"},
    {CmdBrush, "Br&ush", "B", "Paint every cell a drag crosses; the right button erases\nBrush [B]",
     CommandKind::Shape, 5, "brush"},
    {CmdSelect, "Sele&ct", "S", "Select a rectangle of cells, or drag the selection to move it\nSelect [S]",
     CommandKind::Shape, 6, "select"},
    {CmdFill, "F&ill", "F", "Fill the area of equal cells with current selected bean\nFill [F]",
     CommandKind::Shape, 7, "fill"},
    {CmdViewToolbar, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar", CommandKind::Other, 0, ""},
    {CmdViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar", CommandKind::Other,
     0, ""},
    {CmdViewGrid, "&Grid", "Ctrl+G", "Show or hide the lines between the cells\nGrid [Ctrl+G]",
     CommandKind::Other, 0, ""},
    {CmdZoomIn, "Zoom &in", "Ctrl++", "Show the cells larger\nZoom in [Ctrl++]", CommandKind::Other, 0, ""},
    {CmdZoomOut, "Zoom &out", "Ctrl+-", "Show the cells smaller\nZoom out [Ctrl+-]", CommandKind::Other, 0,
     ""},
    {CmdZoomFit, "&Fit the window", "Ctrl+0", "Show the scene as large as the window holds\nFit [Ctrl+0]",
     CommandKind::Other, 0, ""},
    {CmdHelp, "Help info...", "F1", "Display the help info (readme file)\nHelp info [F1]", CommandKind::Other,
     0, ""},
    {CmdAbout, "&About...", "", "Display program information, version number and copyright\nAbout",
     CommandKind::Other, 0, "about"},
    {CmdFileMru, "Recent File", "", "Open this document", CommandKind::Other, 0, ""},
}};

// The toolbar, left to right; 0 stands for a separator.
// clang-format off
inline constexpr std::array<int, 29> toolbarLayout = {
    CmdFileNew, CmdFileOpen, CmdFileSave, 0,
    CmdSetProperties, CmdTestPlay, 0,
    CmdRandomBean, CmdRedBean, CmdOrangeBean, CmdGreenBean, CmdBlueBean, CmdPurpleBean, CmdStoneBean,
    CmdEraser, CmdStartPoint, CmdExitPoint, 0,
    CmdLine, CmdRectangle, CmdEllipse, CmdFilledRectangle, CmdFilledEllipse, 0,
    CmdBrush, CmdSelect, CmdFill, 0,
    CmdAbout};
// clang-format on

constexpr const Command* findCommand(int id) {
    for (const Command& command : commandTable)
        if (command.id == id) return &command;
    return nullptr;
}

// Every toolbar button is a command of the table. Ids are compared, not pointers: GCC's
// UndefinedBehaviorSanitizer makes a pointer test against null no constant expression.
constexpr bool commandKnown(int id) {
    for (const Command& command : commandTable)
        if (command.id == id) return true;
    return false;
}
constexpr bool toolbarCommandsKnown() {
    for (int id : toolbarLayout)
        if (id != 0 && !commandKnown(id)) return false;
    return true;
}
static_assert(toolbarCommandsKnown());
