// The playability warnings: a flood over the field as the worm crawls it (round the edges,
// through everything but stones), and the score bound counted bean by bean as the game adds it.
#include "scene/scene_play.h"

#include <array>

namespace {

struct Cell {
    int column = -1;
    int row = -1;
};

// The last cell holding `code` in file order (rows outer): the one the game's reader keeps.
Cell lastCell(const Scene& scene, std::uint8_t code) {
    Cell found;
    for (int row = 0; row < kSceneRows; ++row)
        for (int column = 0; column < kSceneColumns; ++column)
            if (scene.grid[std::size_t(sceneCellIndex(column, row))] == code) found = {column, row};
    return found;
}

Cell stepped(Cell cell, int dc, int dr) {
    return {(cell.column + dc + kSceneColumns) % kSceneColumns, (cell.row + dr + kSceneRows) % kSceneRows};
}

bool isStone(const Scene& scene, Cell cell) {
    return scene.grid[std::size_t(sceneCellIndex(cell.column, cell.row))] == StoneBean;
}

constexpr int kSteps[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};

// Every cell the worm can reach from `start`, by cell index.
std::array<bool, kSceneCells> reachable(const Scene& scene, Cell start) {
    std::array<bool, kSceneCells> seen{};
    std::array<Cell, kSceneCells> queue{};
    int head = 0, tail = 0;
    queue[tail++] = start;
    seen[std::size_t(sceneCellIndex(start.column, start.row))] = true;
    while (head < tail) {
        const Cell at = queue[head++];
        for (const auto& step : kSteps) {
            const Cell next = stepped(at, step[0], step[1]);
            bool& mark = seen[std::size_t(sceneCellIndex(next.column, next.row))];
            if (mark || isStone(scene, next)) continue;
            mark = true;
            queue[tail++] = next;
        }
    }
    return seen;
}

// Whichever way the worm sets off, a stone waits one or two cells ahead.
bool boxedIn(const Scene& scene, Cell start) {
    for (const auto& step : kSteps) {
        const Cell one = stepped(start, step[0], step[1]);
        if (!isStone(scene, one) && !isStone(scene, stepped(one, step[0], step[1]))) return false;
    }
    return true;
}

std::string at(Cell cell) {
    return "column " + std::to_string(cell.column) + ", row " + std::to_string(cell.row);
}

void warnUnreachableBeans(const Scene& scene, const std::array<bool, kSceneCells>& seen,
                          std::vector<std::string>& out) {
    int count = 0;
    Cell first;
    for (int row = 0; row < kSceneRows; ++row)
        for (int column = 0; column < kSceneColumns; ++column) {
            const std::size_t index = std::size_t(sceneCellIndex(column, row));
            if (!isNonStoneBean(scene.grid[index]) || seen[index]) continue;
            if (count++ == 0) first = {column, row};
        }
    if (count > 0)
        out.push_back(std::to_string(count) + (count == 1 ? " bean" : " beans") +
                      " cannot be reached from the start (the first at " + at(first) + ").");
}

}  // namespace

std::int64_t goalScoreBound(const Scene& scene) {
    if (scene.randomFall != 0) return -1;
    std::int64_t beans = 0, stones = 0, random = 0;
    std::array<std::int64_t, 5> colour{};
    for (std::uint8_t code : scene.grid) {
        beans += isNonStoneBean(code);
        stones += code == StoneBean;
        random += code == RandomBean;
        if (code <= PurpleBean) colour[code] += 1;
    }
    // A random bean may turn out any colour, so it counts towards every run.
    const auto runs = [&](int c) { return (colour[std::size_t(c)] + random) / 5; };
    // Revived stones come back as beans of any colour: with stones to revive (the scene's own,
    // or the ones a worm of 25 segments sheds after 20 beans) a lucky player never runs out.
    if (runs(GreenBean) > 0 && (stones > 0 || beans >= 20)) return -1;
    const std::int64_t later = beans > 5 ? beans - 5 : 0;  // eaten after the run that earns a power
    return 5 * beans + (runs(RedBean) > 0 ? 5 * later : 0) + (runs(BlueBean) > 0 ? 10 * later : 0) +
           30 * runs(OrangeBean);
}

std::vector<std::string> playWarnings(const Scene& scene) {
    std::vector<std::string> out;
    const Cell start = lastCell(scene, StartPoint);
    if (start.column < 0) return out;
    const std::array<bool, kSceneCells> seen = reachable(scene, start);
    const Cell exit = lastCell(scene, ExitPoint);
    if (scene.objective == Escape && exit.column >= 0 &&
        !seen[std::size_t(sceneCellIndex(exit.column, exit.row))])
        out.push_back("The worm cannot reach the exit at " + at(exit) + " from the start.");
    if (scene.objective == EatUp) warnUnreachableBeans(scene, seen, out);
    const std::int64_t bound = goalScoreBound(scene);
    if (scene.objective == GoalScore && bound >= 0 && std::uint32_t(scene.goalScore) > bound)
        out.push_back("The goal score " + std::to_string(std::uint32_t(scene.goalScore)) +
                      " is more than the " + std::to_string(bound) +
                      " points the beans on the field can bring.");
    if (boxedIn(scene, start))
        out.push_back("Whichever way the worm sets off from the start, it meets a stone within two cells.");
    return out;
}
