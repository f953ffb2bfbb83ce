#include "platform/sim/SimFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/posix/HostFiles.h"
#include "platform/sim/Encoding.h"

namespace sorabell::sim {

namespace fs = std::filesystem;
using platform::BinaryFile;
using platform::FindEntry;
using platform::OpenMode;
namespace attr = platform::attr;

using posix::AttributesOf;
using posix::Stat;
using posix::WindowsError;

namespace {

bool ForbiddenInName(unsigned char c) {
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

bool ForbiddenInShortName(char c) { return std::string_view("+,;=[]").find(c) != std::string_view::npos; }

bool IsShortName(std::string_view name) {
    const size_t dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || (dot != std::string_view::npos && ext.empty()) ||
        ext.find('.') != std::string_view::npos) {
        return false;
    }
    for (size_t i = 0; i < name.size(); i += text::CharLengthAt(name, i)) {
        const char c = name[i];
        if (text::CharLengthAt(name, i) == 1 && ((c >= 'a' && c <= 'z') || c == ' ' || ForbiddenInShortName(c))) {
            return false;
        }
    }
    return true;
}

// A part of a name as its 8.3 name spells it: no blanks or dots, upper case, "_" for what 8.3
// names may not hold, at most `maxBytes` bytes of whole characters.
std::string ShortPart(std::string_view part, size_t maxBytes) {
    std::string out;
    for (size_t i = 0; i < part.size(); i += text::CharLengthAt(part, i)) {
        const std::string_view c = part.substr(i, text::CharLengthAt(part, i));
        if (c == " " || c == ".") {
            continue;
        }
        out += c.size() == 1 && ForbiddenInShortName(c[0]) ? "_" : text::UpperCase(c);
    }
    return std::string(text::CutToBytes(out, maxBytes));
}

// The 8.3 name Windows gives a name that is none ("Program Files" is "PROGRA~1", "my.song.mp3"
// is "MYSONG~1.MP3"); empty for a name that is one. Always the first of its kind: the folder's
// other names are not looked at.
std::string AlternateName(std::string_view name) {
    if (name == "." || name == ".." || IsShortName(name)) {
        return std::string();
    }
    const size_t dot = text::FindLastDelimiter(name, ".");
    std::string base = ShortPart(name.substr(0, dot), 6);
    std::string ext = dot == std::string_view::npos ? std::string() : ShortPart(name.substr(dot + 1), 3);
    if (base.empty()) {  // ".profile" is "PROFIL~1"
        base = ShortPart(name, 6);
        ext.clear();
    }
    return base + "~1" + (ext.empty() ? "" : "." + ext);
}

// The host spelling of one CP932 name component.
std::string HostName(std::string_view cp932) {
    if (auto utf8 = Cp932ToUtf8(cp932)) {
        return *utf8;
    }
    return std::string(cp932);
}

// The CP932 spelling of a host name (bytes kept when they are no UTF-8 that CP932 holds).
std::string WindowsName(const std::string& host) {
    if (auto cp932 = Utf8ToCp932(host)) {
        return *cp932;
    }
    return host;
}

// A Windows path as Windows reads it: the drive's host folder and the names below it, "." and
// ".." applied, trailing dots and blanks of a name dropped ("song." is "song"). Empty for a path
// no drive holds or one that Windows would refuse (a forbidden character, a relative path).
struct ParsedPath {
    const fs::path* drive;
    std::vector<std::string> names;
};

// `utf8`: the path's names are UTF-8, whose bytes of a character never read as a delimiter.
std::optional<ParsedPath> ParseWindowsPath(const std::map<char, fs::path>& drives, const std::string& windowsPath,
                                           bool utf8 = false) {
    const auto charLength = [utf8](std::string_view text, size_t at) {
        return utf8 ? size_t{1} : text::CharLengthAt(text, at);
    };
    if (windowsPath.size() < 2 || windowsPath[1] != ':') {
        return std::nullopt;
    }
    const auto drive = drives.find(text::UpperCase(windowsPath.substr(0, 1))[0]);
    if (drive == drives.end()) {
        return std::nullopt;
    }
    ParsedPath parsed{&drive->second, {}};
    parsed.names.reserve(8);
    // Takes one name; false when Windows would refuse it.
    const auto take = [&](std::string part) {
        if (part != "." && part != "..") {
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) {
                part.pop_back();
            }
        }
        if (part.empty() || part == ".") {
            return true;
        }
        if (part == "..") {
            if (!parsed.names.empty()) {
                parsed.names.pop_back();
            }
            return true;
        }
        for (size_t i = 0; i < part.size(); i += charLength(part, i)) {
            if (charLength(part, i) == 1 && ForbiddenInName(static_cast<unsigned char>(part[i]))) {
                return false;
            }
        }
        parsed.names.push_back(std::move(part));
        return true;
    };
    // Names end at "\" and "/" that are characters of their own.
    const std::string_view rest = std::string_view(windowsPath).substr(2);
    std::string current;
    for (size_t i = 0; i < rest.size();) {
        const size_t len = charLength(rest, i);
        if (len == 1 && (rest[i] == '\\' || rest[i] == '/')) {
            if (!take(std::exchange(current, {}))) {
                return std::nullopt;
            }
        } else {
            current.append(rest.substr(i, len));
        }
        i += len;
    }
    if (!take(std::move(current))) {
        return std::nullopt;
    }
    return parsed;
}

// The host file a parsed path names as spelt, built as one string: path objects per name
// would cost more than opening the file.
std::string HostSpelling(const ParsedPath& parsed) {
    std::string host = parsed.drive->native();
    for (const std::string& name : parsed.names) {
        if (host.empty() || host.back() != '/') {
            host += '/';
        }
        host += HostName(name);
    }
    return host;
}

// The entry of host folder `host` that CP932 name `part` names: as spelt, else the one whose
// name or 8.3 name it is without regard to case; as spelt when there is none.
fs::path HostEntry(const fs::path& host, const std::string& part) {
    fs::path exact = host / HostName(part);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(exact, ec)) && fs::is_directory(host, ec)) {
        for (const auto& entry : fs::directory_iterator(host, ec)) {
            const std::string name = WindowsName(entry.path().filename().string());
            if (text::SameText(name, part) || text::SameText(AlternateName(name), part)) {
                return entry.path();
            }
        }
    }
    return exact;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

