// The tag editor on the simulated toolkit: what it shows, what it collects, and what each way
// of writing and renaming does to the file.

#include <gtest/gtest.h>

#include "platform/sim/SimMachine.h"
#include "platform/sim/SimToolkit.h"
#include "settings/RegIniFile.h"
#include "sim/FileSizeLimit.h"
#include "sim/TempFolder.h"
#include "support/TagFixtures.h"
#include "tags/GenreTable.h"
#include "tags/Id3v1.h"
#include "tags/RmpInfo.h"
#include "tags/TRMPdialog.h"

namespace sorabell::testing {
namespace {

using tags::TRMPdialog;

class TagEditor : public ::testing::Test {
protected:
    static constexpr const char* kSong = "C:\\Music\\song.rmp";

    TagEditor() {
        machine_.files().CreateFolder("C:\\Music");
        Write(kSong,
              RmpFile(MpegPayload(999), {InfoList({TextChunk("INAM", "RMP Title"), TextChunk("IART", "RMP Artist"),
                                                   TextChunk("IGNR", "rock"), TextChunk("ISFT", "old soft")})}) +
                  Id3Block("ID3 Title   ", "ID3 Artist", "", "1999", "", 150));
        Options().WriteString("Option", "Filename", kSong);
    }
    settings::TRegIniFile Options() { return settings::TRegIniFile(machine_.registry(), TRMPdialog::kRegistryKey); }
    void Write(const std::string& path, const std::string& bytes) {
        platform::WriteWholeFile(machine_.files(), path, bytes);
    }
    std::string Bytes(const std::string& path) { return platform::ReadWholeFile(machine_.files(), path); }
    std::unique_ptr<TRMPdialog> Open() { return std::make_unique<TRMPdialog>(program_->platform(), toolkit_); }
    static sim::SimEdit& Sim(platform::Edit* edit) { return static_cast<sim::SimEdit&>(*edit); }
    // Writes with the confirmation answered Yes.
    void WriteConfirmed(TRMPdialog& dialog) {
        toolkit_.answers.push_back(true);
        dialog.Button1->Click();
    }
    tags::TRMPInfo InfoOf(const std::string& path) {
        tags::TRMPInfo info;
        tags::ReadRMPInfo(machine_.files(), path, info);
        return info;
    }
    tags::TID3Tag TagOf(const std::string& path) {
        tags::TID3Tag tag;
        tags::ReadID3Tag(machine_.files(), path, tag);
        return tag;
    }

