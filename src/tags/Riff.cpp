#include "tags/Riff.h"

#include <algorithm>

namespace sorabell::tags {

namespace {

// A chunk's header and the first four bytes of its data, where a form or a list keeps its
// type: one read for both, since a walk's cost is its reads. Empty when it does not fit before
// `limit`.
std::optional<ChunkHeader> ReadHeader(platform::BinaryFile& file, uint64_t offset, uint64_t limit) {
    if (offset + 8 > limit) {
        return std::nullopt;
    }
    char raw[12];
    const size_t got = file.ReadAt(offset, raw, sizeof raw);
    if (got < 8) {
        return std::nullopt;
    }
    const std::string_view bytes(raw, got);
    ChunkHeader header{offset, std::string(bytes.substr(0, 4)), ReadLE32(bytes, 4), {}};
    if (header.size >= 4 && got == sizeof raw) {
        header.type = std::string(bytes.substr(8, 4));
    }
    return header;
}

// Chunk identifiers are four printable ASCII characters. Bytes that are not lie outside any
// chunk: an ID3v2 tag before the audio, or the zeros of padding, through which a walk would
// step eight bytes a read.
bool IsFourCc(std::string_view id) {
    return std::all_of(id.begin(), id.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool SameLetters(std::string_view a, std::string_view upper) {
    return a.size() == upper.size() && std::equal(a.begin(), a.end(), upper.begin(), [](char c, char u) {
               return (c >= 'a' && c <= 'z' ? c - 32 : c) == u;
           });
}

}  // namespace

uint32_t ReadLE32(std::string_view bytes, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

void AppendLE32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

std::string LE32(uint32_t value) {
    std::string out;
    AppendLE32(out, value);
    return out;
}

bool IsInfoList(const ChunkHeader& chunk) { return chunk.id == "LIST" && chunk.type == "INFO"; }

bool IsPadding(const ChunkHeader& chunk) { return SameLetters(chunk.id, "JUNK") || SameLetters(chunk.id, "PAD "); }

std::optional<RmpLayout> FindRmpForm(platform::BinaryFile& file) {
    const uint64_t fileSize = file.Size();
    uint64_t offset = 0;
    std::optional<ChunkHeader> form;
    while (auto header = ReadHeader(file, offset, fileSize)) {
        if (header->id == "RIFF" && header->type == "RMP3") {
            form = header;
            break;
        }
        if (header->end() > fileSize || !IsFourCc(header->id)) {
            return std::nullopt;
        }
        offset = header->end();
    }
    if (!form) {
        return std::nullopt;
    }

    RmpLayout layout;
    layout.formOffset = form->offset;
    layout.formEnd = std::min<uint64_t>(form->dataOffset() + form->size, fileSize);
    offset = form->dataOffset() + 4;
    while (auto next = ReadHeader(file, offset, layout.formEnd)) {
        ChunkHeader& header = *next;
        if (header.dataOffset() + header.size > layout.formEnd) {
            // Only the audio may be cut short: it then ends at the end of the file.
            if (header.id == "data" && !layout.data && layout.formEnd == fileSize) {
                header.size = static_cast<uint32_t>(fileSize - header.dataOffset());
                layout.data = header;
                layout.dataSizeBeyondFile = true;
                layout.chunks.push_back(header);
            }
            break;
        }
        if (header.id == "data" && !layout.data) {
            layout.data = header;
        } else if (!layout.info && IsInfoList(header)) {
            layout.info = header;
        }
        offset = header.end();
        layout.chunks.push_back(std::move(header));
    }
    return layout;
}

}  // namespace sorabell::tags
