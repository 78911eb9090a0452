// Where the programs find their data and where scenes live. The same build runs in two
// layouts: portable, with DAT/, Scenes/ and Readme.htm beside the programs (the build's
// program folder), and installed, with the programs in <prefix>/bin and the data in
// <prefix>/share/munchtrail. Nothing absolute is compiled in, so any prefix works. A player's
// own scenes live in $XDG_DATA_HOME/munchtrail/Scenes and are listed beside the shipped ones.
#pragma once

#include <string>

// The folder that holds the running program (from /proc/self/exe), without a trailing slash;
// empty when it cannot be read.
std::string runningProgramFolder();

// The data folder for a program in `programFolder`: that folder itself when it holds DAT/
// (portable), else <programFolder>/../share/munchtrail when that holds DAT/ (installed), else
// the program folder, so that a missing DAT/ is reported where the player expects it.
std::string dataFolderFor(const std::string& programFolder);

// One of the player's XDG base folders: the variable's value when it is an absolute path,
// otherwise $HOME followed by `homeFallback` (".config", ".local/share", ".local/state"). A
// relative or empty value is ignored, as the XDG rules say. Empty when neither gives an
// absolute folder.
std::string xdgFolder(const char* variable, const char* homeFallback);

// $XDG_DATA_HOME/munchtrail/Scenes; empty when there is no data folder.
std::string playerSceneFolder();

// Where the editor saves a scene: the data folder's Scenes/ when the programs run portable
// (the data folder is the program's own) and that folder is writable, otherwise the player's scene folder,
// created on demand
// (`create`). An installed data folder is never written, even by an administrator.
std::string sceneSaveFolder(const std::string& dataFolder, bool portable, bool create);