    TempFolder temp_;
    sim::SimMachine machine_{temp_.path()};
    std::unique_ptr<sim::SimMachine::Program> program_ = machine_.StartProgram("C:\\Sorabell\\Sorabell.exe");
    sim::SimToolkit toolkit_;
};

TEST_F(TagEditor, OpensOnTheFileWithItsOptionsAndStoredView) {
    Options().WriteInteger("Option", "Ext", 2);
    Options().WriteInteger("Option", "Write", 3);
    Options().WriteBool("Option", "OverWrite", true);
    Options().WriteString("Option", "UserName", "ユーザー");
    Options().WriteInteger("Option", "View", 1);
    Options().WriteBool("Option", "Update", true);
    auto dialog = Open();
    EXPECT_TRUE(dialog->form().visible());
    EXPECT_EQ(dialog->form().caption(), "RMP Info & ID3TAG Editor (Ver0.92)");
    EXPECT_EQ(dialog->Label12->caption(), kSong);
    EXPECT_EQ(dialog->Edit1->text(), "song.rmp");
    EXPECT_EQ(dialog->rg1->itemIndex(), 2);
    EXPECT_EQ(dialog->rg2->itemIndex(), 3);
    EXPECT_TRUE(dialog->CheckBox1->checked());
    EXPECT_FALSE(dialog->CheckBox2->checked());
    EXPECT_EQ(dialog->Edit12->text(), "ユーザー");
    EXPECT_FALSE(Options().ReadBool("Option", "Update", true));
    // The ID3 view: trimmed fields, limits, the RMP-only boxes off.
    EXPECT_EQ(dialog->rg3->itemIndex(), 1);
    EXPECT_EQ(dialog->Edit2->text(), "ID3 Title");
    EXPECT_EQ(dialog->Edit5->text(), "1999");
    EXPECT_EQ(dialog->Edit2->maxLength(), 30);
    EXPECT_EQ(dialog->Edit5->maxLength(), 4);
    EXPECT_FALSE(dialog->Edit7->enabled());
    EXPECT_EQ(dialog->Edit9->color(), platform::EditColor::ButtonFace);
    EXPECT_TRUE(dialog->ComboBox1->visible());
    EXPECT_FALSE(dialog->Edit11->visible());
    EXPECT_EQ(dialog->ComboBox1->itemIndex(), -1) << "genre 150 has no name in the picker";
    EXPECT_EQ(dialog->ComboBox1->items().size(), 150u);
    EXPECT_EQ(dialog->glist->items().size(), 256u);
}

TEST_F(TagEditor, TheRmpViewShowsTheInfoListUnlimited) {
    auto dialog = Open();
    EXPECT_EQ(dialog->rg3->itemIndex(), 0);
    EXPECT_EQ(dialog->Edit2->text(), "RMP Title");
    EXPECT_EQ(dialog->Edit11->text(), "rock");
    EXPECT_EQ(dialog->Edit10->text(), "old soft");
    EXPECT_EQ(dialog->Edit2->maxLength(), 0);
    EXPECT_TRUE(dialog->Edit7->enabled());
    EXPECT_TRUE(dialog->Edit8->readOnly());
    EXPECT_TRUE(dialog->Edit11->visible());
    EXPECT_FALSE(dialog->ComboBox1->visible());
}

TEST_F(TagEditor, SwitchingViewsCollectsWhatWasShown) {
    auto dialog = Open();
    dialog->rg3->SetItemIndex(1);
    EXPECT_EQ(dialog->info().Title, "RMP Title") << "leaving the RMP view keeps an untouched record";
    // Back: the ID3 fields are collected from the trimmed boxes, zero-padded.
    dialog->rg3->SetItemIndex(0);
    EXPECT_EQ(tags::FieldText(dialog->tag().Title), "ID3 Title");
    EXPECT_EQ(dialog->tag().Title[9], '\0') << "trailing blanks became zero bytes";
    EXPECT_EQ(dialog->tag().Genre, 255) << "nothing picked is stored as 255";

    Sim(dialog->Edit2).Type("Typed title");
    dialog->rg3->SetItemIndex(1);
    EXPECT_EQ(dialog->info().Title, "Typed title");
    Sim(dialog->Edit2).Type(std::string(40, 'x'));
    EXPECT_EQ(dialog->Edit2->text(), std::string(30, 'x')) << "the ID3 view's limit";
}

TEST_F(TagEditor, TheCopyButtonsConvertBetweenTheRecords) {
    auto dialog = Open();
    dialog->Button3->Click();  // RMP > TAG
    EXPECT_EQ(tags::FieldText(dialog->tag().Title), "RMP Title");
    EXPECT_EQ(dialog->tag().Genre, 17) << "rock";
    dialog->rg3->SetItemIndex(1);
    EXPECT_EQ(dialog->ComboBox1->text(), "Rock");
    Sim(dialog->Edit3).Type("ID3 only");
    dialog->Button4->Click();  // TAG > RMP
    EXPECT_EQ(dialog->info().Artist, "ID3 only");
    EXPECT_EQ(dialog->info().Genre, "Rock");
    EXPECT_EQ(dialog->info().Software, "old soft");
}

TEST_F(TagEditor, ClearEmptiesTheBoxesAndPicksBlues) {
    auto dialog = Open();
    dialog->Button5->Click();
    for (platform::Edit* edit :
         {dialog->Edit2, dialog->Edit3, dialog->Edit6, dialog->Edit7, dialog->Edit9, dialog->Edit11}) {
        EXPECT_EQ(edit->text(), "");
    }
    EXPECT_EQ(dialog->Edit10->text(), "old soft") << "the software box is left";
    EXPECT_EQ(dialog->ComboBox1->text(), "Blues");
    EXPECT_EQ(dialog->info().Title, "RMP Title") << "the records change only when collected";
}

TEST_F(TagEditor, ModeZeroMakesTheTagFromTheInfoList) {
    auto dialog = Open();
    dialog->rg2->SetItemIndex(0);
    Sim(dialog->Edit2).Type("New Title");
    WriteConfirmed(*dialog);
    EXPECT_EQ(toolkit_.questions, std::vector<std::string>{"書き込み確認: 情報を書き込みます\r\nよろしいですか？"});
    EXPECT_EQ(InfoOf(kSong).Title, "New Title");
    EXPECT_EQ(InfoOf(kSong).Genre, "rock");
    EXPECT_EQ(TagOf(kSong).Genre, 17);
    EXPECT_EQ(tags::FieldText(TagOf(kSong).Title), "New Title");
    EXPECT_TRUE(Options().ReadBool("Option", "Update", false));
    EXPECT_EQ(Options().ReadString("Option", "Filename", ""), kSong);
}

TEST_F(TagEditor, ModeOneWritesBothRecordsAsHeld) {
    auto dialog = Open();
    dialog->rg2->SetItemIndex(1);
    WriteConfirmed(*dialog);
    EXPECT_EQ(tags::FieldText(TagOf(kSong).Title), "ID3 Title   ") << "the tag as the dialog holds it";
    EXPECT_EQ(TagOf(kSong).Genre, 150);
    EXPECT_EQ(InfoOf(kSong).Title, "RMP Title");
}

TEST_F(TagEditor, ModeTwoLeavesTheFileWithoutATag) {
    auto dialog = Open();
    dialog->rg2->SetItemIndex(2);
    WriteConfirmed(*dialog);
    tags::TID3Tag tag;
    EXPECT_FALSE(tags::ReadID3Tag(machine_.files(), kSong, tag));
    EXPECT_EQ(InfoOf(kSong).Artist, "RMP Artist");
}

TEST_F(TagEditor, ModeThreeWritesTheTagFromTheId3View) {
    const std::string before = Bytes(kSong);
    auto dialog = Open();
    dialog->rg2->SetItemIndex(3);
    dialog->rg3->SetItemIndex(1);
    Sim(dialog->Edit2).Type("Only the tag");
    static_cast<sim::SimComboBox*>(dialog->ComboBox1)->Choose("Anime");
    WriteConfirmed(*dialog);
    const std::string after = Bytes(kSong);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, after.size() - 128), before.substr(0, before.size() - 128));
    EXPECT_EQ(tags::FieldText(TagOf(kSong).Title), "Only the tag");
    EXPECT_EQ(TagOf(kSong).Genre, 255);
}

