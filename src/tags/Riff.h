#pragma once
// RIFF chunks, read and written with the project's own code on every platform. Every walk stays
// inside its parent and the file: a chunk whose size runs past either ends the walk.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace sorabell::tags {

struct ChunkHeader {
    uint64_t offset = 0;  // of the identifier
    std::string id;       // four characters
    uint32_t size = 0;    // data bytes, without the pad byte
    std::string type;     // the first four data bytes, where a list or a form keeps its type

    uint64_t dataOffset() const { return offset + 8; }
    // Where the next chunk starts: after the data and the pad byte of an odd size.
    uint64_t end() const { return dataOffset() + size + (size & 1u); }
};

// The parts of an RMP file (a RIFF form of type "RMP3") that the tags need.
struct RmpLayout {
    uint64_t formOffset = 0;          // the "RIFF" identifier
    uint64_t formEnd = 0;             // the form's declared end, or the file's end when that comes first
    std::optional<ChunkHeader> data;  // the first "data" chunk
    // A "data" chunk whose declared size runs past the file: its size as the file holds it.
    bool dataSizeBeyondFile = false;
    std::optional<ChunkHeader> info;  // the first "LIST" chunk of type "INFO"
    // The form's chunks in file order, up to the first whose data run past the form. The last
    // one may lack its pad byte at the end of the file.
    std::vector<ChunkHeader> chunks;
};

bool IsInfoList(const ChunkHeader& chunk);
// A chunk that only holds room ("JUNK", "PAD "), which nothing reads.
bool IsPadding(const ChunkHeader& chunk);

// The first RIFF form of type "RMP3" among the file's top-level chunks; empty without one.
std::optional<RmpLayout> FindRmpForm(platform::BinaryFile& file);

uint32_t ReadLE32(std::string_view bytes, size_t at);
void AppendLE32(std::string& out, uint32_t value);
std::string LE32(uint32_t value);

}  // namespace sorabell::tags
