#include "components/FolderDialog.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <utility>

#include "platform/Text.h"

namespace sorabell::components {

namespace {

constexpr int kOkCommand = 1;
constexpr int kClicked = 0;  // BN_CLICKED

// A rectangle of the shell's dialog template, in dialog units.
struct DialogUnitsRect {
    int x;
    int y;
    int width;
    int height;
};
// Its size in pixels is the size the dialog was designed at.
constexpr DialogUnitsRect kDialogArea{46, 21, 212, 188};
// The box the status text is fitted into; its left edge also aligns the custom button.
constexpr DialogUnitsRect kStatusArea{7, 27, 160, 12};
// The place and size of the dialog's own buttons.
constexpr DialogUnitsRect kButtonCell{154, 166, 50, 14};

platform::Rect ToPixels(const DialogUnitsRect& r, platform::DialogBaseUnits units) {
    return {r.x * units.x / 4, r.y * units.y / 8, (r.x + r.width) * units.x / 4, (r.y + r.height) * units.y / 8};
}

constexpr std::array<int, 24> kCsidl{-1, 0,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                     16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};

// The shell's flags of the options bfFileSysDirsOnly to bfBrowseForPrinter, by bit.
constexpr std::array<uint32_t, 6> kShellFlags{platform::kBrowseFileSysDirsOnly, platform::kBrowseDontGoBelowDomain,
                                              platform::kBrowseStatusText,      platform::kBrowseFileSysAncestors,
                                              platform::kBrowseForComputer,     platform::kBrowseForPrinter};

// What the copy needs of each kind of button-like control: a new kind is one more case here.
struct ButtonParts {
    platform::ButtonKind kind;
    const std::function<void()>& onClick;
    std::function<void(bool)> setChecked;  // none for a plain button
};

std::optional<ButtonParts> PartsOf(platform::Control& control) {
    if (auto* button = dynamic_cast<platform::Button*>(&control)) {
        return ButtonParts{platform::ButtonKind::Button, button->OnClick, {}};
    }
    if (auto* check = dynamic_cast<platform::CheckBox*>(&control)) {
        return ButtonParts{platform::ButtonKind::CheckBox, check->OnClick, [check](bool on) { check->SetChecked(on); }};
    }
    if (auto* radio = dynamic_cast<platform::RadioButton*>(&control)) {
        return ButtonParts{platform::ButtonKind::RadioButton, radio->OnClick,
                           [radio](bool on) { radio->SetChecked(on); }};
    }
    return std::nullopt;
}

}  // namespace

int CsidlOf(TShellFolder folder) { return kCsidl.at(folder); }

TFolderDialog::TFolderDialog(platform::Form& owner, platform::Toolkit& toolkit)
    : owner_(owner), toolkit_(toolkit), browser_(toolkit.folderBrowser()) {
    const platform::DialogBaseUnits units = browser_.BaseUnits();
    dialogArea_ = ToPixels(kDialogArea, units);
    statusArea_ = ToPixels(kStatusArea, units);
    buttonCell_ = ToPixels(kButtonCell, units);
}

TFolderDialog::~TFolderDialog() {
    *alive_ = false;
    if (dialog_ != nullptr) {
        dialog_->Close();
    }
}

bool TFolderDialog::Execute() {
    platform::BrowseRequest request;
    request.owner = owner_.handle();
    request.root = root_.get();
    request.instruction = text_;
    for (size_t bit = 0; bit < kShellFlags.size(); ++bit) {
        if (options_.contains(static_cast<TFolderDialogOption>(bit))) {
            request.flags |= kShellFlags[bit];
        }
    }
    selected_.reset();
    selectedPath_.clear();

    const std::shared_ptr<bool> alive = alive_;
    platform::BrowseResult result = browser_.Browse(request, *this);
    if (!*alive) {
        return false;
    }
    selected_ = std::move(result.item);
    selectedPath_ = selected_ ? browser_.PathOf(*selected_) : std::string();
    if (request.owner != 0) {
        browser_.Focus(request.owner);
    }
    if (!selected_) {
        return false;
    }
    imageIndex_ = result.imageIndex;
    displayName_ = result.displayName;
    directory_ = selectedPath_;
    return true;
}

void TFolderDialog::SetTop(int top) {
    top_ = static_cast<uint16_t>(top);
    if (dialog_ != nullptr) {
        Place(*dialog_);
    }
}

void TFolderDialog::SetLeft(int left) {
    left_ = static_cast<uint16_t>(left);
    if (dialog_ != nullptr) {
        Place(*dialog_);
    }
}

std::string TFolderDialog::Title() const { return dialog_ != nullptr ? dialog_->caption() : title_; }

void TFolderDialog::SetTitle(const std::string& title) {
    title_ = title;
    if (dialog_ != nullptr) {
        dialog_->SetCaption(title);
    }
}

std::string TFolderDialog::Directory() const { return dialog_ != nullptr ? selectedPath_ : directory_; }

void TFolderDialog::SetDirectory(const std::string& directory) {
    if (dialog_ != nullptr) {
        dialog_->SelectPath(directory);
    } else {
        directory_ = directory;
    }
}

void TFolderDialog::SetStatusText(const std::string& text) {
    statusText_ = text;
    if (dialog_ != nullptr) {
        ShowStatus(*dialog_);
    }
}

void TFolderDialog::SetOptions(TFolderDialogOptions options) {
    const TFolderDialogOptions old = options_;
    // Of the two centrings the one just added wins; added together, both stay.
    if (options.contains(bfScreenCenter) && options.contains(bfParentCenter)) {
        if (old.contains(bfScreenCenter)) {
            options -= bfScreenCenter;
        } else if (old.contains(bfParentCenter)) {
            options -= bfParentCenter;
        }
    }
    if (options.contains(bfBrowseForComputer) && !old.contains(bfBrowseForComputer)) {
        SetRootFolder(sfoNetwork);
        options -= bfFileSysDirsOnly;
        options -= bfFileSysAncestors;
        options -= bfBrowseForPrinter;
    } else if (options.contains(bfBrowseForPrinter) && !old.contains(bfBrowseForPrinter)) {
        options -= bfFileSysDirsOnly;
        options -= bfDontGoBelowDomain;
        options -= bfFileSysAncestors;
        options -= bfBrowseForComputer;
    }
    if (options.contains(bfShowPathInStatusArea)) {
        options += bfStatusText;
    }
    options_ = options;
}

void TFolderDialog::SetRootFolder(TShellFolder folder) {
    root_.reset();
    selected_.reset();
    rootFolder_ = folder;
    const int csidl = CsidlOf(folder);
    if (csidl >= 0) {
        root_ = browser_.SpecialFolder(owner_.handle(), csidl);
    }
}

platform::Control* TFolderDialog::CustomButton() const { return dialog_ != nullptr ? copy_.get() : Template(); }

platform::Control* TFolderDialog::Template() const { return customButtonLifetime_.expired() ? nullptr : customButton_; }

void TFolderDialog::SetCustomButton(platform::Control* button) {
    if (button != nullptr && !PartsOf(*button)) {
        throw std::invalid_argument("TFolderDialog: the custom button must be a button or a check box");
    }
    customButton_ = button;
    customButtonLifetime_ = button != nullptr ? button->lifetime() : std::weak_ptr<const void>();
}

platform::WindowHandle TFolderDialog::Handle() const { return dialog_ != nullptr ? dialog_->handle() : 0; }

void TFolderDialog::Initialized(platform::BrowseDialog& dialog) {
    dialog_ = &dialog;
    client_ = dialog.clientSize();
    Place(dialog);
    if (!directory_.empty()) {
        dialog.SelectPath(directory_);
    }
    if (Template() != nullptr) {
        CopyCustomButton(dialog);
    }
    dialog.SetCaption(title_);
    Fire(OnShow);
}

void TFolderDialog::SelectionChanged(platform::BrowseDialog& dialog, const platform::ShellItem& item) {
    selectedPath_ = browser_.PathOf(item);
    const bool hasPath = !selectedPath_.empty();
    if (options_.contains(bfFileSysDirsOnly)) {
        dialog.EnableOk(hasPath);
        if (options_.contains(bfSyncCustomButton) && copy_) {
            copy_->SetEnabled(hasPath);
        }
    }
    if (hasPath) {
        if (options_.contains(bfShowPathInStatusArea)) {
            statusText_ = selectedPath_;
            ShowStatus(dialog);
        }
        Fire(OnChange);
    } else if (options_.contains(bfFileSysDirsOnly) || options_.contains(bfShowPathInStatusArea)) {
        dialog.SetStatusText("");
    }
}

void TFolderDialog::Shown(platform::BrowseDialog& dialog) {
    if (!treeFocused_) {
        treeFocused_ = true;
        dialog.FocusFolderTree();
    }
}

bool TFolderDialog::Command(platform::BrowseDialog&, int id, int code, platform::WindowHandle from) {
    if (!copy_) {
        return false;
    }
    if (id == kOkCommand) {
        CarryCustomButtonBack();
        return false;
    }
    if (from == copy_->handle()) {
        if (code == kClicked) {
            Fire(copy_->OnClick);
        }
        return true;
    }
    return false;
}

void TFolderDialog::Destroying(platform::BrowseDialog&) {
    const std::shared_ptr<bool> alive = alive_;
    Fire(OnClose);
    if (*alive) {
        copy_.reset();
        carryCheck_ = nullptr;
    }
}

void TFolderDialog::Destroyed() {
    dialog_ = nullptr;
    copy_.reset();
    carryCheck_ = nullptr;
    treeFocused_ = false;
}

void TFolderDialog::Place(platform::BrowseDialog& dialog) {
    const platform::WindowHandle owner = owner_.handle();
    platform::Point at;
    if (options_.contains(bfParentCenter)) {
        const platform::Rect self = dialog.windowRect();
        const platform::Rect parent = browser_.WindowRect(owner);
        at = {parent.left + parent.width() / 2 - self.width() / 2, parent.top + parent.height() / 4};
    } else if (options_.contains(bfScreenCenter)) {
        const platform::Size screen = browser_.ScreenSize();
        at = {(screen.width - client_.width) / 2, (screen.height - client_.height) / 3};
    } else {
        at = {left_, top_};
        if (owner != 0) {
            at = browser_.ClientToScreen(owner, at);
        }
    }
    dialog.MoveTo(at.x, at.y);
}

// The "W" keeps room for one wide letter while fitting and goes after it.
void TFolderDialog::ShowStatus(platform::BrowseDialog& dialog) {
    const platform::Ellipsis ellipsis =
        options_.contains(bfShowPathInStatusArea) ? platform::Ellipsis::Path : platform::Ellipsis::End;
    std::string fitted = dialog.FitText(statusText_ + "W", statusArea_, ellipsis);
    fitted.resize(fitted.size() - text::LastChar(fitted).size());
    dialog.SetStatusText(fitted);
}

void TFolderDialog::CopyCustomButton(platform::BrowseDialog& dialog) {
    const std::optional<ButtonParts> parts = PartsOf(*customButton_);
    if (!parts) {
        return;
    }
    copy_ = dialog.CopyButton(*customButton_, parts->kind);
    copy_->OnClick = parts->onClick;
    carryCheck_ = parts->setChecked;

    platform::Bounds place = copy_->bounds();
    if (options_.contains(bfAlignCustomButton)) {
        place.left = ScaleX(statusArea_.left) + 1;
        place.top = ScaleY(buttonCell_.top) - 1;
    }
    if (options_.contains(bfResizeCustomButton)) {
        place.width = ScaleX(buttonCell_.width());
        place.height = ScaleY(buttonCell_.height());
    } else if (parts->kind == platform::ButtonKind::Button) {
        place.height = ScaleY(buttonCell_.height());
    }
    copy_->SetBounds(place);
    copy_->SetVisible(false);
    copy_->SetVisible(true);
    copy_->SetEnabled(customButton_->enabled());
    if (options_.contains(bfSyncCustomButton) && dialog.hasOkButton()) {
        copy_->SetEnabled(dialog.okEnabled());
    }
}

// The template keeps its own place, visibility and enabled state.
void TFolderDialog::CarryCustomButtonBack() {
    if (Template() == nullptr) {
        return;
    }
    copy_->CarryBack();
    if (carryCheck_) {
        carryCheck_(copy_->checked());
    }
}

// From the size the dialog was designed at to the size it has.
int TFolderDialog::ScaleX(int pixels) const {
    const int designed = dialogArea_.width();
    return (designed > 0 ? pixels * client_.width / designed : pixels) + 1;
}

int TFolderDialog::ScaleY(int pixels) const {
    const int designed = dialogArea_.height();
    return (designed > 0 ? pixels * client_.height / designed : pixels) + 1;
}

void TFolderDialog::Fire(std::function<void()> handler) {
    if (handler) {
        platform::Dispatch(toolkit_, handler);
    }
}

}  // namespace sorabell::components
