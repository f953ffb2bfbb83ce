#pragma once
// CP932 (Shift-JIS) text helpers. Every string of the system holds CP932 bytes; anything that
// cuts, searches or changes case in text that may hold file names goes through here so that the
// trail byte of a double-byte character (it may be 0x5C, a backslash) is never taken for a
// character of its own.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sorabell::text {

constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

enum class ByteKind { Single, Lead, Trail };

// What the byte at `index` is when the text is read from its start: the first byte of a
// double-byte character (a lead byte followed by a trail byte), its second byte, or a
// character of its own. Positions outside the text are Single.
ByteKind ByteTypeAt(std::string_view text, size_t index);

// Byte length (1 or 2) of the character that starts at `index`.
size_t CharLengthAt(std::string_view text, size_t index);

// The longest prefix of at most `maxBytes` bytes that does not end inside a character.
std::string_view CutToBytes(std::string_view text, size_t maxBytes);

// First occurrence of `needle` that starts on a character boundary at or after `from`.
size_t Find(std::string_view text, std::string_view needle, size_t from = 0);

// Position of the last character that is one of the single-byte `delimiters`, or npos.
size_t FindLastDelimiter(std::string_view text, std::string_view delimiters);

// The last character of the text (two bytes for a double-byte character); empty for "".
std::string_view LastChar(std::string_view text);

// ASCII letters change case; double-byte characters are left alone.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

// Removal of blanks and control characters (every byte up to 0x20) from the ends.
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);

bool StartsWith(std::string_view text, std::string_view prefix);

// Windows path pieces, cut at the last "\" or ":" that is a character of its own.
std::string ExtractFilePath(std::string_view path);  // folder with its final "\"
std::string ExtractFileName(std::string_view path);
std::string ExtractFileExt(std::string_view path);  // with its dot; "" without one
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingBackslash(std::string_view path);
std::string ExcludeTrailingBackslash(std::string_view path);
// A command line's argument in double quotes, so that blanks stay inside it.
inline std::string Quoted(std::string_view argument) { return "\"" + std::string(argument) + "\""; }
// The line break of the system's texts, in message boxes and reports alike.
inline constexpr const char* kCrLf = "\r\n";

// Integer text as the settings and INI readers take it: blanks before, a sign, decimal digits or
// "$"/"0x" hexadecimal (hex may use all 32 bits and wraps to negative); nothing after.
std::optional<int32_t> ParseInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);
// The same without a default: a text that is no such number throws EConvertError, whose message
// quotes it.
int32_t StrToInt(std::string_view text);

}  // namespace sorabell::text
