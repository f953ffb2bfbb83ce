// A Winamp 5 that keeps its settings per user: WINAMP.INI and the play lists in the folder its
// paths.ini names, "#EXT" lines among the entries and WINAMP.M3U8 beside WINAMP.M3U.

#include <filesystem>

#include "platform/IniFiles.h"
#include "sim/DisplayFixture.h"
#include "winamp/CurrentSong.h"

namespace sorabell::testing {
namespace {

constexpr const char* kAppData = "C:\\Users\\aki\\AppData\\Roaming";
constexpr const char* kSettings = "C:\\Users\\aki\\AppData\\Roaming\\Winamp\\";

class WinampFive : public DisplayFixture {
protected:
    void SetUp() override {
        machine_.session().specialFolders[26] = kAppData;
        for (const char* folder : {"C:\\Users", "C:\\Users\\aki", "C:\\Users\\aki\\AppData", kAppData, kSettings}) {
            machine_.files().CreateFolder(folder);
        }
        Write(std::string(kWinamp) + "paths.ini", "[Winamp]\r\ninidir={26}\\Winamp\r\n");
        machine_.files().CreateFolder(std::string(kSettings) + "Skins");
        machine_.files().CreateFolder(std::string(kSettings) + "Skins\\Fifth");
        Write(std::string(kSettings) + "Skins\\Fifth\\main.bmp", MainImage());
        Skins().WriteString("Fifth", "NFontName", "ＭＳ ゴシック");
        Skins().WriteBool("Fifth", "SkinFlag", true);
        Write(std::string(kSettings) + "WINAMP.INI",
              std::string("[Winamp]\r\nSkinDir=") + kSettings + "Skins\r\nskin=Fifth\r\n");
    }
    std::string SettingsIniValue(const std::string& key) {
        return machine_.iniFiles().ReadString(std::string(kSettings) + "WINAMP.INI", "Winamp", key, "");
    }
    // Winamp 5.9, keeping its files in the settings folder.
    void StartWinampFive() {
        player_ = std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), kSettings);
        player_->version = 0x5091;
        Start();
    }
    // The entry as shown, and by its true name.
    std::string SongPath(const std::string& folder, int32_t index, bool m3u = true) {
        const auto song = winamp::CurrentSongPath(machine_.files(), machine_.codePage(), folder, m3u, index);
        return song ? song->text : "<none>";
    }
    std::string TrueName(const std::string& folder, int32_t index) {
        const auto song = winamp::CurrentSongPath(machine_.files(), machine_.codePage(), folder, true, index);
        return song ? song->file.Utf8() : "<none>";
    }
    void SetWriteTime(const std::string& path, std::filesystem::file_time_type time) {
        std::filesystem::last_write_time(machine_.HostPath(path), time);
    }
};

TEST_F(WinampFive, TheSongAndTheSkinAreTheSettingsFoldersAndTheWrittenSkinGoesThere) {
    Write("C:\\Music\\old.mp3", Id3Block("From the program folder"));
    Write("C:\\Music\\b.mp3", Id3Block("From the settings folder"));
    Write(std::string(kWinamp) + "WINAMP.M3U", "C:\\Music\\x.mp3\r\nC:\\Music\\old.mp3\r\n");
    StartWinampFive();
    EXPECT_EQ(display_->skinFolder(), std::string(kSettings) + "Skins\\");
    EXPECT_EQ(display_->skinView().SkinSection, "Fifth");
    Play({"C:\\Music\\x.mp3", "C:\\Music\\b.mp3"}, 1, "2. b - Winamp");
    EXPECT_EQ(display_->songFields()[2], "From the settings folder") << "the #EXT lines are no entries";

    display_->LoadSkin("Other", true);
    EXPECT_EQ(SettingsIniValue("skin"), "Other");
    EXPECT_EQ(WinampIniValue("skin"), "Base");
}