class SimBinaryFile : public BinaryFile {
public:
    // `sizeAtOpen`: the size the opening saw, if it looked.
    SimBinaryFile(int fd, std::string path, std::optional<uint64_t> sizeAtOpen = std::nullopt)
        : fd_(fd), path_(std::move(path)), sizeAtOpen_(sizeAtOpen) {}
    ~SimBinaryFile() override { ::close(fd_); }
    SimBinaryFile(const SimBinaryFile&) = delete;
    SimBinaryFile& operator=(const SimBinaryFile&) = delete;

    uint64_t Size() override {
        // A file is sized right after it is opened: the opening's answer serves that first
        // question instead of a second system call; later ones ask again.
        if (const auto known = std::exchange(sizeAtOpen_, std::nullopt)) {
            return *known;
        }
        struct stat st {};
        if (::fstat(fd_, &st) != 0) {
            Fail(EInOutError::Operation::Size);
        }
        return static_cast<uint64_t>(st.st_size);
    }

    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
        size_t done = 0;
        while (done < count) {
            const ssize_t n =
                ::pread(fd_, static_cast<char*>(buffer) + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail(EInOutError::Operation::Read);
            }
            if (n == 0) {
                break;
            }
            done += static_cast<size_t>(n);
        }
        return done;
    }

    void WriteAt(uint64_t offset, const void* data, size_t count) override {
        sizeAtOpen_.reset();
        size_t done = 0;
        while (done < count) {
            const ssize_t n =
                ::pwrite(fd_, static_cast<const char*>(data) + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail(EInOutError::Operation::Write);
            }
            done += static_cast<size_t>(n);
        }
    }

    void Truncate(uint64_t size) override {
        sizeAtOpen_.reset();
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
            Fail(EInOutError::Operation::Truncate);
        }
    }

