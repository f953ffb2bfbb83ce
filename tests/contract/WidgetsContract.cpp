// The form controls as the forms use them from code: natively the simulated controls, under
// Wine the real Windows controls of the Win32 toolkit.

#include "contract/ContractEnvironment.h"
#include "platform/Graphics.h"

namespace sorabell::testing {
namespace {

class WidgetsContract : public ContractTest {
protected:
    platform::Form& form() {
        if (!form_) {
            form_ = toolkit().CreateForm({"SorabellWidgetsContract", "部品の検査", 400, 300, false});
        }
        return *form_;
    }

    // A shown form, for what depends on the user seeing it.
    platform::Form& shownForm() {
        if (!shown_) {
            shown_ = toolkit().CreateForm({"SorabellWidgetsContract", "表示の検査", 400, 300, true});
        }
        return *shown_;
    }

    std::unique_ptr<platform::Form> form_;
    std::unique_ptr<platform::Form> shown_;
};

TEST_F(WidgetsContract, CaptionsAndTextsKeepTheirBytes) {
    // ソ and 表 end in 0x5C, ～ is the character code pages disagree on, ｶﾅ are single bytes.
    const std::string japanese = "ソ表～①ｶﾅ：曲名";
    auto& label = form().AddLabel({8, 8, 200, 16}, japanese);
    auto& button = form().AddButton({8, 30, 90, 24}, "書き込み(&W)");
    auto& check = form().AddCheckBox({8, 60, 200, 20}, "ファイル名も変える");
    auto& group = form().AddRadioGroup({8, 90, 300, 60}, "書き込む先", {"ID3v1", "INFO リスト", "両方"}, 3);
    auto& edit = form().AddEdit({8, 160, 200, 20});

    EXPECT_EQ(label.caption(), japanese);
    label.SetCaption("アーティスト");
    EXPECT_EQ(label.caption(), "アーティスト");
    EXPECT_EQ(button.caption(), "書き込み(&W)");
    EXPECT_EQ(check.caption(), "ファイル名も変える");
    EXPECT_EQ(group.caption(), "書き込む先");
    EXPECT_EQ(group.items(), (std::vector<std::string>{"ID3v1", "INFO リスト", "両方"}));
    edit.SetText(japanese);
    EXPECT_EQ(edit.text(), japanese);
}

TEST_F(WidgetsContract, AnEditsNewTextRunsOnChangeOnce) {
    auto& edit = form().AddEdit({8, 8, 200, 20});
    std::vector<std::string> seen;
    edit.OnChange = [&] { seen.push_back(edit.text()); };

    edit.SetText("曲名");
    edit.SetText("曲名");
    edit.SetText("");
    EXPECT_EQ(seen, (std::vector<std::string>{"曲名", ""}));
}

TEST_F(WidgetsContract, TextFromCodeIsNotCutToTheEditsLimit) {
    auto& edit = form().AddEdit({8, 8, 200, 20});
    edit.SetMaxLength(4);
    edit.SetText("あいうえお");
    EXPECT_EQ(edit.maxLength(), 4);
    EXPECT_EQ(edit.text(), "あいうえお");
}

TEST_F(WidgetsContract, AnEditsStatesRoundTrip) {
    auto& edit = form().AddEdit({8, 8, 200, 20});
    EXPECT_FALSE(edit.readOnly());
    EXPECT_EQ(edit.color(), platform::EditColor::Window);
    edit.SetReadOnly(true);
    edit.SetColor(platform::EditColor::ButtonFace);
    EXPECT_TRUE(edit.readOnly());
    EXPECT_EQ(edit.color(), platform::EditColor::ButtonFace);
    edit.SetReadOnly(false);
    edit.SetColor(platform::EditColor::Window);
    EXPECT_FALSE(edit.readOnly());
    EXPECT_EQ(edit.color(), platform::EditColor::Window);
}

TEST_F(WidgetsContract, ControlsShowAndEnableAsToldEvenOnAHiddenForm) {
    std::vector<platform::Control*> controls{
        &form().AddLabel({8, 8, 100, 16}, "ラベル"),
        &form().AddBevel({4, 4, 300, 200}),
        &form().AddEdit({8, 30, 100, 20}),
        &form().AddButton({8, 60, 80, 24}, "OK"),
        &form().AddCheckBox({8, 90, 100, 20}, "確認"),
        &form().AddRadioGroup({120, 8, 150, 80}, "形式", {"一", "二"}, 1),
        &form().AddComboBox({120, 100, 150, 20}, platform::ListOrder::Sorted),
    };
    for (platform::Control* control : controls) {
        EXPECT_TRUE(control->visible());
        EXPECT_TRUE(control->enabled());
        control->SetVisible(false);
        control->SetEnabled(false);
        EXPECT_FALSE(control->visible());
        EXPECT_FALSE(control->enabled());
        control->SetVisible(true);
        control->SetEnabled(true);
        EXPECT_TRUE(control->visible());
        EXPECT_TRUE(control->enabled());
    }
}

TEST_F(WidgetsContract, AButtonClickedFromCodeRunsOnClickOnlyWhenEnabled) {
    auto& button = form().AddButton({8, 8, 80, 24}, "閉じる");
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    button.Click();
    EXPECT_EQ(clicks, 1);
    button.SetEnabled(false);
    button.Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetsContract, ACheckBoxChangedFromCodeRunsOnClickOnceAfterTheChange) {
    auto& check = form().AddCheckBox({8, 8, 200, 20}, "上書きする");
    std::vector<bool> seen;
    check.OnClick = [&] { seen.push_back(check.checked()); };

    EXPECT_FALSE(check.checked());
    check.SetChecked(true);
    check.SetChecked(true);
    check.SetChecked(false);
    check.SetChecked(false);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(WidgetsContract, ARadioGroupChangedFromCodeRunsOnClickOnceAfterTheChange) {
    auto& group = form().AddRadioGroup({8, 8, 300, 90}, "書き込み", {"しない", "ID3v1", "INFO", "両方"}, 2);
    std::vector<int> seen;
    group.OnClick = [&] { seen.push_back(group.itemIndex()); };

    EXPECT_EQ(group.itemIndex(), -1);
    group.SetItemIndex(1);
    group.SetItemIndex(1);
    group.SetItemIndex(3);
    group.SetItemIndex(9);  // beyond the items: none chosen
    group.SetItemIndex(-1);
    group.SetItemIndex(0);
    EXPECT_EQ(seen, (std::vector<int>{1, 3, -1, 0}));
}

TEST_F(WidgetsContract, AComboBoxSortsWithoutRegardToCaseAndSelectsSilently) {
    auto& combo = form().AddComboBox({8, 8, 150, 20}, platform::ListOrder::Sorted);
    int changes = 0;
    combo.OnChange = [&] { ++changes; };

    std::vector<std::string> items{"rock", "Blues", "acid", "Pop", "ジャズ"};
    combo.SetItems(items);
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"acid", "Blues", "Pop", "rock", "ジャズ"}));
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(combo.text(), "");

