#include "tags/RmpInfo.h"

#include <algorithm>
#include <vector>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "tags/Id3v1.h"
#include "tags/Riff.h"

namespace sorabell::tags {

namespace {

struct Subchunk {
    const char* id;
    std::string TRMPInfo::*field;
};

// The order in which the list is written; INAM stands twice.
constexpr Subchunk kWriteOrder[] = {
    {"ISFT", &TRMPInfo::Software}, {"INAM", &TRMPInfo::Title},     {"IART", &TRMPInfo::Artist},
    {"IPRD", &TRMPInfo::Album},    {"ICMT", &TRMPInfo::Comment},   {"IGNR", &TRMPInfo::Genre},
    {"ICRD", &TRMPInfo::Release},  {"ICOP", &TRMPInfo::Copyright}, {"INAM", &TRMPInfo::Title},
    {"IENG", &TRMPInfo::Engineer}, {"ISRC", &TRMPInfo::Source},
};

std::string TRMPInfo::*FieldOf(std::string_view id) {
    for (const Subchunk& s : kWriteOrder) {
        if (id == s.id) {
            return s.field;
        }
    }
    return nullptr;
}

void AppendSubchunk(std::string& out, std::string_view id, std::string_view data) {
    out += id;
    AppendLE32(out, static_cast<uint32_t>(data.size()));
    out += data;
    if (data.size() % 2 != 0) {
        out += '\0';
    }
}

}  // namespace

TRMPInfo ParseInfoList(std::string_view body) {
    TRMPInfo info;
    size_t at = 0;
    while (at + 8 <= body.size()) {
        const std::string_view id = body.substr(at, 4);
        const uint32_t size = ReadLE32(body, at + 4);
        if (size > body.size() - at - 8) {
            break;
        }
        std::string_view text = body.substr(at + 8, size);
        text = text.substr(0, text.find('\0'));
        if (auto field = FieldOf(id)) {
            info.*field = std::string(text::TrimRight(text));
        }
        at += 8 + size + (size & 1u);
    }
    return info;
}

std::string RenderInfoList(const TRMPInfo& info, const TID3Tag* slot) {
    std::string body = "INFO";
    for (const Subchunk& s : kWriteOrder) {
        const std::string& text = info.*(s.field);
        std::string data = text;
        data += '\0';
        AppendSubchunk(body, s.id, data);
    }
    if (slot != nullptr) {
        AppendSubchunk(body, "IID3", RenderId3Tag(*slot));
    }
    return "LIST" + LE32(static_cast<uint32_t>(body.size())) + body;
}

std::string RenderInfoList(const TRMPInfo& info, bool id3Slot) {
    const TID3Tag blank;
    return RenderInfoList(info, id3Slot ? &blank : nullptr);
}

bool ReadRMPInfo(platform::BinaryFile& file, TRMPInfo& info) {
    info = TRMPInfo{};
    const auto layout = FindRmpForm(file);
    if (!layout || !layout->info) {
        return false;
    }
    std::string body(layout->info->size - 4, '\0');
    body.resize(file.ReadAt(layout->info->dataOffset() + 4, body.data(), body.size()));
    info = ParseInfoList(body);
    return true;
}

bool ReadRMPInfo(platform::FileSystem& files, const std::string& path, TRMPInfo& info) {
    info = TRMPInfo{};
    try {
        auto file = files.Open(path, platform::OpenMode::Read);
        return ReadRMPInfo(*file, info);
    } catch (const EInOutError&) {
        // A file that cannot be read has no INFO list to show.
        info = TRMPInfo{};
        return false;
    }
}

InfoWrite WriteInfoList(platform::BinaryFile& file, const TRMPInfo& info, const TID3Tag* slot) {
    const auto layout = FindRmpForm(file);
    if (!layout || !layout->data) {
        return InfoWrite::NotRmp;
    }
    const ChunkHeader& data = *layout->data;
    uint64_t cut = data.end();
    // A missing pad byte of an odd-sized audio chunk is added.
    std::string tail;
    if (data.dataOffset() + data.size < cut && file.Size() < cut) {
        tail += '\0';
        cut -= 1;
    }
    // What the write replaces, to put back if it fails; the chunks kept are taken from it.
    std::string oldTail(static_cast<size_t>(std::max<uint64_t>(file.Size(), cut) - cut), '\0');
    oldTail.resize(file.ReadAt(cut, oldTail.data(), oldTail.size()));
    // The form's other chunks after the audio stay, in their order, before the new list, which
    // must come last for its slot to be the file's last 128 bytes. Older lists and padding go,
    // and so does whatever lies beyond the form (an appended ID3v1 tag).
    for (const ChunkHeader& chunk : layout->chunks) {
        if (chunk.offset > data.offset && !IsInfoList(chunk) && !IsPadding(chunk)) {
            const auto at = static_cast<size_t>(chunk.offset - cut);
            const auto length = static_cast<size_t>(chunk.end() - chunk.offset);
            tail.append(oldTail, at, length);
            tail.resize(tail.size() + length - std::min(length, oldTail.size() - at), '\0');
        }
    }
    const size_t kept = tail.size();
    tail += RenderInfoList(info, slot);
    const uint64_t newEnd = cut + tail.size();
    const auto formSize = static_cast<uint32_t>(newEnd - layout->formOffset - 8);
    // Bytes already in place are not written again: a rewrite then moves nothing it keeps.
    const auto same = static_cast<size_t>(
        std::mismatch(tail.begin(), tail.end(), oldTail.begin(), oldTail.end()).first - tail.begin());
    char oldFormSize[4];
    file.ReadAt(layout->formOffset + 4, oldFormSize, sizeof oldFormSize);
    std::vector<uint64_t> hidden;  // INFO lists before the audio, renamed to padding
    try {
        file.WriteAt(cut + same, tail.data() + same, tail.size() - same);
        file.Truncate(newEnd);
        file.WriteAt(layout->formOffset + 4, LE32(formSize).data(), 4);
        if (layout->dataSizeBeyondFile) {
            file.WriteAt(data.offset + 4, LE32(data.size).data(), 4);
        }
        // An INFO list before the audio would still be found first and hide the new one: it
        // becomes padding, which every reader skips, and the audio stays where it is.
        for (auto early = layout->info; early && early->offset < data.offset;) {
            file.WriteAt(early->offset, "JUNK", 4);
            hidden.push_back(early->offset);
            const auto again = FindRmpForm(file);
            early = again ? again->info : std::nullopt;
        }
    } catch (const EInOutError&) {
        // Put the old tail back (the cut has freed its room); failing that, leave a well-formed
        // file without an INFO list rather than half of one, with the kept chunks when they
        // were never touched.
        try {
            // The lists that were read before must be found again.
            for (const uint64_t at : hidden) {
                file.WriteAt(at, "LIST", 4);
            }
            file.Truncate(cut + same);
            try {
                file.WriteAt(cut + same, oldTail.data() + same, oldTail.size() - same);
                file.WriteAt(layout->formOffset + 4, oldFormSize, sizeof oldFormSize);
            } catch (const EInOutError&) {
                const uint64_t end = cut + (same >= kept ? kept : 0);
                file.Truncate(end);
                file.WriteAt(layout->formOffset + 4, LE32(static_cast<uint32_t>(end - layout->formOffset - 8)).data(),
                             4);
            }
        } catch (const EInOutError&) {
            // The first error is the one to report.
        }
        throw;
    }
    return InfoWrite::Written;
}

InfoWrite WriteInfoList(platform::BinaryFile& file, const TRMPInfo& info, bool id3Slot) {
    const TID3Tag blank;
    return WriteInfoList(file, info, id3Slot ? &blank : nullptr);
}

bool WriteRMPInfo(platform::FileSystem& files, const std::string& path, const TRMPInfo& info, const TID3Tag* slot,
                  const ShowMessage& show) {
    std::unique_ptr<platform::BinaryFile> file;
    try {
        file = files.Open(path, platform::OpenMode::ReadWrite);
    } catch (const EInOutError& e) {
        // An RMP file that is read-only, in use or not ours to change is still an RMP file: the
        // user needs to hear why it could not be opened, not that it is something else.
        show(e.what());
        return false;
    }
    if (WriteInfoList(*file, info, slot) == InfoWrite::NotRmp) {
        show(kNotRmpMessage);
        return false;
    }
    return true;
}

bool WriteRMPInfo(platform::FileSystem& files, const std::string& path, const TRMPInfo& info, bool id3Slot,
                  const ShowMessage& show) {
    const TID3Tag blank;
    return WriteRMPInfo(files, path, info, id3Slot ? &blank : nullptr, show);
}

}  // namespace sorabell::tags
