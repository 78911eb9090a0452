// The progress file. One line a scene, fields apart by single spaces:
//   <hash: 16 hex digits> <best score> <won: 0 or 1> <games> <best replay or -> <scene file name>
// after the heading "MunchTrail progress 1". File names may hold any byte but '/', so in both
// names a space, a control byte, DEL and the backslash are written as \xHH. A line that does
// not read this way is left out, never guessed at: a damaged or truncated file still gives
// every sound line, and nothing in it can make the game fail.
#include "game/screens/progress.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "game/common/game_state.h"
#include "game/screens/scene_select.h"
#include "game/world/ghost.h"
#include "game/world/world.h"
#include "scene/atomic_file.h"
#include "scene/fnv1a.h"
#include "scene/folders.h"

namespace {

constexpr std::string_view kHeading = "MunchTrail progress 1";
constexpr std::size_t kLongestName = 259;
constexpr std::size_t kProgressReadLimit = 64u << 20;  // far beyond any player's scenes
constexpr std::size_t kGhostReadLimit = 8u << 20;      // the longest track is under 6 MiB

std::string escapeName(std::string_view name) {
    std::string out;
    for (unsigned char c : name) {
        if (c > 0x20 && c != 0x7F && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A name as written; false for a broken escape, a '/' or a name that no file could have.
bool unescapeName(std::string_view text, std::string& name) {
    name.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            name.push_back(text[i]);
            continue;
        }
        if (i + 3 >= text.size() || text[i + 1] != 'x') return false;
        const int high = hexValue(text[i + 2]), low = hexValue(text[i + 3]);
        if (high < 0 || low < 0) return false;
        name.push_back(static_cast<char>(high * 16 + low));
        i += 3;
    }
    return !name.empty() && name.size() <= kLongestName && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos && name != "." && name != "..";
}

bool readNumber(std::string_view text, std::uint64_t limit, std::uint64_t& value, int base = 10) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (char c : text) {
        const int digit = hexValue(c);
        if (digit < 0 || digit >= base) return false;
        const auto d = static_cast<std::uint64_t>(digit);
        if (d > limit || value > (limit - d) / static_cast<std::uint64_t>(base)) return false;
        value = value * static_cast<std::uint64_t>(base) + d;
    }
    return true;
}

// Splits at single spaces into exactly `count` fields; false for any other shape.
bool splitFields(std::string_view line, std::string_view* fields, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t space = i + 1 < count ? line.find(' ') : std::string_view::npos;
        if (i + 1 < count && space == std::string_view::npos) return false;
        fields[i] = line.substr(0, space);
        if (fields[i].empty()) return false;
        line = i + 1 < count ? line.substr(space + 1) : std::string_view{};
    }
    return fields[count - 1].find(' ') == std::string_view::npos;
}

bool parseLine(std::string_view line, SceneProgress& entry) {
    std::string_view f[6];
    std::uint64_t hash = 0, score = 0, won = 0, games = 0;
    if (!splitFields(line, f, 6) || f[0].size() != 16 || !readNumber(f[0], ~0ull, hash, 16) ||
        !readNumber(f[1], 0xFFFFFFFFu, score) || !readNumber(f[2], 1, won) ||
        !readNumber(f[3], 0xFFFFFFFFu, games) || !unescapeName(f[5], entry.scene))
        return false;
    entry.bestReplay.clear();
    if (f[4] != "-" && !unescapeName(f[4], entry.bestReplay)) return false;
    entry.hash = hash;
    entry.bestScore = static_cast<std::uint32_t>(score);
    entry.won = won != 0;
    entry.games = static_cast<std::uint32_t>(games);
    return true;
}

bool before(const SceneProgress& a, const SceneProgress& b) {
    return a.scene != b.scene ? a.scene < b.scene : a.hash < b.hash;
}

// Where an entry of this scene and hash stands, or would stand, in the sorted table.
std::size_t lowerIndex(const ProgressTable& table, std::string_view scene, std::uint64_t hash) {
    const auto at =
        std::lower_bound(table.begin(), table.end(), std::pair(scene, hash),
                         [](const SceneProgress& e, const std::pair<std::string_view, std::uint64_t>& key) {
                             return e.scene != key.first ? e.scene < key.first : e.hash < key.second;
                         });
    return static_cast<std::size_t>(at - table.begin());
}

std::string dataFolder() {
    const std::string data = xdgFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? data : data + "/munchtrail";
}

SceneProgress unplayed(std::string_view scene, std::uint64_t hash) {
    SceneProgress entry;
    entry.scene = scene;
    entry.hash = hash;
    return entry;
}

void noteFailure(const std::string& reason) {
    if (progressReport.failedReason.empty()) progressReport.failedReason = reason;
}

// Loads the ghost of the scene now read, when one is kept and the option says it races.
void loadGhost(const SceneProgress& entry) {
    const bool wanted = options.ghost == 1 || (options.ghost == 2 && entry.won);
    std::string bytes, reason;
    ghost.best = GhostTrack{};
    ghost.shown =
        wanted && entry.games > 0 &&
        readRegularFile(ghostFilePath(entry.scene, entry.hash).c_str(), bytes, reason, kGhostReadLimit) &&
        parseGhost(bytes, ghost.best);
}

}  // namespace

