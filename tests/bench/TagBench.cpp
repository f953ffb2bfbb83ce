// How fast the tags are read and written: files per second of ReadID3Tag and ReadRMPInfo by
// path through the simulated file system, against a minimal reader (open, fstat, pread of 128
// bytes, close) as the floor and against TagLib on the same files; the time of WriteRMPInfo on
// a 5 MB and a 52 MB file. For MP3 files with a 2 KB ID3v2.3 tag and an ID3v1 tag: the
// display's fields as a song change reads them (one open, the INFO list, both tags), against a
// minimal reader of the ID3v2 tag (open, pread of the header, pread of the tag, close) and
// against TagLib reading the same fields. Ends with the ratios and whether each target is met.
//
// Usage: sorabell_bench [--files=N] [Google Benchmark options]   (N: files of each kind, 2000)

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchCorpus.h"
#include "display/Format.h"
#include "platform/posix/IconvCodePage.h"
#include "platform/sim/SimFileSystem.h"
#include "tags/Id3v1.h"
#include "tags/Id3v2.h"
#include "tags/RmpInfo.h"

namespace {

using namespace sorabell;
using bench::BenchCorpus;
using bench::CorpusFile;

constexpr uint64_t kMegabyte = 1'000'000;

struct Fixture {
    explicit Fixture(size_t count)
        : corpus(count, {5 * kMegabyte, 52 * kMegabyte}), files({{'C', corpus.root()}}, "C:\\") {}
    BenchCorpus corpus;
    sim::SimFileSystem files;
    posix::IconvCodePage codePage;
};

void Fail(const std::string& what) {
    std::fprintf(stderr, "sorabell_bench: %s\n", what.c_str());
    std::exit(1);
}

// Runs `read` on one file after the other, round the corpus; files per second is the rate.
template <class Read>
void EachFile(benchmark::State& state, const std::vector<CorpusFile>& corpus, Read read) {
    size_t i = 0;
    for (auto _ : state) {
        if (!read(corpus[i])) {
            Fail("no tag read from " + corpus[i].host.string());
        }
        i = i + 1 == corpus.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}

void MinimalRead(benchmark::State& state, Fixture& fixture) {
    EachFile(state, fixture.corpus.mp3(), [](const CorpusFile& file) {
        const int fd = ::open(file.host.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat st {};
        char tag[128];
        const bool read = fd >= 0 && ::fstat(fd, &st) == 0 && st.st_size >= 128 &&
                          ::pread(fd, tag, sizeof tag, st.st_size - 128) == 128;
        if (fd >= 0) {
            ::close(fd);
        }
        return read && std::memcmp(tag, "TAG", 3) == 0;
    });
}

void ReadID3Tag(benchmark::State& state, Fixture& fixture) {
    EachFile(state, fixture.corpus.mp3(), [&](const CorpusFile& file) {
        tags::TID3Tag tag;
        const bool found = tags::ReadID3Tag(fixture.files, file.windows, tag);
        benchmark::DoNotOptimize(tag);
        return found && tag.Genre == 17;
    });
}

void TagLibMPEG(benchmark::State& state, Fixture& fixture) {
    EachFile(state, fixture.corpus.mp3(), [](const CorpusFile& file) {
        TagLib::MPEG::File mpeg(file.host.c_str(), false);
        const TagLib::ID3v1::Tag* tag = mpeg.ID3v1Tag();
        return tag != nullptr && tag->genreNumber() == 17;
    });
}

// The floor with both tags: the ID3v2 header, then as many bytes as it announces, then the
// ID3v1 tag at the end, the bytes the fields are made of.
void MinimalReadId3v2(benchmark::State& state, Fixture& fixture) {
    std::vector<char> tag(tags::kId3v2ReadLimit);
    EachFile(state, fixture.corpus.mp3WithId3v2(), [&](const CorpusFile& file) {
        const int fd = ::open(file.host.c_str(), O_RDONLY | O_CLOEXEC);
        char header[10];
        bool read = fd >= 0 && ::pread(fd, header, sizeof header, 0) == 10 && std::memcmp(header, "ID3", 3) == 0;
        if (read) {
            size_t size = 0;
            for (int i = 6; i < 10; ++i) {
                size = size << 7 | (header[i] & 0x7F);
            }
            size = std::min(size, tag.size());
            read = ::pread(fd, tag.data(), size, 10) == static_cast<ssize_t>(size);
        }
        struct stat st {};
        char v1[128];
        read = read && ::fstat(fd, &st) == 0 && st.st_size >= 128 &&
               ::pread(fd, v1, sizeof v1, st.st_size - 128) == 128 && std::memcmp(v1, "TAG", 3) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        return read;
    });
}

// A file as thin as the Windows build's own, whose file is a handle read with ReadFile: what the
// simulated file system adds (Windows paths looked up on the host) is no cost of the display's.
class HostFile : public platform::BinaryFile {
public:
    explicit HostFile(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0) {
            Fail(std::string("cannot open ") + path);
        }
    }
    ~HostFile() override { ::close(fd_); }
    HostFile(const HostFile&) = delete;
    HostFile& operator=(const HostFile&) = delete;

    uint64_t Size() override {
        struct stat st {};
        return ::fstat(fd_, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
    }
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
        const ssize_t n = ::pread(fd_, buffer, count, static_cast<off_t>(offset));
        return n > 0 ? static_cast<size_t>(n) : 0;
    }
    void WriteAt(uint64_t, const void*, size_t) override { Fail("a read-only file written"); }
    void Truncate(uint64_t) override { Fail("a read-only file cut"); }

private:
    int fd_;
};

// What a song change reads for the fields, as the display does it, through the simulated file
// system (with `host`: through a file as thin as the Windows build's).
void SongFields(benchmark::State& state, Fixture& fixture, bool host) {
    EachFile(state, fixture.corpus.mp3WithId3v2(), [&](const CorpusFile& file) {
        const std::unique_ptr<platform::BinaryFile> opened =
            host ? std::make_unique<HostFile>(file.host.c_str())
                 : fixture.files.Open(file.windows, platform::OpenMode::Read);
        tags::TRMPInfo info;
        tags::TID3Tag id3;
        const auto id3v2 = tags::ReadId3v2Tag(*opened, fixture.codePage);
        const bool hasInfo = !id3v2 && tags::ReadRMPInfo(*opened, info);
        const bool hasId3 = tags::ReadID3Tag(*opened, id3);
        const display::SongFields fields = display::MakeSongFields(1, file.windows, info, hasInfo, id3, hasId3, id3v2);
        benchmark::DoNotOptimize(fields);
        return id3v2 && fields[6] == "Rock" && fields[2].starts_with("Song number");
    });
}

void TagLibMPEGId3v2(benchmark::State& state, Fixture& fixture) {
    EachFile(state, fixture.corpus.mp3WithId3v2(), [](const CorpusFile& file) {
        TagLib::MPEG::File mpeg(file.host.c_str(), false);
        const TagLib::ID3v2::Tag* tag = mpeg.ID3v2Tag();
        const TagLib::ID3v1::Tag* v1 = mpeg.ID3v1Tag();
        if (tag == nullptr || v1 == nullptr) {
            return false;
        }
        benchmark::DoNotOptimize(tag->artist());
        benchmark::DoNotOptimize(tag->album());
        benchmark::DoNotOptimize(tag->year());
        benchmark::DoNotOptimize(tag->comment());
        benchmark::DoNotOptimize(v1->title());
        return !tag->title().isEmpty() && tag->genre() == "Rock";
    });
}

void ReadRMPInfo(benchmark::State& state, Fixture& fixture) {
    EachFile(state, fixture.corpus.rmp(), [&](const CorpusFile& file) {
        tags::TRMPInfo info;
        const bool found = tags::ReadRMPInfo(fixture.files, file.windows, info);
        benchmark::DoNotOptimize(info);
        return found && info.Genre == "Rock";
    });
}

void TagLibWAV(benchmark::State& state, Fixture& fixture) {
    EachFile(state, fixture.corpus.rmp(), [](const CorpusFile& file) {
        TagLib::RIFF::WAV::File wav(file.host.c_str(), false);
        const TagLib::RIFF::Info::Tag* info = wav.InfoTag();
        return info != nullptr && info->genre() == "Rock";
    });
}

void WriteRMPInfo(benchmark::State& state, Fixture& fixture, size_t which) {
    const CorpusFile& file = fixture.corpus.toWrite().at(which);
    tags::TRMPInfo info;
    info.Title = "書き込み";
    info.Genre = "Rock";
    for (auto _ : state) {
        if (!tags::WriteRMPInfo(fixture.files, file.windows, info, true, [](const std::string&) {})) {
            Fail("WriteRMPInfo refused " + file.host.string());
        }
    }
}

void Register(Fixture& fixture) {
    benchmark::RegisterBenchmark("MinimalRead", MinimalRead, std::ref(fixture));
    benchmark::RegisterBenchmark("ReadID3Tag", ReadID3Tag, std::ref(fixture));
    benchmark::RegisterBenchmark("TagLibMPEG", TagLibMPEG, std::ref(fixture));
    benchmark::RegisterBenchmark("MinimalReadId3v2", MinimalReadId3v2, std::ref(fixture));
    benchmark::RegisterBenchmark("SongFields", SongFields, std::ref(fixture), true);
    benchmark::RegisterBenchmark("SongFields/sim", SongFields, std::ref(fixture), false);
    benchmark::RegisterBenchmark("TagLibMPEGId3v2", TagLibMPEGId3v2, std::ref(fixture));
    benchmark::RegisterBenchmark("ReadRMPInfo", ReadRMPInfo, std::ref(fixture));
    benchmark::RegisterBenchmark("TagLibWAV", TagLibWAV, std::ref(fixture));
    benchmark::RegisterBenchmark("WriteRMPInfo/5MB", WriteRMPInfo, std::ref(fixture), 0)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("WriteRMPInfo/52MB", WriteRMPInfo, std::ref(fixture), 1)
        ->Unit(benchmark::kMicrosecond);
}

// Keeps each benchmark's time per iteration for the closing comparison: the median of the
// repetitions when there are several.
class Recorder : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    Recorder() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const double time = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_.insert_or_assign(name, time);
            } else if (run.run_type == Run::RT_Iteration && !medians_.contains(name)) {
                seconds[name] = time;
            }
        }
        for (const auto& [name, time] : medians_) {
            seconds[name] = time;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;

private:
    std::map<std::string, double> medians_;
};

