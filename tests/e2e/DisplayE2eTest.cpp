// What a user sees on the player's window, for real: Sorabell.exe paints on the stand-in, and
// the test reads the player's pixels from the screen.

#include <algorithm>

#include "harness/TestFiles.h"
#include "support/PlayerStage.h"
#include "support/ZipBuilder.h"

namespace sorabell::testing {
namespace {

class DisplayOnScreen : public PlayerStage {};

TEST_F(DisplayOnScreen, OneLineBeginsTwoPixelsIntoTheSkinsTitleArea) {
    Skin("Skin", "1");
    StartWith("MMMMMMMM");
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 20; });
    ASSERT_GT(shot.Count(kRed, 109, 24, 266, 36), 20) << "no text on the player's window";
    EXPECT_EQ(shot.At(109, 24), MainPixel(109, 24)) << "the bitmap shows the skin's own background";
    EXPECT_EQ(shot.At(265, 35), MainPixel(265, 35));
    const int first = shot.FirstColumnOf(kRed, 100, 24, 266, 36);
    EXPECT_GE(first, 111) << "text left of x = 111";
    EXPECT_LE(first, 114);
}

TEST_F(DisplayOnScreen, ThreeLinesWithoutTheSkinHaveTheirFrame) {
    Skin("DispSw", "2");
    Skin("Disp2Text", "%1");
    Skin("Disp3Text", "%0");
    Skin("BGColor", std::to_string(kBlue));
    StartWith("MMMM");
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.At(266, 69) == 0xCCC4CE; });
    EXPECT_EQ(shot.At(107, 40), kBlue);
    EXPECT_EQ(shot.At(108, 40), 0x342C32) << "the dark inner edge along x = 108";
    EXPECT_EQ(shot.At(150, 23), 0x342C32) << "and along y = 23";
    EXPECT_EQ(shot.At(266, 40), 0x9C948E) << "the light edge along x = 266";
    EXPECT_EQ(shot.At(150, 69), 0x9C948E) << "and along y = 69";
    EXPECT_EQ(shot.At(266, 69), 0xCCC4CE);
    EXPECT_GT(shot.Count(kRed, 109, 54, 266, 66), 0) << "the third line";
}

TEST_F(DisplayOnScreen, DoubleSizeDoublesThePlacesAndTheMark) {
    Skin("Skin", "1");
    Skin("LumoraColor", std::to_string(kBlue));
    StartWith("MMMM", "size double");
    const auto shot = WaitForScreen([](const ScreenCapture& s) {
        return s.width() == 550 && s.Count(kRed, 218, 48, 532, 72) > 40 && s.Count(kBlue, 478, 188, 510, 215) > 10;
    });
    ASSERT_EQ(shot.width(), 550);
    EXPECT_EQ(shot.At(218, 48), MainPixel(109, 24));
    EXPECT_EQ(shot.At(219, 49), MainPixel(109, 24));
    EXPECT_GE(shot.FirstColumnOf(kRed, 200, 48, 532, 72), 222);
    EXPECT_LE(shot.FirstColumnOf(kRed, 200, 48, 532, 72), 228);
    EXPECT_GT(shot.Count(kBlue, 478, 188, 510, 215), 10) << "the mark at (480, 190)";
    EXPECT_EQ(shot.Count(kBlue, 440, 150, 478, 232), 0);
}

TEST_F(DisplayOnScreen, TheTimeShowsTheSkinsDigits) {
    Skin("ExtTime", "1");
    Skin("Skin", "1");
    Write(Skins() + "nums_ex.bmp", NumbersImage(108));
    StartWith("MMMM", "position 65432");
    Send("timer 150");
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.At(91, 32) == InkOf(5); });
    EXPECT_EQ(shot.At(49, 32), InkOf(0));
    EXPECT_EQ(shot.At(61, 32), InkOf(1));
    EXPECT_EQ(shot.At(79, 32), InkOf(0));
    EXPECT_EQ(shot.At(91, 32), InkOf(5));
    EXPECT_EQ(shot.At(52, 32), MainPixel(52, 32)) << "the cells' transparent pixels show the skin";
}

