#pragma once
// The page "バージョン情報": a picture of the program's own, its version, and two links a user
// can open: the read-me beside the programs and the folder they are in.

#include <memory>
#include <string>

#include "components/URLLabel.h"
#include "platform/Toolkit.h"
#include "preferences/Page.h"

namespace sorabell::preferences {

inline constexpr const char* kVersionCaption = "Sorabell Verβ３.01 ";
inline constexpr const char* kReadMeName = "README.txt";

class VersionPage {
public:
    VersionPage(platform::TabSheet& page, const PageSite& site);

    platform::ImageBox* Image1;
    platform::Label* Label1;
    std::unique_ptr<components::TURLLabel> URLLabel1;
    std::unique_ptr<components::TURLLabel> URLLabel2;
};

// A sky with a bell, drawn on the bitmap's whole size.
void DrawVersionPicture(platform::Bitmap& picture);

}  // namespace sorabell::preferences
