#include "sorabell-tag/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <utility>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/posix/HostFiles.h"
#include "platform/posix/Iconv.h"

namespace sorabell::tagtool {

namespace attr = platform::attr;
using platform::OpenMode;

using posix::AttributesOf;
using posix::Stat;
using posix::WindowsError;

namespace {

std::string ParentOf(const std::string& host) {
    const size_t slash = host.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "/" : host.substr(0, slash);
}

class PosixFile : public platform::BinaryFile {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    uint64_t Size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) {
            Fail(EInOutError::Operation::Size);
        }
        return static_cast<uint64_t>(st.st_size);
    }

    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
        return Transfer(EInOutError::Operation::Read, count, [&](size_t done) {
            return ::pread(fd_, static_cast<char*>(buffer) + done, count - done, static_cast<off_t>(offset + done));
        });
    }

    void WriteAt(uint64_t offset, const void* data, size_t count) override {
        Transfer(EInOutError::Operation::Write, count, [&](size_t done) {
            return ::pwrite(fd_, static_cast<const char*>(data) + done, count - done,
                            static_cast<off_t>(offset + done));
        });
    }

    void Truncate(uint64_t size) override {
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
            Fail(EInOutError::Operation::Truncate);
        }
    }

private:
    // Repeats `step` (bytes done so far -> bytes moved now) until `count` bytes have moved or
    // the file ends; a signal's interruption is no failure.
    template <class Step>
    size_t Transfer(EInOutError::Operation operation, size_t count, Step step) {
        size_t done = 0;
        while (done < count) {
            const ssize_t n = step(done);
            if (n < 0 && errno != EINTR) {
                Fail(operation);
            }
            if (n == 0) {
                break;
            }
            done += n > 0 ? static_cast<size_t>(n) : 0;
        }
        return done;
    }

    [[noreturn]] void Fail(EInOutError::Operation operation) {
        throw EInOutError(operation, path_, WindowsError(errno));
    }

    int fd_;
    std::string path_;
};

}  // namespace

PosixFileSystem::PosixFileSystem(LocaleText locale, std::string tempPath)
    : locale_(std::move(locale)), tempPath_(text::IncludeTrailingBackslash(tempPath)) {}

std::optional<std::string> PosixFileSystem::HostPath(const std::string& windowsPath) const {
    if (windowsPath.size() < 2 || text::UpperCase(windowsPath.substr(0, 2)) != "Z:") {
        return std::nullopt;
    }
    // Spelt in the locale's encoding, where no "\" is part of another character (the 0x5C
    // trail bytes of CP932 are gone); ".." at the root stays there, as on Windows.
    auto host = locale_.ToLocale(std::string_view(windowsPath).substr(2));
    if (!host) {
        return std::nullopt;
    }
    std::replace(host->begin(), host->end(), '\\', '/');
    return std::filesystem::path("/" + *host).lexically_normal().string();
}

uint32_t PosixFileSystem::GetAttributes(const std::string& path) {
    const auto host = HostPath(path);
    const auto st = host ? Stat(*host) : std::nullopt;
    return st ? AttributesOf(*st) : attr::Invalid;
}

bool PosixFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    const auto host = HostPath(path);
    const auto st = host ? Stat(*host) : std::nullopt;
    if (!st) {
        return false;
    }
    const mode_t mode = (attributes & attr::ReadOnly) ? (st->st_mode & 07777 & ~static_cast<mode_t>(0222))
                                                      : ((st->st_mode & 07777) | S_IWUSR);
    return ::chmod(host->c_str(), mode) == 0;
}

std::vector<platform::FindEntry> PosixFileSystem::Find(const std::string& pattern) {
    std::vector<platform::FindEntry> entries;
    const auto folder = HostPath(text::ExtractFilePath(pattern));
    std::string namePattern = text::ExtractFileName(pattern);
    if (namePattern == "*.*") {
        namePattern = "*";
    }
    const auto hostPattern = locale_.ToLocale(namePattern);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(folder && hostPattern ? ::opendir(folder->c_str()) : nullptr,
                                                  ::closedir);
    if (!dir) {
        return entries;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        const auto st = Stat(*folder + "/" + name);
        if (st && ::fnmatch(hostPattern->c_str(), name.c_str(), FNM_NOESCAPE) == 0) {
            // A name CP932 cannot hold keeps the host's bytes.
            entries.push_back({locale_.ToCp932(name).value_or(name),
                               {},
                               AttributesOf(*st),
                               S_ISDIR(st->st_mode) ? 0 : static_cast<uint64_t>(st->st_size)});
        }
    }
    return entries;
}

