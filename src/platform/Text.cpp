#include "platform/Text.h"

#include <algorithm>

#include "platform/Errors.h"

namespace sorabell::text {

namespace {

unsigned char At(std::string_view text, size_t i) { return static_cast<unsigned char>(text[i]); }

bool IsPairAt(std::string_view text, size_t i) {
    return i + 1 < text.size() && IsLeadByte(At(text, i)) && IsTrailByte(At(text, i + 1));
}

char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Convert>
std::string MapSingleBytes(std::string_view text, Convert convert) {
    std::string out(text);
    for (size_t i = 0; i < out.size();) {
        if (IsPairAt(out, i)) {
            i += 2;
        } else {
            out[i] = convert(out[i]);
            ++i;
        }
    }
    return out;
}

}  // namespace

ByteKind ByteTypeAt(std::string_view text, size_t index) {
    if (index >= text.size()) {
        return ByteKind::Single;
    }
    size_t i = 0;
    while (i < index) {
        i += IsPairAt(text, i) ? 2 : 1;
    }
    if (i > index) {
        return ByteKind::Trail;
    }
    return IsPairAt(text, i) ? ByteKind::Lead : ByteKind::Single;
}

size_t CharLengthAt(std::string_view text, size_t index) { return IsPairAt(text, index) ? 2 : 1; }

std::string_view CutToBytes(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + CharLengthAt(text, end);
        if (next > maxBytes) {
            break;
        }
        end = next;
    }
    return text.substr(0, end);
}

size_t Find(std::string_view text, std::string_view needle, size_t from) {
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        if (i >= from && text.substr(i, needle.size()) == needle) {
            return i;
        }
    }
    return needle.empty() && from <= text.size() ? from : std::string_view::npos;
}

size_t FindLastDelimiter(std::string_view text, std::string_view delimiters) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && IsPairAt(text, i)) {
            ++i;  // a pair's trail byte may be a "\\" that is none
            continue;
        }
        // A few delimiters are compared in line: a search call per byte would cost more.
        for (const char d : delimiters) {
            if (d == c) {
                found = i;
                break;
            }
        }
    }
    return found;
}

std::string_view LastChar(std::string_view text) {
    if (text.empty()) {
        return text;
    }
    const size_t last = text.size() - 1;
    const size_t start = ByteTypeAt(text, last) == ByteKind::Trail ? last - 1 : last;
    return text.substr(start);
}

std::string UpperCase(std::string_view text) { return MapSingleBytes(text, ToUpperAscii); }
std::string LowerCase(std::string_view text) { return MapSingleBytes(text, ToLowerAscii); }

int CompareText(std::string_view a, std::string_view b) {
    const std::string la = UpperCase(a);
    const std::string lb = UpperCase(b);
    return la < lb ? -1 : (la > lb ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string_view TrimLeft(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && At(text, start) <= 0x20) {
        ++start;
    }
    return text.substr(start);
}

std::string_view TrimRight(std::string_view text) {
    // A trail byte is never below 0x40, so the last byte alone decides.
    size_t end = text.size();
    while (end > 0 && At(text, end - 1) <= 0x20) {
        --end;
    }
    return text.substr(0, end);
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string ExtractFilePath(std::string_view path) {
    const size_t cut = FindLastDelimiter(path, "\\:");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string ExtractFileName(std::string_view path) {
    const size_t cut = FindLastDelimiter(path, "\\:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtractFileExt(std::string_view path) {
    const size_t dot = FindLastDelimiter(path, ".\\:");
    if (dot == std::string_view::npos || path[dot] != '.') {
        return std::string();
    }
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const size_t dot = FindLastDelimiter(path, ".\\:");
    const size_t keep = (dot == std::string_view::npos || path[dot] != '.') ? path.size() : dot;
    return std::string(path.substr(0, keep)) + std::string(ext);
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (LastChar(path) != "\\") {
        out += '\\';
    }
    return out;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    if (LastChar(path) == "\\") {
        path.remove_suffix(1);
    }
    return std::string(path);
}

std::optional<int32_t> ParseInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull)) {
            return std::nullopt;
        }
    }
    if (hex) {
        const auto bits = static_cast<uint32_t>(negative ? 0u - static_cast<uint32_t>(value) : value);
        return static_cast<int32_t>(bits);
    }
    if (!negative && value > 0x7FFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value));
}

int32_t StrToIntDef(std::string_view text, int32_t fallback) { return ParseInt(text).value_or(fallback); }

int32_t StrToInt(std::string_view text) {
    if (const auto value = ParseInt(text)) {
        return *value;
    }
    throw EConvertError("'" + std::string(text) + "' は整数値ではありません");
}

}  // namespace sorabell::text
