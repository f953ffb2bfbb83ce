#include "display/Format.h"

#include <algorithm>
#include <cstdio>

#include "platform/Text.h"
#include "tags/GenreTable.h"

namespace sorabell::display {

std::string LengthText(int32_t seconds) {
    if (seconds == -1) {
        return "[??:??]";
    }
    char text[32];
    std::snprintf(text, sizeof text, "[%d:%2.2d]", seconds / 60, seconds % 60);
    return text;
}

std::string ExpandFormat(std::string_view format, const FormatSources& sources) {
    std::string result;
    while (true) {
        const size_t percent = format.find('%');
        if (percent == std::string_view::npos) {
            break;
        }
        result.append(format.substr(0, percent));
        if (percent + 1 >= format.size()) {
            format = {};
            break;
        }
        const char c = format[percent + 1];
        // A double-byte character after the "%" is no placeholder and goes whole: its trail
        // byte alone would show as a stray half-width kana.
        format.remove_prefix(percent + 1 + text::CharLengthAt(format, percent + 1));
        if (c == '%') {
            result += '%';
        } else if (c >= '0' && c <= '9') {
            result += (*sources.fields)[static_cast<size_t>(c - '0')];
        } else {
            switch (c) {
                case 'A':
                case 'a':
                    result += LengthText(sources.songLength ? sources.songLength() : -1);
                    break;
                case 'B':
                case 'b':
                    result += sources.lyricsLine ? sources.lyricsLine() : std::string();
                    break;
                case 'G':
                case 'g':
                    result += sources.lyricsSecondLine ? sources.lyricsSecondLine() : std::string();
                    break;
                case 'C':
                case 'c':
                    result += sources.info->Copyright;
                    break;
                case 'D':
                case 'd':
                    result += sources.info->Engineer;
                    break;
                case 'E':
                case 'e':
                    result += sources.info->Source;
                    break;
                case 'F':
                case 'f':
                    result += sources.info->Software;
                    break;
                default:
                    break;
            }
        }
    }
    result.append(format);
    result += ' ';
    return result;
}

namespace {

// The fields are views into the song's tags and INFO list until each is copied once, into place.

// An ID3v1 field up to its terminator, without trailing blanks.
std::string_view Id3Text(std::span<const char> field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    return text::TrimRight(std::string_view(field.data(), static_cast<size_t>(end - field.begin())));
}

std::string_view FirstOf(std::string_view preferred, std::string_view fallback) {
    return preferred.empty() ? fallback : preferred;
}

// The tags' value of a field: the ID3v1 one, unless the ID3v2 one begins with it. So a value
// edited in the ID3v1 tag wins over an older ID3v2 one, and a value cut to 30 bytes shows whole.
std::optional<std::string_view> TagValue(std::optional<std::string_view> v1, const std::string* v2) {
    if (v2 && !v2->empty() && (!v1 || v2->starts_with(*v1))) {
        return *v2;
    }
    return v1;
}

// A field's text from the tags, empty when neither holds it.
std::string_view TagText(bool hasId3, const std::optional<tags::Id3v2Tag>& id3v2, std::span<const char> v1,
                         std::string tags::Id3v2Tag::*v2) {
    return TagValue(hasId3 ? std::optional(Id3Text(v1)) : std::nullopt, id3v2 ? &(*id3v2.*v2) : nullptr)
        .value_or(std::string_view());
}

}  // namespace

std::string TaggedArtist(const tags::TRMPInfo& info, const tags::TID3Tag& id3, bool hasId3,
                         const std::optional<tags::Id3v2Tag>& id3v2) {
    return std::string(FirstOf(info.Artist, TagText(hasId3, id3v2, id3.Artist, &tags::Id3v2Tag::artist)));
}

std::string TaggedTitle(const tags::TRMPInfo& info, const tags::TID3Tag& id3, bool hasId3,
                        const std::optional<tags::Id3v2Tag>& id3v2) {
    return std::string(FirstOf(info.Title, TagText(hasId3, id3v2, id3.Title, &tags::Id3v2Tag::title)));
}

SongFields MakeSongFields(int32_t track, const std::string& path, const tags::TRMPInfo& info, bool hasInfo,
                          const tags::TID3Tag& id3, bool hasId3, const std::optional<tags::Id3v2Tag>& id3v2) {
    SongFields f;
    f[8] = text::ExtractFilePath(path);
    // The name is what follows the folder: the path is looked through once for both.
    const std::string_view fileName = std::string_view(path).substr(f[8].size());
    const std::string ext = text::ExtractFileExt(fileName);
    f[0] = std::to_string(track);
    f[7] = fileName.substr(0, fileName.size() - ext.size());
    if (!ext.empty()) {
        f[9].assign(ext, 1);
    }

    const auto tagText = [&](std::span<const char> v1, std::string tags::Id3v2Tag::*v2) {
        return TagText(hasId3, id3v2, v1, v2);
    };
    const std::string_view artist = FirstOf(info.Artist, tagText(id3.Artist, &tags::Id3v2Tag::artist));
    f[1] = artist.empty() ? std::string_view("(Unknown)") : artist;
    const std::string_view title = FirstOf(info.Title, tagText(id3.Title, &tags::Id3v2Tag::title));
    if (title.empty()) {
        f[2] = "(" + f[7] + ")";
    } else {
        f[2] = title;
    }
    f[3] = FirstOf(info.Album, tagText(id3.Album, &tags::Id3v2Tag::album));
    f[4] = FirstOf(info.Release, tagText(id3.Year, &tags::Id3v2Tag::year));
    f[5] = FirstOf(info.Comment, tagText(id3.Comment, &tags::Id3v2Tag::comment));
    if (f[5].empty() && !hasId3 && !id3v2 && !hasInfo) {
        f[5] = "(Not Write ID3Tag & RMP Info)";
    }
    // Without a genre from a tag the first name of the table stands there, as a missing ID3v1
    // tag's genre byte of 0 gives.
    const std::optional<std::string_view> genre =
        TagValue(hasId3 ? std::optional<std::string_view>(tags::GenreName(id3.Genre)) : std::nullopt,
                 id3v2 ? &id3v2->genre : nullptr);
    f[6] = FirstOf(info.Genre, genre.value_or(tags::GenreName(0)));
    return f;
}

}  // namespace sorabell::display
