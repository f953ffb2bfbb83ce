#pragma once
// TFolderDialog: the shell's folder browse dialog as a component of a form. Beyond the plain
// browse it offers a root among the special folders, a folder selected on opening, a caption and
// an instruction text, a status line showing the selected path shortened to fit, three ways of
// placing the dialog, OK only for folders with a file-system path, and a custom button: a button
// or check box of the host form copied into the dialog while it is shown, whose state comes back
// on OK.
//
// Properties read or written while the dialog is shown act on the dialog itself. Everything runs
// on the user-interface thread; the events arrive inside Execute.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/FolderBrowser.h"
#include "platform/Toolkit.h"

namespace sorabell::components {

// Bit numbers of TFolderDialogOptions.
enum TFolderDialogOption : uint8_t {
    bfFileSysDirsOnly,  // OK only while the selection has a file-system path
    bfDontGoBelowDomain,
    bfStatusText,  // the dialog has a status line
    bfFileSysAncestors,
    bfBrowseForComputer,  // setting it makes sfoNetwork the root
    bfBrowseForPrinter,
    bfShowPathInStatusArea,  // the status line shows the selected path; implies bfStatusText
    bfSyncCustomButton,      // the custom button is enabled exactly when OK is
    bfAlignCustomButton,     // the custom button sits at the left of the OK/Cancel row
    bfScreenCenter,
    bfParentCenter,        // centred over the owner form; wins over bfScreenCenter
    bfResizeCustomButton,  // the custom button takes the size of the dialog's own buttons
};

// A set of options, stored in 16 bits.
class TFolderDialogOptions {
public:
    constexpr TFolderDialogOptions() = default;
    constexpr TFolderDialogOptions(std::initializer_list<TFolderDialogOption> options) {
        for (const TFolderDialogOption option : options) {
            *this += option;
        }
    }
    static constexpr TFolderDialogOptions FromBits(uint16_t bits) {
        TFolderDialogOptions options;
        options.bits_ = bits;
        return options;
    }

    constexpr uint16_t bits() const { return bits_; }
    constexpr bool contains(TFolderDialogOption option) const { return (bits_ & Bit(option)) != 0; }
    constexpr TFolderDialogOptions& operator+=(TFolderDialogOption option) {
        bits_ = static_cast<uint16_t>(bits_ | Bit(option));
        return *this;
    }
    constexpr TFolderDialogOptions& operator-=(TFolderDialogOption option) {
        bits_ = static_cast<uint16_t>(bits_ & ~Bit(option));
        return *this;
    }
    friend constexpr TFolderDialogOptions operator+(TFolderDialogOptions options, TFolderDialogOption option) {
        return options += option;
    }
    friend constexpr TFolderDialogOptions operator-(TFolderDialogOptions options, TFolderDialogOption option) {
        return options -= option;
    }
    friend constexpr bool operator==(TFolderDialogOptions, TFolderDialogOptions) = default;

private:
    static constexpr uint16_t Bit(TFolderDialogOption option) { return static_cast<uint16_t>(1u << option); }

    uint16_t bits_ = 0;
};

// The top of the folder tree: the whole namespace, or a special folder.
enum TShellFolder : uint8_t {
    sfoDesktopExpanded,
    sfoDesktop,
    sfoPrograms,
    sfoControlPanel,
    sfoPrinters,
    sfoPersonal,
    sfoFavorites,
    sfoStartup,
    sfoRecent,
    sfoSendto,
    sfoRecycleBin,
    sfoStartMenu,
    sfoDesktopDirectory,
    sfoMyComputer,
    sfoNetwork,
    sfoNetworkNeighborhood,
    sfoFonts,
    sfoTemplates,
    sfoCommonStartMenu,
    sfoCommonPrograms,
    sfoCommonStartup,
    sfoCommonDesktopDirectory,
    sfoAppData,
    sfoPrintHood,
};

// The special folder's CSIDL value; -1 for sfoDesktopExpanded, which has none.
int CsidlOf(TShellFolder folder);

inline constexpr TFolderDialogOptions kDefaultFolderDialogOptions{
    bfFileSysDirsOnly, bfStatusText, bfShowPathInStatusArea, bfSyncCustomButton, bfAlignCustomButton, bfParentCenter};

class TFolderDialog : private platform::BrowseEvents {
public:
    // The owner form places the dialog and owns the custom button; it outlives the component.
    TFolderDialog(platform::Form& owner, platform::Toolkit& toolkit);
    // A dialog still shown is closed.
    ~TFolderDialog() override;
    TFolderDialog(const TFolderDialog&) = delete;
    TFolderDialog& operator=(const TFolderDialog&) = delete;

