#pragma once
// A path that can name any file, also one whose name the code page cannot hold (a song that
// only Winamp's UTF-8 play list names truly). UTF-8 inside; the file system opens it by its
// true name, and what the user sees of it is CP932 text.

#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace sorabell::platform {

class FilePath {
public:
    FilePath() = default;
    static FilePath FromUtf8(std::string utf8) { return FilePath(std::move(utf8)); }
    static FilePath FromCp932(std::string_view cp932, CodePage& codePage);

    const std::string& Utf8() const { return utf8_; }
    // The wide text the Windows functions take; a broken sequence becomes U+FFFD.
    std::u16string Utf16() const;
    // CP932 text for showing: "?" for each character the code page lacks, never a close one.
    std::string Cp932Text(CodePage& codePage) const;
    // The same path in CP932 when the code page holds every character as it is.
    std::optional<std::string> ExactCp932(CodePage& codePage) const;

    bool empty() const { return utf8_.empty(); }
    // The folder with its final "\" (or the drive's ":"), as ExtractFilePath cuts a CP932 path.
    FilePath Folder() const;
    std::string_view Name() const;
    // With its dot; empty without one.
    std::string_view Extension() const;
    std::string_view NameWithoutExtension() const;
    // The UTF-8 text appended as it is: a folder's path ends in its "\".
    FilePath operator+(std::string_view utf8) const { return FilePath(utf8_ + std::string(utf8)); }

    bool operator==(const FilePath&) const = default;

private:
    explicit FilePath(std::string utf8) : utf8_(std::move(utf8)) {}
    // Where the name begins: after the last "\" or ":". UTF-8 never holds these bytes inside a
    // character, so a plain byte search is exact.
    size_t NameStart() const;

    std::string utf8_;
};

// UTF-8 of UTF-16 text (surrogate pairs joined; a lone one becomes U+FFFD).
std::string Utf16ToUtf8(std::u16string_view text);
// UTF-16 of UTF-8 text (beyond the Basic Multilingual Plane as surrogate pairs; each broken
// sequence becomes U+FFFD).
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace sorabell::platform
