// The command line is read by hand: it has two options, and Qt must still see its own ones
// (which a general parser would refuse as unknown) in the arguments handed on to it.
#include "editor/core/command_line.h"

#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: KELV [options] [--] [scene.qsn]\n"
    "The scene editor of Munch Trail: paint a scene, set its properties, save it into Scenes.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  --version      show the version and exit\n"
    "  --             end of options: what follows is a scene file even if it starts with '-'\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted as well.\n";

// Qt also takes its options with two dashes; these stay Qt's.
constexpr std::string_view kQtOptions[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "qwindowicon",
                                           "qwindowtitle",
                                           "reverse",
                                           "session",
                                           "display",
                                           "geometry",
                                           "style",
                                           "stylesheet",
                                           "widgetcount",
                                           "nograb",
                                           "dograb",
                                           "sync",
                                           "title",
                                           "name",
                                           "visual"};

bool isQtOption(std::string_view argument) {
    for (std::string_view option : kQtOptions)
        if (argument.substr(2) == option) return true;
    return false;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (i == 0) {
            line.forQt.push_back(argument);
        } else if (argument == "--") {
            line.afterDashes.assign(arguments.begin() + std::ptrdiff_t(i) + 1, arguments.end());
            break;
        } else if (argument == "--help" || argument == "-h") {
            return {CommandLine::Action::Print, kUsage, {}, {}};
        } else if (argument == "--version") {
            return {CommandLine::Action::Print, "KELV 2.01\n", {}, {}};
        } else if (argument.starts_with("--") && !isQtOption(argument)) {
            return {CommandLine::Action::Fail,
                    "KELV: unknown option '" + argument + "'\nTry 'KELV --help' for more information.\n",
                    {},
                    {}};
        } else {
            line.forQt.push_back(argument);
        }
    }
    return line;
}
