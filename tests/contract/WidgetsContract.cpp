// The form controls as the forms use them from code: natively the simulated controls, under
// Wine the real Windows controls of the Win32 toolkit.

#include "contract/ContractEnvironment.h"

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

    std::unique_ptr<platform::Form> form_;
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
        &form().AddComboBox({120, 100, 150, 20}),
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
    auto& combo = form().AddComboBox({8, 8, 150, 20});
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

}  // namespace
}  // namespace sorabell::testing
