#pragma once
// The shell's SHBrowseForFolderA. While the dialog is up its window procedure is replaced, so
// that its messages reach the browse's owner before or after the dialog's own handling; the
// callback's events and those messages run through the toolkit's dispatch.

#include "platform/FolderBrowser.h"

namespace sorabell::win32 {

class Win32FolderBrowser : public platform::FolderBrowser {
public:
    explicit Win32FolderBrowser(platform::Toolkit& toolkit) : toolkit_(toolkit) {}
    Win32FolderBrowser(const Win32FolderBrowser&) = delete;
    Win32FolderBrowser& operator=(const Win32FolderBrowser&) = delete;

    platform::BrowseResult Browse(const platform::BrowseRequest& request, platform::BrowseEvents& events) override;
    std::string PathOf(const platform::ShellItem& item) override;
    std::unique_ptr<platform::ShellItem> SpecialFolder(platform::WindowHandle owner, int csidl) override;
    platform::DialogBaseUnits BaseUnits() override;
    platform::Size ScreenSize() override;
    platform::Rect WindowRect(platform::WindowHandle window) override;
    platform::Point ClientToScreen(platform::WindowHandle window, platform::Point point) override;
    void Focus(platform::WindowHandle window) override;

private:
    platform::Toolkit& toolkit_;
};

}  // namespace sorabell::win32
