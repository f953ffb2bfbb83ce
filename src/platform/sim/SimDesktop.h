#pragma once
// The simulated desktop: the windows of every simulated program, their titles, sizes and
// message handlers, a queue of posted messages that a test pumps, and the hook library's work
// done with the same rules as the real library's.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/HookLibrary.h"

namespace sorabell::sim {

class SimBitmap;

class SimDesktop : public platform::Desktop {
public:
    using Handler = std::function<intptr_t(const platform::WindowMessage&)>;

    struct Window {
        std::string className;
        std::string title;
        platform::Rect rect;
        platform::WindowHandle parent = 0;
        Handler handler;
        // List boxes: their items and the selected one (-1: none).
        std::vector<std::string> items;
        int selected = -1;
        // What is painted on the window, in its own coordinates; null for a window that cannot
        // be drawn on.
        std::shared_ptr<SimBitmap> surface = nullptr;
        // Its program has stopped answering: sent messages get no answer, and never reach it.
        bool hung = false;
    };

    platform::WindowHandle AddWindow(Window window);
    void RemoveWindow(platform::WindowHandle window);
    Window* Find(platform::WindowHandle window);

    // A title set with WM_SETTEXT, as SetWindowText does: the call hook sees it.
    void SetTitle(platform::WindowHandle window, const std::string& title);
    // A new size: WM_SIZE, seen by the call hook.
    void SetRect(platform::WindowHandle window, platform::Rect rect);
    // A message sent to a window's procedure: the call hook sees it first.
    intptr_t Deliver(platform::WindowHandle window, const platform::WindowMessage& message);
    // A message of a window's queue (paint, timer, mouse): the message hook sees it.
    void Queue(platform::WindowHandle window, const platform::WindowMessage& message);
    // Delivers the posted messages in order, also those posted meanwhile; how many there were.
    size_t Pump();

    // The thread of the windows added from now on: a program started again gets another one.
    uint32_t newWindowThread = 1;

    // What SorabellSub.dll does while installed, with its own rules: both hooks on `thread`,
    // the call hook alone on `playListThread` (0: none).
    void InstallHooks(platform::WindowHandle display, uint32_t thread, uint32_t playListThread) {
        hookTarget_ = display;
        hookedThread_ = thread;
        playListHookThread_ = playListThread;
    }
    void RemoveHooks() { InstallHooks(0, 0, 0); }

    platform::WindowHandle FindTopLevel(const char* className, const char* title) override;
    std::string WindowText(platform::WindowHandle window, size_t bufferSize) override;
    std::optional<platform::Rect> WindowRect(platform::WindowHandle window) override;
    std::string ClassName(platform::WindowHandle window) override;
    uint32_t WindowThread(platform::WindowHandle window) override;
    std::vector<platform::WindowHandle> ChildWindows(platform::WindowHandle window) override;
    std::optional<intptr_t> Send(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) override;
    bool Post(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void InvalidateRect(platform::WindowHandle window) override;
    platform::Point CursorPos() override { return cursor; }
    std::optional<std::string> SelectedListBoxText(platform::WindowHandle listBox, size_t bufferSize) override;

    platform::Point cursor;
    // Windows that were asked to repaint, in order.
    std::vector<platform::WindowHandle> invalidated;
    // The windows whose process the hook library allowed to come to the front, with the number
    // of messages waiting in the queue at that moment.
    std::vector<std::pair<platform::WindowHandle, size_t>> foregroundLent;
    // Messages sent to hung windows, which gave up.
    std::vector<std::pair<platform::WindowHandle, uint32_t>> unanswered;

private:
    void HookSent(platform::WindowHandle window, const platform::WindowMessage& message);
    void HookQueued(platform::WindowHandle window, const platform::WindowMessage& message);

    bool CallHookOn(platform::WindowHandle window) const;

    std::map<platform::WindowHandle, Window> windows_;
    std::map<platform::WindowHandle, uint32_t> threads_;
    std::deque<std::pair<platform::WindowHandle, platform::WindowMessage>> queue_;
    platform::WindowHandle next_ = 0x20020;
    platform::WindowHandle hookTarget_ = 0;
    uint32_t hookedThread_ = 0;
    uint32_t playListHookThread_ = 0;
};

// The hook library on the simulated desktop.
class SimHookLibrary : public platform::HookLibrary {
public:
    explicit SimHookLibrary(SimDesktop* desktop = nullptr) : desktop_(desktop) {}
    bool sethook(platform::WindowHandle display, uint32_t thread, uint32_t playListThread) override;
    void freehook() override;

    // "sethook DISPLAY THREAD PLAYLISTTHREAD" and "freehook", in order.
    std::vector<std::string> calls;
    // The system refuses the hooks, as it does for a player running with higher rights.
    bool refuse = false;

private:
    SimDesktop* desktop_;
};

}  // namespace sorabell::sim
