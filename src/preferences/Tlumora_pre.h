#pragma once
// The preferences program's one window. It reads every setting when it is made, lets the user
// change them on five pages, and writes them only on 更新 or OK, telling the running display
// program to read them again. However it closes, it keeps its own place, page, chosen skin and
// custom colours.

#include <memory>
#include <string>

#include "components/FolderDialog.h"
#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "platform/Toolkit.h"
#include "preferences/BasicPage.h"
#include "preferences/BehaviourPage.h"
#include "preferences/DisplayPage.h"
#include "preferences/Page.h"
#include "preferences/VersionPage.h"
#include "preferences/WinampPage.h"
#include "settings/Schema.h"

namespace sorabell::preferences {

class Tlumora_pre {
public:
    static constexpr const char* kClassName = "Tlumora_pre";
    static constexpr const char* kCaption = "Sorabell - 設定";
    static constexpr int kClientWidth = 494;
    static constexpr int kClientHeight = 485;

    // The page indexes that Window / Page stores.
    enum Page { TabSheet1, TabSheet7, TabSheet2, TabSheet4, TabSheet3 };

    // Makes the window, runs FormCreate and shows it; FormClose runs when it closes.
    Tlumora_pre(platform::Platform& os, platform::Toolkit& toolkit, platform::Graphics& graphics);
    ~Tlumora_pre();
    Tlumora_pre(const Tlumora_pre&) = delete;
    Tlumora_pre& operator=(const Tlumora_pre&) = delete;

    platform::Form& form() { return *form_; }
    BasicPage& basicPage() { return *basic_; }
    DisplayPage& displayPage() { return *display_; }
    WinampPage& winampPage() { return *winamp_; }
    BehaviourPage& behaviourPage() { return *behaviour_; }
    VersionPage& versionPage() { return *version_; }
    bool winampFound() const { return WinampFound; }
    const std::string& skinFolder() const { return settings_.skinFolder; }

    void FormCreate();
    void Button1Click();  // OK: Update, then close
    void Button2Click();  // キャンセル: close, dropping what Update has not written
    // 更新: write every setting, tell the display program. A close request while it runs (one of
    // its questions is open, say) waits for it to end, so the store gets the values the window
    // showed, whole.
    void Button3Click();
    void FormClose();

    platform::PageControl* PageControl1;
    platform::Button* Button1;
    platform::Button* Button2;
    platform::Button* Button3;
    std::unique_ptr<platform::ColorDialog> ColorDialog1;
    std::unique_ptr<components::TFolderDialog> FolderDialog1;

private:
    void PlaceWindow(const settings::WindowSettings& window);
    void Update();
    // Ends Update's run and carries out a close request that came during it.
    void FinishUpdate();
    bool FormCloseQuery();
    // Winamp's folder as the basic page holds it, chosen anew when Winamp.Exe is not there,
    // and the skins folder its WINAMP.INI names.
    void FindWinamp();
    void CheckLyricsFolder(const std::string& folder);

    platform::Platform& os_;
    platform::Toolkit& toolkit_;
    std::string programFolder_;
    std::unique_ptr<platform::Form> form_;
    std::unique_ptr<BasicPage> basic_;
    std::unique_ptr<DisplayPage> display_;
    std::unique_ptr<WinampPage> winamp_;
    std::unique_ptr<BehaviourPage> behaviour_;
    std::unique_ptr<VersionPage> version_;
    // The settings as FormCreate read them: what Update keeps where a list has no selection.
    PreferencesSettings settings_;
    bool WinampFound = true;
    bool updating_ = false;
    bool closeRequested_ = false;
};

// The program's entry: one copy at a time (a second start ends at once, silently), the
// application title, the window and its message loop. The result is the program's exit code.
int RunPreferences(platform::Platform& os, platform::Toolkit& toolkit, platform::Graphics& graphics);

// Creates the folder with every missing parent; a trailing "\" is ignored and nothing is made
// for a text of two characters or fewer. False when a folder could not be made.
bool ForceDirectories(platform::FileSystem& files, const std::string& folder);

}  // namespace sorabell::preferences
