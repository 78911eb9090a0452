// Latin-1 and UTF-8, the game's description layout and the cell symbols.
#include "scene/scene_text.h"

#include "scene/scene.h"

namespace {

constexpr int kDescriptionColumns = 31;  // what fits beside the scene list
constexpr char32_t kReplacement = 0xFFFD;

// The length of the UTF-8 character starting with `lead`, or 0 for a byte no character starts with.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// The character at `at` and its length in bytes; a malformed one reads as U+FFFD of one byte.
char32_t decodeAt(std::string_view utf8, std::size_t at, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    length = 1;
    const int expected = sequenceLength(lead);
    if (expected <= 1) return expected == 1 ? lead : kReplacement;
    if (at + std::size_t(expected) > utf8.size()) return kReplacement;
    char32_t code = lead & (0x7F >> expected);
    for (int i = 1; i < expected; ++i) {
        const auto next = static_cast<unsigned char>(utf8[at + std::size_t(i)]);
        if ((next & 0xC0) != 0x80) return kReplacement;
        code = code << 6 | (next & 0x3F);
    }
    // Overlong forms and surrogates are not characters.
    constexpr char32_t kLowest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLowest[expected] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kReplacement;
    length = std::size_t(expected);
    return code;
}

}  // namespace

std::string latin1ToUtf8(std::string_view latin1) {
    std::string out;
    for (char c : latin1) appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

Latin1Text utf8ToLatin1(std::string_view utf8) {
    Latin1Text out;
    for (std::size_t at = 0, length = 1; at < utf8.size(); at += length) {
        const char32_t code = decodeAt(utf8, at, length);
        if (code <= 0xFF) {
            out.text.push_back(static_cast<char>(code));
            continue;
        }
        out.text.push_back('?');
        if (out.missing == 0) out.missing = code;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string wrapLikeGame(std::string_view description) {
    std::string out;
    int column = 0;
    for (char c : description) {
        if (c == '\r') continue;
        if (c == '\n' || column == kDescriptionColumns) {
            out.push_back('\n');
            column = 0;
            if (c == '\n') continue;
        }
        out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
        ++column;
    }
    return out;
}

namespace {
constexpr std::string_view kSymbols = "rogbp#SE?.";
constexpr std::uint8_t kSymbolCodes[] = {RedBean,   OrangeBean, GreenBean, BlueBean,   PurpleBean,
                                         StoneBean, StartPoint, ExitPoint, RandomBean, EmptyCell};
}  // namespace

char cellSymbol(std::uint8_t code) {
    for (std::size_t i = 0; i < kSymbols.size(); ++i)
        if (kSymbolCodes[i] == code) return kSymbols[i];
    return '*';
}

int symbolCode(char symbol) {
    const std::size_t at = kSymbols.find(symbol);
    return at == std::string_view::npos ? -1 : kSymbolCodes[at];
}
