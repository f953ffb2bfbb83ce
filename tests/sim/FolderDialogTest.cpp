// The folder browse dialog component against the simulated chooser: base units 8 x 16 and a
// dialog of the size it was designed at, so the custom button's scaling only adds its one pixel.

#include <gtest/gtest.h>

#include "components/FolderDialog.h"
#include "platform/sim/SimToolkit.h"

namespace sorabell::components {
namespace {

using sim::SimBrowseDialog;

class FolderDialog : public ::testing::Test {
protected:
    FolderDialog() { browser_.windows[form_->handle()] = {{100, 50, 600, 450}, {103, 75}}; }

    bool Run(std::function<void(SimBrowseDialog&)> user) {
        browser_.user = std::move(user);
        return dialog_->Execute();
    }

    sim::SimToolkit toolkit_;
    sim::SimFolderBrowser& browser_ = toolkit_.folderBrowser();
    std::unique_ptr<platform::Form> form_ = toolkit_.CreateForm({"Tlumora_pre", "Sorabell - 設定", 494, 485, true});
    std::unique_ptr<TFolderDialog> dialog_ = std::make_unique<TFolderDialog>(*form_, toolkit_);
};

TEST_F(FolderDialog, OfTwoCentringsTheOneJustAddedWinsAndAddedTogetherBothStayWithTheOwnerFirst) {
    dialog_->SetOptions({bfParentCenter});
    dialog_->SetOptions({bfParentCenter, bfScreenCenter});
    EXPECT_EQ(dialog_->Options(), (TFolderDialogOptions{bfScreenCenter}));

    dialog_->SetOptions({});
    dialog_->SetOptions({bfScreenCenter, bfParentCenter});
    EXPECT_EQ(dialog_->Options(), (TFolderDialogOptions{bfScreenCenter, bfParentCenter}));
    platform::Rect shown;
    Run([&](SimBrowseDialog& dialog) { shown = dialog.windowRect(); });
    // Owner 500 x 400 at (100, 50), dialog 430 wide: centred, a quarter of the owner's height down.
    EXPECT_EQ(shown.left, 100 + 250 - 215);
    EXPECT_EQ(shown.top, 50 + 100);
}

TEST_F(FolderDialog, BrowsingForComputersDropsFileSystemOnlyAndRootsAtTheNetworkOnce) {
    dialog_->SetOptions(dialog_->Options() + bfBrowseForComputer);
    EXPECT_FALSE(dialog_->Options().contains(bfFileSysDirsOnly));
    EXPECT_EQ(dialog_->RootFolder(), sfoNetwork);

    dialog_->SetRootFolder(sfoMyComputer);
    dialog_->SetOptions(dialog_->Options() + bfBrowseForComputer + bfFileSysDirsOnly);
    EXPECT_TRUE(dialog_->Options().contains(bfFileSysDirsOnly));
    EXPECT_EQ(dialog_->RootFolder(), sfoMyComputer);
    Run({});
    ASSERT_EQ(browser_.requests.size(), 1u);
    EXPECT_EQ(browser_.requests[0].rootCsidl, 17);
    EXPECT_EQ(browser_.requests[0].flags,
              platform::kBrowseForComputer | platform::kBrowseFileSysDirsOnly | platform::kBrowseStatusText);
}

TEST_F(FolderDialog, ShowingThePathImpliesTheStatusLine) {
    dialog_->SetOptions({bfShowPathInStatusArea});
    EXPECT_EQ(dialog_->Options(), (TFolderDialogOptions{bfShowPathInStatusArea, bfStatusText}));
}

TEST_F(FolderDialog, ASpecialFolderTheShellCannotResolveGivesTheWholeNamespace) {
    browser_.unresolvable.insert(5);
    dialog_->SetRootFolder(sfoPersonal);
    Run({});
    EXPECT_EQ(browser_.requests.at(0).rootCsidl, -1);
}

TEST_F(FolderDialog, WithoutCentringLeftAndTopAreInTheOwnersClientAndMoveTheShownDialog) {
    dialog_->SetOptions({});
    dialog_->SetLeft(20);
    dialog_->SetTop(30);
    std::vector<platform::Rect> places;
    Run([&](SimBrowseDialog& dialog) {
        places.push_back(dialog.windowRect());
        dialog_->SetLeft(0x10040);  // 16 bits of it
        places.push_back(dialog.windowRect());
    });
    EXPECT_EQ(places[0].left, 123);
    EXPECT_EQ(places[0].top, 105);
    EXPECT_EQ(places[1].left, 103 + 0x40);
    EXPECT_EQ(dialog_->Left(), 0x40);
}

TEST_F(FolderDialog, CentredOnTheScreenByItsClientSize) {
    dialog_->SetOptions({bfScreenCenter});
    platform::Rect shown;
    Run([&](SimBrowseDialog& dialog) { shown = dialog.windowRect(); });
    EXPECT_EQ(shown.left, (1024 - 424) / 2);
    EXPECT_EQ(shown.top, (768 - 376) / 3);
}

// The status area is 320 pixels: 53 bytes, one of which the "W" keeps free.
TEST_F(FolderDialog, TheStatusPathKeepsItsEndsAndRoomForOneWideLetter) {
    const std::string fits = "C:\\" + std::string(44, 'a') + "\\曲目";  // 52 bytes
    const std::string longer = "C:\\" + std::string(45, 'a') + "\\曲目";
    std::vector<std::string> shown;
    Run([&](SimBrowseDialog& dialog) {
        dialog.Select(fits);
        shown.push_back(dialog.statusText());
        dialog.Select(longer);
        shown.push_back(dialog.statusText());
    });
    EXPECT_EQ(shown[0], fits);
    EXPECT_EQ(shown[1], "C:\\" + std::string(41, 'a') + "...\\曲目");
}

TEST_F(FolderDialog, AStatusTextThatIsNoPathIsCutAtItsEnd) {
    dialog_->SetOptions({bfStatusText});
    std::string shown;
    Run([&](SimBrowseDialog& dialog) {
        dialog_->SetStatusText(std::string(60, 'x'));
        shown = dialog.statusText();
    });
    // The "W" went with the cut, so the last of the ellipsis goes in its place.
    EXPECT_EQ(shown, std::string(50, 'x') + "..");
}

TEST_F(FolderDialog, FileSystemOnlyEnablesOkAndTheCustomButtonJustForItemsWithAPath) {
    auto& remember = form_->AddCheckBox({8, 400, 120, 20}, "フォルダを覚える");
    dialog_->SetCustomButton(&remember);
    std::vector<std::pair<bool, bool>> states;
    std::vector<std::string> status;
    Run([&](SimBrowseDialog& dialog) {
        dialog.Select(sim::SimShellItem("", "ネットワーク"));
        states.push_back({dialog.okEnabled(), dialog.copy()->enabled()});
        status.push_back(dialog.statusText());
        dialog.Select("C:\\曲");
        states.push_back({dialog.okEnabled(), dialog.copy()->enabled()});
        status.push_back(dialog.statusText());
    });
    EXPECT_EQ(states, (std::vector<std::pair<bool, bool>>{{false, false}, {true, true}}));
    EXPECT_EQ(status, (std::vector<std::string>{"", "C:\\曲"}));
}

TEST_F(FolderDialog, ThePreferencesSettingConfirmsAnItemWithoutAPathAsAnEmptyDirectory) {
    dialog_->SetOptions({bfStatusText, bfShowPathInStatusArea, bfParentCenter});
    dialog_->SetDirectory("C:\\曲");
    int changes = 0;
    dialog_->OnChange = [&] { ++changes; };
    bool okEnabled = false;
    EXPECT_TRUE(Run([&](SimBrowseDialog& dialog) {
        dialog.Select(sim::SimShellItem("", "マイ コンピュータ", 3));
        okEnabled = dialog.okEnabled();
        dialog.Ok();
    }));
    EXPECT_TRUE(okEnabled);
    EXPECT_EQ(changes, 1) << "only the opening folder has a path";
    EXPECT_EQ(dialog_->Directory(), "");
    EXPECT_EQ(dialog_->DisplayName(), "マイ コンピュータ");
    EXPECT_EQ(dialog_->ImageIndex(), 3);
}

TEST_F(FolderDialog, WhileShownDirectoryIsTheSelectionAndCancelKeepsTheStoredValues) {
    dialog_->SetDirectory("C:\\曲");
    ASSERT_TRUE(Run([](SimBrowseDialog& dialog) { dialog.Ok(); }));
    ASSERT_EQ(dialog_->DisplayName(), "曲");

    std::string during;
    EXPECT_FALSE(Run([&](SimBrowseDialog& dialog) {
        dialog.Select("D:\\歌詞");
        during = dialog_->Directory();
        dialog.Cancel();
    }));
    EXPECT_EQ(during, "D:\\歌詞");
    EXPECT_EQ(dialog_->Directory(), "C:\\曲");
    EXPECT_EQ(dialog_->DisplayName(), "曲");
    EXPECT_EQ(browser_.focused, form_->handle());
}

TEST_F(FolderDialog, TheCustomCheckBoxCopyRunsItsHandlerAndComesBackOnOkOnly) {
    auto& remember = form_->AddCheckBox({8, 400, 120, 20}, "フォルダを覚える");
    remember.SetVisible(false);
    int clicks = 0;
    remember.OnClick = [&] { ++clicks; };
    dialog_->SetCustomButton(&remember);
    dialog_->SetDirectory("C:\\曲");

    Run([&](SimBrowseDialog& dialog) {
        dialog.copy()->Click();
        dialog.Cancel();
    });
    EXPECT_FALSE(remember.checked());
    EXPECT_EQ(clicks, 1);

    platform::Bounds copied;
    bool visible = false;
    Run([&](SimBrowseDialog& dialog) {
        ASSERT_EQ(dialog_->CustomButton(), dialog.copy());
        copied = dialog.copy()->bounds();
        visible = dialog.copy()->visible();
        dialog.copy()->Click();
        dialog.Ok();
    });
    EXPECT_TRUE(remember.checked());
    EXPECT_EQ(clicks, 3) << "the copy's click, then the template's change";
    EXPECT_TRUE(visible);
    // Left of the button row: sx(14) + 1 and sy(332) - 1; the check box keeps its size.
    EXPECT_EQ(copied.left, 16);
    EXPECT_EQ(copied.top, 332);
    EXPECT_EQ(copied.width, 120);
    EXPECT_EQ(copied.height, 20);
    auto* template_ = dynamic_cast<sim::SimCheckBox*>(&remember);
    EXPECT_EQ(template_->bounds().left, 8);
    EXPECT_FALSE(template_->visible());
    EXPECT_EQ(dialog_->CustomButton(), &remember);
}

TEST_F(FolderDialog, APlainButtonTakesTheDialogsButtonHeightWhichGoesBackToTheTemplate) {
    auto& more = form_->AddButton({8, 400, 90, 24}, "詳細");
    dialog_->SetCustomButton(&more);
    dialog_->SetOptions(dialog_->Options() - bfAlignCustomButton);
    platform::Bounds copied;
    Run([&](SimBrowseDialog& dialog) {
        copied = dialog.copy()->bounds();
        dialog.Ok();
    });
    EXPECT_EQ(copied.left, 8);
    EXPECT_EQ(copied.top, 400);
    EXPECT_EQ(copied.height, 28 + 1);
    EXPECT_EQ(dynamic_cast<sim::SimButton&>(more).bounds().height, 29);
}

TEST_F(FolderDialog, ACustomButtonFreedBeforeOrWhileTheDialogShowsIsForgotten) {
    auto other = toolkit_.CreateForm({"Other", "別", 200, 100, false});
    dialog_->SetCustomButton(&other->AddCheckBox({8, 8, 120, 20}, "覚える"));
    other.reset();
    EXPECT_EQ(dialog_->CustomButton(), nullptr);
    bool copied = true;
    EXPECT_TRUE(Run([&](SimBrowseDialog& dialog) {
        copied = dialog.copy() != nullptr;
        dialog.Ok();
    }));
    EXPECT_FALSE(copied);

    other = toolkit_.CreateForm({"Other", "別", 200, 100, false});
    dialog_->SetCustomButton(&other->AddCheckBox({8, 8, 120, 20}, "覚える"));
    EXPECT_TRUE(Run([&](SimBrowseDialog& dialog) {
        copied = dialog.copy() != nullptr;
        other.reset();
        dialog.copy()->Click();
        dialog.Ok();
    }));
    EXPECT_TRUE(copied);
    EXPECT_EQ(dialog_->CustomButton(), nullptr);
}

TEST_F(FolderDialog, MayBeFreedByItsOwnHandlerWhileShown) {
    dialog_->OnChange = [&] { dialog_.reset(); };
    bool ended = false;
    browser_.user = [&](SimBrowseDialog& dialog) {
        dialog.Select("C:\\曲");
        ended = dialog.ended();
    };
    EXPECT_FALSE(dialog_->Execute());
    EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace sorabell::components
