#include "skin/SkinImages.h"

#include "platform/Errors.h"
#include "platform/Text.h"
#include "skin/SkinLook.h"

namespace sorabell::skin {

bool IsArchiveSkinName(std::string_view skinName) {
    const std::string ext = text::ExtractFileExt(skinName);
    return text::SameText(ext, ".wsz") || text::SameText(ext, ".zip");
}

SkinImages::SkinImages(platform::FileSystem& files, const std::string& skinsFolder, const std::string& skinName)
    : files_(files), folder_(skinsFolder + skinName + "\\") {
    const std::string path = skinsFolder + skinName;
    if (!IsArchiveSkinName(skinName) || !platform::FileExists(files, path)) {
        return;
    }
    folder_.clear();
    try {
        archiveFile_ = files.Open(path, platform::OpenMode::Read);
        archive_ = std::make_unique<ZipArchive>(*archiveFile_);
    } catch (const EInOutError&) {
        archive_.reset();
        archiveFile_.reset();
    }
}

bool SkinImages::Has(const std::string& name) {
    if (folder_.empty()) {
        return Read(name).has_value();
    }
    return platform::FileExists(files_, folder_ + name);
}

std::unique_ptr<platform::Bitmap> SkinImages::Load(platform::Graphics& graphics, const std::string& name) {
    if (!folder_.empty()) {
        return LoadImage(graphics, files_, folder_ + name);
    }
    const std::optional<std::string> bytes = Read(name);
    if (!bytes) {
        return nullptr;
    }
    auto image = graphics.CreateBitmap();
    return image->LoadFromBytes(*bytes) ? std::move(image) : nullptr;
}

std::optional<std::string> SkinImages::Read(const std::string& name) {
    if (!folder_.empty()) {
        if (!platform::FileExists(files_, folder_ + name)) {
            return std::nullopt;
        }
        try {
            return platform::ReadWholeFile(files_, folder_ + name);
        } catch (const EInOutError&) {
            return std::nullopt;
        }
    }
    if (!archive_) {
        return std::nullopt;
    }
    try {
        return archive_->Read(name);
    } catch (const EInOutError&) {
        return std::nullopt;
    }
}

}  // namespace sorabell::skin
