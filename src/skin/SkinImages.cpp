#include "skin/SkinImages.h"

#include "platform/Errors.h"
#include "platform/Text.h"
#include "skin/SkinLook.h"

namespace sorabell::skin {

namespace {

bool IsArchiveExtension(std::string_view ext) { return text::SameText(ext, ".wsz") || text::SameText(ext, ".zip"); }

}  // namespace

bool IsArchiveSkinName(std::string_view skinName) { return IsArchiveExtension(text::ExtractFileExt(skinName)); }

SkinImages::SkinImages(platform::FileSystem& files, const std::string& skinsFolder, const std::string& skinName)
    : files_(files), folder_(skinsFolder + skinName + "\\") {
    const std::string path = skinsFolder + skinName;
    if (IsArchiveSkinName(skinName) && platform::FileExists(files, path)) {
        OpenArchive(path);
    }
}

SkinImages::SkinImages(platform::FileSystem& files, const platform::FilePath& skinsFolder, std::string_view skinName)
    : files_(files), folder_(skinsFolder + skinName + "\\") {
    // The code page's rules would read a UTF-8 byte as the lead of a pair and miss the dot.
    const platform::FilePath path = skinsFolder + skinName;
    if (IsArchiveExtension(path.Extension()) && platform::FileExists(files, path)) {
        OpenArchive(path);
    }
}

template <typename SkinPath>
void SkinImages::OpenArchive(const SkinPath& path) {
    isArchive_ = true;
    try {
        archiveFile_ = platform::OpenFile(files_, path, platform::OpenMode::Read);
        archive_ = std::make_unique<ZipArchive>(*archiveFile_);
    } catch (const EInOutError&) {
        archive_.reset();
        archiveFile_.reset();
    }
}

bool SkinImages::Has(const std::string& name) {
    if (isArchive_) {
        return Read(name).has_value();
    }
    return std::visit([&](const auto& folder) { return platform::FileExists(files_, folder + name); }, folder_);
}

std::unique_ptr<platform::Bitmap> SkinImages::Load(platform::Graphics& graphics, const std::string& name) {
    if (const auto* folder = std::get_if<std::string>(&folder_); folder != nullptr && !isArchive_) {
        return LoadImage(graphics, files_, *folder + name);
    }
    const std::optional<std::string> bytes = Read(name);
    if (!bytes) {
        return nullptr;
    }
    auto image = graphics.CreateBitmap();
    return image->LoadFromBytes(*bytes) ? std::move(image) : nullptr;
}

std::optional<std::string> SkinImages::Read(const std::string& name) {
    if (!isArchive_) {
        return std::visit(
            [&](const auto& folder) -> std::optional<std::string> {
                const auto path = folder + name;
                if (!platform::FileExists(files_, path)) {
                    return std::nullopt;
                }
                try {
                    return platform::ReadWholeFile(files_, path);
                } catch (const EInOutError&) {
                    return std::nullopt;
                }
            },
            folder_);
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
