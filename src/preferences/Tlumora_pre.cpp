#include "preferences/Tlumora_pre.h"

#include <algorithm>
#include <utility>

#include "components/PathText.h"
#include "hook/HookRules.h"
#include "platform/FileSystem.h"
#include "platform/IniFiles.h"
#include "platform/Text.h"
#include "settings/RegIniFile.h"
#include "winamp/WinampFolders.h"
#include "winamp/WinampIni.h"

namespace sorabell::preferences {

namespace {

constexpr const char* kMutexName = "そらべるぷれふぁれんす";
constexpr const char* kApplicationTitle = "Sorabellぷれふぁれんす";

// Enough of the title bar, beside its close button, to take hold of with the mouse.
constexpr int kTitleBarHold = 64;
// A stored place this far off lies on no screen; nearer it, the sums below cannot overflow.
constexpr int kFarAway = 1 << 20;

// The whole height of the title bar, and kTitleBarHold pixels of its width, on one work area.
bool TitleBarReachable(const platform::Rect& titleBar, const std::vector<platform::Rect>& areas) {
    return std::any_of(areas.begin(), areas.end(), [&](const platform::Rect& area) {
        const int shown = std::min(titleBar.right, area.right) - std::max(titleBar.left, area.left);
        return titleBar.top >= area.top && titleBar.bottom <= area.bottom && shown >= kTitleBarHold;
    });
}

}  // namespace

Tlumora_pre::Tlumora_pre(platform::Platform& os, platform::Toolkit& toolkit, platform::Graphics& graphics)
    : os_(os), toolkit_(toolkit), programFolder_(text::ExtractFilePath(os.processes.ModuleFileName())) {
    form_ = toolkit.CreateForm({kClassName, kCaption, kClientWidth, kClientHeight, false});
    PageControl1 = &form_->AddPageControl(
        {4, 4, 486, 440}, {"基本設定", "ディスプレイ設定", "Winamp 拡張設定", "動作関係", "バージョン情報"});
    Button1 = &form_->AddButton({250, 452, 75, 25}, "OK");
    Button2 = &form_->AddButton({332, 452, 75, 25}, "キャンセル");
    Button3 = &form_->AddButton({414, 452, 75, 25}, "更新");
    ColorDialog1 = toolkit.CreateColorDialog(*form_);
    FolderDialog1 = std::make_unique<components::TFolderDialog>(*form_, toolkit);
    FolderDialog1->SetTitle("フォルダの設定 - Sorabell");
    FolderDialog1->SetOptions(
        {components::bfStatusText, components::bfShowPathInStatusArea, components::bfParentCenter});

    const PageSite site{os, toolkit, graphics, *ColorDialog1, *FolderDialog1, programFolder_};
    basic_ = std::make_unique<BasicPage>(PageControl1->page(TabSheet1), site);
    display_ = std::make_unique<DisplayPage>(PageControl1->page(TabSheet7), site);
    winamp_ = std::make_unique<WinampPage>(PageControl1->page(TabSheet2), site);
    behaviour_ = std::make_unique<BehaviourPage>(PageControl1->page(TabSheet4), site);
    version_ = std::make_unique<VersionPage>(PageControl1->page(TabSheet3), site);

    basic_->OnMenuMarkChange = [this] { display_->SetMenuMark(basic_->menuMark()); };
    behaviour_->winampFolder = [this] { return basic_->winampFolder(); };
    Button1->OnClick = [this] { Button1Click(); };
    Button2->OnClick = [this] { Button2Click(); };
    Button3->OnClick = [this] { Button3Click(); };
    form_->OnCloseQuery = [this] { return FormCloseQuery(); };
    form_->OnClose = [this] { FormClose(); };

    FormCreate();
    form_->SetVisible(true);
}

Tlumora_pre::~Tlumora_pre() = default;

void Tlumora_pre::FormCreate() {
    WinampFound = true;
    settings::DefaultContext context;
    context.programFolder = programFolder_;
    const platform::Rect screen = toolkit_.ScreenRect();
    const platform::Rect frame = form_->windowRect();
    context.centredTop = (screen.height() - frame.height()) / 2;
    context.centredLeft = (screen.width() - frame.width()) / 2;
    const settings::TRegIniFile store(os_.registry, settings::kRootPath);
    settings_.window =
        settings::LoadRecord(store, "Window", settings::WindowSchema(), settings::Side::Preferences, context);
    settings_.options =
        settings::LoadRecord(store, "Option", settings::OptionSchema(), settings::Side::Preferences, context);

    PlaceWindow(settings_.window);
    PageControl1->SetActivePageIndex(settings_.window.Page);

    basic_->Load(settings_);
    FindWinamp();
    display_->Load(settings_);
    winamp_->FillFontList(display_->fontList());
    winamp_->Load(settings_);
    for (int slot = 0; slot < platform::kCustomColorSlots; ++slot) {
        ColorDialog1->SetCustomColor(slot, settings_.window.CustomColors[static_cast<size_t>(slot)]);
    }
}

void Tlumora_pre::FindWinamp() {
    if (!basic_->WinampFound()) {
        basic_->BitBtn1Click();
        WinampFound = basic_->WinampFound();
    }
    if (WinampFound) {
        const std::string winamp = basic_->winampFolder();
        const std::string ini = winamp::FindWinampFolders(os_.iniFiles, os_.processes, winamp).settings + "WINAMP.INI";
        settings_.skinFolder =
            winamp::WinampIni(os_.iniFiles, os_.files, os_.codePage, ini).SkinFolder(winamp + "skins\\");
    }
}

// A place stored for a monitor that is gone, or one that hides the title bar, would open the
// window where nobody can move it.
void Tlumora_pre::PlaceWindow(const settings::WindowSettings& window) {
    const platform::Rect frame = form_->windowRect();
    const int left = std::clamp(window.Left, -kFarAway, kFarAway);
    const int top = std::clamp(window.Top, -kFarAway, kFarAway);
    // The frame's border is as wide above as beside; the title bar lies between it and the
    // client area.
    const int border = (frame.width() - kClientWidth) / 2;
    const platform::Rect titleBar{left + border, top + border, left + frame.width() - border,
                                  top + frame.height() - kClientHeight - border};
    if (TitleBarReachable(titleBar, toolkit_.WorkAreas())) {
        form_->MoveTo(left, top);
        return;
    }
    const platform::Rect screen = toolkit_.ScreenRect();
    form_->MoveTo((screen.width() - frame.width()) / 2, (screen.height() - frame.height()) / 2);
}

void Tlumora_pre::Button3Click() {
    // A second press while a question of the first is open is that same Update.
    if (updating_) {
        return;
    }
    updating_ = true;
    // However Update ends, a held close request is carried out after it.
    struct Finish {
        Tlumora_pre& form;
        ~Finish() { form.FinishUpdate(); }
    } finish{*this};
    Update();
}

void Tlumora_pre::FinishUpdate() {
    updating_ = false;
    if (std::exchange(closeRequested_, false)) {
        form_->Close();
    }
}

// Closed while Update runs, the window would take its controls from under Update, which would
// store what they say then: blanks. Held, the close comes once everything is stored.
bool Tlumora_pre::FormCloseQuery() {
    if (updating_) {
        closeRequested_ = true;
        return false;
    }
    return true;
}

void Tlumora_pre::Update() {
    settings::TRegIniFile store(os_.registry, settings::kRootPath);
    PreferencesSettings edited = settings_;
    basic_->Store(edited);
    CheckLyricsFolder(edited.options.LyricsFolder);
    winamp_->Store(edited);
    settings::SaveRecord(store, "Option", settings::OptionSchema(), settings::Side::Preferences, edited.options);

    display_->Store(edited);
    settings::TRegIniFile skins(os_.registry, settings::kSkinsPath);
    SaveSkinViews(skins, edited.skins);

    if (const platform::WindowHandle display =
            os_.desktop.FindTopLevel(hook::kDisplayWindowClass, hook::kDisplayWindowTitle)) {
        os_.desktop.Post(display, hook::UM_RELOAD_SETTINGS, 0, 0);
    }
}

// Declining, or a folder that cannot be made, does not stop the saving.
void Tlumora_pre::CheckLyricsFolder(const std::string& folder) {
    if (platform::DirectoryExists(os_.files, folder) || platform::DirectoryExists(os_.files, folder + "\\")) {
        return;
    }
    const std::string shown = components::ShortenForMessage(folder);
    const std::string question = "Lyrics用のフォルダ(" + shown + ")は存在しません" + text::kCrLf + "作成しますか？";
    if (toolkit_.AskSystemYesNo(question, "フォルダが存在しません") && !ForceDirectories(os_.files, folder)) {
        toolkit_.ShowMessage("Lyrics用のフォルダ(" + shown + ")を作成できませんでした");
    }
}

void Tlumora_pre::Button1Click() {
    Button3Click();
    form_->Close();
}

void Tlumora_pre::Button2Click() { form_->Close(); }

void Tlumora_pre::FormClose() {
    settings::TRegIniFile store(os_.registry, settings::kRootPath);
    settings::WindowSettings window;
    const platform::Rect frame = form_->windowRect();
    window.Top = frame.top;
    window.Left = frame.left;
    window.Page = PageControl1->activePageIndex();
    window.SkinName = display_->selectedSkinName();
    for (int slot = 0; slot < platform::kCustomColorSlots; ++slot) {
        window.CustomColors[static_cast<size_t>(slot)] = ColorDialog1->customColor(slot);
    }
    settings::SaveRecord(store, "Window", settings::WindowSchema(), settings::Side::Preferences, window);
}

int RunPreferences(platform::Platform& os, platform::Toolkit& toolkit, platform::Graphics& graphics) {
    const auto mutex = os.processes.CreateNamedMutex(kMutexName);
    if (!mutex || mutex->alreadyExisted()) {
        return 0;
    }
    toolkit.SetTitle(kApplicationTitle);
    Tlumora_pre form(os, toolkit, graphics);
    toolkit.Run();
    return 0;
}

bool ForceDirectories(platform::FileSystem& files, const std::string& folder) {
    const std::string dir = text::ExcludeTrailingBackslash(folder);
    if (dir.size() < 3 || platform::DirectoryExists(files, dir)) {
        return true;
    }
    const std::string parent = text::ExtractFilePath(dir);
    if (parent == dir) {
        return true;
    }
    return ForceDirectories(files, parent) && files.CreateFolder(dir);
}

}  // namespace sorabell::preferences
