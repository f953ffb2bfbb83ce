#include "platform/win32/Win32Processes.h"

#include <windows.h>
#include <shellapi.h>

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

}  // namespace sorabell::win32