TEST_F(WinampFive, RelativeEntriesAreInThePlayListFolder) {
    Write(std::string(kWinamp) + "paths.ini", "[Winamp]\r\ninidir={26}\\Winamp\r\nm3udir=C:\\Lists\r\n");
    machine_.files().CreateFolder("C:\\Lists");
    machine_.files().CreateFolder("C:\\Lists\\sub");
    Write("C:\\Lists\\sub\\a.mp3", Id3Block("Relative"));
    player_ = std::make_unique<SimPlayer>(machine_.desktop(), machine_.files(), "C:\\Lists\\");
    Start();
    Play({"sub\\a.mp3"}, 0, "1. a - Winamp");
    EXPECT_EQ(display_->songFields()[2], "Relative");
}

TEST_F(WinampFive, TheUtf8ListNamesTheSongByItsTrueNameWhenItIsCurrent) {
    // Winamp writes both at once; the code page list holds what it could not convert as "?".
    Write("C:\\Music\\WINAMP.M3U",
          "#EXTM3U\r\nC:\\Music\\?.mp3\r\nC:\\Music\\Beyonc?.mp3\r\nC:\\Music\\bad.mp3\r\nsub\\?.mp3\r\n");
    Write("C:\\Music\\WINAMP.M3U8",
          "\xEF\xBB\xBF#EXTM3U\r\nC:\\Music\\\xE6\x9B\xB2.mp3\r\nC:\\Music\\Beyonc\xC3\xA9.mp3\r\n"
          "C:\\Music\\b\xC3"
          "d.mp3\r\nsub\\\xED\x95\x9C.mp3\r\n");
    const auto now = std::filesystem::file_time_type::clock::now();
    SetWriteTime("C:\\Music\\WINAMP.M3U", now);
    SetWriteTime("C:\\Music\\WINAMP.M3U8", now);
    EXPECT_EQ(SongPath("C:\\Music\\", 0), "C:\\Music\\曲.mp3");
    EXPECT_EQ(SongPath("C:\\Music\\", 1), "C:\\Music\\Beyonc?.mp3") << "shown without a close letter";
    EXPECT_EQ(TrueName("C:\\Music\\", 1), "C:\\Music\\Beyonc\xC3\xA9.mp3");
    EXPECT_EQ(TrueName("C:\\Music\\", 2), "C:\\Music\\bad.mp3") << "a name that is no UTF-8 is WINAMP.M3U's";
    EXPECT_EQ(TrueName("C:\\Music\\", 3), "C:\\Music\\sub\\\xED\x95\x9C.mp3");
    EXPECT_EQ(SongPath("C:\\Music\\", 3), "C:\\Music\\sub\\?.mp3");

    SetWriteTime("C:\\Music\\WINAMP.M3U8", now - std::chrono::hours(1));
    EXPECT_EQ(SongPath("C:\\Music\\", 0), "C:\\Music\\?.mp3") << "a left-over WINAMP.M3U8 is not read";
    Write("C:\\Music\\WINAMP.PL", "C:\\Music\\pl.mp3\r\n");
    EXPECT_EQ(SongPath("C:\\Music\\", 0, false), "C:\\Music\\pl.mp3")
        << "Winamp 2 writes no WINAMP.M3U8 beside its WINAMP.PL";
}

TEST_F(WinampFive, AJapaneseSkinOfAUtf8WinampIniShowsAndTheRandomSkinWritesItsNameInUtf8) {
    const std::string skins = std::string(kSettings) + "Japanese\\";
    machine_.files().CreateFolder(skins);
    machine_.files().CreateFolder(skins + "空色");
    Skins().WriteString("空色", "NFontName", "ＭＳ ゴシック");
    Skins().WriteBool("空色", "SkinFlag", true);
    const std::string head = "[Winamp]\r\nutf8=1\r\nSkinDir=" + skins + "\r\nskin=";
    Write(std::string(kSettings) + "WINAMP.INI", head + "\xE7\xA9\xBA\xE8\x89\xB2\r\n");
    Root().WriteBool("Option", "RandomSkin", true);
    StartWinampFive();
    EXPECT_EQ(display_->skinView().SkinSection, "空色");

    player_.reset();
    Write(std::string(kSettings) + "WINAMP.INI", head + "none\r\n");
    Tick(5);
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), std::string(kSettings) + "WINAMP.INI"),
              head + "\xE7\xA9\xBA\xE8\x89\xB2\r\n");
}

