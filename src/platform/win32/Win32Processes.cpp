#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "platform/win32/ScopedWin.h"

namespace sorabell::win32 {

namespace {

class Win32Mutex : public platform::NamedMutex {
public:
    Win32Mutex(ScopedHandle handle, bool existed) : handle_(std::move(handle)), existed_(existed) {}
    bool alreadyExisted() const override { return existed_; }

private:
    ScopedHandle handle_;
    bool existed_;
};

// Wide text of the system into the ANSI code page every string of the program is in.
std::string ToAnsi(const wchar_t* wide, int units) {
    if (units <= 0) {
        return {};
    }
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, units, out.data(), bytes, "?", nullptr);
    return out;
}

std::wstring ToWide(const std::string& ansi) {
    const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(), units);
    return out;
}

}  // namespace

unsigned Win32Processes::WinExec(const std::string& commandLine, int show) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

uintptr_t Win32Processes::ShellExecuteFile(const std::string& verb, const std::string& file,
                                           const std::string& parameters, const std::string& directory, int show) {
    const HINSTANCE result = ::ShellExecuteA(nullptr, verb.c_str(), file.c_str(), parameters.c_str(),
                                             directory.empty() ? nullptr : directory.c_str(), show);
    return reinterpret_cast<uintptr_t>(result);
}

std::unique_ptr<platform::NamedMutex> Win32Processes::CreateNamedMutex(const std::string& name) {
    ScopedHandle handle(::CreateMutexA(nullptr, FALSE, name.c_str()));
    if (!handle) {
        return nullptr;
    }
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    return std::make_unique<Win32Mutex>(std::move(handle), existed);
}

std::string Win32Processes::ModuleFileName() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, n);
}

uint32_t Win32Processes::TickCount() { return ::GetTickCount(); }
std::optional<std::string> Win32Processes::EnvironmentVariable(const std::string& name) {
    const std::wstring wideName = ToWide(name);
    // The value may grow between the two calls, as another thread sets it: ask again then.
    std::vector<wchar_t> buffer(256);
    for (int attempt = 0; attempt < 4; ++attempt) {
        ::SetLastError(ERROR_SUCCESS);
        const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
                return std::nullopt;
            }
            return std::string();
        }
        if (n < buffer.size()) {
            return ToAnsi(buffer.data(), static_cast<int>(n));
        }
        buffer.resize(n);
    }
    return std::nullopt;
}

std::string Win32Processes::SpecialFolder(int csidl) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return {};
    }
    return ToAnsi(buffer, static_cast<int>(::wcsnlen(buffer, MAX_PATH)));
}

}  // namespace sorabell::win32
