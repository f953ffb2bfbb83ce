// The look of the display: the skin's settings and images, the lines drawn off screen, and the
// painting onto Winamp's window.

#include <cstdio>

#include "display/Messages.h"
#include "display/TimerPause.h"
#include "display/Tlumora.h"
#include "platform/Text.h"
#include "settings/RegIniFile.h"
#include "settings/Schema.h"
#include "skin/SkinImages.h"
#include "skin/SkinLook.h"

namespace sorabell::display {

namespace {

constexpr TColor kFrameDark = 0x342C32;
constexpr TColor kFrameLight = 0xCCC4CE;
constexpr int kCellWidth = 9;
constexpr int kCellHeight = 13;
constexpr int kMinusCell = 11;

using skin::BottomRight;
using skin::LoadImage;

}  // namespace

skin::SkinImages Tlumora::OpenSkinImages(const std::string& skinName, const std::string& trueName) {
    if (trueName.empty() && !trueSkinFolder_) {
        return skin::SkinImages(platform_.files, SkinFolder, skinName);
    }
    const platform::FilePath folder =
        trueSkinFolder_ ? *trueSkinFolder_ : platform::FilePath::FromCp932(SkinFolder, platform_.codePage);
    return skin::SkinImages(
        platform_.files, folder,
        trueName.empty() ? platform::FilePath::FromCp932(skinName, platform_.codePage).Utf8() : trueName);
}

void Tlumora::LoadSkin(const std::string& skinName, bool writeToWinampIni, const std::string& trueName) {
    TimerPause pause(*Timer1);
    auto& files = platform_.files;
    const settings::TRegIniFile skins(platform_.registry, settings::kSkinsPath);
    const std::string section = settings::DisplaySkinSection(skins, skinName);
    settings::DefaultContext context;
    context.currentFontName = skinView_.NFont.name;
    context.currentDoubleFontName = skinView_.DFont.name;
    const auto values = settings::LoadRecord(skins, section, settings::SkinSchema(), settings::Side::Display, context);

    configuredDispSw_ = values.DispSw;
    skinView_.SkinSection = section;
    skinView_.DispSw = values.DispSw;
    skinView_.Disp = values.Disp;
    skinView_.Skin = values.Skin;
    skinView_.Color = values.Color;
    skinView_.ExtTime = values.ExtTime;
    skinView_.ColorPick = values.ColorPick;
    skinView_.BGColor = values.BGColor;
    skinView_.LumoraColor = values.LumoraColor;
    skinView_.NFont = {values.NFontName, values.NFontSize, values.NFontStyle};
    skinView_.DFont = {values.DFontName, values.DFontSize, values.DFontStyle};

    // The skin's main image: its own folder or archive, then the folder Winamp 2 unpacks archived
    // skins into, then the program's own default picture.
    skin::SkinImages images = OpenSkinImages(skinName, trueName);
    const std::string unpacked = files.TempPath() + "\\_wasktmp\\";
    std::unique_ptr<platform::Bitmap> image;
    if (images.Has("main.bmp")) {
        image = images.Load(graphics_, images.Has("extmain.bmp") ? "extmain.bmp" : "main.bmp");
    } else if (platform::FileExists(files, unpacked + "main.bmp")) {
        image =
            LoadImage(graphics_, files,
                      unpacked + (platform::FileExists(files, unpacked + "extmain.bmp") ? "extmain.bmp" : "main.bmp"));
    } else {
        const std::string fallback = text::ExtractFilePath(platform_.processes.ModuleFileName()) + "Default.Bmp";
        image = LoadImage(graphics_, files, fallback);
    }
    if (image) {
        BackBitmap->canvas().Draw(-107, -22, *image);
        TimeBackBitmap->canvas().Draw(-36, -26, *image);
        TimeBitmap->canvas().Draw(0, 0, *TimeBackBitmap);
    } else {
        skinView_.Skin = false;
    }

    if (skinView_.ExtTime) {
        auto numbers = images.Load(graphics_, "nums_ex.bmp");
        if (!numbers) {
            numbers = images.Load(graphics_, "numbers.bmp");
        }
        if (numbers) {
            ImageList1->Clear();
            const TColor transparent = BottomRight(*numbers);
            // One scratch cell for all: where the image ends the cell keeps the one before.
            auto cell = graphics_.CreateBitmap();
            cell->SetSize(kCellWidth, kCellHeight);
            for (int k = 0; k <= numbers->width() / kCellWidth; ++k) {
                cell->canvas().Draw(-kCellWidth * k, 0, *numbers);
                ImageList1->AddMasked(*cell, transparent);
            }
        } else {
            skinView_.ExtTime = false;
        }
    }
    PopupMenu1->SetEnabled(TimeRemaining1, skinView_.ExtTime);

    if (skinView_.ColorPick) {
        if (const auto picked = skin::PickTextColors(images.Load(graphics_, "text.bmp").get())) {
            skinView_.BGColor = picked->background;
            skinView_.Disp[0].SColor = picked->background;
            skinView_.Color = false;
            skinView_.Disp[0].Color = picked->text[0];
            PickColors = picked->text;
        } else {
            skinView_.ColorPick = false;
        }
    }

    if (!skinView_.Skin) {
        BackBitmap->canvas().SetBrushColor(skinView_.BGColor);
        BackBitmap->canvas().FillRect({0, 0, BackBitmap->width(), BackBitmap->height()});
    }

    for (size_t n = 0; n < lines_.size(); ++n) {
        const std::string format = text::UpperCase(skinView_.Disp[n].Text);
        lines_[n].lyrics =
            static_cast<int32_t>(n) <= configuredDispSw_ &&
            (text::Find(format, "%B") != std::string::npos || text::Find(format, "%G") != std::string::npos);
    }

    DisplayBitmap->canvas().SetBrushColor(skinView_.BGColor);
    DisplayBitmap->canvas().SetFont(DisplayBitmap->width() > 299 ? skinView_.DFont : skinView_.NFont);
    Edit1Change();

    if (writeToWinampIni) {
        OpenWinampIni().WriteSkinName(skinName);
    }
}

void Tlumora::DrawLine(int line, int x, int y) {
    skin::DrawText(DisplayBitmap->canvas(), x, y, lines_[static_cast<size_t>(line)].text);
}

void Tlumora::DrawShadow(int line, int x, int y, int a) {
    skin::DrawShadow(DisplayBitmap->canvas(), x, y, lines_[static_cast<size_t>(line)].text, a, 2);
}

void Tlumora::DrawColorBands(int line, int x, int y) {
    skin::DrawColorBands(DisplayBitmap->canvas(), {0, 0, DisplayBitmap->width(), DisplayBitmap->height()}, x, y,
                         lines_[static_cast<size_t>(line)].text, PickColors);
}

void Tlumora::DrawFrame(int a, int bottom) {
    platform::Canvas& canvas = DisplayBitmap->canvas();
    canvas.SetPenWidth(a);
    canvas.SetPenColor(skinView_.BGColor);
    canvas.MoveTo(a - 1, a - 1);
    canvas.LineTo(a - 1, bottom);
    canvas.SetPenColor(kFrameDark);
    canvas.LineTo(2 * a - 1, bottom);
    canvas.LineTo(2 * a - 1, 2 * a - 1);
    canvas.LineTo(160 * a - 1, 2 * a - 1);
    canvas.LineTo(160 * a - 1, 3 * a - 1);
    canvas.SetPenColor(skin::kFrameGrey);
    canvas.LineTo(160 * a - 1, bottom);
    canvas.SetPenColor(kFrameLight);
    canvas.LineTo(159 * a - 1, bottom);
    canvas.SetPenColor(skin::kFrameGrey);
    canvas.LineTo(2 * a - 1, bottom);
}

void Tlumora::RenderDisplay() {
    const platform::WindowHandle winamp = FindWinamp();
    if (winamp == 0) {
        return;
    }
    TimerPause pause(*Timer1);
    const int a = ScaleFactor(winamp);
    const int off1 = lines_[0].scrollOffset;
    const int off2 = lines_[1].scrollOffset;
    const int off3 = lines_[2].scrollOffset;
    platform::Canvas& canvas = DisplayBitmap->canvas();
    const auto& disp = skinView_.Disp;
    const auto background = [&](const platform::Rect& region) {
        if (a == 1) {
            canvas.SetFont(skinView_.NFont);
            canvas.Draw(-region.left, -region.top, *BackBitmap);
        } else {
            canvas.SetFont(skinView_.DFont);
            canvas.CopyRect({0, 0, DisplayBitmap->width(), DisplayBitmap->height()}, BackBitmap->canvas(), region);
        }
        canvas.SetBrushClear(true);
    };
    // Line 1 and, for two and three lines, line 2 as both of those modes draw them.
    const auto upperLines = [&] {
        if (skinView_.Skin) {
            canvas.SetFontColor(disp[0].SColor);
            DrawShadow(0, (4 - off1) * a, 2 * a + 2, a);
            if (skinView_.Color) {
                canvas.SetFontColor(disp[1].SColor);
            }
            DrawShadow(1, (4 - off2) * a, 14 * a + 4, a);
        }
    };
    const auto upperTexts = [&] {
        canvas.SetFontColor(disp[0].Color);
        DrawLine(0, (4 - off1) * a, 2 * a + 2);
        if (skinView_.ColorPick) {
            DrawColorBands(0, (4 - off1) * a, 2 * a + 2);
        }
        if (skinView_.Color) {
            canvas.SetFontColor(disp[1].Color);
        }
        DrawLine(1, (4 - off2) * a, 14 * a + 4);
        if (skinView_.ColorPick) {
            DrawColorBands(1, (4 - off2) * a, 14 * a + 4);
        }
    };

    switch (skinView_.DispSw) {
        case 0:
            DisplayOrigin = {109, 24};
            DisplayBitmap->SetSize(157 * a, 12 * a);
            background({2, 2, 159, 14});
            if (skinView_.Skin) {
                canvas.SetFontColor(disp[0].SColor);
                DrawShadow(0, (2 - off1) * a, 0, a);
            }
            canvas.SetFontColor(disp[0].Color);
            DrawLine(0, (2 - off1) * a, 0);
            if (skinView_.ColorPick) {
                DrawColorBands(0, (2 - off1) * a, 0);
            }
            break;
        case 1:
            DisplayOrigin = {107, 22};
            DisplayBitmap->SetSize(160 * a, 32 * a);
            background({0, 0, 160, 32});
            upperLines();
            upperTexts();
            if (!skinView_.Skin) {
                DrawFrame(a, 32 * a - 1);
            }
            break;
        case 2:
            DisplayOrigin = {107, 22};
            DisplayBitmap->SetSize(160 * a, 48 * a);
            background({0, 0, 160, 48});
            upperLines();
            if (skinView_.Skin) {
                if (skinView_.Color) {
                    canvas.SetFontColor(disp[2].SColor);
                }
                DrawShadow(2, (4 - off3) * a, 26 * a + 6, a);
            }
            upperTexts();
            if (skinView_.Color) {
                canvas.SetFontColor(disp[2].Color);
            }
            DrawLine(2, (4 - off3) * a, 26 * a + 6);
            if (skinView_.ColorPick) {
                DrawColorBands(2, (4 - off3) * a, 26 * a + 6);
            }
            if (!skinView_.Skin) {
                DrawFrame(a, 48 * a - 1);
            }
            break;
        default:
            break;
    }
    PaintOnWinamp();
}

void Tlumora::PaintOnWinamp() {
    const platform::WindowHandle winamp = FindWinamp();
    if (winamp == 0) {
        return;
    }
    const auto rect = platform_.desktop.WindowRect(winamp);
    auto canvas = graphics_.WindowCanvas(winamp);
    if (!rect || !canvas) {
        return;
    }
    canvas->SetBrushClear(true);
    if (rect->width() >= 300) {
        canvas->Draw(2 * DisplayOrigin.x, 2 * DisplayOrigin.y, *DisplayBitmap);
        if (skinView_.ExtTime) {
            canvas->StretchDraw({72, 52, 198, 78}, *TimeBitmap);
        }
        canvas->SetFont({graphics_.DefaultFontName(), -23, 0});
        skin::DrawMark(*canvas, {2 * skin::kMarkPlace.x, 2 * skin::kMarkPlace.y}, mark_, skinView_.LumoraColor);
    } else {
        canvas->Draw(DisplayOrigin.x, DisplayOrigin.y, *DisplayBitmap);
        if (skinView_.ExtTime) {
            canvas->Draw(36, 26, *TimeBitmap);
        }
        canvas->SetFont({graphics_.DefaultFontName(), -12, 0});
        skin::DrawMark(*canvas, skin::kMarkPlace, mark_, skinView_.LumoraColor);
    }
}

void Tlumora::DrawTime() {
    const platform::WindowHandle winamp = FindWinamp();
    if (winamp == 0) {
        return;
    }
    TimeBitmap->canvas().Draw(0, 0, *TimeBackBitmap);
    const intptr_t state = Query(winamp, 0, kQueryPlayState);
    if (state == kStopped) {
        return;
    }
    if (state == kPlaying || state == kPaused) {
        const intptr_t position = Query(winamp, 0, kQueryTime);
        if (position == -1) {
            return;
        }
        intptr_t seconds = position / 1000;
        if (PopupMenu1->checked(TimeRemaining1)) {
            seconds = Query(winamp, 1, kQueryTime) - seconds;
            if (ImageList1->count() > kMinusCell) {
                ImageList1->Draw(TimeBitmap->canvas(), 2, 0, kMinusCell);
            }
        }
        if (seconds < 0) {
            seconds = 0;
        }
        char digits[32];
        std::snprintf(digits, sizeof digits, "%2.2d%2.2d", static_cast<int>(seconds / 60),
                      static_cast<int>(seconds % 60));
        const int places[4] = {12, 24, 42, 54};
        for (int i = 0; i < 4; ++i) {
            ImageList1->Draw(TimeBitmap->canvas(), places[i], 0, digits[i] - '0');
        }
    }
    PaintOnWinamp();
}

}  // namespace sorabell::display
