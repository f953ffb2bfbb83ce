#include "harness/OwnedProcess.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "harness/Waits.h"

namespace sorabell::testing {

namespace {

// How long a process ended the hard way may take to be gone.
constexpr DWORD kTerminateMs = 5000;

}  // namespace

OwnedProcess::~OwnedProcess() { Terminate(); }

OwnedProcess::OwnedProcess(OwnedProcess&& other) noexcept
    : process_(std::move(other.process_)), id_(std::exchange(other.id_, 0)) {}

OwnedProcess& OwnedProcess::operator=(OwnedProcess&& other) noexcept {
    if (this != &other) {
        Terminate();
        process_ = std::move(other.process_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

OwnedProcess OwnedProcess::Start(const std::string& commandLine, const std::string& folder, const std::string& output) {
    OwnedProcess owned;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    win32::ScopedFile out;
    if (!output.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        out.Reset(::CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out) {
            return owned;
        }
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = out.get();
        startup.hStdError = out.get();
    }
    std::string line = commandLine;
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, out ? TRUE : FALSE, 0, nullptr,
                         folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
        const win32::ScopedHandle thread(process.hThread);
        owned.process_.Reset(process.hProcess);
        owned.id_ = process.dwProcessId;
    }
    return owned;
}

OwnedProcess OwnedProcess::OfWindow(HWND window) {
    OwnedProcess owned;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid != 0) {
        owned.process_.Reset(
            ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
        owned.id_ = owned.process_ ? pid : 0;
    }
    return owned;
}

bool OwnedProcess::running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool OwnedProcess::WaitForExit(DWORD limitMs) const {
    return process_ && ::WaitForSingleObject(process_.get(), Scaled(limitMs)) == WAIT_OBJECT_0;
}

int OwnedProcess::ExitCode() const {
    DWORD code = 0;
    if (!process_ || running() || !::GetExitCodeProcess(process_.get(), &code)) {
        return -1;
    }
    return static_cast<int>(code);
}

void OwnedProcess::Terminate() {
    if (running()) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), Scaled(kTerminateMs));
    }
}

int RunAndWait(const std::string& commandLine, DWORD limitMs) {
    const OwnedProcess process = OwnedProcess::Start(commandLine);
    return process.WaitForExit(limitMs) ? process.ExitCode() : -1;
}

ProgramRun RunCapturing(const std::string& commandLine, const std::string& capture, DWORD limitMs) {
    ProgramRun run;
    {
        OwnedProcess process = OwnedProcess::Start(commandLine, {}, capture);
        if (process.WaitForExit(limitMs)) {
            run.code = process.ExitCode();
        }
        // Ended here if it still runs, so that its output is all in the file.
    }
    std::ifstream in(capture, std::ios::binary);
    run.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return run;
}

}  // namespace sorabell::testing
