#pragma once
// The widget toolkit the forms are written against: top-level forms that receive window
// messages and hold controls, timers, popup menus, the application's message loop, message
// boxes and the system's common dialogs. The Win32 backend
// makes real windows; the simulated one keeps plain objects whose events tests fire.
//
// An exception that escapes a handler is caught by the toolkit's dispatch and shown as the
// application's error message; it ends that handler only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Widgets.h"

namespace sorabell::platform {

using WindowHandle = uintptr_t;

class FolderBrowser;

struct WindowMessage {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

struct FormSpec {
    std::string className;  // the window class other programs find the form by
    std::string caption;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
};

// The font of the forms' controls: "ＭＳ Ｐゴシック", 12 pixels, Shift-JIS.
inline constexpr const char* kFormFontName = "ＭＳ Ｐゴシック";
inline constexpr int kFormFontHeight = -12;

class Form : public Container {
public:
    virtual WindowHandle handle() const = 0;
    virtual std::string caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual bool visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // The outer window's place on the screen.
    virtual Rect windowRect() const = 0;
    virtual void MoveTo(int left, int top) = 0;
    // As a WM_CLOSE: asks OnCloseQuery, runs OnClose, then the window goes; closing the main
    // form ends the loop.
    virtual void Close() = 0;
    virtual bool closed() const = 0;

    // A message posted or sent to the form; true when it was handled.
    std::function<bool(const WindowMessage&)> OnMessage;
    // Asked before every close, a WM_CLOSE from outside included; false keeps the form open.
    std::function<bool()> OnCloseQuery;
    // The form's close handler (FormClose).
    std::function<void()> OnClose;
};

class Timer {
public:
    virtual ~Timer() = default;
    virtual uint32_t interval() const = 0;
    virtual void SetInterval(uint32_t milliseconds) = 0;
    virtual bool enabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    std::function<void()> OnTimer;
};

// A popup menu of a form: items with a caption ("-" makes a separator), a click handler and
// their enabled, visible and checked states.
class PopupMenu {
public:
    virtual ~PopupMenu() = default;
    // The index of the new item.
    virtual int AddItem(const std::string& caption, std::function<void()> onClick = {}) = 0;
    virtual std::string caption(int item) const = 0;
    virtual bool enabled(int item) const = 0;
    virtual void SetEnabled(int item, bool enabled) = 0;
    virtual bool visible(int item) const = 0;
    virtual void SetVisible(int item, bool visible) = 0;
    virtual bool checked(int item) const = 0;
    virtual void SetChecked(int item, bool checked) = 0;
    // Shows the menu at a screen position; returns when it has closed, after the chosen item's
    // handler has run.
    virtual void Popup(int x, int y) = 0;
};

class Toolkit {
public:
    virtual ~Toolkit() = default;

    virtual void SetTitle(const std::string& title) = 0;
    virtual std::string title() const = 0;
    // The first form made is the application's main form.
    virtual std::unique_ptr<Form> CreateForm(const FormSpec& spec) = 0;
    virtual std::unique_ptr<Timer> CreateTimer() = 0;
    virtual std::unique_ptr<PopupMenu> CreatePopupMenu(Form& owner) = 0;
    // Runs the message loop until the main form has closed.
    virtual void Run() = 0;
    // A message box with an OK button, captioned with the application's title.
    virtual void ShowMessage(const std::string& text) = 0;
    // A message box with an OK button and the information icon, under its own caption.
    virtual void ShowInformation(const std::string& text, const std::string& caption) = 0;
    // A message box with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // The same, system-modal: it stays in front of every window until answered.
    virtual bool AskSystemYesNo(const std::string& text, const std::string& title) = 0;
    virtual std::unique_ptr<ColorDialog> CreateColorDialog(Form& owner) = 0;
    // The face names of the screen's fonts in the system's order, one entry a face.
    virtual std::vector<std::string> ScreenFontFaces() = 0;
    // Loads the program's cursor resource of that name into the cursor table under `index`;
    // false when the program has none.
    virtual bool RegisterCursor(int index, const std::string& resourceName) = 0;
    // The primary screen, from (0, 0).
    virtual Rect ScreenRect() = 0;
    // The part of each screen that windows may take (without the task bar), the primary first.
    virtual std::vector<Rect> WorkAreas() = 0;
    // The shell's folder browse dialog (platform/FolderBrowser.h).
    virtual FolderBrowser& folderBrowser() = 0;
};

// Runs a handler as the toolkit's dispatch does: an escaping exception is shown, not rethrown.
void Dispatch(Toolkit& toolkit, const std::function<void()>& handler);

}  // namespace sorabell::platform
