#pragma once
// Where a skin's images are read from: its folder in the skins folder, or, for a skin whose
// name ends in ".wsz" or ".zip" and that is such a file there, straight from that archive
// (Winamp 5 unpacks it into a temporary folder of its own, which nobody else can find).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

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
    // The same by the skin's true name, for a skin (or skins folder) whose name CP932 cannot
    // hold; `skinName` is UTF-8.
    SkinImages(platform::FileSystem& files, const platform::FilePath& skinsFolder, std::string_view skinName);

    bool IsArchive() const { return isArchive_; }
    bool Has(const std::string& name);
    // Null when the image is missing or unreadable.
    std::unique_ptr<platform::Bitmap> Load(platform::Graphics& graphics, const std::string& name);
    // A file of the skin, such as its sexyfont.ini; none when it is missing or unreadable.
    std::optional<std::string> Read(const std::string& name);

private:
    // A CP932 path, or a true one.
    using Path = std::variant<std::string, platform::FilePath>;

    template <typename SkinPath>
    void OpenArchive(const SkinPath& path);

    platform::FileSystem& files_;
    Path folder_;  // the skin's folder, ending in "\", when it is no archive
    bool isArchive_ = false;
    std::unique_ptr<platform::BinaryFile> archiveFile_;
    std::unique_ptr<ZipArchive> archive_;
};

}  // namespace sorabell::skin
