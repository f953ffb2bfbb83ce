// The preferences window on a simulated machine: what it reads at start, what Update, OK and
// Cancel write, the folder choices, and how it tells the display program.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>

#include "hook/HookRules.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "preferences/Tlumora_pre.h"
#include "settings/RegIniFile.h"
#include "sim/TempFolder.h"

namespace sorabell::testing {
namespace {

using preferences::Tlumora_pre;

constexpr const char* kProgramFolder = "C:\\Sorabell\\";
constexpr const char* kWinamp = "C:\\Winamp\\";

class PreferencesTest : public ::testing::Test {
protected:
    PreferencesTest() {
        for (const char* folder : {"C:\\Sorabell", "C:\\Winamp", "C:\\Winamp\\Skins"}) {
            machine_.files().CreateFolder(folder);
        }
        toolkit_.fontFaces = std::vector<std::string>{"ＭＳ ゴシック", "@ＭＳ ゴシック", "Arial", "ＭＳ Ｐゴシック"};
    }

    settings::TRegIniFile Root() { return settings::TRegIniFile(machine_.registry(), settings::kRootPath); }
    settings::TRegIniFile Skins() { return settings::TRegIniFile(machine_.registry(), settings::kSkinsPath); }
    bool Stored(const std::string& section, const std::string& name) {
        return Root().ReadString(section, name, "<none>") != "<none>";
    }
    void Write(const std::string& path, const std::string& bytes = "x") {
        platform::WriteWholeFile(machine_.files(), path, bytes);
    }
    // Winamp with its skins folder and skins of these names, known to the store.
    void InstallWinamp(std::initializer_list<const char*> skins = {}) {
        Write(std::string(kWinamp) + "Winamp.Exe");
        machine_.iniFiles().WriteString(std::string(kWinamp) + "WINAMP.INI", "Winamp", "SkinDir", "C:\\Winamp\\Skins");
        for (const char* skin : skins) {
            machine_.files().CreateFolder(std::string("C:\\Winamp\\Skins\\") + skin);
        }
        Root().WriteString("Option", "Winamp", kWinamp);
    }
    // The user of the next folder dialogs: picks `path` ("" for an item without one) and presses
    // OK, or presses Cancel when `path` is null.
    void NextFolderChoice(const char* path) {
        toolkit_.folderBrowser().user = [path](sim::SimBrowseDialog& dialog) {
            if (path == nullptr) {
                dialog.Cancel();
                return;
            }
            if (*path == '\0') {
                dialog.Select(sim::SimShellItem("", "マイ コンピュータ"));
            } else {
                dialog.Select(path);
            }
            dialog.Ok();
        };
    }
    Tlumora_pre& Open() {
        prefs_ = std::make_unique<Tlumora_pre>(program_->platform(), toolkit_, graphics_);
        return *prefs_;
    }
    template <class T>
    static auto& Sim(T* control) {
        if constexpr (std::is_same_v<T, platform::ComboBox>) {
            return static_cast<sim::SimComboBox&>(*control);
        } else if constexpr (std::is_same_v<T, platform::Edit>) {
            return static_cast<sim::SimEdit&>(*control);
        } else {
            return static_cast<sim::SimButton&>(*control);
        }
    }
    // A window of the display program that counts what is posted to it.
    void RunDisplay() {
        sim::SimDesktop::Window window;
        window.className = hook::kDisplayWindowClass;
        window.title = hook::kDisplayWindowTitle;
        window.handler = [this](const platform::WindowMessage& m) {
            displayMessages_.push_back(m.message);
            return 0;
        };
        machine_.desktop().AddWindow(std::move(window));
    }

    TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::unique_ptr<sim::SimMachine::Program> program_ =
        machine_.StartProgram(std::string(kProgramFolder) + "Sorabell_Preferences.exe");
    sim::SimToolkit toolkit_{&machine_.desktop()};
    sim::SimGraphics graphics_{&machine_.desktop()};
    std::unique_ptr<Tlumora_pre> prefs_;
    std::vector<uint32_t> displayMessages_;
};

TEST_F(PreferencesTest, AnEmptyStoreOpensCentredOnTheFirstPageWithTheFormsOwnValues) {
    NextFolderChoice(nullptr);
    auto& p = Open();
    ASSERT_EQ(toolkit_.folderBrowser().requests.size(), 1u) << "Winamp.Exe is missing: the chooser opens first";
    EXPECT_EQ(toolkit_.folderBrowser().requests[0].instruction, "Winamp.Exe のあるフォルダを指定してください");
    EXPECT_FALSE(p.winampFound());
    EXPECT_EQ(p.skinFolder(), "");

    const platform::Rect frame = p.form().windowRect();
    EXPECT_EQ(frame.left, (1024 - frame.width()) / 2);
    EXPECT_EQ(frame.top, (768 - frame.height()) / 2);
    EXPECT_EQ(p.form().caption(), "Sorabell - 設定");
    EXPECT_TRUE(p.form().visible());
    EXPECT_EQ(p.PageControl1->activePageIndex(), 0);
    auto& basic = p.basicPage();
    EXPECT_EQ(basic.ComboBox8->text(), "400");
    EXPECT_EQ(basic.ComboBox5->text(), "6");
    EXPECT_EQ(basic.Edit4->text(), "♪");
    EXPECT_EQ(basic.Edit5->text(), kProgramFolder);
    EXPECT_EQ(basic.PathLabel1->path(), kProgramFolder);
    EXPECT_EQ(basic.PathLabel2->label().caption(), "( 未設定 )");
    EXPECT_EQ(basic.PathLabel3->label().caption(), "( 未設定 )");
    EXPECT_EQ(p.displayPage().selectedSkinName(), "(Default)");
    EXPECT_EQ(p.winampPage().ComboBox6->items(),
              (std::vector<std::string>{"Arial", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"}));
    EXPECT_EQ(p.winampPage().ComboBox6->text(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(p.winampPage().ComboBox7->text(), "12");
    EXPECT_FALSE(p.winampPage().ComboBox6->enabled());
}

TEST_F(PreferencesTest, CancelWritesTheWindowButNoOptionAndReopensWhereItWas) {
    InstallWinamp({"Aozora"});
    Root().WriteInteger("Window", "Page", 1);
    Root().WriteInteger("Window", "Left", 100);
    Root().WriteInteger("Window", "Top", 50);
    Root().WriteString("Window", "ColorB", "00C400");
    auto& p = Open();
    EXPECT_EQ(p.PageControl1->activePageIndex(), 1);
    EXPECT_EQ(p.form().windowRect().left, 100);
    EXPECT_EQ(p.ColorDialog1->customColor(1), "00C400");
    EXPECT_EQ(p.ColorDialog1->customColor(2), "FFFFFFFF");

    Sim(p.basicPage().ComboBox8).Choose("200");
    static_cast<sim::SimListBox*>(p.displayPage().ListBox1)->Choose("Aozora");
    p.form().MoveTo(120, 70);
    Sim(p.Button2).Click();
    EXPECT_TRUE(p.form().closed());
    EXPECT_FALSE(Stored("Option", "TimerSpeed"));
    EXPECT_EQ(Root().ReadInteger("Window", "Left", 0), 120);
    EXPECT_EQ(Root().ReadInteger("Window", "Top", 0), 70);
    EXPECT_EQ(Root().ReadString("Window", "SkinName", ""), "Aozora");
    EXPECT_EQ(Root().ReadString("Window", "ColorB", ""), "00C400");
    EXPECT_EQ(Root().ReadString("Window", "ColorP", ""), "FFFFFFFF");
}

TEST_F(PreferencesTest, APlaceThatLeavesTheTitleBarOutOfReachOpensCentred) {
    InstallWinamp();
    toolkit_.otherScreens = {{1024, 0, 2048, 768}};
    // The simulated window is 500 pixels wide, its title bar 19 high below a border of 3.
    const std::tuple<int, int, bool> places[] = {{3000, 40, false}, {-495, 40, false}, {2043, 40, false},
                                                 {100, -10, false}, {100, 750, false}, {-400, 40, true},
                                                 {1500, 0, true},   {100, -3, true}};
    for (const auto& [left, top, kept] : places) {
        Root().WriteInteger("Window", "Left", left);
        Root().WriteInteger("Window", "Top", top);
        prefs_.reset();
        const platform::Rect frame = Open().form().windowRect();
        EXPECT_EQ(frame.left, kept ? left : (1024 - frame.width()) / 2) << left << ", " << top;
        EXPECT_EQ(frame.top, kept ? top : (768 - frame.height()) / 2) << left << ", " << top;
    }
}

TEST_F(PreferencesTest, UpdateWritesTheOptionsAndEverySkinVisitedAndTellsTheDisplay) {
    InstallWinamp({"Aozora", "Base", "Winter"});
    Root().WriteBool("Option", "Remain", true);
    Root().WriteInteger("Option", "ScrollDot", 5);
    Root().WriteInteger("Option", "TimerSpeed", 300);  // none of the choices
    RunDisplay();
    auto& p = Open();
    EXPECT_EQ(p.skinFolder(), "C:\\Winamp\\Skins\\");
    EXPECT_EQ(p.basicPage().ComboBox8->itemIndex(), -1);
    for (const char* skin : {"Aozora", "Base", "Winter"}) {
        static_cast<sim::SimListBox*>(p.displayPage().ListBox1)->Choose(skin);
    }
    Sim(p.basicPage().ComboBox5).Choose("10");
    Sim(p.basicPage().Edit4).Type("☆");
    static_cast<sim::SimCheckBox*>(p.winampPage().CheckBox10)->Click();
    static_cast<sim::SimComboBox*>(p.winampPage().ComboBox7)->Choose("14");
    p.winampPage().CheckBox1->SetChecked(true);

    Sim(p.Button3).Click();
    machine_.desktop().Pump();
    EXPECT_EQ(Root().ReadInteger("Option", "TimerSpeed", 0), 300) << "a list without a selection keeps the number";
    EXPECT_EQ(Root().ReadInteger("Option", "ScrollDot", 0), 10);
    EXPECT_EQ(Root().ReadString("Option", "Lumora", ""), "☆");
    EXPECT_EQ(Root().ReadString("Option", "Winamp", ""), kWinamp);
    EXPECT_EQ(Root().ReadString("Option", "Versewright", ""), "( 未設定 )");
    EXPECT_EQ(Root().ReadInteger("Option", "WinampFontSize", 0), -14);
    EXPECT_EQ(Root().ReadInteger("Option", "WinampFontStyle", 0), 1);
    EXPECT_TRUE(Root().ReadBool("Option", "FontCh", false));
    EXPECT_EQ(Root().ReadString("Option", "WinampFontName", ""), "ＭＳ Ｐゴシック");
    EXPECT_TRUE(Root().ReadBool("Option", "Remain", false)) << "Update never writes Remain";
    for (const char* skin : {"(Default)", "Aozora", "Base", "Winter"}) {
        EXPECT_EQ(Skins().ReadString(skin, "Disp1Text", ""), "%0. %1 - %2 %a") << skin;
        EXPECT_EQ(Skins().ReadInteger(skin, "DFontSize", 0), -24) << skin;
    }
    EXPECT_EQ(displayMessages_, (std::vector<uint32_t>{hook::UM_RELOAD_SETTINGS}));

    Sim(p.Button1).Click();
    EXPECT_TRUE(p.form().closed());
    machine_.desktop().Pump();
    EXPECT_EQ(displayMessages_.size(), 2u);
}

TEST_F(PreferencesTest, ThePreviewShowsTheMenuMarkAsTheBasicPageHasIt) {
    InstallWinamp();
    Root().WriteString("Option", "Lumora", "■");
    auto& p = Open();
    const auto markPixels = [&p] {
        const auto& pixels = static_cast<sim::SimBitmap&>(p.displayPage().preview().previewImage()).pixels();
        return std::count(pixels.begin(), pixels.end(), settings::kMarkColor);
    };
    const auto stored = markPixels();
    EXPECT_GT(stored, 0) << "the stored mark is drawn from the start";
    Sim(p.basicPage().Edit4).Type("");
    EXPECT_EQ(markPixels(), 0);
    Sim(p.basicPage().Edit4).Type("■");
    EXPECT_EQ(markPixels(), stored);
}

TEST_F(PreferencesTest, AMissingLyricsFolderIsOfferedOnceAndItsFailureSaidWhileSavingGoesOn) {
    InstallWinamp();
    auto& p = Open();
    Sim(p.basicPage().Edit5).Type("C:\\Music\\Lyrics");
    toolkit_.answers = {true};
    Sim(p.Button3).Click();
    ASSERT_EQ(toolkit_.questions.size(), 1u);
    EXPECT_EQ(toolkit_.questions[0],
              "フォルダが存在しません: Lyrics用のフォルダ(C:\\Music\\Lyrics)は存在しません\r\n作成しますか？");
    EXPECT_TRUE(toolkit_.systemModal[0]);
    EXPECT_TRUE(platform::DirectoryExists(machine_.files(), "C:\\Music\\Lyrics"));
    EXPECT_EQ(Root().ReadString("Option", "LyricsFolder", ""), "C:\\Music\\Lyrics");

    Write("C:\\Music\\file");
    Sim(p.basicPage().Edit5).Type("C:\\Music\\file\\Lyrics\\");
    toolkit_.answers = {true};
    Sim(p.Button3).Click();
    EXPECT_EQ(toolkit_.shownMessages,
              (std::vector<std::string>{"Lyrics用のフォルダ(C:\\Music\\file\\Lyrics\\)を作成できませんでした"}));
    EXPECT_EQ(Root().ReadString("Option", "LyricsFolder", ""), "C:\\Music\\file\\Lyrics\\");

    Sim(p.basicPage().Edit5).Type("C:\\Other");
    toolkit_.answers = {false};
    Sim(p.Button3).Click();
    EXPECT_FALSE(platform::DirectoryExists(machine_.files(), "C:\\Other"));
    EXPECT_EQ(Root().ReadString("Option", "LyricsFolder", ""), "C:\\Other");
}

TEST_F(PreferencesTest, ACloseDuringUpdatesQuestionWaitsUntilTheWindowsValuesAreStored) {
    InstallWinamp();
    const std::string folder = "C:\\Missing\\" + std::string(300, 'L') + "\\Last";
    Root().WriteString("Option", "LyricsFolder", folder);
    auto& p = Open();
    Sim(p.basicPage().ComboBox8).Choose("600");
    toolkit_.whileAsking = [&] {
        Sim(p.Button3).Click();
        p.form().Close();
        EXPECT_FALSE(p.form().closed()) << "closed under Update's question";
    };
    Sim(p.Button3).Click();
    EXPECT_TRUE(p.form().closed()) << "the close is carried out after Update";
    EXPECT_EQ(toolkit_.questions,
              (std::vector<std::string>{"フォルダが存在しません: Lyrics用のフォルダ(C:\\...\\Last)は存在"
                                        "しません\r\n作成しますか？"}));
    EXPECT_EQ(Root().ReadInteger("Option", "TimerSpeed", 0), 600);
    EXPECT_EQ(Root().ReadString("Option", "LyricsFolder", ""), folder);
}

TEST_F(PreferencesTest, AProgramFolderIsTakenOnlyWithItsProgramAndNeverFromAnItemWithoutAPath) {
    InstallWinamp();
    machine_.files().CreateFolder("C:\\Tools");
    Write("C:\\Tools\\Kettle.Exe");
    Write("C:\\Kettle.Exe");
    auto& p = Open();
    auto& kettle = *p.basicPage().PathLabel3;

    NextFolderChoice(nullptr);
    p.basicPage().BitBtn4Click();
    EXPECT_EQ(toolkit_.folderBrowser().requests.back().instruction, "Kettle.Exe のあるフォルダを指定してください");
    EXPECT_EQ(kettle.path(), "( 未設定 )");

    NextFolderChoice("C:\\Winamp");
    p.basicPage().BitBtn4Click();
    EXPECT_EQ(toolkit_.shownMessages, (std::vector<std::string>{"Kettle がみつかりません"}));
    EXPECT_EQ(kettle.path(), "( 未設定 )");

    NextFolderChoice("C:\\Tools");
    p.basicPage().BitBtn4Click();
    EXPECT_EQ(kettle.path(), "C:\\Tools\\");

    NextFolderChoice("");
    p.basicPage().BitBtn4Click();
    EXPECT_EQ(kettle.path(), "C:\\Tools\\");
    NextFolderChoice("");
    p.basicPage().BitBtn2Click();
    EXPECT_EQ(p.basicPage().Edit5->text(), kProgramFolder);

    NextFolderChoice("C:\\");  // a drive root comes back with its backslash
    p.basicPage().BitBtn4Click();
    EXPECT_EQ(kettle.path(), "C:\\\\");
}

TEST_F(PreferencesTest, TheDisplayProgramStartsByItsFullPathAndClosesByItsWindow) {
    InstallWinamp();
    RunDisplay();
    auto& p = Open();
    p.behaviourPage().Button4Click();
    ASSERT_EQ(machine_.session().launches.size(), 1u);
    EXPECT_EQ(machine_.session().launches[0].commandLine, "\"C:\\Sorabell\\Sorabell.Exe\"");
    EXPECT_EQ(machine_.session().launches[0].show, 5);
    p.behaviourPage().Button5Click();
    machine_.desktop().Pump();
    EXPECT_EQ(displayMessages_, (std::vector<uint32_t>{hook::kWmClose}));
}

TEST_F(PreferencesTest, TheWinampRepairWaitsForWinampToEndAndSaysWhyItCouldNotWrite) {
    InstallWinamp();
    const std::string ini = std::string(kWinamp) + "WINAMP.INI";
    const std::string before = platform::ReadWholeFile(machine_.files(), ini);
    sim::SimDesktop::Window player;
    player.className = "Winamp v1.x";
    player.title = "1. 曲 - Winamp";
    const platform::WindowHandle winamp = machine_.desktop().AddWindow(std::move(player));
    auto& p = Open();
    p.behaviourPage().Button10Click();
    EXPECT_EQ(toolkit_.shownMessages.back(), "Winamp を終了させてください");
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), ini), before);

    machine_.desktop().RemoveWindow(winamp);
    machine_.files().SetAttributes(ini, platform::attr::ReadOnly);
    p.behaviourPage().Button10Click();
    EXPECT_EQ(toolkit_.shownMessages.back().rfind(ini + " を書き換えられませんでした", 0), 0u)
        << toolkit_.shownMessages.back();
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), ini), before);

