#pragma once
// Forms and timers as plain objects: tests deliver messages, fire timers and read what the
// application showed.

#include <functional>
#include <string>
#include <vector>

#include "platform/MenuItems.h"
#include "platform/Toolkit.h"
#include "platform/sim/SimContainer.h"
#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimFolderBrowser.h"
#include "platform/sim/SimWidgets.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace sorabell::sim {

class SimToolkit;

class SimForm : public SimContainer<platform::Form> {
public:
    SimForm(SimToolkit& toolkit, platform::FormSpec spec, platform::WindowHandle handle);
    ~SimForm() override;
    SimForm(const SimForm&) = delete;
    SimForm& operator=(const SimForm&) = delete;

    platform::WindowHandle handle() const override { return handle_; }
    std::string caption() const override { return spec_.caption; }
    void SetCaption(const std::string& caption) override;
    bool visible() const override { return spec_.visible; }
    void SetVisible(bool visible) override { spec_.visible = visible; }
    platform::Rect windowRect() const override;
    void MoveTo(int left, int top) override;
    void Close() override;
    bool closed() const override { return closed_; }
    bool parentShowing() const override { return spec_.visible && !closed_; }

    const std::string& className() const { return spec_.className; }
    int clientWidth() const { return spec_.clientWidth; }
    int clientHeight() const { return spec_.clientHeight; }
    // A message arriving through the message loop; false when the form did not handle it.
    bool Deliver(const platform::WindowMessage& message);

    // The frame the simulated window has around its client area.
    static constexpr int kFrame = 3;
    static constexpr int kCaptionHeight = 19;

private:
    SimToolkit& toolkit_;
    platform::FormSpec spec_;
    platform::WindowHandle handle_;
    platform::Point position_;
    bool closed_ = false;
};

// A colour chooser that records how it was opened and answers as the test asked.
class SimColorDialog : public platform::ColorDialog {
public:
    explicit SimColorDialog(SimToolkit& toolkit) : toolkit_(toolkit) {}
    bool Execute() override;

private:
    SimToolkit& toolkit_;
};

class SimTimer : public platform::Timer {
public:
    explicit SimTimer(SimToolkit& toolkit) : toolkit_(toolkit) {}

    uint32_t interval() const override { return interval_; }
    void SetInterval(uint32_t milliseconds) override { interval_ = milliseconds; }
    bool enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    // One elapsed interval: the handler runs when the timer is enabled.
    void Fire();

private:
    SimToolkit& toolkit_;
    uint32_t interval_ = 1000;
    bool enabled_ = true;
};

// A popup menu that records where it was opened and picks the item a test asked for.
class SimPopupMenu : public platform::ItemPopupMenu {
public:
    explicit SimPopupMenu(SimToolkit& toolkit) : toolkit_(toolkit) {}
    void Popup(int x, int y) override;

    // Where the menu was opened, in order.
    std::vector<platform::Point> popups;
    // The item the next Popup chooses; -1 closes the menu without a choice.
    int nextChoice = -1;
    // What happens while the next menu is open (a close request reaching the form, say).
    std::function<void()> whileOpen;

private:
    SimToolkit& toolkit_;
};

class SimToolkit : public platform::Toolkit {
public:
    // With a desktop, the forms are windows of it: other programs find them and post to them.
    explicit SimToolkit(SimDesktop* desktop = nullptr) : desktop_(desktop) {}

    void SetTitle(const std::string& title) override { title_ = title; }
    std::string title() const override { return title_; }
    std::unique_ptr<platform::Form> CreateForm(const platform::FormSpec& spec) override;
    std::unique_ptr<platform::Timer> CreateTimer() override;
    std::unique_ptr<platform::PopupMenu> CreatePopupMenu(platform::Form& owner) override;
    void Run() override {}
    void ShowMessage(const std::string& text) override { shownMessages.push_back(text); }
    void ShowInformation(const std::string& text, const std::string& caption) override {
        shownInformation.push_back(caption + ": " + text);
    }
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool AskSystemYesNo(const std::string& text, const std::string& title) override;
    std::unique_ptr<platform::ColorDialog> CreateColorDialog(platform::Form& owner) override;
    // The installed font families, as fontconfig names them.
    std::vector<std::string> ScreenFontFaces() override;
    bool RegisterCursor(int index, const std::string& resourceName) override;
    platform::Rect ScreenRect() override { return screen; }
    std::vector<platform::Rect> WorkAreas() override;
    SimFolderBrowser& folderBrowser() override { return folderBrowser_; }

    // The open form of that class (and caption, when given), or null.
    SimForm* FindForm(const std::string& className, const std::string& caption = {}) const;

    std::vector<std::string> shownMessages;
    // Information boxes as shown ("caption: text").
    std::vector<std::string> shownInformation;
    // Yes/No questions as asked ("title: text"), and the answers the test gives, in order;
    // without one left the answer is No.
    std::vector<std::string> questions;
    std::deque<bool> answers;
    // What happens while the next question is open (a close request reaching a form, say).
    std::function<void()> whileAsking;
    // The questions, in order, that were system-modal.
    std::vector<bool> systemModal;

    // The colour dialog's answers in order: a colour for OK, none for Cancel (also when none
    // is left); and the colours it was opened on.
    std::deque<std::optional<TColor>> colorAnswers;
    std::vector<TColor> colorDialogOpenedOn;
    // The program's cursor resources, and the table they were registered in.
    std::set<std::string> cursorResources;
    std::map<int, std::string> cursors;
    // The font families ScreenFontFaces answers; fontconfig's when not set.
    std::optional<std::vector<std::string>> fontFaces;
    platform::Rect screen{0, 0, 1024, 768};
    // Screens beside the primary one, each its own work area.
    std::vector<platform::Rect> otherScreens;

private:
    friend class SimForm;
    SimDesktop* desktop_;
    std::string title_;
    std::vector<SimForm*> forms_;
    platform::WindowHandle nextHandle_ = 0x10010;
    SimFolderBrowser folderBrowser_{*this};
};

}  // namespace sorabell::sim
