#include "platform/posix/IconvCodePage.h"

namespace sorabell::posix {

namespace {

std::string LittleEndianUnits(std::u16string_view text) {
    std::string units;
    units.reserve(text.size() * 2);
    for (const char16_t u : text) {
        units += static_cast<char>(u & 0xFF);
        units += static_cast<char>(u >> 8);
    }
    return units;
}

}  // namespace

std::optional<std::string> IconvCodePage::ExactFromUtf16(std::u16string_view text) {
    const std::string units = LittleEndianUnits(text);
    if (!exactConverter_) {
        exactConverter_ = std::make_unique<EncodingConverter>("CP932", "UTF-16LE");
    }
    std::string out;
    if (exactConverter_->Convert(units, out) != units.size()) {
        return std::nullopt;
    }
    return out;
}

std::string IconvCodePage::FromUtf16(std::u16string_view text) {
    const std::string units = LittleEndianUnits(text);
    if (!converter_) {
        converter_ = std::make_unique<EncodingConverter>("CP932//TRANSLIT", "UTF-16LE");
    }
    EncodingConverter& converter = *converter_;
    std::string out;
    std::string_view rest = units;
    while (!rest.empty()) {
        rest.remove_prefix(converter.Convert(rest, out));
        if (!rest.empty()) {
            // What iconv can neither convert nor transliterate.
            out += '?';
            rest.remove_prefix(2);
        }
    }
    return out;
}

namespace {

std::u16string FromUtf16Le(const std::string& units) {
    std::u16string out(units.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(units[2 * i]) |
                                       (static_cast<unsigned char>(units[2 * i + 1]) << 8));
    }
    return out;
}

}  // namespace

std::u16string IconvCodePage::ToUtf16(std::string_view cp932) {
    if (!wideConverter_) {
        wideConverter_ = std::make_unique<EncodingConverter>("UTF-16LE", "CP932");
    }
    std::string units;
    while (!cp932.empty()) {
        cp932.remove_prefix(wideConverter_->Convert(cp932, units));
        if (!cp932.empty()) {
            units += "\xFD\xFF";  // U+FFFD for a byte that begins no character
            cp932.remove_prefix(1);
        }
    }
    return FromUtf16Le(units);
}

std::optional<std::u16string> IconvCodePage::ExactToUtf16(std::string_view text) {
    if (!wideConverter_) {
        wideConverter_ = std::make_unique<EncodingConverter>("UTF-16LE", "CP932");
    }
    std::string units;
    if (wideConverter_->Convert(text, units) != text.size()) {
        return std::nullopt;
    }
    return FromUtf16Le(units);
}

}  // namespace sorabell::posix
