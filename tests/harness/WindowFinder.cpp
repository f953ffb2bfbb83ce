#include "harness/WindowFinder.h"

#include <utility>

#include "harness/OwnedProcess.h"
#include "harness/Waits.h"

namespace sorabell::testing {

namespace {

using ClassSearch = std::pair<const char*, std::vector<HWND>>;

BOOL CALLBACK CollectOfClass(HWND child, LPARAM data) {
    auto& search = *reinterpret_cast<ClassSearch*>(data);
    char name[64] = {};
    ::GetClassNameA(child, name, sizeof name);
    if (::lstrcmpiA(name, search.first) == 0) {
        search.second.push_back(child);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(const char* className, const char* title) {
    std::vector<HWND> found;
    for (HWND w = ::FindWindowExA(nullptr, nullptr, className, title); w != nullptr;
         w = ::FindWindowExA(nullptr, w, className, title)) {
        found.push_back(w);
    }
    return found;
}

HWND WaitForWindow(const char* className, const char* title, DWORD limitMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = ::FindWindowA(className, title)) != nullptr; }, limitMs);
    return found;
}

std::vector<HWND> ChildWindows(HWND parent, const char* className) {
    ClassSearch search{className, {}};
    ::EnumChildWindows(parent, CollectOfClass, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

HWND ChildWithText(HWND parent, const char* className, const std::string& text) {
    for (HWND w : ChildWindows(parent, className)) {
        if (TextOf(w) == text) {
            return w;
        }
    }
    return nullptr;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, Scaled(5000),
                          &copied);
    return text;
}

void EndProcessOf(HWND window, DWORD graceMs) {
    const OwnedProcess process = OwnedProcess::OfWindow(window);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    // What is still running then is ended as the owner goes.
    process.WaitForExit(graceMs);
}

std::string DescribeWindowAt(POINT screen) {
    HWND window = ::WindowFromPoint(screen);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return "at " + std::to_string(screen.x) + "," + std::to_string(screen.y) + ": " + name + " of process " +
           std::to_string(pid);
}

}  // namespace sorabell::testing