private:
    [[noreturn]] void Fail(EInOutError::Operation operation) {
        throw EInOutError(operation, path_, WindowsError(errno));
    }

    int fd_;
    std::string path_;
    std::optional<uint64_t> sizeAtOpen_;
};

}  // namespace

SimFileSystem::SimFileSystem(std::map<char, fs::path> drives, std::string tempPath)
    : drives_(std::move(drives)), tempPath_(text::IncludeTrailingBackslash(tempPath)) {}

std::optional<fs::path> SimFileSystem::HostPath(const std::string& windowsPath) const {
    const auto parsed = ParseWindowsPath(drives_, windowsPath);
    if (!parsed) {
        return std::nullopt;
    }
    fs::path host = *parsed->drive;
    for (const std::string& part : parsed->names) {
        host = HostEntry(host, part);
    }
    return host;
}

std::optional<fs::path> SimFileSystem::HostPath(const platform::FilePath& path) const {
    if (const auto cp932 = Cp932Spelling(path)) {
        return HostPath(*cp932);
    }
    const auto parsed = ParseWindowsPath(drives_, path.Utf8(), true);
    if (!parsed) {
        return std::nullopt;
    }
    fs::path host = *parsed->drive;
    for (const std::string& part : parsed->names) {
        if (const auto cp932 = Utf8ToCp932(part)) {
            host = HostEntry(host, *cp932);
            continue;
        }
        // A name CP932 cannot hold has no 8.3 name here; case is ASCII's alone.
        fs::path exact = host / part;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(exact, ec)) && fs::is_directory(host, ec)) {
            for (const auto& entry : fs::directory_iterator(host, ec)) {
                if (SameAsciiText(entry.path().filename().string(), part)) {
                    exact = entry.path();
                    break;
                }
            }
        }
        host = exact;
    }
    return host;
}

std::optional<std::string> SimFileSystem::Cp932Spelling(const platform::FilePath& path) const {
    const std::string& utf8 = path.Utf8();
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return utf8;
    }
    if (!toCp932_) {
        toCp932_ = std::make_unique<posix::EncodingConverter>("CP932", "UTF-8");
    }
    std::string cp932;
    if (toCp932_->Convert(utf8, cp932) != utf8.size()) {
        return std::nullopt;
    }
    return cp932;
}

