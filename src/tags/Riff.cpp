#include "tags/Riff.h"

namespace sorabell::tags {

namespace {

// The header at `offset` when it and the chunk's data fit before `limit`.
std::optional<ChunkHeader> ReadHeader(platform::BinaryFile& file, uint64_t offset, uint64_t limit) {
    if (offset + 8 > limit) {
        return std::nullopt;
    }
    char raw[8];
    if (file.ReadAt(offset, raw, sizeof raw) != sizeof raw) {
        return std::nullopt;
    }
    const std::string_view bytes(raw, sizeof raw);
    return ChunkHeader{offset, std::string(bytes.substr(0, 4)), ReadLE32(bytes, 4)};
}

std::string ReadFourCC(platform::BinaryFile& file, uint64_t offset) {
    char raw[4];
    return file.ReadAt(offset, raw, sizeof raw) == sizeof raw ? std::string(raw, sizeof raw) : std::string();
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

std::optional<RmpLayout> FindRmpForm(platform::BinaryFile& file) {
    const uint64_t fileSize = file.Size();
    uint64_t offset = 0;
    std::optional<ChunkHeader> form;
    while (auto header = ReadHeader(file, offset, fileSize)) {
        if (header->id == "RIFF" && header->size >= 4 && ReadFourCC(file, header->dataOffset()) == "RMP3") {
            form = header;
            break;
        }
        if (header->end() > fileSize) {
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
    while (auto header = ReadHeader(file, offset, layout.formEnd)) {
        if (header->dataOffset() + header->size > layout.formEnd) {
            // Only the audio may be cut short: it then ends at the end of the file.
            if (header->id == "data" && !layout.data && layout.formEnd == fileSize) {
                header->size = static_cast<uint32_t>(fileSize - header->dataOffset());
                layout.data = header;
                layout.dataSizeBeyondFile = true;
            }
            break;
        }
        if (header->id == "data" && !layout.data) {
            layout.data = header;
        } else if (header->id == "LIST" && !layout.info && header->size >= 4 &&
                   ReadFourCC(file, header->dataOffset()) == "INFO") {
            layout.info = header;
        }
        offset = header->end();
    }
    return layout;
}

}  // namespace sorabell::tags