TEST_F(DisplayOnScreen, TheRemainingTimeHasItsMinusCell) {
    Skin("ExtTime", "1");
    Write(Skins() + "nums_ex.bmp", NumbersImage(108));
    Root().WriteBool("Option", "Remain", true);
    StartWith("MMMM", "position 65432");
    Send("length 245");  // 245 - 65 = 180 s: 03:00
    Send("timer 150");
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.At(39, 32) == InkOf(11); });
    EXPECT_EQ(shot.At(39, 32), InkOf(11)) << "the minus cell at x = 38";
    EXPECT_EQ(shot.At(61, 32), InkOf(3));
    EXPECT_EQ(shot.At(79, 32), InkOf(0));
}

TEST_F(DisplayOnScreen, ANewSongShowsItsFieldsAtOnce) {
    StartWith("MMMM");
    const auto before = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 20; });
    Write(music_ + "other.mp3", MpegPayload(400) + Id3Block("iiiiiiiiiiiiiiiiiiii", "Other"));
    Send("playlist 1\t" + music_ + "song.mp3\t" + music_ + "other.mp3");
    Send("title 2. Other - iiii - Winamp");
    const DWORD start = ::GetTickCount();
    const auto after = WaitForScreen([&](const ScreenCapture& s) {
        return s.Count(kRed, 109, 24, 266, 36) > 0 && !s.SameRegion(before, 109, 24, 266, 36);
    });
    EXPECT_FALSE(after.SameRegion(before, 109, 24, 266, 36));
    EXPECT_LT(::GetTickCount() - start, 400u) << "more than two ticks";
}

TEST_F(DisplayOnScreen, TheLyricsLineFollowsThePlayersPosition) {
    Skin("Disp1Text", "%B");
    Write(music_ + "song.txt", "[00:01]MMMMMMMMMMMM\r\n[00:03]iiiiii\r\n");
    StartWith("MMMM", "position 0");
    // Until the first title is read the line shows the display's own name.
    const auto empty = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) == 0; });
    EXPECT_EQ(empty.Count(kRed, 109, 24, 266, 36), 0) << "before the first time only a blank shows";
    Send("position 1500");
    const auto first = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 40; });
    const int wide = first.Count(kRed, 109, 24, 266, 36);
    EXPECT_GT(wide, 40);
    Send("position 3500");
    const auto second = WaitForScreen([&](const ScreenCapture& s) {
        return s.Count(kRed, 109, 24, 266, 36) > 0 && s.Count(kRed, 109, 24, 266, 36) < wide / 2;
    });
    EXPECT_LT(second.Count(kRed, 109, 24, 266, 36), wide / 2);
}

TEST_F(DisplayOnScreen, ALrcFileBesideTheSongShowsWithItsTranslationLine) {
    Skin("DispSw", "1");
    Skin("Disp1Text", "%B");
    Skin("Disp2Text", "%G");
    Write(music_ + "song.lrc",
          "[ti:MMMM]\r\n[00:01.00]MMMMMMMMMMMM\r\n[00:01.00]<00:01.00>iiii<00:01.50>iiii\r\n[00:03.50]MMMMMM\r\n");
    StartWith("MMMM", "position 0");
    const auto both = [](const ScreenCapture& s) {
        return s.Count(kRed, 109, 24, 266, 41) > 40 && s.Count(kRed, 109, 42, 266, 56) > 5;
    };
    Send("position 1500");
    const auto shot = WaitForScreen(both);
    EXPECT_GT(shot.Count(kRed, 109, 24, 266, 41), 40) << "the first line of the time";
    const int translation = shot.Count(kRed, 109, 42, 266, 56);
    EXPECT_GT(translation, 5) << "the second line of the time";
    EXPECT_LT(translation, shot.Count(kRed, 109, 24, 266, 41) / 2) << "the word tags show as text";
    Send("position 3600");
    const auto alone = WaitForScreen([](const ScreenCapture& s) {
        return s.Count(kRed, 109, 42, 266, 56) == 0 && s.Count(kRed, 109, 24, 266, 41) > 20;
    });
    EXPECT_EQ(alone.Count(kRed, 109, 42, 266, 56), 0) << "a time of one line leaves the second blank";
}

TEST_F(DisplayOnScreen, ALineTooLongScrolls) {
    Skin("Disp1Scroll", "1");
    StartWith(std::string(30, 'M'));
    const auto start = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 20; });
    const auto moved = WaitForScreen([&](const ScreenCapture& s) { return !s.SameRegion(start, 109, 24, 266, 36); });
    EXPECT_FALSE(moved.SameRegion(start, 109, 24, 266, 36)) << "the line did not move";
}

