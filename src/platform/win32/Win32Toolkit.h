#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>

#include "platform/Toolkit.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32FolderBrowser.h"
#include "platform/win32/Win32Subclass.h"

namespace sorabell::win32 {

class FontCache;
class Win32Timer;

class Win32Toolkit : public platform::Toolkit {
public:
    explicit Win32Toolkit(HINSTANCE instance);
    ~Win32Toolkit() override;
    Win32Toolkit(const Win32Toolkit&) = delete;
    Win32Toolkit& operator=(const Win32Toolkit&) = delete;

    void SetTitle(const std::string& title) override { title_ = title; }
    std::string title() const override { return title_; }
    std::unique_ptr<platform::Form> CreateForm(const platform::FormSpec& spec) override;
    std::unique_ptr<platform::Timer> CreateTimer() override;
    std::unique_ptr<platform::PopupMenu> CreatePopupMenu(platform::Form& owner) override;
    void Run() override;
    void ShowMessage(const std::string& text) override;
    void ShowInformation(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    bool AskSystemYesNo(const std::string& text, const std::string& title) override;
    std::unique_ptr<platform::ColorDialog> CreateColorDialog(platform::Form& owner) override;
    std::vector<std::string> ScreenFontFaces() override;
    bool RegisterCursor(int index, const std::string& resourceName) override;
    platform::Rect ScreenRect() override;
    std::vector<platform::Rect> WorkAreas() override;
    Win32FolderBrowser& folderBrowser() override { return folderBrowser_; }

    HINSTANCE instance() const { return instance_; }
    // A cursor of the table; null when none is registered under the index.
    HCURSOR Cursor(int index) const;
    const std::shared_ptr<FontCache>& fonts() const { return fonts_; }

private:
    friend class Win32Form;
    friend class Win32Timer;
    std::optional<LRESULT> TimerMessage(UINT message, WPARAM wParam);

    HINSTANCE instance_;
    std::string title_;
    std::map<UINT_PTR, Win32Timer*> timers_;
    std::map<int, HCURSOR> cursors_;  // shared resources of the program: never destroyed
    std::shared_ptr<FontCache> fonts_;
    UINT_PTR nextTimerId_ = 1;
    bool hasMainForm_ = false;
    ScopedWindow timerWindow_;  // receives the WM_TIMER of every timer; goes before the timers do
    ScopedSubclass timerSubclass_;
    Win32FolderBrowser folderBrowser_{*this};
};

}  // namespace sorabell::win32
