#include "tags/Id3v2.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "platform/Text.h"
#include "tags/GenreTable.h"
#include "tags/Id3v2Text.h"

namespace sorabell::tags {

namespace {

constexpr uint8_t kTagUnsynchronised = 0x80;
constexpr uint8_t kTagExtendedHeader = 0x40;  // 2.2: a compressed tag, which nobody defined

unsigned Byte(std::string_view bytes, size_t at) { return static_cast<unsigned char>(bytes[at]); }

uint32_t Plain(std::string_view bytes, size_t at, size_t count) {
    uint32_t v = 0;
    for (size_t i = 0; i < count; ++i) {
        v = v << 8 | Byte(bytes, at + i);
    }
    return v;
}

bool IsSyncSafe(std::string_view bytes, size_t at) {
    for (size_t i = 0; i < 4; ++i) {
        if (Byte(bytes, at + i) >= 0x80) {
            return false;
        }
    }
    return true;
}

uint32_t SyncSafe(std::string_view bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) {
        v = v << 7 | (Byte(bytes, at + i) & 0x7F);
    }
    return v;
}

// Undoes unsynchronisation: every 0xFF 0x00 was a lone 0xFF.
std::string Resynchronise(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t at = 0; at < bytes.size(); ++at) {
        out += bytes[at];
        if (Byte(bytes, at) == 0xFF && at + 1 < bytes.size() && bytes[at + 1] == '\0') {
            ++at;
        }
    }
    return out;
}

bool IsFrameId(std::string_view id) {
    return std::all_of(id.begin(), id.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

bool IsPadding(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == '\0'; });
}

// Where a frame of 2.4 may end: at the end of the frames, on the next frame, or on the padding.
bool EndsWell(std::string_view body, uint64_t end) {
    if (end > body.size()) {
        return false;
    }
    const std::string_view rest = body.substr(static_cast<size_t>(end));
    return IsPadding(rest) || (rest.size() >= 4 && IsFrameId(rest.substr(0, 4)));
}

// A 2.4 frame's size is syncsafe, but some writers (iTunes among them) wrote plain numbers; the
// plain reading is taken when only it lands on what may follow a frame.
uint64_t FrameSize24(std::string_view body, size_t at) {
    const uint32_t plain = Plain(body, at + 4, 4);
    if (!IsSyncSafe(body, at + 4)) {
        return plain;
    }
    const uint32_t safe = SyncSafe(body, at + 4);
    if (safe != plain && !EndsWell(body, uint64_t{at} + 10 + safe) && EndsWell(body, uint64_t{at} + 10 + plain)) {
        return plain;
    }
    return safe;
}

std::string_view DropPrefix(std::string_view data, size_t count) { return data.substr(std::min(count, data.size())); }

// The 2.2 names of the frames read, as their later names.
std::string_view LaterName(std::string_view id) {
    static constexpr std::string_view kNames[][2] = {{"TT2", "TIT2"}, {"TP1", "TPE1"}, {"TAL", "TALB"},
                                                     {"TYE", "TYER"}, {"TCO", "TCON"}, {"COM", "COMM"},
                                                     {"ULT", "USLT"}, {"SLT", "SYLT"}};
    for (const auto& names : kNames) {
        if (names[0] == id) {
            return names[1];
        }
    }
    return id;
}

// Whether the display reads the frame (by its later name): the others are passed over unread.
bool IsRead(std::string_view id) {
    static constexpr std::string_view kRead[] = {"TIT2", "TPE1", "TALB", "TYER", "TDRC",
                                                 "TCON", "COMM", "USLT", "SYLT"};
    return std::find(std::begin(kRead), std::end(kRead), id) != std::end(kRead);
}

// "(n)", "(n)text" and a bare n name the table's genre n; "(RX)" and "(CR)" are Remix and
// Cover; "((" begins a text that starts with "(".
std::string GenreText(std::string_view value) {
    const auto number = [](std::string_view digits) -> std::optional<uint8_t> {
        if (digits.empty() || digits.size() > 3 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return std::nullopt;
        }
        int n = 0;
        for (const char c : digits) {
            n = n * 10 + (c - '0');
        }
        return n <= 255 ? std::optional<uint8_t>(static_cast<uint8_t>(n)) : std::nullopt;
    };
    if (value.starts_with("((")) {
        return std::string(value.substr(1));
    }
    if (value.starts_with('(')) {
        const size_t close = value.find(')');
        if (close != std::string_view::npos) {
            const std::string_view inside = value.substr(1, close - 1);
            if (inside == "RX") {
                return "Remix";
            }
            if (inside == "CR") {
                return "Cover";
            }
            if (const auto n = number(inside)) {
                return GenreName(*n);
            }
        }
    } else if (const auto n = number(value)) {
        return GenreName(*n);
    }
    return std::string(value);
}

