// The settings file. Its lines are "Name=type:value"; the types are "dword" (an unsigned
// 32-bit decimal number) and "sz" (the rest of the line). Lines that do not parse, numbers
// that do not fit in 32 bits and values of the wrong type are treated as missing: the game
// takes the default, as it does for a value never written, and the next write drops them.
#include "game/shell/settings.h"

#include <sys/stat.h>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "game/common/bindings.h"
#include "game/common/game_state.h"
#include "game/shell/shell.h"
#include "scene/atomic_file.h"
#include "scene/folders.h"

namespace {

enum class ValueType : std::uint8_t { None, Dword, Sz };

struct StoredValue {
    const char* name = "";
    ValueType type = ValueType::None;
    bool present = false;
    std::uint32_t number = 0;
    std::string text;
};

// The values in the order they are written: these, then a key and a gamepad button for each of
// the player's actions.
constexpr std::pair<const char*, ValueType> kValues[] = {
    {"WindowedMode", ValueType::Dword},  {"WindowSize", ValueType::Sz},       {"GameSpeed", ValueType::Dword},
    {"NoSound", ValueType::Dword},       {"Ghost", ValueType::Dword},         {"SharpFill", ValueType::Dword},
    {"EffectsVolume", ValueType::Dword}, {"AmbientVolume", ValueType::Dword}, {"BeanMarks", ValueType::Dword},
    {"HiScore", ValueType::Dword},       {"Version", ValueType::Sz},          {"Homepage", ValueType::Sz},
    {"Copyright", ValueType::Sz},
};
using SettingsFile = std::array<StoredValue, std::size(kValues) + 2 * kControlActions>;

SettingsFile emptyFile() {
    SettingsFile file;
    for (std::size_t i = 0; i < std::size(kValues); ++i) {
        file[i].name = kValues[i].first;
        file[i].type = kValues[i].second;
    }
    for (std::size_t a = 0; a < kControls.size(); ++a) {
        const std::size_t at = std::size(kValues) + 2 * a;
        file[at].name = kControls[a].keyValue;
        file[at + 1].name = kControls[a].padValue;
        file[at].type = file[at + 1].type = ValueType::Dword;
    }
    return file;
}

StoredValue* findValue(SettingsFile& file, std::string_view name) {
    for (StoredValue& value : file)
        if (name == value.name) return &value;
    return nullptr;
}

bool parseDword(std::string_view text, std::uint32_t* out) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (number > 0xFFFFFFFFu) return false;
    *out = static_cast<std::uint32_t>(number);
    return true;
}

void parseLine(SettingsFile& file, std::string_view line) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t equals = line.find('=');
    const std::size_t colon = line.find(':', equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || colon == std::string_view::npos) return;
    StoredValue* value = findValue(file, line.substr(0, equals));
    if (value == nullptr) return;
    const std::string_view type = line.substr(equals + 1, colon - equals - 1);
    const std::string_view text = line.substr(colon + 1);
    if (value->type == ValueType::Dword && type == "dword") {
        value->present = parseDword(text, &value->number);
    } else if (value->type == ValueType::Sz && type == "sz") {
        value->text.assign(text);
        value->present = true;
    }
}

SettingsFile parseText(std::string_view contents) {
    SettingsFile file = emptyFile();
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string_view::npos) end = contents.size();
        parseLine(file, contents.substr(start, end - start));
        start = end + 1;
    }
    return file;
}

SettingsFile loadFile() {
    const std::string path = settingsFilePath();
    std::FILE* in = openRegularFile(path.c_str());
    if (in == nullptr) return emptyFile();
    std::string contents;
    char block[4096];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, in)) > 0 && contents.size() < (1u << 20))
        contents.append(block, got);
    std::fclose(in);
    return parseText(contents);
}

// Creates each missing folder of the path's directory part: a first start has no folder yet.
void makeParentFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
}

std::string fileText(const SettingsFile& file) {
    std::string text;
    for (const StoredValue& value : file) {
        if (!value.present) continue;
        text += value.name;
        text +=
            value.type == ValueType::Dword ? "=dword:" + std::to_string(value.number) : "=sz:" + value.text;
        text += '\n';
    }
    return text;
}

// Writes the whole file through writeFileAtomically: on any failure the old file stays as it was.
SettingsWrite saveFile(const SettingsFile& file) {
    const std::string path = settingsFilePath();
    if (path.empty()) return {false, "neither XDG_CONFIG_HOME nor HOME is set"};
    makeParentFolders(path);
    FileWrite written = writeFileAtomically(path, fileText(file));
    return {written.ok, written.reason};
}

