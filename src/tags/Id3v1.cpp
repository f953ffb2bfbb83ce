#include "tags/Id3v1.h"

#include <algorithm>

#include "platform/Errors.h"

namespace sorabell::tags {

namespace {

template <size_t N>
void Take(std::array<char, N>& field, std::string_view bytes, size_t& at) {
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), N, field.begin());
    at += N;
}

template <size_t N>
void Put(std::string& out, const std::array<char, N>& field) {
    out.append(field.data(), N);
}

}  // namespace

std::optional<TID3Tag> ParseId3Tag(std::string_view last128) {
    if (last128.size() != kId3Size || last128.substr(0, 3) != "TAG") {
        return std::nullopt;
    }
    TID3Tag tag;
    size_t at = 3;
    Take(tag.Title, last128, at);
    Take(tag.Artist, last128, at);
    Take(tag.Album, last128, at);
    Take(tag.Year, last128, at);
    Take(tag.Comment, last128, at);
    tag.Genre = static_cast<uint8_t>(last128[at]);
    return tag;
}

std::string RenderId3Tag(const TID3Tag& tag) {
    std::string out = "TAG";
    Put(out, tag.Title);
    Put(out, tag.Artist);
    Put(out, tag.Album);
    Put(out, tag.Year);
    Put(out, tag.Comment);
    out += static_cast<char>(tag.Genre);
    return out;
}

bool ReadID3Tag(platform::BinaryFile& file, TID3Tag& tag) {
    tag = TID3Tag{};
    const uint64_t size = file.Size();
    if (size < kId3Size) {
        return false;
    }
    char last[kId3Size];
    if (file.ReadAt(size - kId3Size, last, kId3Size) != kId3Size) {
        return false;
    }
    const auto parsed = ParseId3Tag(std::string_view(last, kId3Size));
    if (!parsed) {
        return false;
    }
    tag = *parsed;
    return true;
}

bool ReadID3Tag(platform::FileSystem& files, const std::string& path, TID3Tag& tag) {
    tag = TID3Tag{};
    std::unique_ptr<platform::BinaryFile> file;
    try {
        file = files.Open(path, platform::OpenMode::Read);
    } catch (const EInOutError& e) {
        if (e.systemError() == oserror::FileNotFound || e.systemError() == oserror::PathNotFound) {
            return false;
        }
        throw;
    }
    return ReadID3Tag(*file, tag);
}

void WriteID3Tag(platform::BinaryFile& file, const TID3Tag& tag) {
    const uint64_t size = file.Size();
    uint64_t at = size;
    if (size >= kId3Size) {
        char head[3];
        if (file.ReadAt(size - kId3Size, head, sizeof head) == sizeof head && std::string_view(head, 3) == "TAG") {
            at = size - kId3Size;
        }
    }
    const std::string bytes = RenderId3Tag(tag);
    file.WriteAt(at, bytes.data(), bytes.size());
}

void WriteID3Tag(platform::FileSystem& files, const std::string& path, const TID3Tag& tag) {
    auto file = files.Open(path, platform::OpenMode::ReadWrite);
    WriteID3Tag(*file, tag);
}

}  // namespace sorabell::tags
