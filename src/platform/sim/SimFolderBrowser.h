#pragma once
// The shell's folder browser as a chooser that a test plays. While the dialog is "modal", `user`
// acts as the user would: it selects folders or items without a path, clicks the copied button,
// presses OK or Cancel, and reads what the dialog shows. A dialog it leaves open is cancelled.
// Events reach the browse's owner in the real dialog's order: set up, shown, then whatever the
// user does; a selection asked for by path selects that path (every path exists here).
//
// Text fitting is a fixed-width model: every byte is 6 pixels wide, "..." included. The end
// ellipsis keeps the longest start of whole characters that fits with "..." after it. The path
// ellipsis keeps the text from its last "\" and the longest start before it that fits with "..."
// between them; when not even "..." and that last part fit, it is the end ellipsis.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FolderBrowser.h"

namespace sorabell::sim {

inline constexpr int kSimCharWidth = 6;

class SimShellItem : public platform::ShellItem {
public:
    SimShellItem(std::string itemPath, std::string name, int image = 0, int specialFolder = -1)
        : path(std::move(itemPath)), displayName(std::move(name)), imageIndex(image), csidl(specialFolder) {}

    std::string path;  // empty: no file-system path
    std::string displayName;
    int imageIndex;
    int csidl;  // the special folder it stands for; -1 for others
};

class SimFolderBrowser;
class SimBrowseDialog;

class SimButtonCopy : public platform::ButtonCopy {
public:
    SimButtonCopy(SimBrowseDialog& dialog, platform::Control& templ, platform::ButtonKind kind,
                  platform::WindowHandle handle);
    ~SimButtonCopy() override;
    SimButtonCopy(const SimButtonCopy&) = delete;
    SimButtonCopy& operator=(const SimButtonCopy&) = delete;

    bool visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    bool showing() const override { return visible_ && dialog_ != nullptr; }
    bool enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    platform::WindowHandle handle() const override { return handle_; }
    platform::ButtonKind kind() const override { return kind_; }
    std::string caption() const override { return caption_; }
    bool checked() const override { return checked_; }
    platform::Bounds bounds() const override { return bounds_; }
    void SetBounds(const platform::Bounds& bounds) override { bounds_ = bounds; }
    void CarryBack() override;

    // The user's click: a check box toggles, then the dialog hears of it. Nothing happens while
    // the copy is hidden or disabled.
    void Click();

private:
    friend class SimBrowseDialog;

    SimBrowseDialog* dialog_;
    platform::Control& template_;
    platform::ButtonKind kind_;
    platform::WindowHandle handle_;
    std::string caption_;
    bool checked_ = false;
    platform::Bounds bounds_;
    bool visible_ = false;
    bool enabled_ = true;
};

class SimBrowseDialog : public platform::BrowseDialog {
public:
    SimBrowseDialog(SimFolderBrowser& browser, platform::BrowseEvents& events, platform::WindowHandle handle);
    ~SimBrowseDialog() override;
    SimBrowseDialog(const SimBrowseDialog&) = delete;
    SimBrowseDialog& operator=(const SimBrowseDialog&) = delete;

    platform::WindowHandle handle() const override { return handle_; }
    platform::Rect windowRect() const override { return rect_; }
    platform::Size clientSize() const override { return client_; }
    void MoveTo(int x, int y) override;
    std::string caption() const override { return caption_.substr(0, 255); }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    void SetStatusText(const std::string& text) override { statusText_ = text; }
    void EnableOk(bool enabled) override { okEnabled_ = enabled; }
    void SelectPath(const std::string& path) override;
    bool hasOkButton() const override { return true; }
    bool okEnabled() const override { return okEnabled_; }
    void FocusFolderTree() override { ++treeFocused_; }
    std::string FitText(const std::string& text, const platform::Rect& box, platform::Ellipsis ellipsis) override;
    std::unique_ptr<platform::ButtonCopy> CopyButton(platform::Control& templ, platform::ButtonKind kind) override;
    void Close() override;

    // What the user does.
    void Select(const std::string& path);
    void Select(const SimShellItem& item);
    // As a click on OK, which does nothing while OK is disabled; false then.
    bool Ok();
    void Cancel();

    // What the user sees.
    const std::string& statusText() const { return statusText_; }
    int treeFocused() const { return treeFocused_; }
    SimButtonCopy* copy() const { return copy_; }
    const std::optional<SimShellItem>& selection() const { return selection_; }
    bool ended() const { return ended_; }

private:
    friend class SimFolderBrowser;
    friend class SimButtonCopy;

    template <class Event>
    void Tell(Event&& event);
    // The dialog's own handling of a WM_COMMAND that its owner left to it.
    void Command(int id, platform::WindowHandle from);
    void End(bool confirmed);

    SimFolderBrowser& browser_;
    platform::BrowseEvents* events_;  // none once its owner has closed it
    platform::WindowHandle handle_;
    platform::Rect rect_;
    platform::Size client_;
    std::string caption_ = "フォルダの参照";
    std::string statusText_;
    bool okEnabled_ = true;
    int treeFocused_ = 0;
    std::optional<SimShellItem> selection_;
    SimButtonCopy* copy_ = nullptr;
    bool ended_ = false;
    bool confirmed_ = false;
};

class SimFolderBrowser : public platform::FolderBrowser {
public:
    explicit SimFolderBrowser(platform::Toolkit& toolkit) : toolkit_(toolkit) {}
    SimFolderBrowser(const SimFolderBrowser&) = delete;
    SimFolderBrowser& operator=(const SimFolderBrowser&) = delete;

    platform::BrowseResult Browse(const platform::BrowseRequest& request, platform::BrowseEvents& events) override;
    std::string PathOf(const platform::ShellItem& item) override;
    std::unique_ptr<platform::ShellItem> SpecialFolder(platform::WindowHandle owner, int csidl) override;
    platform::DialogBaseUnits BaseUnits() override { return baseUnits; }
    platform::Size ScreenSize() override { return screen; }
    platform::Rect WindowRect(platform::WindowHandle window) override;
    platform::Point ClientToScreen(platform::WindowHandle window, platform::Point point) override;
    void Focus(platform::WindowHandle window) override { focused = window; }

    // The dialog while it is shown, or null.
    SimBrowseDialog* shown() const { return shown_; }

    // What a browse was asked for.
    struct Request {
        platform::WindowHandle owner = 0;
        int rootCsidl = -1;  // -1: no root
        std::string instruction;
        uint32_t flags = 0;
    };
    std::vector<Request> requests;

    // The user of the next dialogs.
    std::function<void(SimBrowseDialog&)> user;

    // The screen and the other windows, as the test sets them up.
    struct Window {
        platform::Rect rect;
        platform::Point clientOrigin;  // on the screen
    };
    std::map<platform::WindowHandle, Window> windows;
    platform::Size screen{1024, 768};
    platform::DialogBaseUnits baseUnits{8, 16};
    // The dialog's window when it opens, and its client size.
    platform::Rect dialogRect{0, 0, 430, 401};
    platform::Size dialogClient{424, 376};
    // Special folders the shell cannot resolve.
    std::set<int> unresolvable;
    // The window that got the focus last.
    platform::WindowHandle focused = 0;

private:
    friend class SimBrowseDialog;

    platform::Toolkit& toolkit_;
    SimBrowseDialog* shown_ = nullptr;
    platform::WindowHandle nextHandle_ = 0x20010;
};

}  // namespace sorabell::sim