    combo.SetItemIndex(platform::IndexOfText(combo.items(), "ジャズ"));
    EXPECT_EQ(combo.text(), "ジャズ");
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.itemIndex(), 1);
    EXPECT_EQ(combo.text(), "Blues");
    combo.SetItemIndex(99);
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(combo.text(), "");

    combo.SetItemIndex(2);
    combo.SetItems({"b", "A"});
    EXPECT_EQ(combo.items(), (std::vector<std::string>{"A", "b"}));
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(WidgetsContract, AHiddenListBoxKeepsItsItemsAsGiven) {
    auto& list = form().AddListBox();
    EXPECT_FALSE(list.visible());
    const std::vector<std::string> items{"C:\\曲\\b.rmp", "a.mp3", "ソ表.mp3", ""};
    list.SetItems(items);
    EXPECT_EQ(list.items(), items);
    list.SetItems({});
    EXPECT_TRUE(list.items().empty());
}

TEST_F(WidgetsContract, AControlOnAPageShowsOnlyWhileItsPageIsActive) {
    auto& pages = shownForm().AddPageControl({8, 8, 380, 280}, {"基本設定", "ディスプレイ設定", "バージョン情報"});
    int changes = 0;
    pages.OnChange = [&] { ++changes; };
    auto& onFirst = pages.page(0).AddCheckBox({8, 8, 120, 20}, "一枚目");
    auto& onSecond = pages.page(1).AddEdit({8, 8, 120, 20});
    auto& inner = pages.page(1).AddPageControl({8, 40, 300, 150}, {"内側"});
    auto& deep = inner.page(0).AddLabel({4, 4, 100, 16}, "奥");

    ASSERT_EQ(pages.pageCount(), 3);
    EXPECT_EQ(pages.page(1).caption(), "ディスプレイ設定");
    EXPECT_EQ(pages.page(2).pageIndex(), 2);
    EXPECT_EQ(pages.activePageIndex(), 0);
    EXPECT_TRUE(onFirst.showing());
    EXPECT_FALSE(onSecond.showing());
    EXPECT_FALSE(deep.showing());
    EXPECT_TRUE(onSecond.visible());  // its own flag stays

    pages.SetActivePageIndex(1);
    EXPECT_EQ(pages.activePageIndex(), 1);
    EXPECT_FALSE(onFirst.showing());
    EXPECT_TRUE(onSecond.showing());
    EXPECT_TRUE(deep.showing());
    pages.SetActivePageIndex(7);
    EXPECT_EQ(pages.activePageIndex(), 1);
    EXPECT_EQ(changes, 0);
    EXPECT_GT(pages.page(1).bounds().width, 300);

    pages.SetVisible(false);
    EXPECT_FALSE(onSecond.showing());
}