bool PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    const auto source = HostPath(from);
    const auto target = HostPath(to);
    return source && target && Stat(*source) && !Stat(*target) && ::rename(source->c_str(), target->c_str()) == 0;
}

bool PosixFileSystem::Replace(const std::string& from, const std::string& to) {
    const auto source = HostPath(from);
    const auto target = HostPath(to);
    const auto sourceStat = source ? Stat(*source) : std::nullopt;
    const auto targetStat = target ? Stat(*target) : std::nullopt;
    return sourceStat && targetStat && !S_ISDIR(sourceStat->st_mode) && !S_ISDIR(targetStat->st_mode) &&
           (AttributesOf(*targetStat) & attr::ReadOnly) == 0 && ::rename(source->c_str(), target->c_str()) == 0;
}

bool PosixFileSystem::Delete(const std::string& path) {
    const auto host = HostPath(path);
    const auto st = host ? Stat(*host) : std::nullopt;
    return st && !S_ISDIR(st->st_mode) && (AttributesOf(*st) & attr::ReadOnly) == 0 && ::unlink(host->c_str()) == 0;
}

bool PosixFileSystem::CreateFolder(const std::string& path) {
    const auto host = HostPath(path);
    return host && ::mkdir(host->c_str(), 0777) == 0;
}

std::unique_ptr<platform::BinaryFile> PosixFileSystem::Open(const std::string& path, OpenMode mode) {
    const auto operation =
        mode == OpenMode::CreateAlways ? EInOutError::Operation::Create : EInOutError::Operation::Open;
    const auto host = HostPath(path);
    if (!host) {
        throw EInOutError(operation, path, oserror::InvalidName);
    }
    // What Windows refuses before it opens: a folder, and writing to a read-only file (which
    // the host would let root write).
    if (const auto st = Stat(*host)) {
        if (S_ISDIR(st->st_mode)) {
            throw EInOutError(operation, path, oserror::AccessDenied);
        }
        if (mode != OpenMode::Read && (AttributesOf(*st) & attr::ReadOnly)) {
            throw EInOutError(operation, path, oserror::FileReadOnly);
        }
    }
    const int flags = mode == OpenMode::Read        ? O_RDONLY
                      : mode == OpenMode::ReadWrite ? O_RDWR
                                                    : O_RDWR | O_CREAT | O_TRUNC;
    const int fd = ::open(host->c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        // As Windows tells them apart: the file missing, or the folder it would be in.
        throw EInOutError(operation, path,
                          error == ENOENT && !Stat(ParentOf(*host)) ? oserror::PathNotFound : WindowsError(error));
    }
    return std::make_unique<PosixFile>(fd, path);
}

std::optional<std::string> PosixFileSystem::Cp932Of(const platform::FilePath& path) {
    posix::EncodingConverter converter("CP932", "UTF-8");
    std::string cp932;
    if (converter.Convert(path.Utf8(), cp932) != path.Utf8().size()) {
        return std::nullopt;
    }
    return cp932;
}

uint32_t PosixFileSystem::PathAttributes(const platform::FilePath& path) {
    const auto cp932 = Cp932Of(path);
    return cp932 ? GetAttributes(*cp932) : attr::Invalid;
}

std::unique_ptr<platform::BinaryFile> PosixFileSystem::OpenPath(const platform::FilePath& path, OpenMode mode) {
    if (const auto cp932 = Cp932Of(path)) {
        return Open(*cp932, mode);
    }
    // Named in the code page: its ASCII, a "?" for every other byte.
    std::string shown = path.Utf8();
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }, '?');
    throw EInOutError(mode == OpenMode::CreateAlways ? EInOutError::Operation::Create : EInOutError::Operation::Open,
                      shown, oserror::InvalidName);
}

bool PosixFileSystem::ReplacePath(const platform::FilePath& from, const platform::FilePath& to) {
    const auto source = Cp932Of(from);
    const auto target = Cp932Of(to);
    return source && target && Replace(*source, *target);
}

bool PosixFileSystem::DeletePath(const platform::FilePath& path) {
    const auto cp932 = Cp932Of(path);
    return cp932 && Delete(*cp932);
}

}  // namespace sorabell::tagtool
