// The path label over the backend's own files and label: natively the simulated ones, under
// Wine the real file system (with its own 8.3 names) and a real static control.

#include "components/PathLabel.h"
#include "contract/ContractEnvironment.h"
#include "platform/Text.h"

namespace sorabell::testing {
namespace {

using namespace components;

class PathLabelContract : public ContractTest {
protected:
    platform::Label& AddLabel() {
        if (!form_) {
            form_ = toolkit().CreateForm({"SorabellPathLabelContract", "パス", 400, 100, false});
        }
        return form_->AddLabel({8, 8, 380, 16}, "");
    }

    std::unique_ptr<platform::Form> form_;
};

TEST_F(PathLabelContract, LongNamesComeAsStoredAndShortNamesLeadBackToThem) {
    auto& files = os().files;
    ASSERT_TRUE(files.CreateFolder(PathOf("Long Folder Name")));
    const std::string song = PathOf("Long Folder Name\\Song Title.mp3");
    platform::WriteWholeFile(files, song, "x");

    EXPECT_EQ(LongShort(files, text::LowerCase(song), TPathType::ptLongName), song);
    const std::string shortSong = LongShort(files, song, TPathType::ptShortName);
    EXPECT_NE(text::ExtractFileName(shortSong), "Song Title.mp3");
    EXPECT_LE(text::ExtractFileName(shortSong).size(), 12u);
    EXPECT_EQ(LongShort(files, shortSong, TPathType::ptLongName), song);
    EXPECT_EQ(LongShort(files, PathOf("missing\\Song Title.mp3"), TPathType::ptLongName), "");
}

TEST_F(PathLabelContract, ALongNameCaptionFollowsTheFilesAtEachPropertyWrite) {
    auto& label = AddLabel();
    TPathLabel pathLabel(label, os().files);
    pathLabel.SetPathType(TPathType::ptLongName);
    pathLabel.SetAutoUpdateHint(true);
    pathLabel.SetPath(text::LowerCase(PathOf("Long Folder Name\\")));
    EXPECT_EQ(label.caption(), "");

    ASSERT_TRUE(os().files.CreateFolder(PathOf("Long Folder Name")));
    pathLabel.SetStyle(pathLabel.style());
    EXPECT_EQ(label.caption(), PathOf("Long Folder Name\\"));
    EXPECT_EQ(pathLabel.hint(), PathOf("Long Folder Name\\"));
}

TEST_F(PathLabelContract, TheCaptionIsShortenedAndTheHintKeepsTheWholePath) {
    auto& label = AddLabel();
    TPathLabel pathLabel(label, os().files);
    pathLabel.SetAutoUpdateHint(true);
    pathLabel.SetMaxLength(20);
    pathLabel.SetStyle(TStretchStyle::ssDrive);
    pathLabel.SetTextCase(TTextCase::tcUpperCase);
    // The second byte of ヂ is a lower-case "a".
    pathLabel.SetPath("c:\\program files\\winamp\\ヂ\\lyrics\\");
    EXPECT_EQ(label.caption(), "C:\\...\\ヂ\\LYRICS\\");
    EXPECT_EQ(pathLabel.hint(), "C:\\PROGRAM FILES\\WINAMP\\ヂ\\LYRICS\\");

    pathLabel.SetPathSeparator(TPathSeparator::psSubSeparator);
    EXPECT_EQ(pathLabel.hint(), "C:\\PROGRAM FILES\\WINAMP\\ヂ\\LYRICS");
    pathLabel.SetPathSeparator(TPathSeparator::psNone);
    pathLabel.SetPath("c:\\曲\\表");
    EXPECT_EQ(label.caption(), "C:\\曲\\表");
}

}  // namespace
}  // namespace sorabell::testing
