#include "platform/win32/Win32CodePage.h"

#include <windows.h>

namespace sorabell::win32 {

std::string Win32CodePage::FromUtf16(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const auto wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    // Every string of the system is in the ANSI code page, which its text functions draw.
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, "?", nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, units, out.data(), bytes, "?", nullptr);
    return out;
}

std::optional<std::string> Win32CodePage::ExactFromUtf16(std::u16string_view text) {
    if (text.empty()) {
        return std::string();
    }
    const auto wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int bytes =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, nullptr, 0, nullptr, &usedDefault);
    if (bytes <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string out(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::u16string Win32CodePage::ToUtf16(std::string_view cp932) {
    if (cp932.empty()) {
        return {};
    }
    const int bytes = static_cast<int>(cp932.size());
    const int units = ::MultiByteToWideChar(CP_ACP, 0, cp932.data(), bytes, nullptr, 0);
    std::u16string out(static_cast<size_t>(units), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, cp932.data(), bytes, reinterpret_cast<wchar_t*>(out.data()), units);
    return out;
}

std::optional<std::u16string> Win32CodePage::ExactToUtf16(std::string_view text) {
    if (text.empty()) {
        return std::u16string();
    }
    const int bytes = static_cast<int>(text.size());
    const int units = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), bytes, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    std::u16string out(static_cast<size_t>(units), u'\0');
    ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), bytes, reinterpret_cast<wchar_t*>(out.data()),
                          units);
    return out;
}

}  // namespace sorabell::win32