TEST_F(WinampFive, ASkinOrSkinsFolderNamedBeyondCp932IsOpenedByItsTrueName) {
    const std::string korean = "\xED\x95\x9C\xEA\xB5\xAD";
    const auto makeSkin = [&](const std::string& folder, int blue) {
        std::filesystem::create_directory(*machine_.files().HostPath(platform::FilePath::FromUtf8(folder)));
        platform::WriteWholeFile(machine_.files(), platform::FilePath::FromUtf8(folder + "\\main.bmp"),
                                 MainImage(blue));
    };
    const auto shownBlue = [&] { return display_->backBitmap().canvas().Pixel(0, 0) >> 16; };
    makeSkin(std::string(kSettings) + "Skins\\" + korean, 0x71);
    for (const char* section : {"??", "Fifth"}) {
        Skins().WriteBool(section, "SkinFlag", true);
        Skins().WriteBool(section, "Skin", true);
    }
    const std::string head = "[Winamp]\r\nutf8=1\r\nSkinDir=" + std::string(kSettings) + "Skins\r\nskin=";
    Write(std::string(kSettings) + "WINAMP.INI", head + korean + "\r\n");
    StartWinampFive();
    EXPECT_EQ(shownBlue(), 0x71u);
    EXPECT_EQ(display_->skinView().SkinSection, "??") << "the settings stay keyed by the shown name";
    EXPECT_EQ(SettingsIniValue("skin"), korean) << "and the true name is not written over";

    makeSkin(std::string(kSettings) + korean, 0x72);
    makeSkin(std::string(kSettings) + korean + "\\Fifth", 0x73);
    Write(std::string(kSettings) + "WINAMP.INI",
          "[Winamp]\r\nutf8=1\r\nSkinDir=" + std::string(kSettings) + korean + "\r\nskin=Fifth\r\n");
    display_->ReloadSettings();
    EXPECT_EQ(shownBlue(), 0x73u) << "the skins folder by its true name";
}

TEST_F(WinampFive, ASongWhoseNameCp932LacksIsReadAndItsLyricsKeptByItsTrueName) {
    const std::u8string name = u8"C:\\Music\\한국";
    const std::string song(name.begin(), name.end());
    const auto truePath = [&](const char* ext) { return platform::FilePath::FromUtf8(song + ext); };
    platform::WriteWholeFile(machine_.files(), truePath(".mp3"), Id3Block("Tagged", "Artist"));
    platform::WriteWholeFile(machine_.files(), truePath(".txt"), "[00:00]first\r\n");
    Skins().WriteString("Fifth", "DispSw", "1");
    Skins().WriteString("Fifth", "Disp2Text", "%B");
    StartWinampFive();
    player_->Command("playlist8 0\t" + song + ".mp3");
    player_->Command("title 1. ?? - Winamp");
    Pump();
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), std::string(kSettings) + "WINAMP.M3U"),
              "#EXTM3U\r\n#EXTINF:245,??.mp3\r\nC:\\Music\\??.mp3\r\n");
    EXPECT_EQ(display_->songFields()[2], "Tagged");
    EXPECT_EQ(display_->songFields()[7], "??") << "shown in the code page";
    EXPECT_EQ(display_->songFields()[8], "C:\\Music\\");
    EXPECT_EQ(Line(1), "first ");
    EXPECT_EQ(display_->lyricsFile(), "C:\\Music\\??.txt");

    display_->MoveLyrics(500);
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), truePath(".txt")), "[offset:500]\r\n[00:00]first\r\n");
}

}  // namespace
}  // namespace sorabell::testing