TEST_F(WidgetsContract, CheckingARadioButtonUnchecksOnlyItsOwnParentsOthers) {
    auto& pages = form().AddPageControl({8, 120, 380, 170}, {"頁"});
    std::vector<platform::RadioButton*> radios{&form().AddRadioButton({8, 8, 100, 20}, "一行"),
                                               &form().AddRadioButton({8, 30, 100, 20}, "二行"),
                                               &form().AddRadioButton({8, 52, 100, 20}, "三行")};
    auto& elsewhere = pages.page(0).AddRadioButton({8, 8, 100, 20}, "別の組");
    std::vector<int> clicks;
    for (int i = 0; i < 3; ++i) {
        radios[static_cast<size_t>(i)]->OnClick = [&clicks, i] { clicks.push_back(i); };
    }

    elsewhere.SetChecked(true);
    radios[0]->SetChecked(true);
    radios[2]->SetChecked(true);
    radios[2]->SetChecked(true);
    EXPECT_FALSE(radios[0]->checked());
    EXPECT_FALSE(radios[1]->checked());
    EXPECT_TRUE(radios[2]->checked());
    EXPECT_TRUE(elsewhere.checked());
    radios[2]->SetChecked(false);
    EXPECT_FALSE(radios[2]->checked());
    EXPECT_EQ(clicks, (std::vector<int>{0, 2}));
    EXPECT_EQ(radios[1]->caption(), "二行");
}

