#pragma once
// The code page conversion of the simulated machine: iconv's CP932, with its transliteration
// standing in for the close characters that Windows' converter picks.

#include "platform/CodePage.h"

namespace sorabell::sim {

class SimCodePage : public platform::CodePage {
public:
    std::string FromUtf16(std::u16string_view text) override;
};

}  // namespace sorabell::sim
