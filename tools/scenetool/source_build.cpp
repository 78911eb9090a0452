// Reading the source form back into the bytes of a scene file. Every mistake is reported with
// the number of the line it is on; values outside the editor's limits are not mistakes here
// (the caller warns about them), since the source must be able to describe any file. Text is
// written in UTF-8 and stored as Latin-1; a character Latin-1 lacks is a mistake.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "tools/scenetool/source_form.h"

namespace {

struct SourceParser {
    std::vector<std::string_view> lines;
    std::size_t next = 0;
    std::string error;
    std::vector<std::string> seenKeys;
    std::string title, description, numberLine, trailing;
    bool rawNumbers = false, numericKeys = false;
    std::int32_t numbers[5] = {0, 1, 0, Standard, 5};  // a new scene's values
    std::string symbols;                               // 1200 grid symbols in file order
    std::vector<int> otherCodes = std::vector<int>(kSceneCells, -1);
};

bool fail(SourceParser& p, std::size_t line, const std::string& message) {
    if (p.error.empty()) p.error = "line " + std::to_string(line + 1) + ": " + message;
    return false;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool sameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool unescape(SourceParser& p, std::size_t line, std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            // A run of plain characters: UTF-8 in the source, Latin-1 in the scene.
            const std::size_t end = std::min(text.find('\\', i), text.size());
            const Latin1Text latin1 = utf8ToLatin1(text.substr(i, end - i));
            if (latin1.missing != 0) return fail(p, line, latin1Message(latin1.missing));
            out += latin1.text;
            i = end - 1;
        } else if (i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == 'n')) {
            out += text[i + 1] == 'n' ? "\r\n" : "\\";
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && hexValue(text[i + 2]) >= 0 &&
                   hexValue(text[i + 3]) >= 0) {
            out.push_back(static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
            i += 3;
        } else {
            return fail(p, line, "unknown escape; use \\\\, \\n or \\xHH");
        }
    }
    return true;
}

bool parseInteger(std::string_view text, long long low, long long high, long long& value) {
    std::string digits(text);
    std::size_t start = !digits.empty() && (digits[0] == '-' || digits[0] == '+') ? 1 : 0;
    if (digits.size() == start || digits.size() > 12 ||
        digits.find_first_not_of("0123456789", start) != std::string::npos) {
        return false;
    }
    value = std::strtoll(digits.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

// A number, or one of the names in `names` (standing for its position).
bool parseSetting(std::string_view text, const std::vector<std::string_view>& names, std::int32_t& out) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameWord(text, names[i])) {
            out = static_cast<std::int32_t>(i);
            return true;
        }
    }
    long long value = 0;
    if (!parseInteger(text, INT32_MIN, INT32_MAX, value)) return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

std::vector<std::string_view> backgroundWords() {
    return std::vector<std::string_view>(editorBackgroundNames.begin(), editorBackgroundNames.end());
}

bool takeNumberKey(SourceParser& p, std::size_t line, int field, std::string_view value) {
    static const std::vector<std::string_view> kFall = {"no", "yes"};
    static const std::vector<std::string_view> kObjectives = {"Standard", "Escape", "Goal Score", "Eat up"};
    static const std::vector<std::string_view> kNone;
    const std::vector<std::string_view>* words = &kNone;
    std::vector<std::string_view> backgrounds = backgroundWords();
    if (field == 0) words = &backgrounds;
    if (field == 1) words = &kFall;
    if (field == 3) words = &kObjectives;
    if (!parseSetting(value, *words, p.numbers[field])) {
        return fail(p, line,
                    words->empty() ? "expected a whole number" : "expected a name or a whole number");
    }
    p.numericKeys = true;
    return true;
}

bool takeText(SourceParser& p, std::size_t line, std::string_view value, std::string& out) {
    if (!unescape(p, line, value, out)) return false;
    if (out.find('\0') != std::string::npos) return fail(p, line, "a NUL byte would end the field");
    return true;
}

bool takeKey(SourceParser& p, std::size_t line, std::string_view key, std::string_view value) {
    constexpr std::string_view kNumberKeys[] = {"background", "random fall", "interval", "objective",
                                                "goal score"};
    std::string lower(key);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (std::find(p.seenKeys.begin(), p.seenKeys.end(), lower) != p.seenKeys.end()) {
        return fail(p, line, "'" + lower + "' is given twice");
    }
    p.seenKeys.push_back(lower);
    for (int field = 0; field < 5; ++field) {
        if (lower == kNumberKeys[field]) return takeNumberKey(p, line, field, value);
    }
    if (lower == "title") return takeText(p, line, value, p.title);
    if (lower == "description") return takeText(p, line, value, p.description);
    if (lower == "numbers") {
        p.rawNumbers = true;
        return takeText(p, line, value, p.numberLine);
    }
    return fail(p, line, "unknown key '" + std::string(key) + "'");
}

bool isNoise(std::string_view line) {
    return trim(line).empty() || trim(line).front() == '#';
}

bool splitKey(std::string_view line, std::string_view& key, std::string_view& value) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    return !key.empty();
}

bool parseRaw(SourceParser& p, std::string& disk) {
    disk.clear();
    for (; p.next < p.lines.size(); ++p.next) {
        if (isNoise(p.lines[p.next])) continue;
        std::string_view text = trim(p.lines[p.next]);
        std::string digits;
        for (char c : text) {
            if (c != ' ') digits.push_back(c);
        }
        for (std::size_t i = 0; i < digits.size(); i += 2) {
            if (i + 1 >= digits.size() || hexValue(digits[i]) < 0 || hexValue(digits[i + 1]) < 0) {
                return fail(p, p.next, "raw lines hold pairs of hex digits");
            }
            disk.push_back(static_cast<char>(hexValue(digits[i]) * 16 + hexValue(digits[i + 1])));
        }
    }
    return true;
}

