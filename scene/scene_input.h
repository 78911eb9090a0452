// The byte source both scene readers share: a file or a block of memory, read through the
// line-end translation (13, 10 -> 10), with the few primitive reads the file format is made of.
// Everything here stops cleanly at the end of the input; nothing reads past a buffer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace scene_detail {

struct SceneInput {
    std::string_view memory;  // used when file is null
    std::size_t memoryPos = 0;
    std::FILE* file = nullptr;
    unsigned char buffer[4096] = {};
    std::size_t bufferLen = 0;
    std::size_t bufferPos = 0;
    int rawAhead = -2;      // one raw byte looked at but not consumed; -2 = none
    int logicalAhead = -2;  // one translated byte looked at but not consumed; -2 = none
};

// The next translated byte (0..255) or -1 at the end of the input.
int getByte(SceneInput& in);
int peekByte(SceneInput& in);

// The header of a scene file as both readers see it.
struct SceneHeader {
    std::string title;        // the bytes before the first NUL of the title line
    std::string description;  // at most kDescriptionLimit bytes
};

// Reads the title line, the five numbers (fields that cannot be read keep their values), the
// rest of the number line and the description, leaving the input at the first grid byte.
void readSceneHeader(SceneInput& in, SceneHeader& header, std::int32_t (&numbers)[5]);

// The next grid byte; a byte missing because the input ended reads as EmptyCell.
std::uint8_t getGridByte(SceneInput& in);

}  // namespace scene_detail
