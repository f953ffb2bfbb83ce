#pragma once
// The code page conversion of Windows: WideCharToMultiByte into the ANSI code page, with its
// best-fit characters, and MultiByteToWideChar back.

#include "platform/CodePage.h"

namespace sorabell::win32 {

class Win32CodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override;
    std::optional<std::string> ExactFromUtf16(std::u16string_view text) override;
    std::u16string ToUtf16(std::string_view cp932) override;
    std::optional<std::u16string> ExactToUtf16(std::string_view text) override;
};

}  // namespace sorabell::win32