TEST_F(DisplayOnScreen, APerUserWinampFiveShowsTheSongAndTheSkinOfItsSettingsFolder) {
    const std::string settings = perUser_.Make(env_.playerFolder(), "");
    ChooseSkin(settings, env_.playerFolder() + "Skins\\", "Base");
    ::DeleteFileA((env_.playerFolder() + "WINAMP.INI").c_str());
    Skin("Skin", "1");
    StartWith(std::string(20, 'M'), "version 0x5091");
    // The player writes its lists when the display reads the title; until then the display shows
    // its own name, which stops short of x = 240 where the song's long title reaches.
    EXPECT_TRUE(WaitFor([&] {
        return ::GetFileAttributesA((settings + "WINAMP.M3U8").c_str()) != INVALID_FILE_ATTRIBUTES;
    })) << "the player was never asked for its play list";
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 240, 24, 266, 36) > 0; });
    EXPECT_GT(shot.Count(kRed, 240, 24, 266, 36), 0) << "the song of the settings folder's list";
    EXPECT_EQ(shot.At(109, 24), MainPixel(109, 24)) << "the skin of the settings folder's WINAMP.INI";
}

TEST_F(DisplayOnScreen, APerUserWinampFiveWithItsOwnPlayListFolderShowsItsSongAndASkinKeptAsAnArchive) {
    const std::string settings = perUser_.Make(env_.playerFolder(), "m3udir=%WINAMP_PROGRAM_DIR%\\Lists\r\n");
    const std::string lists = env_.playerFolder() + "Lists\\";
    ::CreateDirectoryA(lists.c_str(), nullptr);
    // A list left in the settings folder names a song of a short title.
    Write(music_ + "short.mp3", MpegPayload(400) + Id3Block("MM", "Artist"));
    Write(settings + "WINAMP.M3U", music_ + "short.mp3\r\n");
    const std::string skins = env_.playerFolder() + "Skins\\";
    Write(skins + "Pale.WSZ",
          ZipBytes({Stored("Pale/readme.txt", "pale"), Deflated("Pale/MAIN.BMP", MainImage(0x99))}));
    ChooseSkin(settings, skins, "Pale.WSZ");
    ::DeleteFileA((env_.playerFolder() + "WINAMP.INI").c_str());
    Skin("Skin", "1");
    StartWith(std::string(20, 'M'), "version 0x5091");
    EXPECT_TRUE(WaitFor([&] {
        return ::GetFileAttributesA((lists + "WINAMP.M3U8").c_str()) != INVALID_FILE_ATTRIBUTES;
    })) << "the player did not write its lists into the folder of m3udir";
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 240, 24, 266, 36) > 0; });
    EXPECT_GT(shot.Count(kRed, 240, 24, 266, 36), 0) << "the song of the play-list folder's list";
    EXPECT_EQ(shot.At(109, 24), MainPixel(109, 24, 0x99)) << "main.bmp read from the archive";
    EXPECT_EQ(shot.At(109, 35), MainPixel(109, 35, 0x99));
}

TEST_F(DisplayOnScreen, ASkinNamedInJapaneseInAUtf8WinampIniShowsAndItsNameStaysAsWritten) {
    const std::string skins = env_.playerFolder() + "Skins\\";
    ::CreateDirectoryA((skins + "空色テ").c_str(), nullptr);
    Write(skins + "空色テ\\main.bmp", MainImage(0x77));
    // The name in UTF-8 ends in 0x86, which CP932 takes for the first byte of a pair.
    const std::string ini =
        "[Winamp]\r\nutf8=1\r\nSkinDir=" + skins + "\r\nskin=\xE7\xA9\xBA\xE8\x89\xB2\xE3\x83\x86\r\n";
    Write(env_.playerFolder() + "WINAMP.INI", ini);
    Skin("Skin", "1");
    StartWith(std::string(20, 'M'), "version 0x5091");
    const auto shot = WaitForScreen([](const ScreenCapture& s) {
        return s.Count(kRed, 109, 24, 266, 36) > 20 && s.At(109, 24) == MainPixel(109, 24, 0x77);
    });
    EXPECT_GT(shot.Count(kRed, 109, 24, 266, 36), 20);
    EXPECT_EQ(shot.At(109, 24), MainPixel(109, 24, 0x77)) << "the image of the skin the UTF-8 name names";
    EXPECT_EQ(ReadAll(env_.playerFolder() + "WINAMP.INI"), ini) << "the display wrote the name back changed";
}

