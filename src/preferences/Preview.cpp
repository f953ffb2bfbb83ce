#include "preferences/Preview.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "skin/SkinImages.h"
#include "skin/SkinLook.h"

namespace sorabell::preferences {

namespace {

constexpr std::array<TColor, 6> kWinampTextColors = {settings::kTextColor, settings::kTextColor, settings::kTextColor,
                                                     settings::kTextColor, settings::kTextColor, settings::kTextColor};

}  // namespace

WinampPreview::WinampPreview(platform::Graphics& graphics, platform::FileSystem& files)
    : graphics_(graphics), files_(files), PickColors(kWinampTextColors), PickBackColor(settings::kShadowColor) {}

void WinampPreview::CreateImages() {
    previewImage_ = graphics_.CreateBitmap();
    previewImage_->SetSize(kPreviewWidth, kPreviewHeight);
    skinImage_ = graphics_.CreateBitmap();
}

void WinampPreview::LoadSkinImages(const std::string& skinFolder, const std::string& skinName,
                                   const std::string& programFolder) {
    // "(Default)" is the list's own entry: a skin folder of that name is no picture of it.
    if (text::SameText(skinName, settings::kDefaultSkinSection)) {
        LoadDefaultPicture(programFolder, false);
        PickColors = kWinampTextColors;
        PickBackColor = settings::kShadowColor;
        return;
    }
    skin::SkinImages images(files_, skinFolder, skinName);
    const std::optional<std::string> main = images.Read("main.bmp");
    if (!main || !skinImage_->LoadFromBytes(*main)) {
        // A main.bmp that is there but cannot be read must not leave the skin before on show.
        const std::string path = skinFolder + skinName + "\\main.bmp";
        LoadDefaultPicture(programFolder, main.has_value() || platform::FileExists(files_, path) ||
                                              platform::DirectoryExists(files_, path));
    }
    if (const auto picked = skin::PickTextColors(images.Load(graphics_, "text.bmp").get())) {
        PickColors = picked->text;
        PickBackColor = picked->background;
    } else {
        PickColors = kWinampTextColors;
        PickBackColor = settings::kShadowColor;
    }
}

void WinampPreview::LoadDefaultPicture(const std::string& programFolder, bool clear) {
    // A failed load leaves the bitmap as it was.
    if (!skinImage_->LoadFromFile(files_, programFolder + "default.bmp") && clear) {
        skinImage_ = graphics_.CreateBitmap();
    }
}

void WinampPreview::Draw(const settings::SkinSettings& look, const std::string& mark) {
    platform::Canvas& canvas = previewImage_->canvas();
    if (skinImage_->width() == 0 || skinImage_->height() == 0) {
        // No skin picture was ever found: black rather than an earlier preview.
        canvas.SetBrushClear(false);
        canvas.SetBrushColor(0);
        canvas.FillRect({0, 0, kPreviewWidth, kPreviewHeight});
    }
    canvas.Draw(0, 0, *skinImage_);
    canvas.SetFont({look.NFontName, look.NFontSize, look.NFontStyle});
    // A hand-edited line count beyond the three lines draws three.
    const int lines = std::clamp(look.DispSw + 1, 0, PreviewGeometry::kMaxLines);
    if (!look.Skin) {
        canvas.SetPenColor(skin::kFrameGrey);
        canvas.SetPenWidth(1);
        canvas.SetBrushClear(false);
        canvas.SetBrushColor(look.ColorPick ? PickBackColor : look.BGColor);
        canvas.Rectangle(PreviewGeometry::Background(lines));
    }
    canvas.SetBrushClear(true);
    for (int c = 0; c < lines; ++c) {
        DrawLine(canvas, look, c);
    }
    skin::DrawMark(canvas, PreviewGeometry::kMenuMark, mark, look.LumoraColor);
}

void WinampPreview::DrawLine(platform::Canvas& canvas, const settings::SkinSettings& look, int c) {
    const settings::LineSettings& line = look.Disp[static_cast<size_t>(c)];
    const settings::LineSettings& own = look.Color ? line : look.Disp[0];
    const platform::Rect clip = PreviewGeometry::Line(c);
    if (look.Skin) {
        canvas.SetFontColor(look.ColorPick ? PickBackColor : own.SColor);
        skin::DrawShadow(canvas, clip.left, clip.top, line.Text, 1, 1, clip);
    }
    canvas.SetFontColor(look.ColorPick ? PickColors[0] : own.Color);
    skin::DrawText(canvas, clip.left, clip.top, line.Text, clip);
    if (look.ColorPick) {
        skin::DrawColorBands(canvas, clip, clip.left, clip.top, line.Text, PickColors);
    }
}

void WinampPreview::CopyTo(platform::Canvas& target) { target.Draw(0, 0, *previewImage_); }

}  // namespace sorabell::preferences
