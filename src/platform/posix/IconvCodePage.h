#pragma once
// The code page conversion on Linux, for the simulated machine and the Linux tag tool: iconv's
// CP932, with its transliteration standing in for the close characters that Windows' converter
// picks.

#include <memory>

#include "platform/CodePage.h"
#include "platform/posix/Iconv.h"

namespace sorabell::posix {

class IconvCodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override;
    std::optional<std::string> ExactFromUtf16(std::u16string_view text) override;
    std::u16string ToUtf16(std::string_view cp932) override;
    std::optional<std::u16string> ExactToUtf16(std::string_view text) override;

private:
    // Opened on first use and kept: opening costs more than converting a tag's texts.
    std::unique_ptr<EncodingConverter> converter_;
    std::unique_ptr<EncodingConverter> exactConverter_;
    std::unique_ptr<EncodingConverter> wideConverter_;
};

}  // namespace sorabell::posix
