// The built-in 6 x 8 bitmap font, drawn pixel by pixel in drawContext.drawColour with no
// background. Characters advance 6 pixels, lines 7; codes outside 32..122 draw as "?".
#pragma once

#include <cstdint>

int drawChar(std::int32_t x, std::int32_t y, char character);  // always 1
void drawText(std::int32_t x, std::int32_t y, const char* text);
void drawNumber(std::int32_t x, std::int32_t y, std::int32_t value);
