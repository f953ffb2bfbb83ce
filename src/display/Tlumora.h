#pragma once
// The display program's main form. It is never shown: it follows Winamp's window, builds the
// display lines of the playing song and paints them, with the time and the menu mark, onto
// Winamp's window. Timer ticks, the hook library's posted messages and the menu drive it.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/DisplayTypes.h"
#include "display/Format.h"
#include "display/Lyrics.h"
#include "display/WinampHooks.h"
#include "hook/HookRules.h"
#include "platform/Graphics.h"
#include "platform/HookLibrary.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "skin/SkinImages.h"
#include "tags/TRMPdialog.h"
#include "winamp/WinampFolders.h"
#include "winamp/WinampIni.h"

namespace sorabell::display {

class Tlumora {
public:
    static constexpr const char* kClassName = hook::kDisplayWindowClass;
    static constexpr const char* kCaption = hook::kDisplayWindowTitle;

    // The items of the menu, in menu order.
    enum MenuItem {
        Lumoraupdate1,
        LumoraPreferences1,
        N3,
        UpdatePlayList1,
        NowFileInfo1,
        TimeRemaining1,
        N1,
        LumoraLyricsEditor1,
        Kettle1,
        LyricsEarlier1,
        LyricsLater1,
        N2,
        ThisWindowClose1,
    };

    // Creates the hidden form and runs FormCreate; FormClose runs when the form closes.
    Tlumora(platform::Platform& platform, platform::Toolkit& toolkit, platform::Graphics& graphics,
            platform::HookLibrary& hooks);
    Tlumora(const Tlumora&) = delete;
    Tlumora& operator=(const Tlumora&) = delete;

    platform::Form& form() { return *form_; }
    platform::Timer& timer() { return *Timer1; }
    platform::PopupMenu& menu() { return *PopupMenu1; }
    bool timeRemaining() const { return PopupMenu1->checked(TimeRemaining1); }

    // What the display shows and keeps, for its owner and tests.
    const std::string& edit1Text() const { return Edit1; }
    const TSkinView& skinView() const { return skinView_; }
    int32_t configuredLineMode() const { return configuredDispSw_; }
    const std::array<TDispOption, 3>& lines() const { return lines_; }
    const SongFields& songFields() const { return SongFields_; }
    const Tmp3info& song() const { return song_; }
    const std::vector<LyricsEntry>& lyrics() const { return LyricsList; }
    const std::string& skinFolder() const { return SkinFolder; }
    const std::string& winampFolder() const { return WinampFolder; }
    const std::string& lyricsFolder() const { return lyricsFolder_; }
    const std::string& mark() const { return mark_; }
    int32_t scrollDot() const { return ScrollDot; }
    int32_t tickCount() const { return TickCount; }
    bool mouseHeld() const { return MouseHeld != 0; }
    bool randomSkin() const { return RandomSkin; }
    bool fontCh() const { return FontCh != 0; }
    const platform::FontSpec& dialogFont() const { return Label2Font; }
    platform::Point displayOrigin() const { return DisplayOrigin; }
    const std::array<TColor, 6>& pickColors() const { return PickColors; }
    platform::Bitmap& displayBitmap() { return *DisplayBitmap; }
    platform::Bitmap& backBitmap() { return *BackBitmap; }
    platform::Bitmap& timeBitmap() { return *TimeBitmap; }
    platform::ImageList& numberCells() { return *ImageList1; }

    // The operations of the display, as the handlers and the menu use them.
    void Timer1Timer();
    void ReadWinampTitle();
    void ReloadSettings();
    // `trueName` is the skin's UTF-8 name when CP932 cannot hold it; empty otherwise.
    void LoadSkin(const std::string& skinName, bool writeToWinampIni, const std::string& trueName = {});
    void Edit1Change();
    std::string ExpandFormat(const std::string& format);
    void RenderDisplay();
    void PaintOnWinamp();
    void DrawTime();
    void ChooseRandomSkin();
    void ApplyDialogFonts();
    void FollowSkinDialog();

