// KELV's command line: our options answered before Qt starts, Qt's passed on, "--" ending them.
#include <gtest/gtest.h>

#include "editor/core/command_line.h"

TEST(CommandLine, OursAreAnsweredAndTheRestGoesOnToQtAndTheFiles) {
    using Args = std::vector<std::string>;
    using enum CommandLine::Action;
    const struct {
        Args arguments;
        CommandLine::Action action;
        const char* text;  // how the text starts
        Args forQt, afterDashes;
    } rows[] = {
        {{"KELV", "--help"}, Print, "Usage: KELV [options] [--] [scene.qsn]\n", {}, {}},
        {{"KELV", "a.qsn", "-h"}, Print, "Usage: KELV", {}, {}},
        {{"KELV", "--version"}, Print, "KELV 2.01\n", {}, {}},
        {{"KELV", "--bogus", "--help"}, Fail, "KELV: unknown option '--bogus'\n", {}, {}},
        {{"KELV", "-platform", "offscreen", "--style", "fusion", "a.qsn"},
         Run,
         "",
         {"KELV", "-platform", "offscreen", "--style", "fusion", "a.qsn"},
         {}},
        {{"KELV", "-x", "--", "-odd.qsn", "--help"}, Run, "", {"KELV", "-x"}, {"-odd.qsn", "--help"}},
    };
    for (const auto& row : rows) {
        const CommandLine line = parseCommandLine(row.arguments);
        SCOPED_TRACE(row.arguments[1]);
        EXPECT_EQ(line.action, row.action);
        EXPECT_TRUE(line.text.starts_with(row.text)) << line.text;
        EXPECT_EQ(line.forQt, row.forQt);
        EXPECT_EQ(line.afterDashes, row.afterDashes);
    }
}
