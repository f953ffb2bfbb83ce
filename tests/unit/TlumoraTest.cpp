#include <gtest/gtest.h>

#include "display/Tlumora.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "settings/RegIniFile.h"
#include "sim/TempFolder.h"

namespace sorabell::display {
namespace {

class DisplayForm : public ::testing::Test {
protected:
    DisplayForm() {
        machine_.files().CreateFolder("C:\\Winamp");
        Store().WriteString("Option", "Winamp", "C:\\Winamp\\");
    }
    std::unique_ptr<Tlumora> Create() {
        return std::make_unique<Tlumora>(program_->platform(), toolkit_, graphics_, hooks_);
    }
    settings::TRegIniFile Store() { return settings::TRegIniFile(machine_.registry(), settings::kRootPath); }

    testing::TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::unique_ptr<sim::SimMachine::Program> program_ =
        machine_.StartProgram("C:\\Program Files\\Sorabell\\Sorabell.exe");
    sim::SimToolkit toolkit_;
    sim::SimGraphics graphics_;
    sim::SimHookLibrary hooks_;
};

TEST_F(DisplayForm, ASettingsFailureAtCreationIsShownAndTheWindowStillWorks) {
    Store().WriteString("Option", "Winamp", "C:\\No Such Folder\\");
    machine_.desktop().AddWindow({"Winamp v1.x", "Winamp 1.x", {0, 0, 275, 116}, 0, {}, {}, -1});
    auto display = Create();
    ASSERT_EQ(toolkit_.shownMessages.size(), 1u);
    EXPECT_NE(toolkit_.shownMessages[0].find("WINAMP.INI"), std::string::npos);
    EXPECT_EQ(hooks_.calls.size(), 1u);
    EXPECT_TRUE(display->timer().enabled());
}

TEST_F(DisplayForm, IsAHiddenWindowFoundByItsClassAndCaption) {
    auto display = Create();
    sim::SimForm* form = toolkit_.FindForm("Tlumora", "Sorabell");
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->visible());
    EXPECT_EQ(display->edit1Text(), " ");
}

TEST_F(DisplayForm, InstallsTheHooksOnWinampsThreadLastThenStartsItsTimer) {
    machine_.desktop().newWindowThread = 7;
    machine_.desktop().AddWindow({"Winamp v1.x", "Winamp 1.x", {0, 0, 275, 116}, 0, {}, {}, -1});
    auto display = Create();
    ASSERT_EQ(hooks_.calls.size(), 1u);
    EXPECT_EQ(hooks_.calls[0], "sethook " + std::to_string(display->form().handle()) + " 7 0");
    EXPECT_TRUE(display->timer().enabled());
}

TEST_F(DisplayForm, ClosingSavesTheRemainingTimeMarkAndRemovesTheHooks) {
    Store().WriteString("Option", "TimerSpeed", "200");
    Store().WriteBool("Option", "Remain", false);
    auto display = Create();
    EXPECT_FALSE(display->timeRemaining());
    display->menu().SetChecked(Tlumora::TimeRemaining1, true);
    std::string expected = machine_.registry().ExportText();
    const size_t remain = expected.find("\"Remain\"=\"0\"");
    ASSERT_NE(remain, std::string::npos);
    expected.replace(remain, 12, "\"Remain\"=\"1\"");

    display->form().Close();
    EXPECT_EQ(hooks_.calls.back(), "freehook");
    EXPECT_FALSE(display->timer().enabled());
    EXPECT_TRUE(Store().ReadBool("Option", "Remain", false));
    EXPECT_EQ(machine_.registry().ExportText(), expected) << "only Remain is written at close";
}

TEST_F(DisplayForm, TheRemainingTimeMarkSurvivesARestart) {
    {
        auto first = Create();
        first->menu().SetChecked(Tlumora::TimeRemaining1, true);
        first->form().Close();
    }
    auto second = Create();
    EXPECT_TRUE(second->timeRemaining());
    second->menu().SetChecked(Tlumora::TimeRemaining1, false);
    second->form().Close();
    EXPECT_FALSE(Create()->timeRemaining());
}

}  // namespace
}  // namespace sorabell::display
