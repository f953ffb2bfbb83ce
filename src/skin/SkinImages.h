#pragma once
// Where a skin's images are read from: its folder in the skins folder, or, for a skin whose
// name ends in ".wsz" or ".zip" and that is such a file there, straight from that archive
// (Winamp 5 unpacks it into a temporary folder of its own, which nobody else can find).

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "skin/ZipArchive.h"

namespace sorabell::skin {

// A skin name that names an archive: ".wsz" or ".zip" in any case.
bool IsArchiveSkinName(std::string_view skinName);

class SkinImages {
public:
    // `skinsFolder` ends in "\". An archive that cannot be opened holds no images.
    SkinImages(platform::FileSystem& files, const std::string& skinsFolder, const std::string& skinName);

    bool IsArchive() const { return folder_.empty(); }
    bool Has(const std::string& name);
    // Null when the image is missing or unreadable.
    std::unique_ptr<platform::Bitmap> Load(platform::Graphics& graphics, const std::string& name);
    // A file of the skin, such as its sexyfont.ini; none when it is missing or unreadable.
    std::optional<std::string> Read(const std::string& name);

private:
    platform::FileSystem& files_;
    std::string folder_;  // the skin's folder, ending in "\", when it is no archive
    std::unique_ptr<platform::BinaryFile> archiveFile_;
    std::unique_ptr<ZipArchive> archive_;
};

}  // namespace sorabell::skin
