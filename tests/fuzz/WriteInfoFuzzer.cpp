// Writing an INFO list into arbitrary bytes. The writer either refuses and leaves the bytes as
// they were, or leaves a well-formed RIFF form (its size field the file's length after it, its
// chunks ending exactly at the end of the file) whose audio is untouched, which keeps every
// other chunk of the form after the audio but INFO lists and padding, and which reads back the
// written fields. A write that fails midway (a size limit, as a full disk) leaves the bytes
// as they were. Aborts on any violation.

#include <algorithm>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/Errors.h"
#include "platform/MemoryFile.h"
#include "support/TagFixtures.h"
#include "tags/Id3v1.h"
#include "tags/Riff.h"
#include "tags/RmpInfo.h"

using sorabell::fuzz::Require;

namespace {

using namespace sorabell;

// The form at `form` declares the rest of the file and its chunks, pad bytes included, fill it
// exactly.
bool WellFormed(const std::string& bytes, size_t form) {
    if (bytes.size() < form + 12 || bytes.compare(form, 4, "RIFF") != 0 || bytes.compare(form + 8, 4, "RMP3") != 0 ||
        sorabell::testing::ReadLe32(bytes, form + 4) != bytes.size() - form - 8) {
        return false;
    }
    uint64_t at = form + 12;
    while (at < bytes.size()) {
        if (at + 8 > bytes.size()) {
            return false;
        }
        const uint32_t size = sorabell::testing::ReadLe32(bytes, static_cast<size_t>(at + 4));
        at += 8 + static_cast<uint64_t>(size) + (size & 1u);
    }
    return at == bytes.size();
}

// Everything up to the end of the audio is as it was, but for what the writer may mend: the
// form's size, the audio chunk's size when it ran past the file, and the identifier of an INFO
// list before the audio, which becomes "JUNK".
bool AudioIntact(const std::string& before, const std::string& after, const tags::RmpLayout& layout) {
    const tags::ChunkHeader& data = *layout.data;
    const size_t end = static_cast<size_t>(data.dataOffset() + data.size);
    if (after.size() < end) {
        return false;
    }
    for (size_t i = 0; i < end; ++i) {
        const bool formSize = i >= layout.formOffset + 4 && i < layout.formOffset + 8;
        const bool dataSize = layout.dataSizeBeyondFile && i >= data.offset + 4 && i < data.offset + 8;
        if (i + 12 <= data.offset && before.compare(i, 4, "LIST") == 0 && before.compare(i + 8, 4, "INFO") == 0 &&
            after.compare(i, 4, "JUNK") == 0) {
            i += 3;
            continue;
        }
        if (!formSize && !dataSize && before[i] != after[i]) {
            return false;
        }
    }
    return sorabell::testing::ReadLe32(after, static_cast<size_t>(data.offset + 4)) == data.size;
}

// The form's chunks after the audio that are neither an INFO list nor padding, one after the
// other: header, data and pad byte each (zero when it is missing at the end of the file), up to
// the first whose data run past the form.
std::string ForeignChunks(const std::string& bytes, const tags::RmpLayout& layout) {
    const size_t declared = sorabell::testing::ReadLe32(bytes, static_cast<size_t>(layout.formOffset + 4));
    const size_t formEnd = std::min<size_t>(bytes.size(), static_cast<size_t>(layout.formOffset + 8) + declared);
    std::string chunks;
    for (size_t at = static_cast<size_t>(layout.data->end()); at + 8 <= formEnd;) {
        const uint32_t size = sorabell::testing::ReadLe32(bytes, at + 4);
        if (at + 8 + static_cast<uint64_t>(size) > formEnd) {
            break;
        }
        std::string id = bytes.substr(at, 4);
        const bool info = id == "LIST" && size >= 4 && bytes.compare(at + 8, 4, "INFO") == 0;
        std::transform(id.begin(), id.end(), id.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
        const size_t length = 8 + size + (size & 1u);
        if (!info && id != "JUNK" && id != "PAD ") {
            chunks += bytes.substr(at, length);
            chunks.resize(chunks.size() + length - std::min(length, bytes.size() - at), '\0');
        }
        at += length;
    }
    return chunks;
}

// What reading gives back for a written text: up to its first zero byte, without trailing
// blanks and control bytes.
std::string AsRead(const std::string& text) {
    std::string read = text.substr(0, text.find('\0'));
    while (!read.empty() && static_cast<unsigned char>(read.back()) <= 0x20) {
        read.pop_back();
    }
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t flags = input.Byte();
    const uint8_t room = input.Byte();
    tags::TRMPInfo info;
    for (std::string* text : {&info.Artist, &info.Title, &info.Album, &info.Release, &info.Comment, &info.Genre,
                              &info.Copyright, &info.Engineer, &info.Source, &info.Software}) {
        *text = input.Text();
    }
    const bool slot = (flags & 1) != 0;
    const std::string before = input.Rest();

    platform::MemoryFile original(before);
    const auto layout = tags::FindRmpForm(original);

    platform::MemoryFile file(before);
    if (flags & 2) {
        // A disk that fills up: what the file holds can be rewritten, growing it may fail.
        file.set_sizeLimit(before.size() + room + 1);
    }
    tags::InfoWrite result{};
    try {
        result = tags::WriteInfoList(file, info, slot);
    } catch (const EInOutError&) {
        // Only growing the file can fail, and then the old tail is put back.
        Require(layout && layout->data && (flags & 2));
        Require(file.bytes() == before);
        return 0;
    }
    const std::string& after = file.bytes();
    if (result == tags::InfoWrite::NotRmp) {
        Require(!layout || !layout->data);
        Require(after == before);
        return 0;
    }
    Require(layout && layout->data);
    Require(AudioIntact(before, after, *layout));
    Require(WellFormed(after, static_cast<size_t>(layout->formOffset)));
    // Every foreign chunk is still there, its bytes and order kept, and the new list comes last.
    if (!layout->dataSizeBeyondFile) {
        const std::string kept = ForeignChunks(before, *layout);
        const auto list = static_cast<size_t>(layout->data->end()) + kept.size();
        Require(after.compare(list - kept.size(), kept.size(), kept) == 0);
        Require(after.compare(list, 4, "LIST") == 0 && after.compare(list + 8, 4, "INFO") == 0 &&
                list + 8 + sorabell::testing::ReadLe32(after, list + 4) == after.size());
    }
    tags::TRMPInfo back;
    Require(tags::ReadRMPInfo(file, back));
    tags::TRMPInfo expected;
    expected.Artist = AsRead(info.Artist);
    expected.Title = AsRead(info.Title);
    expected.Album = AsRead(info.Album);
    expected.Release = AsRead(info.Release);
    expected.Comment = AsRead(info.Comment);
    expected.Genre = AsRead(info.Genre);
    expected.Copyright = AsRead(info.Copyright);
    expected.Engineer = AsRead(info.Engineer);
    expected.Source = AsRead(info.Source);
    expected.Software = AsRead(info.Software);
    Require(back == expected);

    if (slot) {
        tags::TID3Tag tag;
        Require(tags::ReadID3Tag(file, tag) && tag == tags::TID3Tag{});
        Require(after.compare(after.size() - tags::kId3Size, tags::kId3Size, "TAG" + std::string(125, '\0')) == 0);
    }
    return 0;
}
