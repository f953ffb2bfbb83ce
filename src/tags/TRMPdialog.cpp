#include "tags/TRMPdialog.h"

#include "platform/Text.h"
#include "settings/RegIniFile.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"
#include "tags/TagConversion.h"
#include "tags/TagWriter.h"

namespace sorabell::tags {

namespace {

constexpr uint8_t kNoGenre = 255;

settings::TRegIniFile Options(platform::Platform& platform) {
    return settings::TRegIniFile(platform.registry, TRMPdialog::kRegistryKey);
}

// A field's text as the ID3 view shows it.
std::string Shown(std::span<const char> field) { return std::string(text::TrimRight(FieldText(field))); }

bool IsReservedDeviceName(const std::string& name) {
    const std::string base = text::UpperCase(name.substr(0, name.find('.')));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
        if (base == device) {
            return true;
        }
    }
    return base.size() == 4 && (text::StartsWith(base, "COM") || text::StartsWith(base, "LPT")) && base[3] >= '1' &&
           base[3] <= '9';
}

// Gives a file its read-only attribute back when the write ends, however it ends.
class ReadOnlyRestore {
public:
    explicit ReadOnlyRestore(platform::FileSystem& files) : files_(files) {}
    ~ReadOnlyRestore() { Restore(); }
    ReadOnlyRestore(const ReadOnlyRestore&) = delete;
    ReadOnlyRestore& operator=(const ReadOnlyRestore&) = delete;

    void Arm(const std::string& path, uint32_t attributes) {
        path_ = path;
        attributes_ = attributes;
        armed_ = true;
    }
    // The file has a new name.
    void Follow(const std::string& path) { path_ = path; }
    void Restore() {
        if (armed_) {
            armed_ = false;
            files_.SetAttributes(path_, attributes_);
        }
    }

private:
    platform::FileSystem& files_;
    std::string path_;
    uint32_t attributes_ = 0;
    bool armed_ = false;
};

}  // namespace

TRMPdialog::TRMPdialog(platform::Platform& platform, platform::Toolkit& toolkit)
    : platform_(platform), toolkit_(toolkit) {
    form_ = toolkit_.CreateForm({kClassName, "", 515, 324, false});
    form_->OnClose = [this] { FormClose(); };
    CreateControls();
    FormCreate();
    form_->SetVisible(true);
}

void TRMPdialog::CreateControls() {
    auto& f = *form_;
    f.AddBevel({8, 4, 497, 22});
    Label12 = &f.AddLabel({16, 8, 481, 13}, "");
    const auto row = [&](int top, const char* caption) {
        f.AddLabel({16, top + 4, 90, 13}, caption);
        return &f.AddEdit({112, top, 169, 20});
    };
    Edit1 = row(28, "ファイルネーム");
    Edit2 = row(52, "タイトル");
    Edit3 = row(76, "アーティスト");
    Edit4 = row(100, "アルバム");
    Edit5 = row(124, "リリース");
    Edit11 = row(148, "ジャンル");
    ComboBox1 = &f.AddComboBox({112, 148, 169, 20}, platform::ListOrder::Sorted);
    Edit6 = row(172, "コメント");
    Edit7 = row(196, "著作権");
    Edit9 = row(220, "ソース");
    Edit8 = row(244, "エンジニア");
    Edit10 = row(268, "ソフトウェア");
    Edit8->SetReadOnly(true);
    Edit10->SetReadOnly(true);

    rg3 = &f.AddRadioGroup({296, 32, 209, 37}, "表示", {"RMP Info", "ID3TAG"}, 2);
    f.AddBevel({296, 72, 209, 217});
    rg1 = &f.AddRadioGroup({304, 76, 193, 74}, "リネーム時、拡張子がない場合",
                           {"元のファイル名の拡張子を使う", "*.rmp", "*.mp3", "拡張子は無し"}, 1);
    rg2 = &f.AddRadioGroup({304, 154, 193, 74}, "書き込み",
                           {"RMP Info + ID3TAG(toRMP)", "RMP Info + ID3TAG", "RMP Info", "ID3TAG"}, 1);
    CheckBox1 = &f.AddCheckBox({304, 232, 145, 17}, "書き込みの確認をしない ");
    CheckBox2 = &f.AddCheckBox({304, 248, 185, 17}, "EngineerとSoftWareを書き換える");
    f.AddLabel({304, 268, 60, 13}, "ユーザー名");
    Edit12 = &f.AddEdit({368, 264, 129, 20});

    Button3 = &f.AddButton({8, 296, 73, 25}, "RMP > TAG");
    Button4 = &f.AddButton({88, 296, 73, 25}, "TAG > RMP");
    Button5 = &f.AddButton({168, 296, 75, 25}, "Clear");
    Button1 = &f.AddButton({256, 296, 121, 25}, "書き込み");
    Button2 = &f.AddButton({384, 296, 121, 25}, "閉じる");

    glist = &f.AddListBox();
    glist->SetItems(std::vector<std::string>(GenreNames().begin(), GenreNames().end()));
    ComboBox1->SetItems(GenrePickerList());

    Button1->OnClick = [this] { Button1Click(); };
    Button2->OnClick = [this] { form_->Close(); };
    Button3->OnClick = [this] { Button3Click(); };
    Button4->OnClick = [this] { Button4Click(); };
    Button5->OnClick = [this] { Button5Click(); };
    rg3->OnClick = [this] { rg3Click(); };
}