class FrameReader {
public:
    explicit FrameReader(platform::CodePage& codePage) : codePage_(codePage) {}

    void Take(std::string_view id, std::string_view data) {
        id = LaterName(id);
        if (id == "COMM") {
            TakeComment(data);
        } else if (id == "USLT") {
            TakeUnsyncedLyrics(data);
        } else if (id == "SYLT") {
            TakeSyncedLyrics(data);
        } else if (std::optional<std::string>* field = TextField(id); field && !*field && !data.empty()) {
            const auto encoding = static_cast<uint8_t>(data[0]);
            data.remove_prefix(1);
            *field = Id3ValueToAnsi(encoding, TakeId3Value(encoding, data), codePage_);
        }
    }

    // Moves the texts into the tag, so call it once, at the end.
    void Finish(Id3v2Tag& tag) {
        const auto take = [](std::optional<std::string>& value) { return value ? std::move(*value) : std::string(); };
        tag.title = take(title_);
        tag.artist = take(artist_);
        tag.album = take(album_);
        tag.year = year_ ? take(year_) : recorded_ ? std::string(text::TrimRight(text::CutToBytes(*recorded_, 4))) : "";
        tag.comment = plainComment_ ? take(plainComment_) : take(comment_);
        tag.genre = genre_ ? GenreText(*genre_) : "";
        tag.unsyncedLyrics = std::move(unsyncedLyrics_);
        tag.syncedLyrics = std::move(syncedLyrics_);
    }

private:
    std::optional<std::string>* TextField(std::string_view id) {
        const std::pair<std::string_view, std::optional<std::string>*> fields[] = {
            {"TIT2", &title_}, {"TPE1", &artist_},   {"TALB", &album_},
            {"TYER", &year_},  {"TDRC", &recorded_}, {"TCON", &genre_}};
        for (const auto& [name, field] : fields) {
            if (name == id) {
                return field;
            }
        }
        return nullptr;
    }

    // COMM, USLT and SYLT begin with the encoding and a language, SYLT with `extra` bytes more;
    // a frame too short for them is passed over.
    bool TakeHead(std::string_view& data, uint8_t& encoding, size_t extra) {
        if (data.size() < 4 + extra) {
            return false;
        }
        encoding = static_cast<uint8_t>(data[0]);
        data.remove_prefix(4);
        return true;
    }

    void TakeComment(std::string_view data) {
        uint8_t encoding = 0;
        if (!TakeHead(data, encoding, 0)) {
            return;
        }
        // The first comment without a description wins over any other, so the text is only
        // converted where it may still count.
        if (plainComment_) {
            return;
        }
        const std::string_view description = TakeId3Value(encoding, data);
        if (Id3ValueToAnsi(encoding, description, codePage_).empty()) {
            plainComment_ = Id3ValueToAnsi(encoding, TakeId3Value(encoding, data), codePage_);
        } else if (!comment_) {
            comment_ = Id3ValueToAnsi(encoding, TakeId3Value(encoding, data), codePage_);
        }
    }

    void TakeUnsyncedLyrics(std::string_view data) {
        uint8_t encoding = 0;
        if (unsyncedLyrics_ || !TakeHead(data, encoding, 0)) {
            return;
        }
        TakeId3Value(encoding, data);
        unsyncedLyrics_ = Id3ValueToAnsi(encoding, TakeId3Value(encoding, data), codePage_, false);
    }

    void TakeSyncedLyrics(std::string_view data) {
        uint8_t encoding = 0;
        if (syncedLyrics_ || !TakeHead(data, encoding, 2)) {
            return;
        }
        Id3v2SyncedLyrics lyrics;
        lyrics.timeFormat = static_cast<uint8_t>(data[0]);
        data.remove_prefix(2);  // the format and the content type
        TakeId3Value(encoding, data);
        while (!data.empty()) {
            const std::string_view text = TakeId3Value(encoding, data);
            if (data.size() < 4) {
                break;
            }
            lyrics.lines.push_back({Id3ValueToAnsi(encoding, text, codePage_, false), Plain(data, 0, 4)});
            data.remove_prefix(4);
        }
        syncedLyrics_ = std::move(lyrics);
    }

    platform::CodePage& codePage_;
    std::optional<std::string> title_, artist_, album_, year_, recorded_, genre_, comment_, plainComment_;
    std::optional<std::string> unsyncedLyrics_;
    std::optional<Id3v2SyncedLyrics> syncedLyrics_;
};