TEST_F(WidgetsContract, FramesMemosAndListsHoldTheirTexts) {
    auto& frame = form().AddGroupBox({8, 8, 200, 100}, "Winamp の設定修正");
    auto& memo = form().AddMemo({8, 120, 200, 100});
    auto& list = form().AddSortedListBox({220, 8, 150, 120});
    auto& given = form().AddComboBox({220, 140, 100, 20}, platform::ListOrder::AsGiven);
    int picks = 0;
    list.OnClick = [&] { ++picks; };

    EXPECT_EQ(frame.caption(), "Winamp の設定修正");
    const std::vector<std::string> lines{"%0 = Track Num : トラック番号", "", "%% = % : %を表示"};
    memo.SetLines(lines);
    EXPECT_EQ(memo.lines(), lines);

    list.SetItems({"青空", "(Default)", "base", "Amber"});
    EXPECT_EQ(list.items(), (std::vector<std::string>{"(Default)", "Amber", "base", "青空"}));
    list.SetItemIndex(platform::IndexOfText(list.items(), "base"));
    EXPECT_EQ(list.itemIndex(), 2);
    list.SetItemIndex(9);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(picks, 0);

    given.SetItems({"8", "9", "10", "16"});
    EXPECT_EQ(given.items(), (std::vector<std::string>{"8", "9", "10", "16"}));
    given.SetItemIndex(2);
    EXPECT_EQ(given.text(), "10");
}

TEST_F(WidgetsContract, APaintBoxPaintsOnItsCanvasWhenRepainted) {
    auto& box = shownForm().AddPaintBox({10, 10, 60, 40});
    int paints = 0;
    TColor seen = 0;
    box.OnPaint = [&](platform::Canvas& canvas) {
        ++paints;
        canvas.SetBrushColor(RGBColor(10, 200, 30));
        canvas.FillRect({0, 0, 60, 40});
        seen = canvas.Pixel(59, 39);
    };
    box.Repaint();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(seen, RGBColor(10, 200, 30));
    EXPECT_EQ(box.bounds().width, 60);
    EXPECT_EQ(box.bounds().height, 40);
}

TEST_F(WidgetsContract, AnImageAndAGlyphButtonAreControlsOfTheirSize) {
    auto& image = form().AddImage({8, 8, 120, 90});
    auto& folder = form().AddGlyphButton({140, 8, 24, 22}, platform::Glyph::Folder);
    int clicks = 0;
    folder.OnClick = [&] { ++clicks; };

    EXPECT_EQ(image.picture().width(), 120);
    EXPECT_EQ(image.picture().height(), 90);
    image.picture().canvas().SetPixel(3, 4, RGBColor(1, 2, 3));
    EXPECT_EQ(image.picture().canvas().Pixel(3, 4), RGBColor(1, 2, 3));
    folder.Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(folder.bounds().left, 140);
    EXPECT_EQ(folder.bounds().width, 24);
}

TEST_F(WidgetsContract, ALabelKeepsItsColourAndCursor) {
    auto& label = form().AddLabel({8, 8, 200, 16}, "README.txt");
    label.SetFontColor(0xFFFF00);
    label.SetCursor(32761);
    EXPECT_EQ(label.fontColor(), 0xFFFF00);
    EXPECT_EQ(label.cursor(), 32761);
    EXPECT_FALSE(toolkit().RegisterCursor(32761, "SORABELLNOSUCHCURSOR"));
}

TEST_F(WidgetsContract, TheScreenHasFontsAndAPlaceForWindows) {
    const auto faces = toolkit().ScreenFontFaces();
    EXPECT_FALSE(faces.empty());
    const platform::Rect screen = toolkit().ScreenRect();
    EXPECT_GT(screen.width(), 0);
    const auto areas = toolkit().WorkAreas();
    ASSERT_FALSE(areas.empty());
    EXPECT_TRUE(areas[0].width() > 0 && areas[0].left >= 0 && areas[0].right <= screen.right &&
                areas[0].bottom <= screen.bottom)
        << "the primary screen's work area lies on it";

    platform::Form& shown = shownForm();
    shown.MoveTo(40, 30);
    EXPECT_EQ(shown.windowRect().left, 40);
    EXPECT_EQ(shown.windowRect().top, 30);
    EXPECT_GT(shown.windowRect().width(), 400);
}

}  // namespace
}  // namespace sorabell::testing