#pragma once
// The code page conversion on Linux, for the simulated machine and the Linux tag tool: iconv's
// CP932, with its transliteration standing in for the close characters that Windows' converter
// picks.

#include "platform/CodePage.h"

namespace sorabell::posix {

class IconvCodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override;
};

}  // namespace sorabell::posix
