// The hyperlink label's colours and its open request, driven as the user's mouse would.

#include <gtest/gtest.h>

#include "components/URLLabel.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "sim/TempFolder.h"

namespace sorabell::testing {
namespace {

using components::TURLLabel;

class URLLabelTest : public ::testing::Test {
protected:
    // The program's resources are there before the label is made.
    URLLabelTest() {
        toolkit_.cursorResources.insert("HANDPOINT");
        link_ = std::make_unique<TURLLabel>(label_, toolkit_, program_->platform().processes);
    }

    TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::unique_ptr<sim::SimMachine::Program> program_ =
        machine_.StartProgram("C:\\Sorabell\\Sorabell_Preferences.exe");
    sim::SimToolkit toolkit_;
    std::unique_ptr<platform::Form> form_ = toolkit_.CreateForm({"Tlumora_pre", "Sorabell - 設定", 494, 485, true});
    sim::SimLabel& label_ = static_cast<sim::SimLabel&>(form_->AddLabel({20, 40, 120, 14}, "C:\\Sorabell\\README.txt"));
    std::unique_ptr<TURLLabel> link_;
    const std::vector<sim::SimSession::ShellExecution>& opened() { return machine_.session().shellExecutes; }
};

TEST_F(URLLabelTest, TheColourFollowsTheMouseAndTheCaptionOpensOnThePress) {
    EXPECT_EQ(toolkit_.cursors.at(32761), "HANDPOINT");
    EXPECT_EQ(label_.cursor(), 32761);
    label_.SetFontColor(0x000000);
    link_->SetExecutable(true);

    label_.MouseEnter();
    EXPECT_EQ(label_.fontColor(), 0xFFFF00);
    label_.Press();
    EXPECT_EQ(label_.fontColor(), 0x0000FF);
    ASSERT_EQ(opened().size(), 1u);
    EXPECT_EQ(opened()[0].verb, "OPEN");
    EXPECT_EQ(opened()[0].file, "C:\\Sorabell\\README.txt");
    EXPECT_EQ(opened()[0].show, 5);
    label_.Release({10, 5});
    EXPECT_EQ(label_.fontColor(), 0xFFFF00);
    label_.MouseLeave();
    EXPECT_EQ(label_.fontColor(), 0x000000);

    // Dragged out before the release: back to the label's own colour.
    label_.MouseEnter();
    label_.Press();
    label_.Release({130, 5});
    EXPECT_EQ(label_.fontColor(), 0x000000);
    EXPECT_EQ(opened().size(), 2u);
}

TEST_F(URLLabelTest, WithoutHotTrackingTheColourStaysButThePressStillOpens) {
    label_.SetFontColor(0x123456);
    link_->SetHotTrack(false);
    link_->SetExecutable(true);
    label_.MouseEnter();
    label_.Press();
    label_.Release({1, 1});
    EXPECT_EQ(label_.fontColor(), 0x123456);
    EXPECT_EQ(opened().size(), 1u);

    link_->SetExecutable(false);
    label_.Press();
    EXPECT_EQ(opened().size(), 1u);
}

TEST_F(URLLabelTest, OnlyAChangedColourRepaints) {
    const int before = label_.repaints;
    link_->SetHotColor(0xFFFF00);
    link_->SetPushedColor(0x0000FF);
    link_->SetHotTrack(true);
    EXPECT_EQ(label_.repaints, before);
    link_->SetHotColor(0x00FF00);
    EXPECT_EQ(label_.repaints, before + 1);
}

}  // namespace
}  // namespace sorabell::testing
