// The display page's controls: where they sit, their captions and first texts, and which
// handler each runs.

#include <string>

#include "preferences/DisplayPage.h"

namespace sorabell::preferences {

namespace {

const std::vector<std::string> kPlaceholderLines = {
    "%0 = Track Num : トラック番号",
    "%1 = Artist : アーティスト",
    "%2 = Title : タイトル",
    "%3 = Album : アルバム",
    "%4 = year : オリジナル作成日",
    "%5 = Comment : コメント",
    "%6 = Genre : ジャンル",
    "%7 = Filename : ファイルネーム",
    "%8 = Filepath : ファイルパス",
    "%9 = File Ext. : ファイル拡張子",
    "%A = [Length] : 長さ",
    "%B = Lyrics : 歌詞",
    "%C = Copyright : 著作権",
    "%D = Engineer : エンジニア",
    "%E = Source : ソース",
    "%F = Software : ソフトウェア",
    "%G = Lyrics 2 : 歌詞の2行目(訳・読み)",
    "",
    "%% = % : %を表示",
};

const std::vector<std::string> kInnerTabs = {"ディスプレイ表示設定", "ディスプレイ位置設定", "maron.ini設定",
                                             "pledit.txt設定"};

// The rows of the three lines on the first inner tab.
constexpr int kLineTop = 16;
constexpr int kLineStep = 22;
constexpr int kRowHeight = 20;

}  // namespace

DisplayPage::DisplayPage(platform::TabSheet& page, const PageSite& site)
    : site_(site), preview_(site_.graphics, site_.os.files) {
    BuildControls(page);
    WireHandlers();
}

void DisplayPage::BuildControls(platform::TabSheet& page) {
    ListBox1 = &page.AddSortedListBox({4, 4, 188, 100});
    CheckBox3 = &page.AddCheckBox({4, 108, 188, 18}, "このSkinは個別に設定する");
    Button13 = &page.AddButton({4, 130, 92, 22}, "To sexyfont.ini");
    Button13->SetVisible(false);
    Button9 = &page.AddButton({4, 130, 112, 22}, "From sexyfont.ini");
    ButtonDone = &page.AddButton({100, 130, 92, 22}, "個別設定完了♪");
    ButtonDone->SetVisible(false);
    page.AddLabel({200, 4, 120, 14}, "Winamp Preview");
    PaintBox1 = &page.AddPaintBox({200, 20, kPreviewWidth, kPreviewHeight});

    PageControl2 = &page.AddPageControl({4, 156, 472, 262}, kInnerTabs);
    platform::TabSheet& tab = PageControl2->page(0);
    BuildLines(tab);
    BuildFonts(tab);
    BuildSwitches(tab);
}

void DisplayPage::BuildLines(platform::TabSheet& tab) {
    tab.AddLabel({2, 0, 28, 14}, "使用");
    tab.AddLabel({30, 0, 120, 14}, "表示フォーマット");
    tab.AddLabel({206, 0, 56, 14}, "スクロール");
    const std::array<std::string, 3> texts = {"%0. %1 - %2 %a", "～ %5 ～", "Sorabell"};
    std::array<platform::RadioButton*, 3> radios{};
    std::array<platform::Edit*, 3> edits{};
    std::array<platform::CheckBox*, 3> scrolls{};
    std::array<platform::Button*, 3> colors{};
    std::array<platform::Button*, 3> shadows{};
    for (size_t n = 0; n < 3; ++n) {
        const int top = kLineTop + kLineStep * static_cast<int>(n);
        radios[n] = &tab.AddRadioButton({6, top + 2, 16, 16}, "");
        edits[n] = &tab.AddEdit({30, top, 172, kRowHeight});
        edits[n]->SetText(texts[n]);
        scrolls[n] = &tab.AddCheckBox({222, top + 2, 16, 16}, "");
        colors[n] = &tab.AddButton({244, top, 46, kRowHeight}, "文字色");
        shadows[n] = &tab.AddButton({292, top, 40, kRowHeight}, "影色");
    }
    edits[1]->SetEnabled(false);
    edits[2]->SetEnabled(false);
    RadioButton1 = radios[0];
    RadioButton2 = radios[1];
    RadioButton3 = radios[2];
    Edit1 = edits[0];
    Edit2 = edits[1];
    Edit3 = edits[2];
    CheckBox11 = scrolls[0];
    CheckBox12 = scrolls[1];
    CheckBox13 = scrolls[2];
    Button11 = colors[0];
    Button15 = colors[1];
    Button17 = colors[2];
    Button12 = shadows[0];
    Button16 = shadows[1];
    Button18 = shadows[2];

    // Above the font rows, whose check boxes would cover its sideways scroll bar.
    Memo2 = &tab.AddMemo({338, 2, 122, 84});
    Memo2->SetLines(kPlaceholderLines);
}

void DisplayPage::BuildFonts(platform::TabSheet& tab) {
    constexpr int kNormal = 88;
    constexpr int kDouble = 112;
    tab.AddLabel({2, kNormal + 4, 66, 14}, "Normal Font");
    ComboBox1 = &tab.AddComboBox({70, kNormal, 150, kRowHeight}, platform::ListOrder::Sorted);
    tab.AddLabel({226, kNormal + 4, 24, 14}, "Size");
    ComboBox4 = &tab.AddComboBox({252, kNormal, 44, kRowHeight}, platform::ListOrder::AsGiven);
    std::vector<std::string> sizes;
    for (int size = 8; size <= 16; ++size) {
        sizes.push_back(std::to_string(size));
    }
    ComboBox4->SetItems(std::move(sizes));
    CheckBox4 = &tab.AddCheckBox({302, kNormal + 2, 56, 18}, "Bold");
    CheckBox5 = &tab.AddCheckBox({364, kNormal + 2, 64, 18}, "Italic");
    tab.AddLabel({2, kDouble + 4, 66, 14}, "Double Font");
    ComboBox2 = &tab.AddComboBox({70, kDouble, 150, kRowHeight}, platform::ListOrder::AsGiven);
    CheckBox6 = &tab.AddCheckBox({302, kDouble + 2, 56, 18}, "Bold");
    CheckBox7 = &tab.AddCheckBox({364, kDouble + 2, 64, 18}, "Italic");
}

void DisplayPage::BuildSwitches(platform::TabSheet& tab) {
    CheckBox9 = &tab.AddCheckBox({2, 140, 130, 18}, "行毎に文字色設定");
    CheckBox15 = &tab.AddCheckBox({138, 140, 130, 18}, "背景に Skin を使う");
    CheckBox18 = &tab.AddCheckBox({274, 140, 110, 18}, "時間表示透過");
    CheckBox17 = &tab.AddCheckBox({2, 164, 130, 18}, "カラーピックアップ");
    Button19 = &tab.AddButton({138, 162, 64, 22}, "背景色");
    Button20 = &tab.AddButton({208, 162, 76, 22}, "メニュー色");
    Button7 = &tab.AddButton({2, 194, 150, 22}, "色をWinamp標準に戻す");
    Button14 = &tab.AddButton({158, 194, 84, 22}, "From Skin");
    Button8 = &tab.AddButton({248, 194, 92, 22}, "From Default");
}

std::function<void()> DisplayPage::Handler(std::function<void()> handler) {
    return [this, handler = std::move(handler)] {
        if (!showing_) {
            handler();
        }
    };
}

void DisplayPage::WireHandlers() {
    ListBox1->OnClick = Handler([this] { ListBox1Click(); });
    CheckBox3->OnClick = Handler([this] { CheckBox3Click(); });
    PaintBox1->OnPaint = [this](platform::Canvas& canvas) {
        if (preview_.created()) {
            preview_.CopyTo(canvas);
        }
    };
    Button9->OnClick = Handler([this] { Button9Click(); });
    RadioButton1->OnClick = Handler([this] { RadioButton1Click(); });
    RadioButton2->OnClick = Handler([this] { RadioButton2Click(); });
    RadioButton3->OnClick = Handler([this] { RadioButton3Click(); });
    Edit1->OnChange = Handler([this] { Edit1Change(); });
    Edit2->OnChange = Handler([this] { Edit2Change(); });
    Edit3->OnChange = Handler([this] { Edit3Change(); });
    CheckBox11->OnClick = Handler([this] { CheckBox11Click(); });
    CheckBox12->OnClick = Handler([this] { CheckBox12Click(); });
    CheckBox13->OnClick = Handler([this] { CheckBox13Click(); });
    Button11->OnClick = Handler([this] { Button11Click(); });
    Button15->OnClick = Handler([this] { Button15Click(); });
    Button17->OnClick = Handler([this] { Button17Click(); });
    Button12->OnClick = Handler([this] { Button12Click(); });
    Button16->OnClick = Handler([this] { Button16Click(); });
    Button18->OnClick = Handler([this] { Button18Click(); });
    Button19->OnClick = Handler([this] { Button19Click(); });
    Button20->OnClick = Handler([this] { Button20Click(); });
    ComboBox1->OnChange = Handler([this] { ComboBox1Change(); });
    ComboBox4->OnChange = Handler([this] { ComboBox4Change(); });
    ComboBox2->OnChange = Handler([this] { ComboBox2Change(); });
    CheckBox4->OnClick = Handler([this] { CheckBox4Click(); });
    CheckBox5->OnClick = Handler([this] { CheckBox5Click(); });
    CheckBox6->OnClick = Handler([this] { CheckBox6Click(); });
    CheckBox7->OnClick = Handler([this] { CheckBox7Click(); });
    CheckBox9->OnClick = Handler([this] { CheckBox9Click(); });
    CheckBox15->OnClick = Handler([this] { CheckBox15Click(); });
    CheckBox17->OnClick = Handler([this] { CheckBox17Click(); });
    CheckBox18->OnClick = Handler([this] { CheckBox18Click(); });
    Button7->OnClick = Handler([this] { Button7Click(); });
    Button14->OnClick = Handler([this] { Button14Click(); });
    Button8->OnClick = Handler([this] { Button8Click(); });
}

}  // namespace sorabell::preferences