    // Shows the modal dialog; true when the user confirmed a folder.
    bool Execute();

    int Top() const { return top_; }
    void SetTop(int top);
    int Left() const { return left_; }
    void SetLeft(int left);
    std::string Title() const;
    void SetTitle(const std::string& title);
    // While shown, the path of the current selection; moving it there leaves the stored value.
    std::string Directory() const;
    void SetDirectory(const std::string& directory);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text) { text_ = text; }
    const std::string& StatusText() const { return statusText_; }
    void SetStatusText(const std::string& text);
    TFolderDialogOptions Options() const { return options_; }
    void SetOptions(TFolderDialogOptions options);
    TShellFolder RootFolder() const { return rootFolder_; }
    void SetRootFolder(TShellFolder folder);
    // A button or check box of the owner form, or null. Read while shown, the dialog's copy.
    // Once the button is freed the dialog forgets it.
    platform::Control* CustomButton() const;
    void SetCustomButton(platform::Control* button);

    // Of the last confirmed Execute.
    const std::string& DisplayName() const { return displayName_; }
    int ImageIndex() const { return imageIndex_; }
    // The dialog's window while it is shown; 0 otherwise.
    platform::WindowHandle Handle() const;

    // The dialog has been set up.
    std::function<void()> OnShow;
    // The dialog's window has gone.
    std::function<void()> OnClose;
    // The selection moved to an item with a file-system path.
    std::function<void()> OnChange;

private:
    void Initialized(platform::BrowseDialog& dialog) override;
    void SelectionChanged(platform::BrowseDialog& dialog, const platform::ShellItem& item) override;
    void Shown(platform::BrowseDialog& dialog) override;
    bool Command(platform::BrowseDialog& dialog, int id, int code, platform::WindowHandle from) override;
    void Destroying(platform::BrowseDialog& dialog) override;
    void Destroyed() override;

    void Place(platform::BrowseDialog& dialog);
    void ShowStatus(platform::BrowseDialog& dialog);
    void CopyCustomButton(platform::BrowseDialog& dialog);
    void CarryCustomButtonBack();
    // The custom button while it lives, else null.
    platform::Control* Template() const;
    int ScaleX(int pixels) const;
    int ScaleY(int pixels) const;
    // A copy runs: the handler may free this component.
    void Fire(std::function<void()> handler);

    platform::Form& owner_;
    platform::Toolkit& toolkit_;
    platform::FolderBrowser& browser_;
    // The dialog template's areas in pixels, converted once from dialog units.
    platform::Rect dialogArea_;
    platform::Rect statusArea_;
    platform::Rect buttonCell_;

    platform::BrowseDialog* dialog_ = nullptr;  // while shown
    uint16_t top_ = 0;
    uint16_t left_ = 0;
    std::string title_ = "Browse for Folder";
    std::string text_;
    std::string statusText_;
    std::string displayName_;
    int imageIndex_ = 0;
    std::string directory_;
    std::string selectedPath_;
    TFolderDialogOptions options_ = kDefaultFolderDialogOptions;
    TShellFolder rootFolder_ = sfoDesktopExpanded;
    platform::Size client_;  // the dialog's, measured when it opens
    platform::Control* customButton_ = nullptr;
    std::weak_ptr<const void> customButtonLifetime_;  // customButton_'s removal notice
    std::unique_ptr<platform::ButtonCopy> copy_;
    std::function<void(bool)> carryCheck_;  // the template's check state from the copy's
    bool treeFocused_ = false;
    std::unique_ptr<platform::ShellItem> root_;
    std::unique_ptr<platform::ShellItem> selected_;
    // Cleared by the destructor: Execute may outlive the component when a handler frees it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace sorabell::components
