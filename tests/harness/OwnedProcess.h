#pragma once
// A program the tests or the demo started (or took over), owned through its process handle: a
// program still running when its owner goes is ended, so none outlives the case that made it.

#include <windows.h>

#include <string>

#include "platform/win32/ScopedWin.h"

namespace sorabell::testing {

class OwnedProcess {
public:
    OwnedProcess() = default;
    ~OwnedProcess();
    OwnedProcess(OwnedProcess&& other) noexcept;
    OwnedProcess& operator=(OwnedProcess&& other) noexcept;
    OwnedProcess(const OwnedProcess&) = delete;
    OwnedProcess& operator=(const OwnedProcess&) = delete;

    // Runs a command line in a working folder (empty: this program's own). With `output`, the
    // program's standard output and error both go to that file, made anew. An empty owner when
    // it does not start.
    static OwnedProcess Start(const std::string& commandLine, const std::string& folder = {},
                              const std::string& output = {});
    // The process that made a window, for ending it.
    static OwnedProcess OfWindow(HWND window);

    bool started() const { return process_.valid(); }
    explicit operator bool() const { return started(); }
    DWORD id() const { return id_; }
    bool running() const;
    // Waits for the end within the limit (scaled); true when it has ended.
    bool WaitForExit(DWORD limitMs) const;
    // The exit code once it has ended; -1 before that or when it never started.
    int ExitCode() const;
    // Ends it the hard way if it still runs, and waits until it is gone.
    void Terminate();

private:
    win32::ScopedHandle process_;
    DWORD id_ = 0;
};

// What a console program printed, standard output and standard error together.
struct ProgramRun {
    int code = -1;
    std::string output;
};

// Runs a command line and waits for it; the exit code, or -1 when it did not start or end.
int RunAndWait(const std::string& commandLine, DWORD limitMs = 20000);
// Runs a command line and waits for it, its output going through the file `capture`.
ProgramRun RunCapturing(const std::string& commandLine, const std::string& capture, DWORD limitMs = 20000);

}  // namespace sorabell::testing