void ReadFrames(int version, std::string_view body, bool tagUnsynchronised, FrameReader& reader) {
    const size_t idSize = version == 2 ? 3 : 4;
    const size_t headSize = version == 2 ? 6 : 10;
    size_t at = 0;
    while (body.size() - at >= headSize && IsFrameId(body.substr(at, idSize))) {
        const std::string_view id = body.substr(at, idSize);
        const uint64_t size = version == 2   ? Plain(body, at + 3, 3)
                              : version == 3 ? Plain(body, at + 4, 4)
                                             : FrameSize24(body, at);
        const unsigned format = version == 2 ? 0 : Byte(body, at + 9);
        at += headSize;
        // A frame that claims more than the tag holds gets what is there.
        std::string_view data = body.substr(at, static_cast<size_t>(std::min<uint64_t>(size, body.size() - at)));
        at += data.size();
        if (!IsRead(LaterName(id))) {
            continue;
        }
        if (version == 3) {
            if (format & 0xC0) {
                continue;  // compressed or encrypted
            }
            data = DropPrefix(data, format & 0x20 ? 1 : 0);  // the group
        } else if (version == 4) {
            if (format & 0x0C) {
                continue;  // compressed or encrypted
            }
            data = DropPrefix(data, (format & 0x40 ? 1 : 0) + (format & 0x01 ? 4 : 0));  // group, data length
            if ((format & 0x02) || tagUnsynchronised) {
                reader.Take(id, Resynchronise(data));
                continue;
            }
        }
        reader.Take(id, data);
    }
}

}  // namespace

std::optional<uint32_t> Id3v2BodySize(std::string_view header) {
    if (header.size() < kId3v2HeaderSize || !header.starts_with("ID3") || Byte(header, 3) < 2 || Byte(header, 3) > 4 ||
        Byte(header, 4) == 0xFF || !IsSyncSafe(header, 6)) {
        return std::nullopt;
    }
    return SyncSafe(header, 6);
}

std::optional<Id3v2Tag> ParseId3v2Tag(std::string_view bytes, platform::CodePage& codePage) {
    const auto size = Id3v2BodySize(bytes);
    if (!size) {
        return std::nullopt;
    }
    Id3v2Tag tag;
    tag.version = Byte(bytes, 3);
    const unsigned flags = Byte(bytes, 5);
    std::string_view body = bytes.substr(kId3v2HeaderSize, *size);
    // Before 2.4 the whole tag, its extended header too, is unsynchronised at once.
    std::string resynchronised;
    if (tag.version < 4 && (flags & kTagUnsynchronised)) {
        resynchronised = Resynchronise(body);
        body = resynchronised;
    }
    if (tag.version == 2 && (flags & kTagExtendedHeader)) {
        return tag;
    }
    if (flags & kTagExtendedHeader) {
        // 2.3 counts the bytes after the size, 2.4 the whole extended header.
        const uint64_t skip = body.size() < 4    ? body.size()
                              : tag.version == 3 ? uint64_t{4} + Plain(body, 0, 4)
                                                 : SyncSafe(body, 0);
        body = body.substr(static_cast<size_t>(std::min<uint64_t>(skip, body.size())));
    }
    FrameReader reader(codePage);
    ReadFrames(tag.version, body, (flags & kTagUnsynchronised) != 0, reader);
    reader.Finish(tag);
    return tag;
}

std::optional<Id3v2Tag> ReadId3v2Tag(platform::BinaryFile& file, platform::CodePage& codePage) {
    // The first read takes the header and the whole of most tags, into a buffer of its own that
    // nothing fills first; a larger tag takes a second read.
    constexpr size_t kFirstRead = 4096;
    std::array<char, kFirstRead> first;
    const size_t got = file.ReadAt(0, first.data(), first.size());
    if (got < kId3v2HeaderSize) {
        return std::nullopt;
    }
    const auto size = Id3v2BodySize(std::string_view(first.data(), kId3v2HeaderSize));
    if (!size) {
        return std::nullopt;
    }
    const size_t total = kId3v2HeaderSize + std::min<size_t>(*size, kId3v2ReadLimit);
    if (got < kFirstRead || total <= kFirstRead) {
        return ParseId3v2Tag(std::string_view(first.data(), std::min(got, total)), codePage);
    }
    const auto bytes = std::make_unique_for_overwrite<char[]>(total);
    std::copy_n(first.data(), kFirstRead, bytes.get());
    const size_t more = file.ReadAt(kFirstRead, bytes.get() + kFirstRead, total - kFirstRead);
    return ParseId3v2Tag(std::string_view(bytes.get(), kFirstRead + std::min(more, total - kFirstRead)), codePage);
}

}  // namespace sorabell::tags
