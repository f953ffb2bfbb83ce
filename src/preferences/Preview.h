#pragma once
// The picture of Winamp's main window on the display page: the skin's image with the display
// lines drawn over its title area as their format texts, in the fonts and colours being edited,
// and the menu mark. It is composed off screen and shown with one copy.

#include <array>
#include <memory>
#include <string>

#include "platform/Geometry.h"
#include "platform/Graphics.h"
#include "settings/Schema.h"
#include "skin/SkinLook.h"

namespace sorabell::preferences {

// The size of Winamp's main window image, and of the preview.
inline constexpr int kPreviewWidth = 275;
inline constexpr int kPreviewHeight = 116;

// Places in the preview, in pixels from its top-left corner.
struct PreviewGeometry {
    // The plain background behind `lines` lines, framed.
    static platform::Rect Background(int lines) { return {107, 22, 267, 22 + 16 * lines}; }
    // Line `c` (0 for the first) is drawn at the top-left corner of its clip rectangle.
    static platform::Rect Line(int c) { return {111, 24 + 15 * c, 265, 39 + 15 * c}; }
    static constexpr platform::Point kMenuMark = skin::kMarkPlace;
    static constexpr int kMaxLines = 3;
};

class WinampPreview {
public:
    WinampPreview(platform::Graphics& graphics, platform::FileSystem& files);

    // The skin image, empty, and the preview image of the preview's size.
    void CreateImages();
    bool created() const { return previewImage_ != nullptr; }

    // The skin's main.bmp, else the program's "default.bmp", else the picture already loaded
    // (none after a main.bmp that is there but cannot be read); the colours of the skin's
    // text.bmp, else Winamp's own. "(Default)" has only the program's picture and Winamp's colours.
    void LoadSkinImages(const std::string& skinFolder, const std::string& skinName, const std::string& programFolder);

    // Composes the preview of `look` with the menu mark `mark`.
    void Draw(const settings::SkinSettings& look, const std::string& mark);
    // The composed picture at (0, 0) of `target`.
    void CopyTo(platform::Canvas& target);

    platform::Bitmap& previewImage() { return *previewImage_; }
    platform::Bitmap& skinImage() { return *skinImage_; }
    const std::array<TColor, 6>& pickColors() const { return PickColors; }
    TColor pickBackColor() const { return PickBackColor; }

private:
    // The program's default.bmp; without it the picture stays, or none is left when `clear`.
    void LoadDefaultPicture(const std::string& programFolder, bool clear);
    void DrawLine(platform::Canvas& canvas, const settings::SkinSettings& look, int c);

    platform::Graphics& graphics_;
    platform::FileSystem& files_;
    std::unique_ptr<platform::Bitmap> skinImage_;
    std::unique_ptr<platform::Bitmap> previewImage_;
    std::array<TColor, 6> PickColors{};
    TColor PickBackColor = 0;
};

}  // namespace sorabell::preferences