std::string SimFileSystem::Shown(const platform::FilePath& path) const {
    if (auto cp932 = Cp932Spelling(path)) {
        return std::move(*cp932);
    }
    // Character by character: each one CP932 lacks is a "?".
    const std::string& utf8 = path.Utf8();
    std::string shown;
    for (size_t at = 0; at < utf8.size();) {
        size_t length = 1;
        while (at + length < utf8.size() && (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80) {
            ++length;
        }
        const auto one = Utf8ToCp932(std::string_view(utf8).substr(at, length));
        shown += one ? *one : std::string("?");
        at += length;
    }
    return shown;
}

uint32_t SimFileSystem::GetAttributes(const std::string& path) {
    // As for opening: the name as given nearly always exists as spelt, so one stat before any
    // search of the folders (a song change asks this of every song).
    if (const auto parsed = ParseWindowsPath(drives_, path)) {
        if (const auto st = Stat(HostSpelling(*parsed))) {
            return AttributesOf(*st);
        }
    }
    const auto host = HostPath(path);
    if (!host) {
        return attr::Invalid;
    }
    const auto st = Stat(*host);
    return st ? AttributesOf(*st) : attr::Invalid;
}

bool SimFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    const auto host = HostPath(path);
    if (!host) {
        return false;
    }
    const auto st = Stat(*host);
    if (!st) {
        return false;
    }
    mode_t mode = st->st_mode & 07777;
    mode =
        (attributes & attr::ReadOnly) ? (mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (mode | S_IWUSR);
    return ::chmod(host->c_str(), mode) == 0;
}

std::vector<FindEntry> SimFileSystem::Find(const std::string& pattern) {
    std::vector<FindEntry> entries;
    const std::string folder = text::ExtractFilePath(pattern);
    const std::string namePattern = text::ExtractFileName(pattern);
    const auto host = HostPath(folder);
    std::error_code ec;
    if (!host || !fs::is_directory(*host, ec)) {
        return entries;
    }
    // As on Windows, the pattern may match the 8.3 name instead ("PROGRA~1" finds "Program Files").
    const auto add = [&](const std::string& name, const struct stat& st) {
        std::string alternate = AlternateName(name);
        if (MatchesWildcard(namePattern, name) || (!alternate.empty() && MatchesWildcard(namePattern, alternate))) {
            entries.push_back(
                {name, std::move(alternate), AttributesOf(st),
                 S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size),
                 static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000U + static_cast<uint64_t>(st.st_mtim.tv_nsec)});
        }
    };
    // Windows lists "." and ".." in every folder but a drive's root.
    if (host->lexically_normal() != drives_.at(text::UpperCase(folder.substr(0, 1))[0]).lexically_normal()) {
        if (const auto st = Stat(*host)) {
            add(".", *st);
            add("..", *st);
        }
    }
    for (const auto& entry : fs::directory_iterator(*host, ec)) {
        if (const auto st = Stat(entry.path())) {
            add(WindowsName(entry.path().filename().string()), *st);
        }
    }
    return entries;
}

bool SimFileSystem::Rename(const std::string& from, const std::string& to) {
    const auto source = HostPath(from);
    auto target = HostPath(to);
    if (!source || !target || !Stat(*source)) {
        return false;
    }
    if (Stat(*target)) {
        // Only a change of case of the same file may land on an existing name.
        if (fs::weakly_canonical(*source) != fs::weakly_canonical(*target)) {
            return false;
        }
        target = target->parent_path() / HostName(text::ExtractFileName(to));
    }
    return ::rename(source->c_str(), target->c_str()) == 0;
}

bool SimFileSystem::Replace(const std::string& from, const std::string& to) {
    return ReplaceHost(HostPath(from), HostPath(to));
}

bool SimFileSystem::Delete(const std::string& path) { return DeleteHost(HostPath(path)); }

bool SimFileSystem::CreateFolder(const std::string& path) {
    const auto host = HostPath(path);
    return host && ::mkdir(host->c_str(), 0755) == 0;
}

std::unique_ptr<BinaryFile> SimFileSystem::Open(const std::string& path, OpenMode mode) {
    const auto operation =
        mode == OpenMode::CreateAlways ? EInOutError::Operation::Create : EInOutError::Operation::Open;
    if (mode != OpenMode::CreateAlways) {
        // The name as given nearly always exists as spelt: one open, then the checks on the open
        // file, and no search of the folders (reading a tag is open, size, read, close).
        const auto parsed = ParseWindowsPath(drives_, path);
        if (!parsed) {
            throw EInOutError(operation, path, oserror::InvalidName);
        }
        const int fd = ::open(HostSpelling(*parsed).c_str(), O_CLOEXEC | (mode == OpenMode::Read ? O_RDONLY : O_RDWR));
        if (fd >= 0) {
            struct stat st {};
            const bool statted = ::fstat(fd, &st) == 0;
            if (!statted || S_ISDIR(st.st_mode) || (mode != OpenMode::Read && (AttributesOf(st) & attr::ReadOnly))) {
                const uint32_t error = !statted              ? WindowsError(errno)
                                       : S_ISDIR(st.st_mode) ? oserror::AccessDenied
                                                             : oserror::FileReadOnly;
                ::close(fd);
                throw EInOutError(operation, path, error);
            }
            return std::make_unique<SimBinaryFile>(fd, path, static_cast<uint64_t>(st.st_size));
        }
        // Otherwise the search below finds the name or tells why it cannot be opened.
    }
    return OpenHost(HostPath(path), path, mode);
}

