// Following Winamp: the timer's tick, the title, scrolling, the settings, the random skin and
// the font given to Winamp's dialogs.

#include "display/Messages.h"
#include "display/Scrolling.h"
#include "display/TimerPause.h"
#include "display/Tlumora.h"
#include "platform/Text.h"
#include "settings/RegIniFile.h"
#include "settings/Schema.h"
#include "tags/LightStrings.h"

namespace sorabell::display {

namespace {

constexpr int32_t kRandomSkinTick = 5;
constexpr int32_t kReloadAfterTicks = 10;
constexpr int32_t kEndAfterTicks = 100;
constexpr size_t kTitleBuffer = 256;

// Titles that name no song: Winamp's own name, and its transient states.
bool IsNoSongTitle(const std::string& title) {
    return text::StartsWith(title, "Winamp 1.") || title == "Synchronizing" || title == "Connecting";
}

// A title cut at its buffer's end may end in the first byte of a character.
std::string WholeCharacters(std::string title) {
    if (!title.empty() && text::ByteTypeAt(title, title.size() - 1) == text::ByteKind::Single &&
        text::IsLeadByte(static_cast<unsigned char>(title.back()))) {
        title.pop_back();
    }
    return title;
}

const char* const kDialogTitles[] = {
    "Winamp - ID3 Tag Editor",
    "MPEG File Info Box + ID3 Tag Editor",
    "Select Skin",
    "Winamp - Skin Browser",
    "Skin Browser",
    "Jump to file",
};

const char* const kSkinDialogTitles[] = {"Select Skin", "Winamp - Skin Browser", "Skin Browser"};

}  // namespace

void Tlumora::Timer1Timer() {
    winampSilent_ = false;
    ++TickCount;
    const platform::WindowHandle winamp = FindWinamp();
    if (TickCount == kRandomSkinTick && RandomSkin) {
        ChooseRandomSkin();
    }
    if (winamp == 0) {
        winampHooks_.Follow(form_->handle(), 0);
        if (TickCount > kEndAfterTicks) {
            form_->Close();
        }
        return;
    }
    // Hooks new to this Winamp missed its first title and paint: this tick reads and paints.
    if (winampHooks_.Follow(form_->handle(), winamp)) {
        winampPainted_ = true;
    }
    if (TickCount > kReloadAfterTicks) {
        ReloadSettings();
    }
    TickCount = 0;
    ReadWinampTitle();
    if (skinView_.ExtTime || winampPainted_) {
        PaintOnWinamp();
    }
    winampPainted_ = false;
    if (MouseHeld != 0) {
        return;
    }
    bool changed = false;
    RefreshLyricsLines(changed);
    ScrollLines(changed);
    if (changed) {
        RenderDisplay();
    }
}

void Tlumora::RefreshLyricsLines(bool& changed) {
    const bool anyLyrics = lines_[0].lyrics || lines_[1].lyrics || lines_[2].lyrics;
    if (!anyLyrics || IsNoSongTitle(Edit1)) {
        return;
    }
    for (size_t n = 0; n < lines_.size(); ++n) {
        if (!lines_[n].lyrics) {
            continue;
        }
        std::string expanded = ExpandFormat(skinView_.Disp[n].Text);
        if (expanded != lines_[n].text) {
            changed = true;
            lines_[n].text = std::move(expanded);
            ResetScroll(lines_[n]);
        }
    }
}

void Tlumora::ScrollLines(bool& changed) {
    const int bitmapWidth = DisplayBitmap->width();
    for (size_t n = 0; n < lines_.size(); ++n) {
        if (!skinView_.Disp[n].Scroll) {
            continue;
        }
        TDispOption& line = lines_[n];
        const auto width = [&] { return DisplayBitmap->canvas().TextWidth(line.text); };
        const auto scale = [&] { return ScaleFactor(winamp_); };
        changed = ScrollStep(line, width, bitmapWidth, ScrollDot, scale) || changed;
    }
}

void Tlumora::ReadWinampTitle() {
    const platform::WindowHandle winamp = FindWinamp();
    if (winamp == 0) {
        return;
    }
    const std::string title = WholeCharacters(platform_.desktop.WindowText(winamp, kTitleBuffer));
    if (skinView_.ExtTime && text::Find(title, "[Stopped]") != std::string::npos) {
        DrawTime();
    }
    lastTitle_ = title;
    const size_t cut = text::Find(title, " - Winamp");
    SetEdit1Text(cut == std::string::npos ? title : title.substr(0, cut));
}

void Tlumora::ReloadSettings() {
    TimerPause pause(*Timer1);
    const std::string ownFolder = text::ExtractFilePath(platform_.processes.ModuleFileName());
    settings::DefaultContext context;
    context.programFolder = ownFolder;
    const settings::TRegIniFile store(platform_.registry, settings::kRootPath);
    const auto option =
        settings::LoadRecord(store, "Option", settings::OptionSchema(), settings::Side::Display, context);

    // The schema's bounds keep a hand-made interval from stopping the display, its end included.
    Timer1->SetInterval(static_cast<uint32_t>(option.TimerSpeed));
    ScrollDot = option.ScrollDot;
    mark_ = option.Lumora;
    lyricsFolder_ = text::IncludeTrailingBackslash(option.LyricsFolder);
    WinampFolder = option.Winamp;
    winampFolders_ = winamp::FindWinampFolders(platform_.iniFiles, platform_.processes, WinampFolder);
    versewrightFolder_ = option.Versewright;
    kettleFolder_ = option.Kettle;
    PopupMenu1->SetEnabled(LumoraLyricsEditor1, versewrightFolder_ != settings::kNotSet);
    PopupMenu1->SetEnabled(Kettle1, kettleFolder_ != settings::kNotSet);
    FontCh = option.FontCh ? -1 : 0;

    winamp::WinampIni winampIni = OpenWinampIni();
    SkinFolder = winampIni.SkinFolder(WinampFolder + "skins\\");
    trueSkinFolder_ = winampIni.TrueSkinFolder();
    const winamp::IniName skin = winampIni.SkinName();
    LoadSkin(skin.name, true, skin.utf8);

    Label2Font = {option.WinampFontName, option.WinampFontSize, option.WinampFontStyle};
    RandomSkin = option.RandomSkin;
    if (FontCh != 0) {
        ApplyDialogFonts();
    }
}

void Tlumora::ChooseRandomSkin() {
    tags::TLightStrings names;
    for (const platform::FindEntry& entry : platform_.files.Find(SkinFolder + "*.*")) {
        if ((entry.attributes & platform::attr::Directory) != 0 && !text::StartsWith(entry.name, ".")) {
            names.Add(entry.name);
        }
    }
    platform_.random.Randomize();
    if (names.Count() > 0) {
        OpenWinampIni().WriteSkinName(names.Get(platform_.random.Next(names.Count())));
    }
}

void Tlumora::ApplyDialogFonts() {
    auto& desktop = platform_.desktop;
    Query(FindWinamp(), 0, kQueryVersion);
    // Its dialogs run on the thread that just did not answer.
    if (winampSilent_) {
        return;
    }
    std::vector<platform::WindowHandle> windows{desktop.FindTopLevel(kPlayListWindowClass, nullptr)};
    for (const char* title : kDialogTitles) {
        windows.push_back(desktop.FindTopLevel(nullptr, title));
    }
    const uintptr_t font = graphics_.FontHandle(Label2Font);
    for (const platform::WindowHandle window : windows) {
        if (window == 0) {
            continue;
        }
        for (const platform::WindowHandle child : desktop.ChildWindows(window)) {
            const std::string className = desktop.ClassName(child);
            if ((className == "ListBox" || className == "Edit") && !desktop.Send(child, kWmSetFont, font, 1)) {
                break;
            }
        }
    }
}

void Tlumora::FollowSkinDialog() {
    auto& desktop = platform_.desktop;
    skinListBox_ = 0;
    platform::WindowHandle dialog = 0;
    for (const char* title : kSkinDialogTitles) {
        if ((dialog = desktop.FindTopLevel(nullptr, title)) != 0) {
            break;
        }
    }
    if (dialog == 0) {
        return;
    }
    for (const platform::WindowHandle child : desktop.ChildWindows(dialog)) {
        if (desktop.ClassName(child) == "ListBox") {
            skinListBox_ = child;
        }
    }
    if (skinListBox_ == 0) {
        return;
    }
    if (const auto skin = desktop.SelectedListBoxText(skinListBox_, kTitleBuffer)) {
        LoadSkin(*skin, true);
    }
}

}  // namespace sorabell::display