TEST_F(TagEditor, EngineerAndSoftwareAreSetWhenAsked) {
    auto dialog = Open();
    dialog->CheckBox2->SetChecked(true);
    dialog->Edit12->SetText("");
    WriteConfirmed(*dialog);
    EXPECT_EQ(InfoOf(kSong).Software, "Quillmere RMP3&ID3 Editor Ver0.92");
    EXPECT_EQ(InfoOf(kSong).Engineer, "");
    EXPECT_EQ(dialog->Edit10->text(), "Quillmere RMP3&ID3 Editor Ver0.92") << "shown after the write";
}

TEST_F(TagEditor, AFileThatIsNoRmpFileReportsTheFailureAndStillRecordsTheWrite) {
    Write("C:\\Music\\plain.mp3", MpegPayload(500));
    Options().WriteString("Option", "Filename", "C:\\Music\\plain.mp3");
    auto dialog = Open();
    WriteConfirmed(*dialog);
    EXPECT_EQ(toolkit_.shownMessages,
              (std::vector<std::string>{"このファイルは RIFF MP3 ではないので RMP Info の書き込みに失敗しました",
                                        "情報の書き込みに失敗しました"}));
    EXPECT_EQ(Bytes("C:\\Music\\plain.mp3"), MpegPayload(500));
    EXPECT_TRUE(Options().ReadBool("Option", "Update", false));
}

