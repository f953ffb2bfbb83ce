// The menu's commands that reach beyond the display: the tag editor, the two sibling
// programs, and the lyrics moved earlier or later and kept so in their file.

#include <algorithm>

#include "display/LyricsFile.h"
#include "display/Messages.h"
#include "display/Tlumora.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/TextFile.h"
#include "settings/RegIniFile.h"
#include "tags/LightStrings.h"

namespace sorabell::display {

namespace {

constexpr uint32_t kVersewrightOpen = kWmUser + 20;

}  // namespace

void Tlumora::FileInfo1Click() {
    if (song_.path.empty()) {
        return;
    }
    settings::TRegIniFile(platform_.registry, tags::TRMPdialog::kRegistryKey)
        .WriteString("Option", "Filename", song_.path);
    std::erase_if(editors_, [](const auto& editor) { return editor->closed(); });
    editors_.push_back(std::make_unique<tags::TRMPdialog>(platform_, toolkit_));
}

std::vector<tags::TRMPdialog*> Tlumora::openEditors() {
    std::vector<tags::TRMPdialog*> open;
    for (const auto& editor : editors_) {
        if (!editor->closed()) {
            open.push_back(editor.get());
        }
    }
    return open;
}

void Tlumora::LumoraLyricsEditor1Click() {
    const std::string program = versewrightFolder_ + "Versewright.Exe";
    if (!platform::FileExists(platform_.files, program)) {
        return;
    }
    // A running editor is told to look again instead of being started twice.
    if (const platform::WindowHandle editor = platform_.desktop.FindTopLevel("TLumora_Edit", nullptr)) {
        platform_.desktop.Post(editor, kVersewrightOpen, 0, 0);
        return;
    }
    const std::string song = SongFields_[8] + SongFields_[7] + "." + SongFields_[9];
    platform_.processes.WinExec(text::Quoted(program) + " " + text::Quoted(song), platform::SW_SHOW_NORMAL);
}

void Tlumora::Kettle1Click() {
    const std::string program = kettleFolder_ + "Kettle.Exe";
    if (!platform::FileExists(platform_.files, program)) {
        return;
    }
    const platform::WindowHandle winamp = FindWinamp();
    Query(winamp, 0, kQueryWritePlayList);
    // Kettle reads the play list under the old name only, and knows no M3U comment lines.
    const std::string folder = winampFolders_.playList;
    if (Query(winamp, 0, kQueryVersion) > kLastPlVersion) {
        tags::TLightStrings m3u;
        m3u.LoadFromFile(platform_.files, folder + "WINAMP.M3U");
        tags::TLightStrings playList;
        for (int32_t n = 0; n < m3u.Count(); ++n) {
            if (!text::StartsWith(m3u.Get(n), "#")) {
                playList.Add(m3u.Get(n));
            }
        }
        playList.SaveToFile(platform_.files, folder + "WINAMP.PL");
    }
    platform_.processes.WinExec(text::Quoted(program) + " " + text::Quoted(folder + "WINAMP.PL"),
                                platform::SW_SHOW_NORMAL);
}

void Tlumora::EnableLyricsNudges() {
    PopupMenu1->SetEnabled(LyricsEarlier1, !LyricsList.empty());
    PopupMenu1->SetEnabled(LyricsLater1, !LyricsList.empty());
}

void Tlumora::MoveLyrics(int32_t earlierBy) {
    if (LyricsList.empty()) {
        return;
    }
    if (lyricsFile_.empty()) {
        // Shifted from the list as loaded, so that times held at 0 come back.
        if (lyricsAsLoaded_.empty()) {
            lyricsAsLoaded_ = LyricsList;
        }
        int32_t& moved = tagLyricsMoved_[song_.file.Utf8()];
        moved = std::clamp(moved + earlierBy, -kMaxLyricsTime, kMaxLyricsTime);
        LyricsList = ShiftLyrics(lyricsAsLoaded_, moved);
    } else {
        const std::string refusal = "歌詞ファイル(" + lyricsFile() + ")を書き換えられませんでした";
        try {
            const MovedOffset moved =
                MoveLyricsOffset(platform::ReadWholeFile(platform_.files, lyricsFile_), earlierBy);
            if (!platform::ReplaceWholeFile(platform_.files, lyricsFile_, moved.bytes)) {
                toolkit_.ShowMessage(refusal);
                return;
            }
            // Read back as the next song change will read it.
            LyricsList = ParseLyrics(LyricsLines(moved.bytes));
            EnableLyricsNudges();
        } catch (const EInOutError& e) {
            toolkit_.ShowMessage(refusal + text::kCrLf + SystemErrorText(e.systemError()));
            return;
        }
    }
    bool changed = false;
    RefreshLyricsLines(changed);
    if (changed) {
        RenderDisplay();
    }
}

}  // namespace sorabell::display
