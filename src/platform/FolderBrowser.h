#pragma once
// The shell's folder browser: the modal dialog that lets the user pick an item of the shell's
// namespace, the live dialog window while it is shown, and the shell items it deals in. The
// Win32 backend is SHBrowseForFolder with its callback and the dialog's own window; the
// simulated one is a chooser whose user a test plays.
//
// Every event arrives inside Browse, on the user-interface thread, through the toolkit's
// dispatch: an exception ends that event only.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Desktop.h"
#include "platform/Toolkit.h"

namespace sorabell::platform {

// An item of the shell's namespace (on Windows an item ID list). Whoever holds the pointer owns
// the item; the item an event hands over belongs to the dialog and lives for that event only.
class ShellItem {
public:
    virtual ~ShellItem() = default;
};

// The shell's own flags of a browse (BIF_*).
inline constexpr uint32_t kBrowseFileSysDirsOnly = 0x0001;
inline constexpr uint32_t kBrowseDontGoBelowDomain = 0x0002;
inline constexpr uint32_t kBrowseStatusText = 0x0004;
inline constexpr uint32_t kBrowseFileSysAncestors = 0x0008;
inline constexpr uint32_t kBrowseForComputer = 0x1000;
inline constexpr uint32_t kBrowseForPrinter = 0x2000;

struct BrowseRequest {
    WindowHandle owner = 0;           // 0: no owner
    const ShellItem* root = nullptr;  // none: the whole namespace
    std::string instruction;          // the text above the folder tree; empty: none
    uint32_t flags = 0;               // kBrowse* flags
};

struct BrowseResult {
    std::unique_ptr<ShellItem> item;  // none when the user cancelled
    std::string displayName;
    int imageIndex = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

// GetDialogBaseUnits: pixels per 4 horizontal and per 8 vertical dialog units.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

// Where a text fitted into a box loses what does not fit.
enum class Ellipsis {
    Path,  // in the middle, keeping the last part of a path
    End,
};

// The button-like controls of a form that can be copied into the dialog.
enum class ButtonKind { Button, CheckBox, RadioButton };

// A form control's copy inside the dialog, gone with this object (or with the dialog). Its place
// is in the dialog's client coordinates; a new copy has its template's place and size.
class ButtonCopy : public Control {
public:
    virtual WindowHandle handle() const = 0;
    virtual ButtonKind kind() const = 0;
    virtual std::string caption() const = 0;
    // Always false for a plain button.
    virtual bool checked() const = 0;
    virtual Bounds bounds() const = 0;
    virtual void SetBounds(const Bounds& bounds) = 0;
    // Gives the template the copy's caption and size; the template keeps its place. The check
    // state is the template's own business: it goes through the control's toolkit interface.
    virtual void CarryBack() = 0;

    // What the dialog's owner of the copy runs when the copy is clicked.
    std::function<void()> OnClick;
};

// The dialog window while it is shown.
class BrowseDialog {
public:
    virtual ~BrowseDialog() = default;

    virtual WindowHandle handle() const = 0;
    virtual Rect windowRect() const = 0;
    virtual Size clientSize() const = 0;
    // Keeps the size, the place in the Z order and the activation.
    virtual void MoveTo(int x, int y) = 0;
    // The window's caption, up to 255 bytes.
    virtual std::string caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // The shell's own messages: the status line, OK's enabled state, the selected folder.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void EnableOk(bool enabled) = 0;
    virtual void SelectPath(const std::string& path) = 0;
    // The OK button (control 1), when the dialog has one.
    virtual bool hasOkButton() const = 0;
    virtual bool okEnabled() const = 0;
    // Puts the keyboard focus on the folder tree (control 14145).
    virtual void FocusFolderTree() = 0;
    // The text as drawn into `box` with the dialog's font, shortened to its width, without
    // prefix processing.
    virtual std::string FitText(const std::string& text, const Rect& box, Ellipsis ellipsis) = 0;
    // A copy of a control of a form, a child of the dialog, hidden until shown. The template
    // must be of that kind and outlive the copy.
    virtual std::unique_ptr<ButtonCopy> CopyButton(Control& templ, ButtonKind kind) = 0;
    // Closes the dialog as its system menu does; no event reaches the caller after this.
    virtual void Close() = 0;
};

// What the owner of a browse hears while the dialog is up. The dialog's window messages that it
// hears come after the dialog's own handling, but for Command, which comes before.
class BrowseEvents {
public:
    virtual ~BrowseEvents() = default;
    // The dialog has been set up (BFFM_INITIALIZED).
    virtual void Initialized(BrowseDialog& dialog) = 0;
    // The selection moved (BFFM_SELCHANGED).
    virtual void SelectionChanged(BrowseDialog& dialog, const ShellItem& item) = 0;
    // The window was shown or hidden (WM_SHOWWINDOW).
    virtual void Shown(BrowseDialog& dialog) = 0;
    // A WM_COMMAND: true when handled, so that the dialog does not see it.
    virtual bool Command(BrowseDialog& dialog, int id, int code, WindowHandle from) = 0;
    // WM_DESTROY: the dialog's children still exist.
    virtual void Destroying(BrowseDialog& dialog) = 0;
    // WM_NCDESTROY: the window has gone, and the BrowseDialog object with it when this returns.
    virtual void Destroyed() = 0;
};

class FolderBrowser {
public:
    virtual ~FolderBrowser() = default;

    // Shows the modal dialog and returns when the user has closed it.
    virtual BrowseResult Browse(const BrowseRequest& request, BrowseEvents& events) = 0;
    // The item's file-system path; empty for an item without one.
    virtual std::string PathOf(const ShellItem& item) = 0;
    // A special folder by its CSIDL value; none when the shell cannot resolve it.
    virtual std::unique_ptr<ShellItem> SpecialFolder(WindowHandle owner, int csidl) = 0;
    virtual DialogBaseUnits BaseUnits() = 0;

    // What placing the dialog needs of the other windows.
    virtual Size ScreenSize() = 0;
    virtual Rect WindowRect(WindowHandle window) = 0;
    virtual Point ClientToScreen(WindowHandle window, Point point) = 0;
    virtual void Focus(WindowHandle window) = 0;
};

}  // namespace sorabell::platform