ProgressTable parseProgress(std::string_view text) {
    ProgressTable table;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        SceneProgress entry;
        if (parseLine(text.substr(0, end), entry)) table.push_back(std::move(entry));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    std::stable_sort(table.begin(), table.end(), before);
    const auto same = [](const SceneProgress& a, const SceneProgress& b) {
        return a.scene == b.scene && a.hash == b.hash;
    };
    table.erase(std::unique(table.begin(), table.end(), same), table.end());
    return table;
}

std::string progressText(const ProgressTable& table) {
    std::string text(kHeading);
    text += '\n';
    for (const SceneProgress& e : table) {
        char fields[64];
        std::snprintf(fields, sizeof fields, "%016llX %u %d %u ", static_cast<unsigned long long>(e.hash),
                      e.bestScore, e.won ? 1 : 0, e.games);
        text += fields;
        text += e.bestReplay.empty() ? "-" : escapeName(e.bestReplay);
        text += ' ' + escapeName(e.scene) + '\n';
    }
    return text;
}

const SceneProgress* findProgress(const ProgressTable& table, std::string_view scene, std::uint64_t hash) {
    const std::size_t at = lowerIndex(table, scene, hash);
    return at < table.size() && table[at].scene == scene && table[at].hash == hash ? &table[at] : nullptr;
}

bool anyProgressFor(const ProgressTable& table, std::string_view scene) {
    const std::size_t at = lowerIndex(table, scene, 0);
    return at < table.size() && table[at].scene == scene;
}

bool beatsBest(std::uint32_t score, bool won, const SceneProgress* entry) {
    if (entry == nullptr || entry->games == 0) return true;
    if (won != entry->won) return won;
    return score > entry->bestScore;
}

bool countGame(ProgressTable& table, std::string_view scene, std::uint64_t hash, std::uint32_t score,
               bool won, std::string_view replayFile) {
    const std::size_t index = lowerIndex(table, scene, hash);
    auto at = table.begin() + static_cast<std::ptrdiff_t>(index);
    if (index == table.size() || at->scene != scene || at->hash != hash)
        at = table.insert(at, unplayed(scene, hash));
    const bool best = beatsBest(score, won, &*at);
    if (best) {
        at->bestScore = score;
        at->bestReplay = replayFile;
    }
    at->won = at->won || won;
    at->games += at->games < 0xFFFFFFFFu ? 1 : 0;
    return best;
}

std::string progressFilePath() {
    const std::string folder = dataFolder();
    return folder.empty() ? folder : folder + "/progress";
}

ProgressTable readProgress() {
    std::string text, reason;
    if (!readRegularFile(progressFilePath().c_str(), text, reason, kProgressReadLimit)) return {};
    return parseProgress(text);
}

bool writeProgress(const ProgressTable& table) {
    const std::string path = progressFilePath();
    std::error_code error;
    if (path.empty() || (std::filesystem::create_directories(dataFolder(), error), error)) {
        noteFailure("no folder for it" +
                    (path.empty() ? std::string(" (HOME is not set)") : " at " + dataFolder()));
        return false;
    }
    const FileWrite written = writeFileAtomically(path, progressText(table));
    if (!written.ok) noteFailure(path + ": " + written.reason);
    return written.ok;
}

bool sceneFileHash(const std::string& path, std::uint64_t& hash) {
    std::string bytes, reason;
    if (!readRegularFile(path.c_str(), bytes, reason)) return false;
    hash = fnv1a64(bytes.data(), bytes.size());
    return true;
}

std::string ghostFilePath(std::string_view scene, std::uint64_t hash) {
    const std::string folder = dataFolder();
    char name[24];
    std::snprintf(name, sizeof name, "%016llX", static_cast<unsigned long long>(hash));
    return folder.empty() ? folder : folder + "/ghosts/" + name + "_" + escapeName(scene) + ".mtghost";
}

void noteFinishedGame(const std::string& scene, std::uint64_t hash, std::uint32_t score, bool won,
                      const std::string& replayFile) {
    ProgressTable table = readProgress();
    const bool best = countGame(table, scene, hash, score, won, replayFile);
    if (!writeProgress(table) || !best) return;
    const std::string path = ghostFilePath(scene, hash);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const FileWrite written = writeFileAtomically(path, ghostBytes(ghost.capture));
    if (!written.ok) noteFailure(path + ": " + written.reason);
}

void prepareGameProgress() {
    gameProgress = GameProgress{};
    resetGhost();
    std::uint64_t hash = 0;
    if (!sceneFileHash(sceneOrigin.path, hash)) return;
    const std::string name = std::filesystem::path(sceneOrigin.path).filename().string();
    const ProgressTable table = readProgress();
    const SceneProgress* entry = findProgress(table, name, hash);
    gameProgress.known = true;
    gameProgress.entry = entry != nullptr ? *entry : unplayed(name, hash);
    loadGhost(gameProgress.entry);
    if (game.singleScene) return;  // --play: that scene alone
    const std::vector<std::string> names = listSceneFiles();
    const auto next = std::upper_bound(names.begin(), names.end(), name);
    if (next != names.end()) gameProgress.nextScene = *next;
}

void resetProgressState() {
    progressReport = ProgressReport{};
    gameProgress = GameProgress{};
    resetGhost();
}
