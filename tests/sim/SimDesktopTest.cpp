#include <gtest/gtest.h>

#include "hook/HookRules.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "sim/SimPlayer.h"
#include "sim/TempFolder.h"

namespace sorabell::sim {
namespace {

// The display's window on the simulated desktop, with the hook library installed for it.
class SimulatedHooks : public ::testing::Test {
protected:
    SimulatedHooks() {
        machine_.files().CreateFolder("C:\\Winamp");
        form_ = toolkit_.CreateForm({"Tlumora", "Sorabell", 10, 10, false});
        form_->OnMessage = [this](const platform::WindowMessage& m) {
            got_.push_back(m);
            return true;
        };
        hooks_.sethook(form_->handle(), machine_.desktop().WindowThread(player_.main()), 0);
    }
    std::vector<uint32_t> Messages() {
        machine_.desktop().Pump();
        std::vector<uint32_t> numbers;
        for (const auto& m : got_) {
            numbers.push_back(m.message);
        }
        got_.clear();
        return numbers;
    }

    testing::TempFolder temp_;
    SimMachine machine_{temp_.path()};
    SimToolkit toolkit_{&machine_.desktop()};
    SimHookLibrary hooks_{&machine_.desktop()};
    std::unique_ptr<platform::Form> form_;
    std::vector<platform::WindowMessage> got_;
    testing::SimPlayer player_{machine_.desktop(), machine_.files(), "C:\\Winamp\\"};
};

TEST_F(SimulatedHooks, ThePlayersEventsArriveAsTheHookLibraryPostsThem) {
    player_.Command("title 1. A - B - Winamp");
    EXPECT_EQ(Messages(), std::vector<uint32_t>{hook::UM_HOOK_SETTEXT});
    player_.Command("paint");
    player_.Command("timer 1");
    EXPECT_EQ(Messages(), (std::vector<uint32_t>{hook::UM_HOOK_PAINT, hook::UM_HOOK_TIMER}));
    player_.Click(245, 100);
    machine_.desktop().Pump();
    ASSERT_EQ(got_.size(), 2u);
    EXPECT_EQ(got_[0].message, hook::UM_HOOK_LBUTTONDOWN);
    EXPECT_EQ(got_[1].message, hook::UM_HOOK_LBUTTONUP);
    EXPECT_EQ(got_[1].lParam, 245 | (100 << 16));
    got_.clear();
    player_.Command("size double");
    player_.Command("minmax");
    player_.Command("pe-title list");
    player_.Command("pe-size 3");
    player_.Command("other-title x");
    EXPECT_EQ(Messages(),
              (std::vector<uint32_t>{hook::UM_HOOK_SIZE, hook::UM_HOOK_GETMINMAX, hook::UM_HOOK_WINDOWCHANGE}));
}

TEST_F(SimulatedHooks, TheButtonUpOnThePlayerLetsTheDisplayToTheFrontBeforeItIsPosted) {
    auto& desktop = machine_.desktop();
    player_.Command("paint");
    player_.Click(245, 100);
    ASSERT_EQ(desktop.foregroundLent.size(), 1u) << "the button-down and the paint lend nothing";
    EXPECT_EQ(desktop.foregroundLent[0].first, form_->handle());
    EXPECT_EQ(desktop.foregroundLent[0].second, 2u) << "the paint and the button-down wait, the button-up not yet";
    EXPECT_EQ(Messages().back(), hook::UM_HOOK_LBUTTONUP);

    desktop.Queue(desktop.FindTopLevel("Winamp PE", nullptr), {hook::kWmLButtonUp, 0, 0});
    EXPECT_EQ(desktop.foregroundLent.size(), 1u) << "a click elsewhere is not the display's";
}

TEST_F(SimulatedHooks, NothingArrivesOnceTheHooksAreRemoved) {
    hooks_.freehook();
    player_.Command("title 2. C - D - Winamp");
    player_.Command("paint");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(hooks_.calls.back(), "freehook");
}

TEST_F(SimulatedHooks, AClosedFormIsNoLongerAWindowOfTheDesktop) {
    EXPECT_EQ(machine_.desktop().FindTopLevel("Tlumora", "Sorabell"), form_->handle());
    form_->Close();
    EXPECT_EQ(machine_.desktop().FindTopLevel("Tlumora", nullptr), 0u);
    player_.Command("title 3. E - F - Winamp");
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace sorabell::sim
