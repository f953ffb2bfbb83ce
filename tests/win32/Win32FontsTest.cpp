// The toolkit's list of screen fonts against the system's own enumeration: Wine names a face
// once for each of its styles, the list once.

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/win32/ScopedWin.h"
#include "platform/win32/Win32Toolkit.h"

namespace sorabell {
namespace {

int CALLBACK CollectEvery(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM faces) {
    reinterpret_cast<std::vector<std::string>*>(faces)->push_back(font->lfFaceName);
    return 1;
}

std::vector<std::string> EnumeratedFaces() {
    std::vector<std::string> faces;
    const win32::ScopedWindowDc screen(nullptr);
    ::EnumFontsA(screen.get(), nullptr, CollectEvery, reinterpret_cast<LPARAM>(&faces));
    return faces;
}

TEST(Win32Fonts, TheScreenFontListNamesEveryFaceOnce) {
    win32::Win32Toolkit toolkit(::GetModuleHandleA(nullptr));
    const std::vector<std::string> listed = toolkit.ScreenFontFaces();
    std::set<std::string> once;
    for (const std::string& face : listed) {
        EXPECT_TRUE(once.insert(text::UpperCase(face)).second) << face << " is listed twice";
    }
    std::set<std::string> enumerated;
    for (const std::string& face : EnumeratedFaces()) {
        enumerated.insert(text::UpperCase(face));
    }
    EXPECT_EQ(once, enumerated);
    // The forms' own face, which the Wine prefix maps onto a Japanese font, is among them.
    EXPECT_EQ(once.count(text::UpperCase(platform::kFormFontName)), 1u);
}

}  // namespace
}  // namespace sorabell