// Saves, and keeps the first failure of the run for the report at exit.
SettingsWrite saveAndNote(const SettingsFile& file) {
    SettingsWrite result = saveFile(file);
    if (!result.ok && settingsState.failedReason.empty()) {
        settingsState.failedPath = settingsFilePath();
        settingsState.failedReason = result.reason;
    }
    return result;
}

void setDword(SettingsFile& file, const char* name, std::uint32_t number) {
    StoredValue* value = findValue(file, name);
    value->present = true;
    value->number = number;
}

void setText(SettingsFile& file, const char* name, const char* text) {
    StoredValue* value = findValue(file, name);
    value->present = true;
    value->text = text;
}

std::uint32_t dwordOr(SettingsFile& file, const char* name, std::uint32_t fallback) {
    const StoredValue* value = findValue(file, name);
    return value->present ? value->number : fallback;
}

}  // namespace

std::string settingsFilePath() {
    const std::string config = xdgFolder("XDG_CONFIG_HOME", ".config");
    return config.empty() ? config : config + "/Quillfern/MunchTrail.ini";
}

StoredSettings readSettings() {
    SettingsFile file = loadFile();
    StoredSettings stored;
    stored.windowedMode = dwordOr(file, "WindowedMode", stored.windowedMode);
    stored.gameSpeed = dwordOr(file, "GameSpeed", stored.gameSpeed);
    stored.noSound = dwordOr(file, "NoSound", stored.noSound);
    stored.ghost = dwordOr(file, "Ghost", stored.ghost);
    stored.sharpFill = dwordOr(file, "SharpFill", stored.sharpFill);
    stored.effectsVolume = dwordOr(file, "EffectsVolume", stored.effectsVolume);
    stored.ambientVolume = dwordOr(file, "AmbientVolume", stored.ambientVolume);
    stored.beanMarks = dwordOr(file, "BeanMarks", stored.beanMarks);
    for (std::size_t a = 0; a < kControls.size(); ++a) {
        stored.keys[a] = dwordOr(file, kControls[a].keyValue, stored.keys[a]);
        stored.pads[a] = dwordOr(file, kControls[a].padValue, stored.pads[a]);
    }
    const StoredValue* size = findValue(file, "WindowSize");
    std::uint32_t width = 0, height = 0;
    const std::size_t x = size->text.find('x');
    if (size->present && x != std::string::npos &&
        parseDword(std::string_view(size->text).substr(0, x), &width) &&
        parseDword(std::string_view(size->text).substr(x + 1), &height) && width - 1 < 16384 &&
        height - 1 < 16384) {
        stored.windowWidth = width;
        stored.windowHeight = height;
    }
    return stored;
}

SettingsWrite writeSettings() {
    SettingsFile file = loadFile();
    if (loop.modeOverride < 0) setDword(file, "WindowedMode", static_cast<std::uint32_t>(options.isWindowed));
    if (loop.windowSize.width > 0 && loop.windowSize.height > 0)
        setText(
            file, "WindowSize",
            (std::to_string(loop.windowSize.width) + "x" + std::to_string(loop.windowSize.height)).c_str());
    setDword(file, "GameSpeed", options.framesPerSecond);
    setDword(file, "NoSound", static_cast<std::uint32_t>(options.soundMuted));
    setDword(file, "Ghost", static_cast<std::uint32_t>(options.ghost));
    setDword(file, "SharpFill", static_cast<std::uint32_t>(options.sharpFill));
    setDword(file, "EffectsVolume", static_cast<std::uint32_t>(options.effectsVolume));
    setDword(file, "AmbientVolume", static_cast<std::uint32_t>(options.ambientVolume));
    setDword(file, "BeanMarks", static_cast<std::uint32_t>(options.beanMarks));
    for (std::size_t a = 0; a < kControls.size(); ++a) {
        setDword(file, kControls[a].keyValue, controls.keys[a]);
        setDword(file, kControls[a].padValue, controls.pads[a]);
    }
    return saveAndNote(file);
}

void readHighScore(std::uint32_t* hiScore) {
    SettingsFile file = loadFile();
    *hiScore = dwordOr(file, "HiScore", *hiScore);
}

SettingsWrite writeHighScore(std::uint32_t hiScore) {
    SettingsFile file = loadFile();
    setDword(file, "HiScore", hiScore);
    return saveAndNote(file);
}

SettingsWrite writeVersionInfo() {
    SettingsFile file = loadFile();
    setText(file, "Copyright", kCopyrightText);
    setText(file, "Homepage", kHomepageText);
    setText(file, "Version", kVersionText);
    return saveAndNote(file);
}

std::string normaliseSettingsText(std::string_view text) {
    return fileText(parseText(text));
}
