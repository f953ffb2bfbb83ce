#include "preferences/VersionPage.h"

#include <algorithm>

#include "platform/Graphics.h"

namespace sorabell::preferences {

VersionPage::VersionPage(platform::TabSheet& page, const PageSite& site) {
    const std::string& programFolder = site.programFolder;
    Image1 = &page.AddImage({24, 24, 160, 120});
    DrawVersionPicture(Image1->picture());
    Image1->Invalidate();
    Label1 = &page.AddLabel({204, 60, 250, 16}, kVersionCaption);
    page.AddLabel({24, 170, 430, 14}, "説明書 :");
    URLLabel1 = std::make_unique<components::TURLLabel>(page.AddLabel({40, 188, 420, 14}, programFolder + kReadMeName),
                                                        site.toolkit, site.os.processes);
    page.AddLabel({24, 214, 430, 14}, "Sorabell のフォルダ :");
    URLLabel2 = std::make_unique<components::TURLLabel>(page.AddLabel({40, 232, 420, 14}, programFolder), site.toolkit,
                                                        site.os.processes);
    for (components::TURLLabel* link : {URLLabel1.get(), URLLabel2.get()}) {
        link->SetExecutable(true);
        link->label().SetFontColor(RGBColor(0, 0, 192));
    }
}

void DrawVersionPicture(platform::Bitmap& picture) {
    platform::Canvas& canvas = picture.canvas();
    const int width = picture.width();
    const int height = picture.height();
    for (int y = 0; y < height; ++y) {
        const int shade = height > 1 ? y * 120 / (height - 1) : 0;
        canvas.SetBrushColor(RGBColor(40 + shade, 110 + shade, 230));
        canvas.FillRect({0, y, width, y + 1});
    }
    // The bell: a round crown, sides that flare out to the rim, and its clapper below.
    const int cx = width / 2;
    const int top = height / 6;
    const int rim = height * 3 / 4;
    const int crown = width / 9;
    for (int y = top; y <= rim; ++y) {
        const int t = y - top;
        int half = crown;
        if (t < crown) {
            const int d = crown - t;
            half = 0;
            while ((half + 1) * (half + 1) + d * d <= crown * crown) {
                ++half;
            }
        } else {
            const int s = t - crown;
            const int span = std::max(rim - top - crown, 1);
            half = crown + s * s * (width / 5) / (span * span);
        }
        canvas.SetBrushColor(y == rim ? RGBColor(180, 120, 20) : RGBColor(240, 190, 60));
        canvas.FillRect({cx - half, y, cx + half + 1, y + 1});
    }
    canvas.SetBrushColor(RGBColor(180, 120, 20));
    canvas.Rectangle({cx - 4, rim + 2, cx + 5, rim + 10});
}

}  // namespace sorabell::preferences
