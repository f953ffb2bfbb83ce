#include "display/LyricsFile.h"

#include <algorithm>
#include <optional>

#include "display/Lyrics.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace sorabell::display {

std::string FileNameSafe(std::string_view name) {
    std::string safe;
    safe.reserve(name.size());
    for (size_t at = 0; at < name.size();) {
        const size_t length = text::CharLengthAt(name, at);
        if (length == 1 && std::string_view("\\/:*?\"<>|").find(name[at]) != std::string_view::npos) {
            safe += '_';
        } else {
            safe.append(name.substr(at, length));
        }
        at += length;
    }
    return safe;
}

std::vector<platform::FilePath> LyricsCandidates(const LyricsPlace& place) {
    std::vector<platform::FilePath> candidates;
    candidates.reserve(6);
    const auto add = [&](const platform::FilePath& base) {
        candidates.push_back(base + ".lrc");
        candidates.push_back(base + ".txt");
    };
    const std::string_view name = place.song.NameWithoutExtension();
    if (!place.taggedName.empty()) {
        add(place.lyricsFolder + place.taggedName.Utf8());
    }
    add(place.lyricsFolder + name);
    add(place.song.Folder() + name);
    return candidates;
}

namespace {

// The file's characters as the offset line is read, one a code unit: ASCII as it is, anything
// else a byte that no part of an offset line can be. A UTF-16 unit is two bytes of the file.
class UnitView {
public:
    explicit UnitView(std::string_view bytes) : bytes_(bytes) {
        const auto encoding = platform::DetectTextEncoding(bytes);
        if (encoding == platform::TextEncoding::Utf16Le || encoding == platform::TextEncoding::Utf16Be) {
            unit_ = 2;
            bigEndian_ = encoding == platform::TextEncoding::Utf16Be;
            start_ = 2;
            for (size_t at = start_; at + 2 <= bytes.size(); at += 2) {
                const unsigned hi = Byte(bigEndian_ ? at : at + 1);
                const unsigned lo = Byte(bigEndian_ ? at + 1 : at);
                view_ += hi == 0 && lo < 0x80 ? static_cast<char>(lo) : '\x80';
            }
        } else {
            start_ = encoding == platform::TextEncoding::Utf8 && bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
            view_ = bytes.substr(start_);
        }
    }

    std::string_view view() const { return view_; }
    // The byte of the file where the view's character `index` begins.
    size_t ByteAt(size_t index) const { return start_ + index * unit_; }
    std::string Encode(std::string_view ascii) const {
        if (unit_ == 1) {
            return std::string(ascii);
        }
        std::string out;
        for (const char c : ascii) {
            out += bigEndian_ ? std::string{'\0', c} : std::string{c, '\0'};
        }
        return out;
    }

private:
    unsigned Byte(size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

    std::string_view bytes_;
    std::string view_;
    size_t unit_ = 1;
    size_t start_ = 0;
    bool bigEndian_ = false;
};

struct OffsetLine {
    size_t numberBegin = 0;  // the sign, or the first digit
    size_t numberEnd = 0;
    bool plus = false;
    int32_t value = 0;
};

// The number of an offset line beginning at `begin` of the view, as LyricsOffset reads it.
std::optional<OffsetLine> OffsetLineAt(std::string_view view, size_t begin, size_t end) {
    const std::string_view line = view.substr(begin, end - begin);
    const auto value = LyricsOffset(line);
    if (!value) {
        return std::nullopt;
    }
    constexpr size_t kTagLength = 8;  // "[offset:"
    const std::string_view rest = text::TrimLeft(line.substr(kTagLength));
    const size_t number = line.size() - rest.size();
    size_t digits = number + ((rest.front() == '+' || rest.front() == '-') ? 1 : 0);
    while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') {
        ++digits;
    }
    return OffsetLine{begin + number, begin + digits, rest.front() == '+', *value};
}

}  // namespace

MovedOffset MoveLyricsOffset(std::string_view bytes, int32_t earlierBy) {
    const UnitView units(bytes);
    const std::string_view view = units.view();
    // The lines as the lyrics reader splits them: at each LF, a CR before it dropped.
    std::optional<OffsetLine> last;
    std::string lineEnd;
    for (size_t p = 0; p < view.size();) {
        const size_t eol = view.find('\n', p);
        size_t end = eol == std::string_view::npos ? view.size() : eol;
        if (eol != std::string_view::npos && end > p && view[end - 1] == '\r') {
            --end;
        }
        if (lineEnd.empty() && eol != std::string_view::npos) {
            lineEnd = end < eol ? "\r\n" : "\n";
        }
        if (const auto line = OffsetLineAt(view, p, end)) {
            last = line;
        }
        p = eol == std::string_view::npos ? view.size() : eol + 1;
    }
    const int64_t moved = int64_t{last ? last->value : 0} + earlierBy;
    MovedOffset result;
    result.offset = static_cast<int32_t>(std::clamp<int64_t>(moved, -kMaxLyricsTime, kMaxLyricsTime));
    const std::string magnitude = std::to_string(result.offset < 0 ? -int64_t{result.offset} : result.offset);
    if (last) {
        const std::string number = (result.offset < 0 ? "-" : last->plus ? "+" : "") + magnitude;
        result.bytes.append(bytes.substr(0, units.ByteAt(last->numberBegin)));
        result.bytes += units.Encode(number);
        result.bytes.append(bytes.substr(units.ByteAt(last->numberEnd)));
    } else {
        // A file without line ends is one line to the reader: the new line ends as Windows ends it.
        const std::string line = "[offset:" + std::string(result.offset < 0 ? "-" : "") + magnitude + "]" +
                                 (lineEnd.empty() ? std::string("\r\n") : lineEnd);
        result.bytes.append(bytes.substr(0, units.ByteAt(0)));
        result.bytes += units.Encode(line);
        result.bytes.append(bytes.substr(units.ByteAt(0)));
    }
    return result;
}

}  // namespace sorabell::display
