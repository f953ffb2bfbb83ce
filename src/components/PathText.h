#pragma once
// The text work of the path label: turning a path into its long or short form, handling its
// trailing backslash, cutting it to a length with "..." and changing its case. All of it counts
// bytes, but never cuts a double-byte character in two, and a 0x5C that is the second byte of
// one (as in "表") is no backslash.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace sorabell::components {

// How a text longer than the maximum length is shortened.
enum class TStretchStyle : uint8_t {
    ssNone,   // not at all
    ssRight,  // cut at the end
    ssLeft,   // cut at the beginning
    ssFile,   // keep the root, the leading folders and the last name
    ssDrive,  // keep the root, the trailing folders and the last name
};

enum class TTextCase : uint8_t { tcNone, tcLowerCase, tcUpperCase };

enum class TPathSeparator : uint8_t {
    psNone,          // a trailing backslash exactly when the path has one
    psAddSeparator,  // always one (an empty text stays empty)
    psSubSeparator,  // none, except for a root
};

enum class TPathType : uint8_t { ptNone, ptLongName, ptShortName };

// The text without its last character (one or two bytes).
std::string DropLastChar(std::string_view text);

// "C:\" and the like: three bytes, the second and third ":\".
bool IsDriveRoot(std::string_view text);
// "\\server\" or "\\server\share\": begins with "\\", ends with "\", and holds three or four
// backslashes of their own.
bool IsNetworkRoot(std::string_view text);

// The text with a final backslash ("" becomes "\").
std::string AddSeparator(std::string_view text);
// The text without its final backslash; a drive or network root keeps it.
std::string RemoveSeparator(std::string_view text);

// File-name case: ASCII letters only, double-byte characters as they are.
std::string ConvertCase(std::string_view text, TTextCase textCase);

// The text cut to at most `maxLength` bytes with "..." standing for what is left out; a text that
// fits, or the style ssNone, leaves it as it is. A maximum of 3 or less keeps the text's start.
std::string Shorten(std::string_view text, size_t maxLength, TStretchStyle style);

// A path as a message box quotes it: cut in the middle as the path labels cut theirs, so that
// the box, which does not wrap a path, stays narrower than a screen.
inline constexpr size_t kMessagePathLength = 64;
std::string ShortenForMessage(std::string_view path);

// The path with every name as `files` stores it (ptLongName) or as its 8.3 name (ptShortName),
// without a final backslash; empty when a name is not found. A drive root comes back in upper
// case and a network root as it is, without asking `files`; ptNone gives the path unchanged.
std::string LongShort(platform::FileSystem& files, std::string_view path, TPathType type);

}  // namespace sorabell::components