void TRMPdialog::FormCreate() {
    auto options = Options(platform_);
    options.WriteBool("Option", "Update", false);
    rg1->SetItemIndex(options.ReadInteger("Option", "Ext", 0));
    rg2->SetItemIndex(options.ReadInteger("Option", "Write", 0));
    CheckBox1->SetChecked(options.ReadBool("Option", "OverWrite", false));
    CheckBox2->SetChecked(options.ReadBool("Option", "OverWriteInfo", false));
    Edit12->SetText(options.ReadString("Option", "UserName", ""));
    path_ = options.ReadString("Option", "Filename", "");

    // A file that cannot be read is shown as having no tags; the error is shown once.
    platform::Dispatch(toolkit_, [this] {
        ReadRMPInfo(platform_.files, path_, info_);
        ReadID3Tag(platform_.files, path_, tag_);
    });

    // Setting the view shows it; a view stored out of range shows the INFO list.
    const int32_t view = options.ReadInteger("Option", "View", 0);
    rg3->SetItemIndex(view == 1 ? 1 : 0);

    Edit1->SetText(text::ExtractFileName(path_));
    Label12->SetCaption(path_);
    form_->SetCaption(std::string("RMP Info & ID3TAG Editor (Ver") + kVersion + ")");
}

void TRMPdialog::FormClose() {
    auto options = Options(platform_);
    options.WriteInteger("Option", "View", rg3->itemIndex());
    options.WriteInteger("Option", "Ext", rg1->itemIndex());
    options.WriteInteger("Option", "Write", rg2->itemIndex());
    options.WriteBool("Option", "OverWrite", CheckBox1->checked());
    options.WriteBool("Option", "OverWriteInfo", CheckBox2->checked());
    options.WriteString("Option", "UserName", Edit12->text());
}

// While the dialog is being made nothing is collected: the records read from the file must
// survive the first showing.
void TRMPdialog::CollectRmp() {
    if (!form_->visible()) {
        return;
    }
    info_.Title = Edit2->text();
    info_.Artist = Edit3->text();
    info_.Album = Edit4->text();
    info_.Release = Edit5->text();
    info_.Comment = Edit6->text();
    info_.Copyright = Edit7->text();
    info_.Engineer = Edit8->text();
    info_.Source = Edit9->text();
    info_.Genre = Edit11->text();
}

