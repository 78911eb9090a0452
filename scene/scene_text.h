// Text around scenes: scene texts are Latin-1 bytes while file names, source files and the
// editor's fields are UTF-8, so the conversions between the two live here, together with the
// game's way of wrapping a description and the one-character cell symbols that scenetool's
// source form and the editor's clipboard share.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Latin-1 bytes as UTF-8.
std::string latin1ToUtf8(std::string_view latin1);

// UTF-8 as Latin-1. A character outside Latin-1, and a byte that is not part of a UTF-8
// character, becomes "?"; `missing` is the first such character (U+FFFD for a stray byte), 0
// when every character fitted.
struct Latin1Text {
    std::string text;
    char32_t missing = 0;
};
Latin1Text utf8ToLatin1(std::string_view utf8);

void appendUtf8(std::string& out, char32_t character);

// The description as the game's selection screen lays it out: 31 characters a line, letters
// upper case, CR LF and LF as line breaks.
std::string wrapLikeGame(std::string_view description);

// The cell symbols of the readable forms: r o g b p beans, ? random, # stone, S start, E exit,
// . empty, * any other code.
char cellSymbol(std::uint8_t code);
// The code of a symbol; -1 for '*' and '-' (which name no code of their own) and non-symbols.
int symbolCode(char symbol);
