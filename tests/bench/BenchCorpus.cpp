#include "bench/BenchCorpus.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "support/Id3v2Builder.h"
#include "support/TagFixtures.h"

namespace sorabell::bench {

namespace {

namespace fs = std::filesystem;
using namespace sorabell::testing;

// Writes `head` at the start and `tail` at the very end of a file of `size` bytes; the rest is
// a hole.
void WriteSparse(const fs::path& path, const std::string& head, uint64_t size, const std::string& tail) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::system_error(errno, std::generic_category(), path.string());
    }
    const bool done = ::pwrite(fd, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size()) &&
                      ::ftruncate(fd, static_cast<off_t>(size - tail.size())) == 0 &&
                      ::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(size - tail.size())) ==
                          static_cast<ssize_t>(tail.size());
    const int error = errno;
    ::close(fd);
    if (!done) {
        throw std::system_error(error, std::generic_category(), path.string());
    }
}

// The start of an MPEG-1 Layer III stream at 128 kbit/s and 44.1 kHz: frames of 417 bytes, each
// a valid header and bytes that hold no frame sync, as the start of a real MP3 file is.
std::string MpegFrames(size_t frames, size_t seed) {
    std::string out;
    for (size_t f = 0; f < frames; ++f) {
        out += "\xFF\xFB\x90\x64";
        for (size_t i = 4; i < 417; ++i) {
            out += static_cast<char>((i * 31 + f * 7 + seed) % 0xE0);
        }
    }
    return out;
}

std::string Numbered(const char* stem, size_t i, const char* ext) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%04zu%s", stem, i, ext);
    return name;
}

// An RMP file of about `size` bytes: the form's header, the start of the audio, and after the
// audio an INFO list whose IID3 slot is the file's tag.
void WriteRmp(const fs::path& path, uint64_t size, size_t i) {
    const std::string list =
        InfoList({TextChunk("ISFT", "bench"), TextChunk("INAM", "曲 " + std::to_string(i)), TextChunk("IART", "歌手"),
                  TextChunk("IPRD", "アルバム"), TextChunk("ICMT", ""), TextChunk("IGNR", "Rock"),
                  TextChunk("ICRD", "2001/02/03"), TextChunk("ICOP", ""), TextChunk("INAM", "曲 " + std::to_string(i)),
                  TextChunk("IENG", ""), TextChunk("ISRC", ""),
                  Chunk("IID3", Id3Block("曲", "歌手", "アルバム", "2001", "", 17))});
    const auto audio = static_cast<uint32_t>(size - 20 - list.size() - (i & 1));
    const std::string tail = std::string(audio & 1, '\0') + list;
    const uint64_t total = 20 + audio + tail.size();
    const std::string head =
        "RIFF" + Le32(static_cast<uint32_t>(total - 8)) + "RMP3" + "data" + Le32(audio) + MpegFrames(10, i);
    WriteSparse(path, head, total, tail);
}

// A 2 KB ID3v2.3 tag as common taggers write it: the title in UTF-16, the other texts in
// Shift-JIS marked ISO-8859-1, a comment, and padding.
std::string Id3v2Tag(size_t i) {
    std::string wideTitle = "\x01\xFF\xFE";
    for (const char c : "Song number " + std::to_string(i)) {
        wideTitle += {c, '\0'};
    }
    wideTitle += std::string(2, '\0');
    std::string frames = Id3v2Frame(3, "TIT2", wideTitle) + Id3v2Frame(3, "TPE1", FrameText(0, "歌手の名前")) +
                         Id3v2Frame(3, "TALB", FrameText(0, "アルバムの名前")) +
                         Id3v2Frame(3, "TYER", FrameText(0, "2001")) +
                         Id3v2Frame(3, "COMM", FrameText(0, std::string("jpn\0a comment", 13))) +
                         Id3v2Frame(3, "TCON", FrameText(0, "(17)"));
    frames.resize(2048 - 10, '\0');  // after the 10-byte header
    return Id3v2Bytes(3, frames);
}

}  // namespace

BenchCorpus::BenchCorpus(size_t count, const std::vector<uint64_t>& writeSizes) {
    std::string pattern = (fs::temp_directory_path() / "sorabell-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    }
    root_ = pattern;
    fs::create_directory(root_ / "mp3");
    fs::create_directory(root_ / "rmp");
    for (size_t i = 0; i < count; ++i) {
        const uint64_t size = 3'000'000 + (i * 7919) % 400'000;
        const std::string mp3 = Numbered("song", i, ".mp3");
        WriteSparse(root_ / "mp3" / mp3, MpegFrames(10, i), size,
                    Id3Block("曲 " + std::to_string(i), "歌手", "アルバム", "2001", "comment", 17));
        mp3_.push_back({root_ / "mp3" / mp3, "C:\\mp3\\" + mp3});

        const std::string v2 = Numbered("v2song", i, ".mp3");
        WriteSparse(
            root_ / "mp3" / v2, Id3v2Tag(i) + MpegFrames(10, i), size,
            Id3Block("Song number " + std::to_string(i), "歌手の名前", "アルバムの名前", "2001", "a comment", 17));
        mp3WithId3v2_.push_back({root_ / "mp3" / v2, "C:\\mp3\\" + v2});

        const std::string rmp = Numbered("song", i, ".rmp");
        WriteRmp(root_ / "rmp" / rmp, size, i);
        rmp_.push_back({root_ / "rmp" / rmp, "C:\\rmp\\" + rmp});
    }
    for (size_t i = 0; i < writeSizes.size(); ++i) {
        const std::string name = Numbered("write", i, ".rmp");
        WriteRmp(root_ / name, writeSizes[i], i);
        toWrite_.push_back({root_ / name, "C:\\" + name});
    }
    // The new files' write-back would otherwise run during the first measurements.
    ::sync();
}

BenchCorpus::~BenchCorpus() {
    std::error_code ec;
    fs::remove_all(root_, ec);
}

}  // namespace sorabell::bench