    machine_.files().SetAttributes(ini, 0);
    p.behaviourPage().Button10Click();
    EXPECT_EQ(toolkit_.shownMessages.back(), "\"Auto-Scroll SongName\"と\"Select Random Skin on Play\"を解除しました");
    EXPECT_EQ(machine_.iniFiles().ReadString(ini, "Winamp", "randskin", ""), "0");
    EXPECT_EQ(machine_.iniFiles().ReadString(ini, "Winamp", "SkinDir", ""), "C:\\Winamp\\Skins");

    p.behaviourPage().Button6Click();
    EXPECT_EQ(toolkit_.shownInformation.back(), "関連づけの報告: *.rmp のファイルタイプを  に変更しました\r\n");
}

TEST_F(PreferencesTest, TheWinampRepairWritesTheIniOfTheSettingsFolderThatPathsIniNames) {
    InstallWinamp();
    machine_.session().specialFolders[26] = "C:\\AppData";
    machine_.files().CreateFolder("C:\\AppData");
    machine_.files().CreateFolder("C:\\AppData\\Winamp");
    Write(std::string(kWinamp) + "paths.ini", "[Winamp]\r\ninidir={26}\\Winamp\r\n");
    const std::string programIni = std::string(kWinamp) + "WINAMP.INI";
    const std::string before = platform::ReadWholeFile(machine_.files(), programIni);
    Write("C:\\AppData\\Winamp\\WINAMP.INI", "[Winamp]\r\nrandskin=1\r\n");
    auto& p = Open();
    p.behaviourPage().Button10Click();
    EXPECT_EQ(machine_.iniFiles().ReadString("C:\\AppData\\Winamp\\WINAMP.INI", "Winamp", "randskin", ""), "0");
    EXPECT_EQ(platform::ReadWholeFile(machine_.files(), programIni), before);
}

TEST_F(PreferencesTest, ASecondStartEndsWithoutAWindow) {
    InstallWinamp();
    machine_.session().mutexes.insert("そらべるぷれふぁれんす");
    EXPECT_EQ(preferences::RunPreferences(program_->platform(), toolkit_, graphics_), 0);
    EXPECT_EQ(toolkit_.FindForm(Tlumora_pre::kClassName), nullptr);
    EXPECT_EQ(toolkit_.title(), "");
}

}  // namespace
}  // namespace sorabell::testing