bool parseGridRows(SourceParser& p) {
    for (int row = 0; row < kSceneRows; ++row, ++p.next) {
        if (p.next >= p.lines.size()) return fail(p, p.next, "the grid needs 30 rows");
        std::string_view text = trim(p.lines[p.next]);
        if (text.size() != static_cast<std::size_t>(kSceneColumns)) {
            return fail(p, p.next,
                        "a grid row needs 40 symbols, this one has " + std::to_string(text.size()));
        }
        for (char c : text) {
            if (symbolCode(c) < 0 && c != '*' && c != '-') {
                return fail(p, p.next,
                            std::string("'") + c + "' is not a grid symbol (r o g b p # S E ? . * -)");
            }
            if (c != '-' && !p.symbols.empty() && p.symbols.back() == '-') {
                return fail(p, p.next, "'-' marks the end of the file and may only be followed by '-'");
            }
            p.symbols.push_back(c);
        }
    }
    return true;
}

bool parseCellLine(SourceParser& p, std::string_view value, std::string_view key) {
    long long column = 0, row = 0, code = 0;
    std::string_view place = trim(key.substr(4));
    std::size_t space = place.find(' ');
    if (space == std::string_view::npos || !parseInteger(trim(place.substr(0, space)), 0, 39, column) ||
        !parseInteger(trim(place.substr(space + 1)), 0, 29, row) || !parseInteger(value, 0, 255, code)) {
        return fail(p, p.next,
                    "expected 'cell COLUMN ROW = CODE' with a column 0..39, a row 0..29, a code 0..255");
    }
    std::size_t at = static_cast<std::size_t>(row * kSceneColumns + column);
    if (p.symbols[at] != '*') return fail(p, p.next, "that cell is not marked '*' in the grid");
    if (p.otherCodes[at] >= 0) return fail(p, p.next, "that cell is given twice");
    p.otherCodes[at] = static_cast<int>(code);
    return true;
}

bool parseAfterGrid(SourceParser& p) {
    for (; p.next < p.lines.size(); ++p.next) {
        if (isNoise(p.lines[p.next])) continue;
        std::string_view key, value;
        if (!splitKey(p.lines[p.next], key, value))
            return fail(p, p.next, "expected 'cell ...' or 'trailing = ...'");
        if (key.substr(0, 5) == "cell ") {
            if (!parseCellLine(p, value, key)) return false;
        } else if (key == "trailing" && p.trailing.empty()) {
            if (!unescape(p, p.next, value, p.trailing)) return false;
            if (p.symbols.back() == '-')
                return fail(p, p.next, "a file that ends inside the grid has no trailing bytes");
        } else {
            return fail(p, p.next, "unknown line after the grid");
        }
    }
    for (std::size_t i = 0; i < p.symbols.size(); ++i) {
        if (p.symbols[i] == '*' && p.otherCodes[i] < 0) {
            return fail(p, p.lines.size() - 1,
                        "no 'cell " + std::to_string(i % 40) + " " + std::to_string(i / 40) +
                            " = CODE' line for the '*' there");
        }
    }
    return true;
}

std::string assemble(const SourceParser& p) {
    std::string logical = p.title;
    logical.append("\0\n", 2);
    if (p.rawNumbers) {
        logical += p.numberLine;
    } else {
        char line[80];
        std::snprintf(line, sizeof line, "%d %d %d %d %d", static_cast<int>(p.numbers[0]),
                      static_cast<int>(p.numbers[1]), static_cast<int>(p.numbers[2]),
                      static_cast<int>(p.numbers[3]), static_cast<int>(p.numbers[4]));
        logical += line;
    }
    logical.append("\n\0\n", 3);
    logical += p.description;
    logical.append("\0\n", 2);
    for (std::size_t i = 0; i < p.symbols.size(); ++i) {
        if (p.symbols[i] == '-') break;
        logical.push_back(
            static_cast<char>(p.symbols[i] == '*' ? p.otherCodes[i] : symbolCode(p.symbols[i])));
    }
    logical += p.trailing;
    return widenLineEnds(logical);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

bool parseSettings(SourceParser& p, std::string& disk, bool& raw) {
    for (; p.next < p.lines.size(); ++p.next) {
        if (isNoise(p.lines[p.next])) continue;
        std::string_view line = trim(p.lines[p.next]);
        if (line == "raw:") {
            if (!p.seenKeys.empty()) return fail(p, p.next, "a raw source holds nothing but its bytes");
            ++p.next;
            raw = true;
            return parseRaw(p, disk);
        }
        if (line == "grid:") {
            ++p.next;
            return true;
        }
        std::string_view key, value;
        if (!splitKey(line, key, value)) return fail(p, p.next, "expected 'key = value', 'grid:' or 'raw:'");
        if (!takeKey(p, p.next, key, value)) return false;
    }
    return fail(p, p.lines.empty() ? 0 : p.lines.size() - 1, "the source has no 'grid:' section");
}

}  // namespace

bool buildSource(std::string_view source, std::string& disk, std::string& error) {
    SourceParser p;
    p.lines = splitLines(source);
    bool raw = false;
    bool ok = parseSettings(p, disk, raw);
    if (ok && !raw) {
        if (p.rawNumbers && p.numericKeys) {
            ok = fail(p, 0, "'numbers' replaces background, random fall, interval, objective and goal score");
        }
        ok = ok && parseGridRows(p) && parseAfterGrid(p);
        if (ok) disk = assemble(p);
    }
    error = p.error;
    return ok;
}
