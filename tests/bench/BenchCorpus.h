#pragma once
// The benchmark's music files, made in a temporary folder of their own and removed afterwards.
// They are sparse: only the headers, INFO lists and tags are written, the audio between them
// is a hole, so thousands of 3 MB files cost neither disk nor time.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace sorabell::bench {

struct CorpusFile {
    std::filesystem::path host;  // for the floor and TagLib
    std::string windows;         // the same file through the simulated file system's drive C:
};

class BenchCorpus {
public:
    // `count` MP3 files of about 3 MB with an ID3v1 tag, as many with a 2 KB ID3v2.3 tag before
    // the audio as well, as many RMP files with an INFO list and its IID3 slot, and one RMP file
    // of each size in `writeSizes` (bytes) to rewrite.
    BenchCorpus(size_t count, const std::vector<uint64_t>& writeSizes);
    ~BenchCorpus();
    BenchCorpus(const BenchCorpus&) = delete;
    BenchCorpus& operator=(const BenchCorpus&) = delete;

    const std::filesystem::path& root() const { return root_; }
    const std::vector<CorpusFile>& mp3() const { return mp3_; }
    const std::vector<CorpusFile>& mp3WithId3v2() const { return mp3WithId3v2_; }
    const std::vector<CorpusFile>& rmp() const { return rmp_; }
    const std::vector<CorpusFile>& toWrite() const { return toWrite_; }

private:
    std::filesystem::path root_;
    std::vector<CorpusFile> mp3_;
    std::vector<CorpusFile> mp3WithId3v2_;
    std::vector<CorpusFile> rmp_;
    std::vector<CorpusFile> toWrite_;
};

}  // namespace sorabell::bench