TEST_F(TagEditor, AFileThatCannotBeOpenedSaysWhyInsteadOfCallingItNoRmpFile) {
    auto dialog = Open();
    machine_.files().Delete(kSong);  // gone while the dialog was open
    WriteConfirmed(*dialog);
    ASSERT_EQ(toolkit_.shownMessages.size(), 2u);
    EXPECT_EQ(toolkit_.shownMessages[0],
              std::string("ファイルを開けませんでした: ") + kSong + " (ファイルが見つかりません、エラー 2)");
    EXPECT_EQ(toolkit_.shownMessages[1], "情報の書き込みに失敗しました");
    EXPECT_FALSE(platform::FileExists(machine_.files(), kSong));
}

TEST_F(TagEditor, NoAtTheConfirmationWritesNothing) {
    const std::string before = Bytes(kSong);
    auto dialog = Open();
    toolkit_.answers.push_back(false);
    dialog->Button1->Click();
    EXPECT_EQ(Bytes(kSong), before);
    EXPECT_FALSE(Options().ReadBool("Option", "Update", true));
    dialog->CheckBox1->SetChecked(true);
    dialog->Button1->Click();
    EXPECT_EQ(toolkit_.questions.size(), 1u) << "no question when confirmation is switched off";
}

TEST_F(TagEditor, AReadOnlyFileIsAskedForAndKeepsItsAttribute) {
    machine_.files().SetAttributes(kSong, platform::attr::ReadOnly);
    const std::string before = Bytes(kSong);
    auto dialog = Open();
    toolkit_.answers.push_back(false);
    dialog->Button1->Click();
    ASSERT_EQ(toolkit_.questions.size(), 1u);
    EXPECT_EQ(toolkit_.questions[0], std::string("リードオンリーの確認: ファイル( ") + kSong +
                                         " )は読み込み専用ファイルです\r\n書き込みを開始してよろしいですか？");
    EXPECT_EQ(Bytes(kSong), before);

    toolkit_.answers = {true, false};  // written over read-only, then No at the confirmation
    dialog->Button1->Click();
    EXPECT_EQ(Bytes(kSong), before);
    EXPECT_NE(machine_.files().GetAttributes(kSong) & platform::attr::ReadOnly, 0u);

    toolkit_.answers = {true, true};
    dialog->Button1->Click();
    EXPECT_NE(Bytes(kSong), before);
    EXPECT_NE(machine_.files().GetAttributes(kSong) & platform::attr::ReadOnly, 0u);
}

TEST_F(TagEditor, AFileErrorStillGivesTheReadOnlyAttributeBack) {
    // A file without a tag: writing one makes it grow, which a nearly full disk refuses.
    Write(kSong, RmpFile(MpegPayload(1000)));
    machine_.files().SetAttributes(kSong, platform::attr::ReadOnly);
    auto dialog = Open();
    dialog->rg2->SetItemIndex(3);
    dialog->CheckBox1->SetChecked(true);
    toolkit_.answers = {true};
    {
        const FileSizeLimit full(Bytes(kSong).size() + 10);
        dialog->Button1->Click();
    }
    ASSERT_EQ(toolkit_.shownMessages.size(), 1u) << "the file error is shown";
    EXPECT_NE(toolkit_.shownMessages[0].find(kSong), std::string::npos);
    EXPECT_NE(machine_.files().GetAttributes(kSong) & platform::attr::ReadOnly, 0u);
    EXPECT_FALSE(Options().ReadBool("Option", "Update", false));
}

class Renaming : public TagEditor {
protected:
    std::string RenameTo(const std::string& name, int extensionRule) {
        auto dialog = Open();
        dialog->rg1->SetItemIndex(extensionRule);
        dialog->CheckBox1->SetChecked(true);
        dialog->Edit1->SetText(name);
        dialog->Button1->Click();
        return dialog->path();
    }
};

