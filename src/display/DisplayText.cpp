// What the lines say: the song of the current play list entry, its tags and lyrics, and the
// expanded line formats.

#include "display/LyricsFile.h"
#include "display/Messages.h"
#include "display/Scrolling.h"
#include "display/TagLyrics.h"
#include "display/Tlumora.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/TextFile.h"
#include "settings/Schema.h"
#include "tags/Id3v1.h"
#include "tags/LightStrings.h"
#include "tags/RmpInfo.h"
#include "winamp/CurrentSong.h"

namespace sorabell::display {

namespace {

bool Blank(const std::string& line) { return text::Trim(line).empty(); }

// The line mode the display uses: a trailing line that is blank is dropped.
int32_t EffectiveLineMode(int32_t configured, const std::array<TDispOption, 3>& lines) {
    int32_t mode = configured;
    if (mode == 1 && Blank(lines[1].text)) {
        mode = 0;
    }
    if (mode == 2 && Blank(lines[2].text)) {
        mode = Blank(lines[1].text) ? 0 : 1;
    }
    return mode;
}

}  // namespace

void Tlumora::Edit1Change() {
    for (TDispOption& line : lines_) {
        ResetScroll(line);
    }
    const std::string title = Edit1;
    if (title.empty() || title == " ") {
        return;
    }
    for (TDispOption& line : lines_) {
        line.text.clear();
    }
    if (text::StartsWith(title, "Winamp 1.")) {
        lines_[0].text = std::string("Sorabell ") + settings::kVersionMark;
    } else if (title == "Synchronizing" || title == "Connecting") {
        lines_[0].text = title;
    } else {
        const platform::WindowHandle winamp = FindWinamp();
        if (winamp == 0) {
            return;
        }
        const intptr_t position = Query(winamp, 0, kQueryWritePlayList);
        const intptr_t version = Query(winamp, 0, kQueryVersion);
        // Without Winamp's answers its play list file names no song: as if Winamp were gone,
        // and with the title unread, so that the next tick tries it again.
        if (winampSilent_) {
            Edit1 = " ";
            return;
        }
        lines_[0].text = title;
        lines_[1].text = "Now FileInfo Reading";
        trackNumber_ = static_cast<int32_t>(position) + 1;
        if (trackNumber_ < 1) {
            tags::TLightStrings::Error();
        }
        auto path = winamp::CurrentSongPath(platform_.files, platform_.codePage, winampFolders_.playList,
                                            version > kLastPlVersion, trackNumber_ - 1);
        if (!path) {
            tags::TLightStrings::Error();
        }
        song_.path = std::move(path->text);
        song_.file = std::move(path->file);
        ReadSongInformation();
        SongFields_ =
            MakeSongFields(trackNumber_, song_.path, song_.info, song_.hasInfo, song_.id3, song_.hasId3, song_.id3v2);
        LoadLyrics();
        EnableLyricsNudges();
        for (size_t n = 0; n < lines_.size(); ++n) {
            lines_[n].text = ExpandFormat(skinView_.Disp[n].Text);
        }
    }
    skinView_.DispSw = EffectiveLineMode(configuredDispSw_, lines_);
    if (const platform::WindowHandle winamp = FindWinamp()) {
        platform_.desktop.InvalidateRect(winamp);
    }
    RenderDisplay();
}

void Tlumora::ReadSongInformation() {
    song_.info = tags::TRMPInfo{};
    song_.hasInfo = false;
    song_.id3 = tags::TID3Tag{};
    song_.hasId3 = false;
    song_.id3v2.reset();
    if (text::UpperCase(text::ExtractFileExt(song_.path)) == ".CDA") {
        return;
    }
    // All records from one open. A missing file (or a folder) has none, which is asked only when
    // the open fails; a file that is there but cannot be read is the handler's error.
    std::unique_ptr<platform::BinaryFile> file;
    try {
        file = platform_.files.OpenPath(song_.file, platform::OpenMode::Read);
    } catch (const EInOutError&) {
        if (!platform::FileExists(platform_.files, song_.file)) {
            return;
        }
        throw;
    }
    song_.id3v2 = tags::ReadId3v2Tag(*file, platform_.codePage);
    // A file that begins with an ID3v2 tag holds no RIFF form: its header is no chunk.
    song_.hasInfo = !song_.id3v2 && tags::ReadRMPInfo(*file, song_.info);
    song_.hasId3 = tags::ReadID3Tag(*file, song_.id3);
}

void Tlumora::LoadLyrics() {
    LyricsList.clear();
    lyricsFile_ = {};
    lyricsAsLoaded_.clear();
    const std::string artist = TaggedArtist(song_.info, song_.id3, song_.hasId3, song_.id3v2);
    const std::string title = TaggedTitle(song_.info, song_.id3, song_.hasId3, song_.id3v2);
    LyricsPlace place{platform::FilePath::FromCp932(lyricsFolder_, platform_.codePage), {}, song_.file};
    if (!artist.empty() && !title.empty()) {
        place.taggedName = platform::FilePath::FromCp932(FileNameSafe(artist + " - " + title), platform_.codePage);
    }
    platform::FilePath chosen;
    for (const platform::FilePath& candidate : LyricsCandidates(place)) {
        if (platform::FileExists(platform_.files, candidate)) {
            chosen = candidate;
        }
    }
    if (chosen.empty()) {
        // No lyrics file: the lyrics the song's ID3v2 tag holds, if any.
        if (song_.id3v2) {
            lyricsAsLoaded_ = TagLyrics(*song_.id3v2);
            const auto moved = tagLyricsMoved_.find(song_.file.Utf8());
            LyricsList = moved == tagLyricsMoved_.end() ? lyricsAsLoaded_ : ShiftLyrics(lyricsAsLoaded_, moved->second);
        }
        return;
    }
    LyricsList = ParseLyrics(LyricsLines(platform::ReadWholeFile(platform_.files, chosen)));
    lyricsFile_ = chosen;
}

std::vector<std::string> Tlumora::LyricsLines(std::string_view fileBytes) {
    // Files saved as UTF-8 or UTF-16 are read in the code page, as every text is.
    tags::TLightStrings file;
    file.SetFileText(platform::TextFileToAnsi(fileBytes, platform_.codePage));
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(file.Count()));
    for (int32_t i = 0; i < file.Count(); ++i) {
        lines.push_back(file.Get(i));
    }
    return lines;
}

std::string Tlumora::ExpandFormat(const std::string& format) {
    FormatSources sources;
    sources.fields = &SongFields_;
    sources.info = &song_.info;
    sources.songLength = [this] { return static_cast<int32_t>(Query(FindWinamp(), 1, kQueryTime)); };
    sources.lyricsLine = [this] {
        if (LyricsList.empty()) {
            return std::string();
        }
        return LyricsLineAt(LyricsList, static_cast<int32_t>(Query(FindWinamp(), 0, kQueryTime)));
    };
    sources.lyricsSecondLine = [this] {
        if (LyricsList.empty()) {
            return std::string();
        }
        return LyricsSecondLineAt(LyricsList, static_cast<int32_t>(Query(FindWinamp(), 0, kQueryTime)));
    };
    return display::ExpandFormat(format, sources);
}

}  // namespace sorabell::display