void TRMPdialog::CollectId3() {
    if (!form_->visible()) {
        return;
    }
    tag_ = TID3Tag{};
    SetField(tag_.Title, Edit2->text());
    SetField(tag_.Artist, Edit3->text());
    SetField(tag_.Album, Edit4->text());
    SetField(tag_.Year, Edit5->text());
    SetField(tag_.Comment, Edit6->text());
    tag_.Genre = GenreIndex(ComboBox1->text()).value_or(kNoGenre);
}

void TRMPdialog::ShowRmpView() {
    Edit11->SetVisible(true);
    ComboBox1->SetVisible(false);
    for (platform::Edit* edit : {Edit2, Edit3, Edit4, Edit5, Edit6}) {
        edit->SetMaxLength(0);
    }
    for (platform::Edit* edit : {Edit7, Edit8, Edit9, Edit10}) {
        edit->SetEnabled(true);
    }
    Edit7->SetColor(platform::EditColor::Window);
    Edit9->SetColor(platform::EditColor::Window);
    Edit2->SetText(info_.Title);
    Edit3->SetText(info_.Artist);
    Edit4->SetText(info_.Album);
    Edit5->SetText(info_.Release);
    Edit6->SetText(info_.Comment);
    Edit7->SetText(info_.Copyright);
    Edit8->SetText(info_.Engineer);
    Edit9->SetText(info_.Source);
    Edit10->SetText(info_.Software);
    Edit11->SetText(info_.Genre);
}

void TRMPdialog::ShowId3View() {
    ComboBox1->SetVisible(true);
    Edit11->SetVisible(false);
    Edit2->SetMaxLength(30);
    Edit3->SetMaxLength(30);
    Edit4->SetMaxLength(30);
    Edit5->SetMaxLength(4);
    Edit6->SetMaxLength(30);
    for (platform::Edit* edit : {Edit7, Edit8, Edit9, Edit10}) {
        edit->SetEnabled(false);
        edit->SetText("");
    }
    for (platform::Edit* edit : {Edit7, Edit8, Edit9}) {
        edit->SetColor(platform::EditColor::ButtonFace);
    }
    Edit2->SetText(Shown(tag_.Title));
    Edit3->SetText(Shown(tag_.Artist));
    Edit4->SetText(Shown(tag_.Album));
    Edit5->SetText(Shown(tag_.Year));
    Edit6->SetText(Shown(tag_.Comment));
    // Bytes 145 to 250 have hexadecimal names the picker does not hold: nothing is chosen.
    ComboBox1->SetItemIndex(platform::IndexOfText(ComboBox1->items(), GenreName(tag_.Genre)));
}

void TRMPdialog::ShowCurrentView() {
    if (RmpViewShown()) {
        ShowRmpView();
    } else {
        ShowId3View();
    }
}

void TRMPdialog::rg3Click() {
    if (RmpViewShown()) {
        CollectId3();
        ShowRmpView();
    } else {
        CollectRmp();
        ShowId3View();
    }
}

void TRMPdialog::Button3Click() {
    if (RmpViewShown()) {
        CollectRmp();
    }
    tag_ = RMPToID3(info_);
    if (!RmpViewShown()) {
        ShowId3View();
    }
}

void TRMPdialog::Button4Click() {
    if (!RmpViewShown()) {
        CollectId3();
    }
    ID3ToRMP(tag_, info_);
    if (RmpViewShown()) {
        ShowRmpView();
    }
}

void TRMPdialog::Button5Click() {
    for (platform::Edit* edit : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit9, Edit11}) {
        edit->SetText("");
    }
    ComboBox1->SetItemIndex(platform::IndexOfText(ComboBox1->items(), "Blues"));
}

std::string TRMPdialog::NewFileName() const {
    std::string name = Edit1->text();
    if (name == text::ExtractFileName(path_)) {
        return {};
    }
    if (text::ExtractFileExt(name).empty()) {
        switch (rg1->itemIndex()) {
            case 0:
                name += text::ExtractFileExt(path_);
                break;
            case 1:
                name += ".rmp";
                break;
            case 2:
                name += ".mp3";
                break;
            default:
                break;
        }
    }
    return name;
}

