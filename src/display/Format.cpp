#include "display/Format.h"

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

std::string Id3Text(std::span<const char> field) { return std::string(text::TrimRight(tags::FieldText(field))); }

const std::string& FirstOf(const std::string& preferred, const std::string& fallback) {
    return preferred.empty() ? fallback : preferred;
}

// The tags' value of a field: the ID3v1 one, unless the ID3v2 one begins with it. So a value
// edited in the ID3v1 tag wins over an older ID3v2 one, and a value cut to 30 bytes shows whole.
std::optional<std::string> TagValue(std::optional<std::string> v1, const std::string* v2) {
    if (v2 && !v2->empty() && (!v1 || v2->starts_with(*v1))) {
        return *v2;
    }
    return v1;
}

// A field's text from the tags, empty when neither holds it.
std::string TagText(bool hasId3, const std::optional<tags::Id3v2Tag>& id3v2, std::span<const char> v1,
                    std::string tags::Id3v2Tag::*v2) {
    return TagValue(hasId3 ? std::optional(Id3Text(v1)) : std::nullopt, id3v2 ? &(*id3v2.*v2) : nullptr).value_or("");
}

}  // namespace

std::string TaggedArtist(const tags::TRMPInfo& info, const tags::TID3Tag& id3, bool hasId3,
                         const std::optional<tags::Id3v2Tag>& id3v2) {
    return FirstOf(info.Artist, TagText(hasId3, id3v2, id3.Artist, &tags::Id3v2Tag::artist));
}

std::string TaggedTitle(const tags::TRMPInfo& info, const tags::TID3Tag& id3, bool hasId3,
                        const std::optional<tags::Id3v2Tag>& id3v2) {
    return FirstOf(info.Title, TagText(hasId3, id3v2, id3.Title, &tags::Id3v2Tag::title));
}

SongFields MakeSongFields(int32_t track, const std::string& path, const tags::TRMPInfo& info, bool hasInfo,
                          const tags::TID3Tag& id3, bool hasId3, const std::optional<tags::Id3v2Tag>& id3v2) {
    SongFields f;
    const std::string fileName = text::ExtractFileName(path);
    const std::string ext = text::ExtractFileExt(fileName);
    f[0] = std::to_string(track);
    f[7] = fileName.substr(0, fileName.size() - ext.size());
    f[8] = text::ExtractFilePath(path);
    f[9] = ext.empty() ? std::string() : ext.substr(1);

    const std::string artist = TaggedArtist(info, id3, hasId3, id3v2);
    f[1] = artist.empty() ? std::string("(Unknown)") : artist;
    const std::string title = TaggedTitle(info, id3, hasId3, id3v2);
    const auto tagText = [&](std::span<const char> v1, std::string tags::Id3v2Tag::*v2) {
        return TagText(hasId3, id3v2, v1, v2);
    };
    f[2] = title.empty() ? "(" + f[7] + ")" : title;
    f[3] = FirstOf(info.Album, tagText(id3.Album, &tags::Id3v2Tag::album));
    f[4] = FirstOf(info.Release, tagText(id3.Year, &tags::Id3v2Tag::year));
    f[5] = FirstOf(info.Comment, tagText(id3.Comment, &tags::Id3v2Tag::comment));
    if (f[5].empty() && !hasId3 && !id3v2 && !hasInfo) {
        f[5] = "(Not Write ID3Tag & RMP Info)";
    }
    // Without a genre from a tag the first name of the table stands there, as a missing ID3v1
    // tag's genre byte of 0 gives.
    const std::optional<std::string> genre =
        TagValue(hasId3 ? std::optional(tags::GenreName(id3.Genre)) : std::nullopt, id3v2 ? &id3v2->genre : nullptr);
    f[6] = FirstOf(info.Genre, genre.value_or(tags::GenreName(0)));
    return f;
}

}  // namespace sorabell::display