void Compare(const Recorder& recorder) {
    const auto time = [&](const std::string& name) {
        const auto it = recorder.seconds.find(name);
        return it == recorder.seconds.end() ? 0.0 : it->second;
    };
    const auto rate = [&](const std::string& name) { return time(name) > 0 ? 1 / time(name) : 0.0; };
    const auto ratio = [&](const std::string& slow, const std::string& fast) {
        return time(slow) > 0 && time(fast) > 0 ? time(slow) / time(fast) : 0.0;
    };
    const auto line = [](const char* what, double times, bool met) {
        std::printf("  %-58s %6.2fx  %s\n", what, times, times == 0.0 ? "(not run)" : met ? "met" : "MISSED");
    };
    std::printf(
        "\nfiles per second: floor %.0f, ReadID3Tag %.0f, TagLib MPEG %.0f, ReadRMPInfo %.0f, TagLib WAV %.0f\n",
        rate("MinimalRead"), rate("ReadID3Tag"), rate("TagLibMPEG"), rate("ReadRMPInfo"), rate("TagLibWAV"));
    const double floor = ratio("ReadID3Tag", "MinimalRead");
    const double mpeg = ratio("TagLibMPEG", "ReadID3Tag");
    const double wav = ratio("TagLibWAV", "ReadRMPInfo");
    const double write = ratio("WriteRMPInfo/52MB", "WriteRMPInfo/5MB");
    const double v2floor = ratio("SongFields", "MinimalReadId3v2");
    const double v2taglib = ratio("TagLibMPEGId3v2", "SongFields");
    std::printf("targets:\n");
    line("ReadID3Tag time / floor time (at most 1.2)", floor, floor <= 1.2);
    line("TagLib MPEG::File time / ReadID3Tag time (at least 2.5)", mpeg, mpeg >= 2.5);
    line("TagLib WAV::File time / ReadRMPInfo time (at least 4)", wav, wav >= 4.0);
    line("WriteRMPInfo 52 MB time / 5 MB time (at most 1.5)", write, write <= 1.5);
    std::printf(
        "with a 2 KB ID3v2.3 tag: files per second: floor %.0f, song fields %.0f (through the simulated file "
        "system %.0f), TagLib MPEG %.0f\n",
        rate("MinimalReadId3v2"), rate("SongFields"), rate("SongFields/sim"), rate("TagLibMPEGId3v2"));
    line("song fields time / ID3v2 floor time (at most 2)", v2floor, v2floor <= 2.0);
    line("TagLib MPEG::File time / song fields time (at least 3)", v2taglib, v2taglib >= 3.0);
}

}  // namespace

int main(int argc, char** argv) {
    size_t count = 2000;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--files=", 8) == 0) {
            count = std::strtoul(argv[i] + 8, nullptr, 10);
        } else {
            args.push_back(argv[i]);
        }
    }
    int remaining = static_cast<int>(args.size());
    benchmark::Initialize(&remaining, args.data());
    if (count == 0 || benchmark::ReportUnrecognizedArguments(remaining, args.data())) {
        return 2;
    }
    Fixture fixture(count);
    Register(fixture);
    Recorder recorder;
    benchmark::RunSpecifiedBenchmarks(&recorder);
    Compare(recorder);
    benchmark::Shutdown();
    return 0;
}
