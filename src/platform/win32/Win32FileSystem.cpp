#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/win32/ScopedWin.h"

namespace sorabell::win32 {

using platform::BinaryFile;
using platform::FindEntry;
using platform::OpenMode;

namespace {

OVERLAPPED At(uint64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

class Win32BinaryFile : public BinaryFile {
public:
    Win32BinaryFile(ScopedFile file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}

    uint64_t Size() override {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file_.get(), &size)) {
            Fail(EInOutError::Operation::Size);
        }
        return static_cast<uint64_t>(size.QuadPart);
    }

    // Positioned reads and writes: one call each, no separate seek.
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override {
        size_t done = 0;
        while (done < count) {
            OVERLAPPED where = At(offset + done);
            DWORD got = 0;
            const DWORD ask = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
            if (!::ReadFile(file_.get(), static_cast<char*>(buffer) + done, ask, &got, &where)) {
                if (::GetLastError() == ERROR_HANDLE_EOF) {
                    break;
                }
                Fail(EInOutError::Operation::Read);
            }
            if (got == 0) {
                break;
            }
            done += got;
        }
        return done;
    }

    void WriteAt(uint64_t offset, const void* data, size_t count) override {
        size_t done = 0;
        while (done < count) {
            OVERLAPPED where = At(offset + done);
            DWORD put = 0;
            const DWORD ask = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
            if (!::WriteFile(file_.get(), static_cast<const char*>(data) + done, ask, &put, &where) || put == 0) {
                Fail(EInOutError::Operation::Write);
            }
            done += put;
        }
    }

    void Truncate(uint64_t size) override {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(size);
        if (!::SetFilePointerEx(file_.get(), to, nullptr, FILE_BEGIN) || !::SetEndOfFile(file_.get())) {
            Fail(EInOutError::Operation::Truncate);
        }
    }

private:
    [[noreturn]] void Fail(EInOutError::Operation operation) { throw EInOutError(operation, path_, ::GetLastError()); }

    ScopedFile file_;
    std::string path_;
};

// Opens through `create` (the ANSI or the wide CreateFile); `shown` names the file in errors.
template <typename Attributes, typename Create>
std::unique_ptr<BinaryFile> OpenFile(const std::string& shown, OpenMode mode, Attributes attributesOf, Create create) {
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    auto operation = EInOutError::Operation::Open;
    if (mode == OpenMode::CreateAlways) {
        disposition = CREATE_ALWAYS;
        operation = EInOutError::Operation::Create;
    }
    if (mode != OpenMode::Read) {
        access |= GENERIC_WRITE;
        // Windows refuses to write a read-only file; Wine running as root would not. Windows's own
        // refusal says only "access denied"; this one tells the user which attribute is in the way.
        const DWORD attributes = attributesOf();
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            throw EInOutError(operation, shown, ERROR_FILE_READ_ONLY);
        }
    }
    ScopedFile file(create(access, FILE_SHARE_READ | (mode == OpenMode::Read ? FILE_SHARE_WRITE : 0), disposition));
    if (!file) {
        throw EInOutError(operation, shown, ::GetLastError());
    }
    return std::make_unique<Win32BinaryFile>(std::move(file), shown);
}

// Windows refuses to replace a read-only file; Wine running as root would not.
bool Replaceable(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

std::wstring Wide(const platform::FilePath& path) {
    const std::u16string units = path.Utf16();
    return std::wstring(units.begin(), units.end());
}

// The path as errors show it: the code page's text, "?" where it lacks a character.
std::string Shown(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int units = static_cast<int>(wide.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(std::max(bytes, 0)), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), units, out.data(), bytes, "?", nullptr);
    return out;
}

}  // namespace

uint32_t Win32FileSystem::GetAttributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

bool Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != 0;
}

std::vector<FindEntry> Win32FileSystem::Find(const std::string& pattern) {
    std::vector<FindEntry> entries;
    WIN32_FIND_DATAA data{};
    ScopedFind find(::FindFirstFileA(pattern.c_str(), &data));
    if (!find) {
        return entries;
    }
    do {
        entries.push_back(
            {data.cFileName, data.cAlternateFileName, data.dwFileAttributes,
             (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
             (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime});
    } while (::FindNextFileA(find.get(), &data));
    return entries;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    if (!::MoveFileA(from.c_str(), to.c_str())) {
        return false;
    }
    // A change of case alone: Wine reports success and keeps the old spelling. Going through a
    // name of our own makes the file take the new one there too.
    const std::string wanted = text::ExtractFileName(to);
    if (!text::SameText(text::ExtractFileName(from), wanted)) {
        return true;
    }
    WIN32_FIND_DATAA data{};
    ScopedFind find(::FindFirstFileA(to.c_str(), &data));
    if (find && wanted != data.cFileName && text::SameText(wanted, data.cFileName)) {
        const std::string step = to + ".sorabell-rename";
        if (::MoveFileA(to.c_str(), step.c_str()) && !::MoveFileA(step.c_str(), to.c_str())) {
            ::MoveFileA(step.c_str(), (text::ExtractFilePath(to) + data.cFileName).c_str());
            return false;
        }
    }
    return true;
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
    return Replaceable(::GetFileAttributesA(to.c_str())) &&
           ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32FileSystem::Delete(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32FileSystem::CreateFolder(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != 0; }

std::unique_ptr<BinaryFile> Win32FileSystem::Open(const std::string& path, OpenMode mode) {
    return OpenFile(
        path, mode, [&] { return ::GetFileAttributesA(path.c_str()); },
        [&](DWORD access, DWORD share, DWORD disposition) {
            return ::CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        });
}

std::string Win32FileSystem::TempPath() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, n < sizeof buffer ? n : 0);
}

uint32_t Win32FileSystem::PathAttributes(const platform::FilePath& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

std::unique_ptr<BinaryFile> Win32FileSystem::OpenPath(const platform::FilePath& path, OpenMode mode) {
    const std::wstring wide = Wide(path);
    return OpenFile(
        Shown(wide), mode, [&] { return ::GetFileAttributesW(wide.c_str()); },
        [&](DWORD access, DWORD share, DWORD disposition) {
            return ::CreateFileW(wide.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        });
}

bool Win32FileSystem::ReplacePath(const platform::FilePath& from, const platform::FilePath& to) {
    const std::wstring target = Wide(to);
    return Replaceable(::GetFileAttributesW(target.c_str())) &&
           ::MoveFileExW(Wide(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32FileSystem::DeletePath(const platform::FilePath& path) { return ::DeleteFileW(Wide(path).c_str()) != 0; }

}  // namespace sorabell::win32