    // The menu's commands.
    void FileInfo1Click();
    void LumoraLyricsEditor1Click();
    void Kettle1Click();
    // Moves the lyrics `earlierBy` milliseconds (later when negative) and keeps it in the file.
    void MoveLyrics(int32_t earlierBy);
    // The lyrics file in use; empty without one, and for lyrics that came from elsewhere.
    std::string lyricsFile() const { return lyricsFile_.Cp932Text(platform_.codePage); }
    // The tag editors opened from the menu that are still open.
    std::vector<tags::TRMPdialog*> openEditors();

private:
    void FormCreate();
    void FormClose();
    void CreateMenu();
    bool WndProc(const platform::WindowMessage& message);
    void SetEdit1Text(const std::string& text);
    // The skin's images by its CP932 name, or by its true one when it or the skins folder has one.
    skin::SkinImages OpenSkinImages(const std::string& skinName, const std::string& trueName);

    platform::WindowHandle FindWinamp();
    int ScaleFactor(platform::WindowHandle winamp);
    intptr_t Query(platform::WindowHandle winamp, uintptr_t wParam, intptr_t lParam);
    void ReadSongInformation();
    void LoadLyrics();
    std::vector<std::string> LyricsLines(std::string_view fileBytes);
    void EnableLyricsNudges();
    void RefreshLyricsLines(bool& changed);
    void ScrollLines(bool& changed);
    void DrawLine(int line, int x, int y);
    // The line's two shadow passes, `a` and 2a pixels right of and below its text at (x, y).
    void DrawShadow(int line, int x, int y, int a);
    void DrawColorBands(int line, int x, int y);
    void DrawFrame(int a, int bottom);

    platform::Platform& platform_;
    platform::Toolkit& toolkit_;
    platform::Graphics& graphics_;
    platform::HookLibrary& hooks_;
    WinampHooks winampHooks_{hooks_, platform_.desktop, platform_.processes};

    // Components.
    std::unique_ptr<platform::Form> form_;
    std::unique_ptr<platform::Timer> Timer1;
    std::unique_ptr<platform::PopupMenu> PopupMenu1;
    std::unique_ptr<platform::ImageList> ImageList1;
    std::string Edit1;              // Winamp's title without " - Winamp"; " " until a title has been read
    platform::FontSpec Label2Font;  // the font given to Winamp's dialogs

    // Fields.
    TSkinView skinView_;
    std::array<TColor, 6> PickColors{};
    bool RandomSkin = false;
    int32_t MouseHeld = 0;
    int32_t FontCh = 0;
    int32_t trackNumber_ = 0;
    platform::Point DisplayOrigin{109, 24};
    int32_t configuredDispSw_ = 0;
    std::array<TDispOption, 3> lines_{};
    std::string versewrightFolder_;
    std::string kettleFolder_;
    std::string SkinFolder;
    // The skins folder by its true name when CP932 cannot hold it.
    std::optional<platform::FilePath> trueSkinFolder_;
    std::string mark_;
    int32_t ScrollDot = 6;
    Tmp3info song_;
    SongFields SongFields_;
    std::vector<LyricsEntry> LyricsList;
    platform::FilePath lyricsFile_;
    // Lyrics without a file move in memory only, from the list as it was loaded.
    std::vector<LyricsEntry> lyricsAsLoaded_;
    // Lyrics from a song's tag have no file to keep their shift in: it is kept per song until
    // the program ends, by the song's true path.
    std::map<std::string, int32_t> tagLyricsMoved_;
    platform::WindowHandle skinListBox_ = 0;
    std::string lyricsFolder_;
    std::string lastTitle_;
    int32_t TickCount = 0;
    // Winamp painted itself since the last tick. Under Wine its picture can reach the screen
    // after ours, so the display is painted once more at the tick.
    bool winampPainted_ = false;
    platform::WindowHandle winamp_ = 0;
    // Winamp left a question unanswered in the handler that runs; reset as each handler begins.
    bool winampSilent_ = false;
    std::unique_ptr<platform::Bitmap> DisplayBitmap;
    std::unique_ptr<platform::Bitmap> BackBitmap;
    std::unique_ptr<platform::Bitmap> TimeBitmap;
    std::unique_ptr<platform::Bitmap> TimeBackBitmap;
    std::string WinampFolder;
    // WINAMP.INI's folder and the play list's, as that Winamp finds them.
    winamp::WinampFolders winampFolders_;
    winamp::WinampIni OpenWinampIni() {
        return winamp::WinampIni(platform_.iniFiles, platform_.files, platform_.codePage,
                                 winampFolders_.settings + "WINAMP.INI");
    }
    // Each menu use opens another editor; closed ones are let go at the next.
    std::vector<std::unique_ptr<tags::TRMPdialog>> editors_;
};

}  // namespace sorabell::display
