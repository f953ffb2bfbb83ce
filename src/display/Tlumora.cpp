#include "display/Tlumora.h"

#include "display/Messages.h"
#include "display/Scrolling.h"
#include "display/Startup.h"
#include "hook/HookRules.h"
#include "platform/Text.h"
#include "settings/RegIniFile.h"
#include "settings/Schema.h"

namespace sorabell::display {

namespace {

// Client size of the form as designed; the form is never shown.
constexpr int kClientWidth = 259;
constexpr int kClientHeight = 148;
// How far one choice of the menu moves the lyrics, in milliseconds.
constexpr int32_t kLyricsNudge = 500;

}  // namespace

Tlumora::Tlumora(platform::Platform& platform, platform::Toolkit& toolkit, platform::Graphics& graphics,
                 platform::HookLibrary& hooks)
    : platform_(platform), toolkit_(toolkit), graphics_(graphics), hooks_(hooks) {
    form_ = toolkit_.CreateForm({kClassName, "", kClientWidth, kClientHeight, false});
    form_->OnMessage = [this](const platform::WindowMessage& message) { return WndProc(message); };
    form_->OnClose = [this] { FormClose(); };
    Timer1 = toolkit_.CreateTimer();
    Timer1->SetEnabled(false);
    Timer1->OnTimer = [this] { Timer1Timer(); };
    ImageList1 = graphics_.CreateImageList(9, 13);
    CreateMenu();
    FormCreate();
}

void Tlumora::CreateMenu() {
    PopupMenu1 = toolkit_.CreatePopupMenu(*form_);
    auto& menu = *PopupMenu1;
    menu.AddItem("Sorabellの再更新", [this] { ReloadSettings(); });
    menu.AddItem("Sorabell設定...", [this] { StartPreferences(platform_); });
    menu.AddItem("-");
    menu.AddItem("プレイリストの更新");
    menu.AddItem("タグ情報表示", [this] { FileInfo1Click(); });
    menu.AddItem("残り時間", [this] { PopupMenu1->SetChecked(TimeRemaining1, !PopupMenu1->checked(TimeRemaining1)); });
    menu.AddItem("-");
    menu.AddItem("Lumora Lyrics Editor...", [this] { LumoraLyricsEditor1Click(); });
    menu.AddItem("Kettle...", [this] { Kettle1Click(); });
    menu.AddItem("歌詞を0.5秒早く", [this] { MoveLyrics(kLyricsNudge); });
    menu.AddItem("歌詞を0.5秒遅く", [this] { MoveLyrics(-kLyricsNudge); });
    menu.AddItem("-");
    menu.AddItem("このメニューを閉じる");
    menu.SetVisible(UpdatePlayList1, false);
    menu.SetEnabled(TimeRemaining1, false);
    menu.SetEnabled(LumoraLyricsEditor1, false);
    menu.SetEnabled(Kettle1, false);
    menu.SetEnabled(LyricsEarlier1, false);
    menu.SetEnabled(LyricsLater1, false);
}

void Tlumora::FormCreate() {
    const std::string defaultFace = graphics_.DefaultFontName();
    skinView_.NFont = {defaultFace, -12, 0};
    skinView_.DFont = {defaultFace, -12, 0};

    form_->SetVisible(false);
    form_->SetCaption(kCaption);

    TickCount = 0;
    for (TDispOption& line : lines_) {
        ResetScroll(line);
    }
    ScrollDot = 6;
    lastTitle_.clear();
    mark_.clear();
    MouseHeld = 0;

    // The first colours of the off-screen images come from the default settings.
    const settings::TRegIniFile skins(platform_.registry, settings::kSkinsPath);
    settings::SkinSettings first;
    for (const char* name : {"BGColor", "Disp1Color"}) {
        settings::LoadValue(skins, settings::kDefaultSkinSection, settings::FindSetting(settings::SkinSchema(), name),
                            settings::Side::Display, {}, first);
    }
    const TColor background = first.BGColor;
    const TColor text = first.Disp[0].Color;
    DisplayBitmap = graphics_.CreateBitmap();
    DisplayBitmap->canvas().SetFont({defaultFace, -12, 0});
    DisplayBitmap->canvas().SetBrushColor(background);
    DisplayBitmap->canvas().SetFontColor(text);
    BackBitmap = graphics_.CreateBitmap();
    BackBitmap->canvas().SetBrushColor(background);
    BackBitmap->SetSize(160, 48);
    TimeBitmap = graphics_.CreateBitmap();
    TimeBitmap->SetSize(63, 13);
    TimeBackBitmap = graphics_.CreateBitmap();
    TimeBackBitmap->SetSize(63, 13);

    LyricsList.clear();
    PopupMenu1->SetChecked(
        TimeRemaining1,
        settings::TRegIniFile(platform_.registry, settings::kRootPath).ReadBool("Option", "Remain", false));
    // A failure here (an unwritable WINAMP.INI) is shown, and the window still gets its hooks
    // and its timer: without them it could not even end by itself.
    platform::Dispatch(toolkit_, [this] { ReloadSettings(); });

    // No title has been read yet.
    Edit1 = " ";
    // From here on the hook library posts its messages to this window; a Winamp still starting
    // gets its hooks from the tick that finds its window.
    winampHooks_.Follow(form_->handle(), FindWinamp());
    Timer1->SetEnabled(true);
}

void Tlumora::FormClose() {
    settings::TRegIniFile(platform_.registry, settings::kRootPath)
        .WriteBool("Option", "Remain", PopupMenu1->checked(TimeRemaining1));
    winampHooks_.Free();
    Timer1->SetEnabled(false);
    LyricsList.clear();
    DisplayBitmap.reset();
    BackBitmap.reset();
    TimeBitmap.reset();
    TimeBackBitmap.reset();
}

void Tlumora::SetEdit1Text(const std::string& text) {
    if (text != Edit1) {
        Edit1 = text;
        Edit1Change();
    }
}

bool Tlumora::WndProc(const platform::WindowMessage& message) {
    winampSilent_ = false;
    switch (message.message) {
        case hook::UM_HOOK_PAINT:
            // Winamp's answer means it has finished its own painting.
            Query(FindWinamp(), 0, kQueryVersion);
            PaintOnWinamp();
            winampPainted_ = true;
            return true;
        case hook::UM_HOOK_SETTEXT:
            ReadWinampTitle();
            return true;
        case hook::UM_RELOAD_SETTINGS:
            ReloadSettings();
            return true;
        case hook::UM_HOOK_LBUTTONDOWN:
            MouseHeld = -1;
            return true;
        case hook::UM_HOOK_LBUTTONUP: {
            MouseHeld = 0;
            const int x = static_cast<int>(message.lParam & 0xFFFF);
            const int y = static_cast<int>((message.lParam >> 16) & 0xFFFF);
            const bool onMark = (x > 240 && x < 250 && y > 95 && y < 107) || (x > 480 && x < 500 && y > 190 && y < 213);
            if (onMark) {
                const platform::Point at = platform_.desktop.CursorPos();
                PopupMenu1->Popup(at.x, at.y);
                // A close request can reach the window while its menu is open (Windows ending,
                // another program): what it drew with is gone then.
                if (form_->closed()) {
                    return true;
                }
            }
            Query(FindWinamp(), 0, kQueryVersion);
            DrawTime();
            PaintOnWinamp();
            return true;
        }
        case hook::UM_HOOK_WINDOWCHANGE:
            if (FontCh != 0) {
                ApplyDialogFonts();
            }
            return true;
        case hook::UM_HOOK_SIZE: {
            Query(FindWinamp(), 0, kQueryVersion);
            RenderDisplay();
            if (const platform::WindowHandle winamp = FindWinamp()) {
                platform_.desktop.InvalidateRect(winamp);
            }
            return true;
        }
        case hook::UM_HOOK_GETMINMAX:
            FollowSkinDialog();
            return true;
        case hook::UM_HOOK_TIMER:
            if (skinView_.ExtTime) {
                PaintOnWinamp();
                DrawTime();
            }
            return true;
        default:
            return false;
    }
}

platform::WindowHandle Tlumora::FindWinamp() {
    winamp_ = winampSilent_ ? 0 : platform_.desktop.FindTopLevel(kMainWindowClass, nullptr);
    return winamp_;
}

int Tlumora::ScaleFactor(platform::WindowHandle winamp) {
    const auto rect = platform_.desktop.WindowRect(winamp);
    return rect && rect->width() >= 300 ? 2 : 1;
}

intptr_t Tlumora::Query(platform::WindowHandle winamp, uintptr_t wParam, intptr_t lParam) {
    if (winamp == 0 || winampSilent_) {
        return 0;
    }
    if (const auto answer = platform_.desktop.Send(winamp, kWmUser, wParam, lParam)) {
        return *answer;
    }
    // A hung Winamp would cost every further question its wait: for the rest of this handler
    // Winamp counts as absent.
    winampSilent_ = true;
    winamp_ = 0;
    return 0;
}

}  // namespace sorabell::display
