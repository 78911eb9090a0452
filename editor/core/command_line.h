// KELV's command line, read before Qt starts: our own long options (--help, --version), "--"
// to end the options, and everything else left as it was. Single-dash arguments go on to Qt,
// which takes its own (-platform, -style, ...) and leaves the rest as scene files.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Run, Print, Fail };
    Action action = Action::Run;
    std::string text;                      // usage, version or the complaint, ending in a newline
    std::vector<std::string> forQt;        // the program name and the arguments Qt may look at
    std::vector<std::string> afterDashes;  // scene files named after "--", never read as options
};

inline constexpr int kUsageExitCode = 2;

CommandLine parseCommandLine(const std::vector<std::string>& arguments);