std::string TRMPdialog::CheckNewName(const std::string& name) const {
    const std::string stop = std::string(text::kCrLf) + "書き込みを中止します";
    if (text::Trim(text::ChangeFileExt(name, "")).empty()) {
        return "ファイル名がありません" + stop;
    }
    for (size_t i = 0; i < name.size(); i += text::CharLengthAt(name, i)) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (text::CharLengthAt(name, i) == 1 &&
            (c < 0x20 || std::string_view("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)) {
            return "ファイル名に使えない文字が含まれています ( \\ / : * ? \" < > | )" + stop;
        }
    }
    if (IsReservedDeviceName(name)) {
        return "この名前はファイル名に使えません ( " + name + " )" + stop;
    }
    const std::string target = text::ExtractFilePath(path_) + name;
    // A change of case alone names the same file.
    if (!text::SameText(name, text::ExtractFileName(path_)) &&
        platform_.files.GetAttributes(target) != platform::attr::Invalid) {
        return "同じ名前のファイルが既にあります ( " + target + " )" + stop;
    }
    return {};
}

void TRMPdialog::Button1Click() {
    if (path_.empty()) {
        return;
    }
    auto& files = platform_.files;
    // A name that would move the file, or that Windows forbids, stops everything at once.
    const std::string newName = NewFileName();
    if (!newName.empty()) {
        if (const std::string refusal = CheckNewName(newName); !refusal.empty()) {
            toolkit_.ShowMessage(refusal);
            return;
        }
    }

    ReadOnlyRestore readOnly(files);
    const uint32_t attributes = files.GetAttributes(path_);
    if (attributes != platform::attr::Invalid && (attributes & platform::attr::ReadOnly)) {
        if (!toolkit_.AskYesNo("ファイル( " + path_ + " )は読み込み専用ファイルです" + text::kCrLf +
                                   "書き込みを開始してよろしいですか？",
                               "リードオンリーの確認")) {
            return;
        }
        if (!files.SetAttributes(path_, attributes & ~platform::attr::ReadOnly)) {
            toolkit_.ShowMessage(std::string("属性の変更ができませんでした") + text::kCrLf + "処理を中止します");
            return;
        }
        readOnly.Arm(path_, attributes);
    }
    if (!CheckBox1->checked() &&
        !toolkit_.AskYesNo(std::string("情報を書き込みます") + text::kCrLf + "よろしいですか？", "書き込み確認")) {
        return;
    }
    if (!newName.empty()) {
        Edit1->SetText(newName);
        const std::string renamed = text::ExtractFilePath(path_) + newName;
        if (!files.Rename(path_, renamed)) {
            toolkit_.ShowMessage("MP3のリネームに失敗しました");
            return;
        }
        path_ = renamed;
        readOnly.Follow(path_);
        Label12->SetCaption(path_);
    }
    if (!WriteTags()) {
        toolkit_.ShowMessage("情報の書き込みに失敗しました");
    }
    readOnly.Restore();
    ShowCurrentView();
    auto options = Options(platform_);
    options.WriteBool("Option", "Update", true);
    options.WriteString("Option", "Filename", path_);
}

bool TRMPdialog::WriteTags() {
    if (RmpViewShown()) {
        CollectRmp();
    } else {
        CollectId3();
    }
    const auto mode = static_cast<WriteMode>(rg2->itemIndex() >= 0 && rg2->itemIndex() <= 3 ? rg2->itemIndex() : 0);
    TRMPInfo written = info_;
    if (CheckBox2->checked()) {
        written.Software = std::string("Quillmere RMP3&ID3 Editor Ver") + kVersion;
        written.Engineer = Edit12->text();
    }
    const bool ok = tags::WriteTags(platform_.files, path_, mode, written, tag_,
                                    [this](const std::string& message) { toolkit_.ShowMessage(message); });
    // The new Software and Engineer stay in the record only when they reached the file.
    if (ok && mode != WriteMode::Id3) {
        info_ = written;
    }
    return ok;
}

}  // namespace sorabell::tags
