#pragma once
// What a text file's bytes hold: the system's code page, as the system and its users' older
// editors write it, or Unicode, as editors save it today.

#include <string>
#include <string_view>

#include "platform/CodePage.h"

namespace sorabell::platform {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// UTF-16 after its byte-order mark; UTF-8 after its byte-order mark, or without one when all of
// it is valid UTF-8 holding at least one multi-byte sequence; else the code page (ASCII too).
TextEncoding DetectTextEncoding(std::string_view bytes);

// The characters of a Unicode file, its byte-order mark dropped, as CodePage takes them: each
// broken sequence and each character beyond the Basic Multilingual Plane (which CP932 cannot
// hold) becomes one "?".
std::u16string DecodeUnicodeText(std::string_view bytes, TextEncoding encoding);

// The file's text in the code page: as it stands when it is in it, converted otherwise.
std::string TextFileToAnsi(std::string_view bytes, CodePage& codePage);

}  // namespace sorabell::platform
