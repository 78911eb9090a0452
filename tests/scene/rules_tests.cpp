// The one set of scene rules (scenetool check, KELV's Save and Test play, the game's --play), the
// bytes that are no scene file, the playability warnings on small hand-made fields, the score
// bound, and the Latin-1 conversions.
#include <gtest/gtest.h>

#include <functional>

#include "scene/scene_play.h"
#include "scene/scene_rules.h"
#include "scene/scene_text.h"

namespace {

// A scene with the given symbol rows from the top left (the rest empty) and settings.
Scene field(std::initializer_list<std::string> rows, int objective = Standard, int randomFall = 0) {
    Scene scene;
    scene.objective = objective, scene.randomFall = randomFall;
    int row = 0;
    for (const std::string& symbols : rows) {
        for (int column = 0; column < int(symbols.size()); ++column)
            scene.grid[sceneCellIndex(column, row)] = std::uint8_t(symbolCode(symbols[column]));
        ++row;
    }
    return scene;
}

// Each row breaks rules of a scene that keeps all others (a start and a bean); check and the
// check before Save name them alike, in the same words.
TEST(SceneRules, EveryRuleOfCheckAlsoRefusesSave) {
    // clang-format off
    const std::pair<std::function<void(Scene&)>, std::vector<std::string>> rows[] = {
        {[](Scene& s) { s.title = std::string(29, 'T'); }, {"The title has 29 characters. " + lengthMessage(28)}},
        {[](Scene& s) { s.title = "a\rb"; }, {"The title holds a line break. Please keep the title on one line."}},
        {[](Scene& s) { s.background = 11; }, {"The background is 11. Please choose one of the 11 backgrounds."}},
        {[](Scene& s) { s.randomFall = 2; }, {"Random fall is 2. Please switch it on or off."}},
        {[](Scene& s) { s.fallInterval = -1; }, {"The interval is -1. " + rangeMessage(0, 60)}},
        {[](Scene& s) { s.objective = 4; }, {"The objective is 4. Please choose one of the 4 objectives."}},
        {[](Scene& s) { s.goalScore = 10000000; }, {"The goal score is 10000000. " + rangeMessage(5, 9999999)}},
        {[](Scene& s) { s.description = std::string(256, 'd'); }, {"The description has 256 characters. " + lengthMessage(255)}},
        {[](Scene& s) { s.objective = EatUp, s.randomFall = 1; }, {"Random fall is on in an Eat up scene. The editor always turns it off."}},
        {[](Scene& s) { s.grid[90] = 8, s.grid[1199] = 9; }, {"The cell at column 3, row 0 holds code 8, which the editor never writes.",
                                                             "2 cells in all hold codes the editor never writes."}},
        {[](Scene& s) { s.grid[5] = StartPoint; }, {"2 start points. The editor places one."}},
        {[](Scene& s) { s.grid[5] = s.grid[6] = ExitPoint, s.objective = Escape; }, {"2 exit points. The editor places one."}},
        {[](Scene& s) { s.grid[0] = EmptyCell; }, {kNeedStartMessage}},
        {[](Scene& s) { s.title = std::string(28, 'T'), s.description = std::string(255, 'd'); }, {}}};
    // clang-format on
    for (const auto& [breakRule, problems] : rows) {
        Scene scene = field({"Sr"});
        breakRule(scene);
        EXPECT_EQ(checkSceneBytes(sceneDiskBytes(scene)), problems);
        EXPECT_EQ(sceneRuleProblems(scene), problems);
    }
}

// Bytes that are no scene file say why, and nothing else; a file that cannot be read says that.
TEST(SceneRules, BytesThatAreNoSceneFileSayWhy) {
    const std::string good = sceneDiskBytes(field({"Sr"}));
    // clang-format off
    for (auto [bytes, problem] : {
             std::pair<std::string, std::string>{"", "not a scene file: the title line does not end with NUL and a line end"},
             {"# MunchTrail scene source\ntitle = x\n", "not a scene file: it holds a line feed without a carriage return before it"},
             {good.substr(0, good.size() - 700), "not a scene file: the file ends after 500 of the 1200 cells"},
             {good + "xy", "not a scene file: 2 bytes follow the 1200 cells"},
             {std::string("T\0\r\n1 1 0 0 5 +\r\n\0\r\n\0\r\n", 23) + good.substr(good.size() - 1200),
              "The number line is not five plain numbers."}}) {
        // clang-format on
        EXPECT_EQ(checkSceneBytes(bytes), std::vector<std::string>{problem});
    }
    EXPECT_EQ(checkSceneFile("/nonexistent/a.qsn"),
              std::vector<std::string>{"cannot read the file: No such file or directory"});
}

// Small hand-made fields: the worm wraps round the edges, stones block it, the game's start and
// exit are the last ones in file order.
TEST(ScenePlay, WarningsForWhatMayMakeASceneUnwinnable) {
    const std::string wall(kSceneRows, '#');
    Scene acrossTheEdge = field({"S.#E"}, Escape), walledIn = acrossTheEdge;
    for (int row = 0; row < kSceneRows; ++row) {
        acrossTheEdge.grid[sceneCellIndex(2, row)] = StoneBean;  // the way right is walled off...
        walledIn.grid[sceneCellIndex(2, row)] = walledIn.grid[sceneCellIndex(39, row)] =
            StoneBean;  // ...and left
    }
    Scene goal = field({"Srr"}, GoalScore);
    goal.goalScore = 10;
    Scene tooHigh = goal;
    tooHigh.goalScore = 11;
    // clang-format off
    for (const auto& [scene, warnings] : {
             std::pair<Scene, std::vector<std::string>>{acrossTheEdge, {}},
             {walledIn, {"The worm cannot reach the exit at column 3, row 0 from the start."}},
             {field({"Sr...", "..###", "..#r#", "..#g#", "..###"}, EatUp), {"2 beans cannot be reached from the start (the first at column 3, row 2)."}},
             {field({"Sr...", "..###", "..#r#", "..#g#", "..#.#"}, EatUp), {}},
             {goal, {}}, {tooHigh, {"The goal score 11 is more than the 10 points the beans on the field can bring."}},
             {field({"..#", "...", "#.S.#", "...", "..#"}), {"Whichever way the worm sets off from the start, it meets a stone within two cells."}},
             {field({"..#", "...", "#.S..", "...", "..#"}), {}},
             {field({"S", "E"}, Escape), {}}}) {
        // clang-format on
        EXPECT_EQ(playWarnings(scene), warnings);
    }
}

// The bound counts each bean as the game scores it: 5, 5 more fast after a red run, 10 more in
// the rain after a blue run, 30 for each bonus bean an orange run's laser makes. Random beans
// count for every colour; revival after a green run with stones to revive has no bound.
TEST(ScenePlay, GoalScoreBoundCountsBeansAsTheGameScores) {
    // clang-format off
    for (auto [symbols, fall, bound] : {
             std::tuple{"rr", 0, 10}, {"rr", 1, -1}, {"rrrrrb", 0, 35}, {"bbbbbr", 0, 40}, {"ooooo", 0, 55},
             {"ggggg", 0, 25}, {"ggggg#", 0, -1}, {"????r", 0, 25}, {"?????", 0, 55}, {"????rggggggggggggggg", 0, -1},
             {"????rgggggggggggggg", 0, 19 * 5 + 5 * 14}}) {
        // clang-format on
        EXPECT_EQ(goalScoreBound(field({symbols}, GoalScore, fall)), bound) << symbols;
    }
}

// UTF-8 and Latin-1 both ways; what Latin-1 lacks (or is no UTF-8) is "?", the first one named.
TEST(SceneText, Latin1AndTheGamesDescriptionLayout) {
    // clang-format off
    for (auto [utf8, latin1, missing] : {
             std::tuple{"caf\u00E9\u00A9\u0080", "caf\xE9\xA9\x80", 0u}, {"\u20ACx\u00FF", "?x\xFF", 0x20ACu}, {"a\xC3(", "a?(", 0xFFFDu},
             {"\xC0\xAF\xED\xA0\x80", "?????", 0xFFFDu}, {"\U0001F41B", "?", 0x1F41Bu}, {"\xC2\x80", "\x80", 0u},
             {"\xDF\xBFx", "?x", 0x7FFu}, {"\xE0\xA0\x80", "?", 0x800u}, {"\xEF\xBB\xBF", "?", 0xFEFFu},
             {"\xF0\x90\x80\x80", "?", 0x10000u}, {"\xF4\x8F\xBF\xBF", "?", 0x10FFFFu},
             {"\xC1\xBF\xF4\x90\x80\x80", "??????", 0xFFFDu}, {"\xF5\x80\xE0\x9F\xBF", "?????", 0xFFFDu}}) {
        // clang-format on
        const Latin1Text text = utf8ToLatin1(utf8);
        EXPECT_EQ(std::pair(text.text, std::uint32_t(text.missing)), std::pair(std::string(latin1), missing));
        EXPECT_TRUE(missing != 0 || latin1ToUtf8(latin1) == utf8) << utf8;
    }
    EXPECT_EQ(wrapLikeGame(std::string(31, 'a') + "b\r\nc\xE9"), std::string(31, 'A') + "\nB\nC\xE9");
    EXPECT_EQ(latin1Message(0x1F41B),
              "Please enter only Latin-1 characters: \"\U0001F41B\" (U+1F41B) cannot be stored in a scene.");
    EXPECT_NE(latin1Message(0x100).find("\"\u0100\" (U+0100)"), std::string::npos);  // four digits at least
}

}  // namespace