// A file made by its wide name, removed again when the case ends.
class WideFile {
public:
    WideFile(std::wstring path, const std::string& bytes) : path_(std::move(path)) {
        const HANDLE file =
            ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            ::CloseHandle(file);
        }
    }
    ~WideFile() { ::DeleteFileW(path_.c_str()); }
    WideFile(const WideFile&) = delete;
    WideFile& operator=(const WideFile&) = delete;

private:
    std::wstring path_;
};

std::wstring WideOf(const std::string& text, UINT codePage) {
    const int units = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    return wide;
}

std::string Utf8Of(const std::wstring& wide) {
    const int units = static_cast<int>(wide.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, text.data(), bytes, nullptr, nullptr);
    return text;
}

TEST_F(DisplayOnScreen, ASongWhoseNameTheCodePageLacksShowsItsTagsTitleAndItsLyrics) {
    const std::string settings = perUser_.Make(env_.playerFolder(), "");
    ChooseSkin(settings, env_.playerFolder() + "Skins\\", "Base");
    Skin("DispSw", "1");
    Skin("Disp2Text", "%B");
    // Korean, which CP932 lacks: WINAMP.M3U can only say "??".
    const std::wstring song = WideOf(music_, CP_ACP) + L"\uD55C\uAD6D";
    const WideFile mp3(song + L".mp3", MpegPayload(400) + Id3Block(std::string(20, 'M'), "Artist"));
    const WideFile lyrics(song + L".txt", "[00:00]" + std::string(20, 'M') + "\r\n");
    StartWith("MMMM", "version 0x5091");
    Send("playlist8 0\t" + Utf8Of(song + L".mp3"));
    Send("title 1. ?? - Winamp");
    // The window's title is short, and so is the display's own name: only the tag's title and
    // the lyrics line reach x = 240.
    const auto both = [](const ScreenCapture& s) {
        return s.Count(kRed, 240, 24, 266, 41) > 0 && s.Count(kRed, 240, 42, 266, 56) > 0;
    };
    const auto shot = WaitForScreen(both);
    EXPECT_GT(shot.Count(kRed, 240, 24, 266, 41), 0) << "the title of the song's tag";
    EXPECT_GT(shot.Count(kRed, 240, 42, 266, 56), 0) << "the line of the lyrics file beside it";
    const std::vector<std::string> list = ReadLines(settings + "WINAMP.M3U");
    EXPECT_NE(std::find(list.begin(), list.end(), music_ + "??.mp3"), list.end())
        << "the code page's list cannot name the song";
}

TEST_F(DisplayOnScreen, ASkinFolderNamedBeyondTheCodePageShowsByItsTrueName) {
    const std::string skins = env_.playerFolder() + "Skins\\";
    const std::wstring korean = L"\uD55C\uAD6D";
    const std::wstring folder = WideOf(skins, CP_ACP) + korean;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const WideFile image(folder + L"\\main.bmp", MainImage(0x79));
    Write(env_.playerFolder() + "WINAMP.INI",
          "[Winamp]\r\nutf8=1\r\nSkinDir=" + skins + "\r\nskin=" + Utf8Of(korean) + "\r\n");
    Skin("Skin", "1");
    StartWith(std::string(20, 'M'), "version 0x5091");
    const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.At(109, 24) == MainPixel(109, 24, 0x79); });
    EXPECT_EQ(shot.At(109, 24), MainPixel(109, 24, 0x79)) << "the image of the skin its UTF-8 name names";
}

TEST_F(DisplayOnScreen, TheDisplayComesBackAfterThePlayerRepaints) {
    StartWith("MMMM");
    WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 20; });
    for (int i = 0; i < 3; ++i) {
        Send("paint");
        const auto shot = WaitForScreen([](const ScreenCapture& s) { return s.Count(kRed, 109, 24, 266, 36) > 20; });
        EXPECT_GT(shot.Count(kRed, 109, 24, 266, 36), 20) << "repaint " << i;
    }
}

}  // namespace
}  // namespace sorabell::testing