TEST_F(Renaming, ANameWithoutExtensionGetsOneByTheRule) {
    EXPECT_EQ(RenameTo("newname", 1), "C:\\Music\\newname.rmp");
    EXPECT_TRUE(platform::FileExists(machine_.files(), "C:\\Music\\newname.rmp"));
    Options().WriteString("Option", "Filename", "C:\\Music\\newname.rmp");
    EXPECT_EQ(RenameTo("again", 0), "C:\\Music\\again.rmp") << "the extension the file had";
    Options().WriteString("Option", "Filename", "C:\\Music\\again.rmp");
    EXPECT_EQ(RenameTo("third", 2), "C:\\Music\\third.mp3");
    Options().WriteString("Option", "Filename", "C:\\Music\\third.mp3");
    EXPECT_EQ(RenameTo("bare", 3), "C:\\Music\\bare");
    Options().WriteString("Option", "Filename", "C:\\Music\\bare");
    EXPECT_EQ(RenameTo("other.MP3", 1), "C:\\Music\\other.MP3") << "a name with an extension keeps it";
    EXPECT_EQ(Options().ReadString("Option", "Filename", ""), "C:\\Music\\other.MP3");
    EXPECT_EQ(InfoOf("C:\\Music\\other.MP3").Title, "RMP Title") << "the tags were written to the renamed file";
}

TEST_F(Renaming, AChangeOfCaseAloneRenames) {
    EXPECT_EQ(RenameTo("SONG.RMP", 0), "C:\\Music\\SONG.RMP");
    std::vector<std::string> names;
    for (const auto& entry : machine_.files().Find("C:\\Music\\*.rmp")) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, std::vector<std::string>{"SONG.RMP"});
}

TEST_F(Renaming, UnsafeNamesAreRefusedAndNothingIsWritten) {
    Write("C:\\Music\\taken.rmp", "another file");
    machine_.files().CreateFolder("C:\\Elsewhere");
    const std::string before = Bytes(kSong);
    for (const std::string name : {"..\\..\\Elsewhere\\song.rmp", "C:\\Elsewhere\\song.rmp", "a/b.rmp", "c:song.rmp",
                                   "what?.rmp", "pipe|.rmp", "NUL.rmp", "taken.rmp", "   "}) {
        toolkit_.shownMessages.clear();
        EXPECT_EQ(RenameTo(name, 0), kSong) << name;
        ASSERT_EQ(toolkit_.shownMessages.size(), 1u) << name;
        EXPECT_NE(toolkit_.shownMessages[0].find("書き込みを中止します"), std::string::npos);
        EXPECT_EQ(Bytes(kSong), before) << name;
    }
    EXPECT_EQ(Bytes("C:\\Music\\taken.rmp"), "another file");
    EXPECT_TRUE(machine_.files().Find("C:\\Elsewhere\\*.rmp").empty());
    EXPECT_TRUE(toolkit_.questions.empty()) << "refused before any question";
}

TEST_F(TagEditor, ClosingSavesTheOptions) {
    auto dialog = Open();
    dialog->rg1->SetItemIndex(3);
    dialog->rg2->SetItemIndex(2);
    dialog->rg3->SetItemIndex(1);
    dialog->CheckBox1->SetChecked(true);
    dialog->CheckBox2->SetChecked(true);
    dialog->Edit12->SetText("名前");
    dialog->Button2->Click();
    EXPECT_TRUE(dialog->closed());
    EXPECT_EQ(Options().ReadInteger("Option", "Ext", 0), 3);
    EXPECT_EQ(Options().ReadInteger("Option", "Write", 0), 2);
    EXPECT_EQ(Options().ReadInteger("Option", "View", 0), 1);
    EXPECT_TRUE(Options().ReadBool("Option", "OverWrite", false));
    EXPECT_TRUE(Options().ReadBool("Option", "OverWriteInfo", false));
    EXPECT_EQ(Options().ReadString("Option", "UserName", ""), "名前");
}

}  // namespace
}  // namespace sorabell::testing
