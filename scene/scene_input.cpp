// The primitive reads of a scene file, shared by the editor's and the game's reader: the
// line-end translation on a binary stream, the bounded title line read, the decimal numbers
// read the way formatted input reads them, and the NUL-terminated texts. Every read stops at
// the end of the input and keeps within the sizes of the fields it fills.
#include "scene/scene_input.h"

#include "scene/scene.h"

namespace scene_detail {
namespace {

constexpr int kTitleLineRead = 254;  // the bounded line read of the title line

int nextRawFromFile(SceneInput& in) {
    if (in.bufferPos == in.bufferLen) {
        in.bufferLen = std::fread(in.buffer, 1, sizeof in.buffer, in.file);
        in.bufferPos = 0;
        if (in.bufferLen == 0) return -1;
    }
    return in.buffer[in.bufferPos++];
}

int getRaw(SceneInput& in) {
    if (in.rawAhead != -2) {
        int c = in.rawAhead;
        in.rawAhead = -2;
        return c;
    }
    if (in.file != nullptr) return nextRawFromFile(in);
    if (in.memoryPos >= in.memory.size()) return -1;
    return static_cast<unsigned char>(in.memory[in.memoryPos++]);
}

int translate(SceneInput& in) {
    int c = getRaw(in);
    if (c != 13) return c;
    int next = getRaw(in);
    if (next == 10) return 10;
    in.rawAhead = next;  // a lone 13 (or one at the very end) stays as it is
    return 13;
}

bool isFormatSpace(int c) {
    return c == ' ' || (c >= 9 && c <= 13);
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

// One decimal number as formatted input reads it: white space skipped, an optional sign, then
// digits. Digits beyond the range of 32 bits wrap around modulo 2^32, so existing scene files
// with oversized numbers keep the values they have always been read with.
bool readNumber(SceneInput& in, std::int32_t& value) {
    while (isFormatSpace(peekByte(in))) getByte(in);
    bool negative = false;
    if (peekByte(in) == '+' || peekByte(in) == '-') negative = getByte(in) == '-';
    if (!isDigit(peekByte(in))) return false;
    std::uint32_t magnitude = 0;
    while (isDigit(peekByte(in))) magnitude = magnitude * 10u + static_cast<std::uint32_t>(getByte(in) - '0');
    value = static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
    return true;
}

// Bytes up to and including the next NUL (or the end); at most `keep` of them are stored.
void readThroughNul(SceneInput& in, std::string* text, std::size_t keep) {
    for (int c = getByte(in); c > 0; c = getByte(in)) {
        if (text != nullptr && text->size() < keep) text->push_back(static_cast<char>(c));
    }
}

}  // namespace

int getByte(SceneInput& in) {
    if (in.logicalAhead != -2) {
        int c = in.logicalAhead;
        in.logicalAhead = -2;
        return c;
    }
    return translate(in);
}

int peekByte(SceneInput& in) {
    if (in.logicalAhead == -2) in.logicalAhead = translate(in);
    return in.logicalAhead;
}

void readSceneHeader(SceneInput& in, SceneHeader& header, std::int32_t (&numbers)[5]) {
    // The title line: at most 254 bytes, up to and including the first LF. Only what stands
    // before a NUL is the title; a longer line leaves its rest for the number read.
    header.title.clear();
    bool inTitle = true;
    for (int count = 0; count < kTitleLineRead; ++count) {
        int c = getByte(in);
        if (c < 0) break;
        if (c == 0) inTitle = false;
        if (inTitle) header.title.push_back(static_cast<char>(c));
        if (c == 10) break;
    }
    // The first field that cannot be read ends the numbers; it and those after it keep the
    // values they had.
    for (std::int32_t& number : numbers) {
        if (!readNumber(in, number)) break;
    }
    readThroughNul(in, nullptr, 0);  // the end of the number line and its NUL
    getByte(in);                     // the LF after it
    header.description.clear();
    readThroughNul(in, &header.description, kDescriptionLimit);
    getByte(in);  // the LF after the description
}

std::uint8_t getGridByte(SceneInput& in) {
    int c = getByte(in);
    return c < 0 ? static_cast<std::uint8_t>(EmptyCell) : static_cast<std::uint8_t>(c);
}

}  // namespace scene_detail