bool SimFileSystem::ReplaceHost(const std::optional<fs::path>& source, const std::optional<fs::path>& target) {
    const auto sourceStat = source ? Stat(*source) : std::nullopt;
    const auto targetStat = target ? Stat(*target) : std::nullopt;
    // What Windows refuses and the host would do: replacing a folder or a read-only file.
    if (!sourceStat || !targetStat || S_ISDIR(sourceStat->st_mode) || S_ISDIR(targetStat->st_mode) ||
        (AttributesOf(*targetStat) & attr::ReadOnly)) {
        return false;
    }
    return ::rename(source->c_str(), target->c_str()) == 0;
}

bool SimFileSystem::DeleteHost(const std::optional<fs::path>& host) {
    if (!host) {
        return false;
    }
    const auto st = Stat(*host);
    if (!st || S_ISDIR(st->st_mode) || (AttributesOf(*st) & attr::ReadOnly)) {
        return false;
    }
    return ::unlink(host->c_str()) == 0;
}

std::unique_ptr<BinaryFile> SimFileSystem::OpenHost(const std::optional<fs::path>& host, const std::string& shown,
                                                    OpenMode mode) {
    const auto operation =
        mode == OpenMode::CreateAlways ? EInOutError::Operation::Create : EInOutError::Operation::Open;
    if (!host) {
        throw EInOutError(operation, shown, oserror::InvalidName);
    }
    const auto st = Stat(*host);
    if (st && S_ISDIR(st->st_mode)) {
        throw EInOutError(operation, shown, oserror::AccessDenied);
    }
    if (st && mode != OpenMode::Read && (AttributesOf(*st) & attr::ReadOnly)) {
        throw EInOutError(operation, shown, oserror::FileReadOnly);
    }
    if (!st && mode != OpenMode::CreateAlways) {
        const auto parent = Stat(host->parent_path());
        throw EInOutError(operation, shown, parent ? oserror::FileNotFound : oserror::PathNotFound);
    }
    int flags = O_CLOEXEC;
    switch (mode) {
        case OpenMode::Read:
            flags |= O_RDONLY;
            break;
        case OpenMode::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenMode::CreateAlways:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    const int fd = ::open(host->c_str(), flags, 0644);
    if (fd < 0) {
        throw EInOutError(operation, shown, WindowsError(errno));
    }
    return std::make_unique<SimBinaryFile>(fd, shown);
}

uint32_t SimFileSystem::PathAttributes(const platform::FilePath& path) {
    if (const auto cp932 = Cp932Spelling(path)) {
        return GetAttributes(*cp932);
    }
    const auto host = HostPath(path);
    const auto st = host ? Stat(*host) : std::nullopt;
    return st ? AttributesOf(*st) : attr::Invalid;
}

std::unique_ptr<BinaryFile> SimFileSystem::OpenPath(const platform::FilePath& path, OpenMode mode) {
    if (const auto cp932 = Cp932Spelling(path)) {
        return Open(*cp932, mode);
    }
    return OpenHost(HostPath(path), Shown(path), mode);
}

bool SimFileSystem::ReplacePath(const platform::FilePath& from, const platform::FilePath& to) {
    return ReplaceHost(HostPath(from), HostPath(to));
}

bool SimFileSystem::DeletePath(const platform::FilePath& path) { return DeleteHost(HostPath(path)); }

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    // Iterative match with one backtrack point, comparing without regard to ASCII case.
    const std::string p = text::UpperCase(pattern);
    const std::string n = text::UpperCase(name);
    size_t pi = 0, ni = 0, star = std::string::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') {
        ++pi;
    }
    // "name.*" also matches "name" without any dot, as on Windows.
    if (pi + 2 == p.size() && p[pi] == '.' && p[pi + 1] == '*') {
        return true;
    }
    return pi == p.size();
}

}  // namespace sorabell::sim
