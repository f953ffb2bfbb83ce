#include "tags/LightStrings.h"

#include <algorithm>

#include "platform/Errors.h"

namespace sorabell::tags {

namespace {

// Calls `line` for each line of a text file's content (ended by CR LF or LF; a last line
// without an end counts) until it returns false.
template <class Line>
void ForEachLine(std::string_view content, Line line) {
    size_t p = 0;
    while (p < content.size()) {
        const size_t eol = content.find('\n', p);
        size_t end = eol == std::string_view::npos ? content.size() : eol;
        if (eol != std::string_view::npos && end > p && content[end - 1] == '\r') {
            --end;
        }
        if (!line(content.substr(p, end - p))) {
            return;
        }
        p = eol == std::string_view::npos ? content.size() : eol + 1;
    }
}

// How many LF bytes a block holds. Counting in byte-wide sums over runs of at most 255 bytes
// lets the compiler compare 16 bytes at a time.
size_t CountLineEnds(const char* data, size_t size) {
    size_t total = 0;
    while (size > 0) {
        const size_t run = std::min<size_t>(size, 255);
        uint8_t n = 0;
        for (size_t i = 0; i < run; ++i) {
            n = static_cast<uint8_t>(n + (data[i] == '\n'));
        }
        total += n;
        data += run;
        size -= run;
    }
    return total;
}

}  // namespace

void TLightStrings::Error() { throw Exception("インデックスがリストの範囲を超えています"); }

int32_t TLightStrings::Add(std::string s) {
    if (count_ == capacity_) {
        SetCapacity(capacity_ + kGrowth);
    }
    items_[static_cast<size_t>(count_)] = std::move(s);
    return count_++;
}

const std::string& TLightStrings::Get(int32_t index) const {
    if (index < 0 || index >= count_) {
        Error();
    }
    return items_[static_cast<size_t>(index)];
}

void TLightStrings::Clear() {
    if (capacity_ > 0) {
        for (int32_t i = 0; i < count_; ++i) {
            items_[static_cast<size_t>(i)].clear();
        }
        SetCount(0);
        SetCapacity(0);
    }
}

void TLightStrings::SetCapacity(int32_t n) {
    if (n > kMaxCapacity) {
        Error();
    }
    if (n == capacity_) {
        return;
    }
    if (n < count_) {
        Error();
    }
    // The slots follow Capacity; the storage under them grows geometrically, so that adding
    // line after line beyond an estimate stays linear.
    items_.resize(static_cast<size_t>(n));
    if (n < capacity_) {
        items_.shrink_to_fit();
    }
    capacity_ = n;
}

void TLightStrings::SetCount(int32_t n) {
    if (n < 0 || n > kMaxCapacity) {
        Error();
    }
    if (n > capacity_) {
        SetCapacity(n);
    }
    for (int32_t i = n; i < count_; ++i) {
        items_[static_cast<size_t>(i)].clear();
    }
    count_ = n;
}

std::string TLightStrings::GetText() const {
    size_t total = 0;
    for (int32_t i = 0; i < count_; ++i) {
        total += items_[static_cast<size_t>(i)].size() + 2;
    }
    std::string text;
    text.reserve(total);
    for (int32_t i = 0; i < count_; ++i) {
        text += items_[static_cast<size_t>(i)];
        text += "\r\n";
    }
    return text;
}

void TLightStrings::SetText(std::string_view text) {
    Clear();
    SetCapacity(static_cast<int32_t>(std::min<size_t>(text.size() / 28, kMaxCapacity)));
    // A zero byte ends the text as its end does: the loop must always move forward.
    const size_t end = std::min(text.find('\0'), text.size());
    size_t p = 0;
    do {
        const size_t start = p;
        while (p < end && text[p] != '\n' && text[p] != '\r') {
            ++p;
        }
        Add(std::string(text.substr(start, p - start)));
        if (p < end && text[p] == '\r') {
            ++p;
        }
        if (p < end && text[p] == '\n') {
            ++p;
        }
    } while (p < end);
    SetCapacity(count_);
}

std::string TLightStrings::GetCommaText() const {
    std::string out;
    for (int32_t i = 0; i < count_; ++i) {
        const std::string& s = items_[static_cast<size_t>(i)];
        if (s.find_first_of(" ,") != std::string::npos) {
            out += '"';
            out += s;
            out += '"';
        } else {
            out += s;
        }
        out += ',';
    }
    if (!out.empty()) {
        out.pop_back();
    }
    return out;
}

void TLightStrings::SetCommaText(std::string_view text) {
    Clear();
    const size_t end = std::min(text.find('\0'), text.size());
    size_t p = 0;
    while (p < end) {
        const bool quoted = text[p] == '"';
        if (quoted) {
            ++p;
        }
        const size_t start = p;
        while (p < end && text[p] != '\r' && text[p] != '"' && (quoted || text[p] != ',')) {
            ++p;
        }
        Add(std::string(text.substr(start, p - start)));
        if (quoted) {
            ++p;  // the closing quote
        }
        ++p;  // the separator
    }
}

void TLightStrings::LoadFromFile(platform::FileSystem& files, const std::string& path) {
    Clear();
    SetFileText(platform::ReadWholeFile(files, path));
}

void TLightStrings::SetFileText(std::string_view content) {
    Clear();
    SetCapacity(static_cast<int32_t>(std::min<size_t>(content.size() / 28, kMaxCapacity)));
    ForEachLine(content, [this](std::string_view line) {
        Add(std::string(line));
        return true;
    });
    SetCapacity(count_);
}

std::string TLightStrings::LoadLine(platform::FileSystem& files, const std::string& path, int32_t index) {
    if (index < 0) {
        Error();
    }
    const std::string content = platform::ReadWholeFile(files, path);
    // Line `index` starts after the index-th LF: whole blocks are counted until the one that
    // holds it.
    constexpr size_t kBlock = 4096;
    size_t start = 0;
    auto remaining = static_cast<size_t>(index);
    while (remaining > 0 && start < content.size()) {
        const size_t n = std::min(kBlock, content.size() - start);
        const size_t inBlock = CountLineEnds(content.data() + start, n);
        if (inBlock < remaining) {
            remaining -= inBlock;
            start += n;
            continue;
        }
        for (;; --remaining) {
            start = content.find('\n', start) + 1;
            if (remaining == 1) {
                break;
            }
        }
        remaining = 0;
    }
    if (remaining > 0 || start >= content.size()) {
        Error();
    }
    std::string_view line = std::string_view(content).substr(start);
    const size_t eol = line.find('\n');
    if (eol != std::string_view::npos) {
        line = line.substr(0, eol > 0 && line[eol - 1] == '\r' ? eol - 1 : eol);
    }
    return std::string(line);
}

void TLightStrings::SaveToFile(platform::FileSystem& files, const std::string& path) const {
    platform::WriteWholeFile(files, path, GetText());
}

void TLightStrings::SaveToStream(platform::TStream& stream) const {
    const std::string text = GetText();
    stream.Write(text.data(), text.size());
}

void TLightStrings::LoadFromStream(platform::TStream& stream) {
    Clear();
    if (stream.Position() >= stream.Size()) {
        return;
    }
    std::string text(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
    text.resize(stream.Read(text.data(), text.size()));
    SetText(text);
}

int32_t TLightStrings::IndexOf(std::string_view s) const {
    for (int32_t i = 0; i < count_; ++i) {
        if (items_[static_cast<size_t>(i)] == s) {
            return i;
        }
    }
    return -1;
}

}  // namespace sorabell::tags
