#include "components/PathText.h"

#include <algorithm>
#include <vector>

#include "platform/Text.h"

namespace sorabell::components {

namespace {

constexpr std::string_view kDots = "...";
constexpr std::string_view kDotsFolder = "...\\";

// The start of the text, at most `maxBytes` long, with "...".
std::string CutRight(std::string_view text, size_t maxBytes) {
    return std::string(text::CutToBytes(text, maxBytes)) + std::string(kDots);
}

// "..." with the end of the text, at most `maxBytes` long. Which bytes are trail bytes is read
// from the whole text: read from the kept part alone, a cut character could look whole.
std::string CutLeft(std::string_view text, size_t maxBytes) {
    size_t start = text.size() - maxBytes;
    if (text::ByteTypeAt(text, start) == text::ByteKind::Trail) {
        ++start;
    }
    return std::string(kDots) + std::string(text.substr(start));
}

// The path's names, each with its final backslash (the last one only if the path has it); the
// first of a network path is the whole "\\server\".
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t searchFrom = text::StartsWith(path, "\\\\") ? 2 : 0;
    for (size_t start = 0; start < path.size();) {
        const size_t slash = text::Find(path, "\\", std::max(start, searchFrom));
        const size_t end = slash == std::string_view::npos ? path.size() : slash + 1;
        parts.push_back(path.substr(start, end - start));
        start = end;
        searchFrom = 0;
    }
    return parts;
}

std::string ShortenFolders(std::string_view path, size_t maxLength, TStretchStyle style) {
    const auto parts = Components(path);
    if (parts.size() < 3) {
        return CutRight(path, maxLength - kDots.size());
    }
    const std::string first(parts.front());
    const std::string last(parts.back());
    const size_t kept = first.size() + last.size() + kDotsFolder.size();
    if (maxLength < kept) {
        // Even the root, "...\" and the last name are too long: that text itself is cut at its
        // end, its characters read from its own start, so that the cut falls between two of them.
        return CutRight(first + std::string(kDotsFolder) + last, maxLength - kDots.size());
    }
    std::string middle;
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const std::string_view next = style == TStretchStyle::ssFile ? parts[i] : parts[parts.size() - 1 - i];
        if (middle.size() + next.size() + kept > maxLength) {
            break;
        }
        middle = style == TStretchStyle::ssFile ? middle + std::string(next) : std::string(next) + middle;
    }
    return style == TStretchStyle::ssFile ? first + middle + std::string(kDotsFolder) + last
                                          : first + std::string(kDotsFolder) + middle + last;
}

}  // namespace

std::string DropLastChar(std::string_view text) {
    return std::string(text.substr(0, text.size() - text::LastChar(text).size()));
}

bool IsDriveRoot(std::string_view text) { return text.size() == 3 && text.substr(1) == ":\\"; }

bool IsNetworkRoot(std::string_view text) {
    if (text.size() <= 2 || !text::StartsWith(text, "\\\\") || text::LastChar(text) != "\\") {
        return false;
    }
    int backslashes = 0;
    for (size_t i = text::Find(text, "\\"); i != std::string_view::npos; i = text::Find(text, "\\", i + 1)) {
        ++backslashes;
    }
    return backslashes == 3 || backslashes == 4;
}

std::string AddSeparator(std::string_view text) { return text::IncludeTrailingBackslash(text); }

std::string RemoveSeparator(std::string_view text) {
    if (text::LastChar(text) != "\\" || IsDriveRoot(text) || IsNetworkRoot(text)) {
        return std::string(text);
    }
    return DropLastChar(text);
}

std::string ConvertCase(std::string_view text, TTextCase textCase) {
    switch (textCase) {
        case TTextCase::tcLowerCase:
            return text::LowerCase(text);
        case TTextCase::tcUpperCase:
            return text::UpperCase(text);
        case TTextCase::tcNone:
            break;
    }
    return std::string(text);
}

std::string Shorten(std::string_view text, size_t maxLength, TStretchStyle style) {
    if (style == TStretchStyle::ssNone) {
        return std::string(text);
    }
    if (maxLength <= kDots.size()) {
        return std::string(text::CutToBytes(text, maxLength));
    }
    if (text.size() <= maxLength) {
        return std::string(text);
    }
    const size_t room = maxLength - kDots.size();
    switch (style) {
        case TStretchStyle::ssLeft:
            return CutLeft(text, room);
        case TStretchStyle::ssFile:
        case TStretchStyle::ssDrive:
            if (text::Find(text, "\\") != std::string_view::npos) {
                return ShortenFolders(text, maxLength, style);
            }
            return style == TStretchStyle::ssDrive ? CutLeft(text, room) : CutRight(text, room);
        case TStretchStyle::ssRight:
        case TStretchStyle::ssNone:
            break;
    }
    return CutRight(text, room);
}

std::string ShortenForMessage(std::string_view path) {
    return Shorten(path, kMessagePathLength, TStretchStyle::ssDrive);
}

std::string LongShort(platform::FileSystem& files, std::string_view path, TPathType type) {
    if (type == TPathType::ptNone || IsNetworkRoot(path)) {
        return std::string(path);
    }
    if (IsDriveRoot(path)) {
        return text::UpperCase(path);
    }
    const std::string upper = text::UpperCase(AddSeparator(path));
    std::string result = text::UpperCase(path.substr(0, 3));
    for (size_t slash = text::Find(upper, "\\", 3); slash != std::string::npos;
         slash = text::Find(upper, "\\", slash + 1)) {
        const auto found = files.Find(upper.substr(0, slash));
        if (found.empty()) {
            return std::string();
        }
        const platform::FindEntry& entry = found.front();
        const bool useShort = type == TPathType::ptShortName && !entry.alternateName.empty();
        // The 8.3 name's field holds 14 bytes.
        result =
            AddSeparator(result) + (useShort ? std::string(text::CutToBytes(entry.alternateName, 14)) : entry.name);
    }
    return result;
}

}  // namespace sorabell::components
