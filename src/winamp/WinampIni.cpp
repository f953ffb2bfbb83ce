#include "winamp/WinampIni.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/FilePath.h"
#include "platform/IniDocument.h"
#include "platform/Text.h"
#include "platform/TextFile.h"

namespace sorabell::winamp {

namespace {

constexpr std::string_view kSection = "Winamp";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// Winamp's own file stays far below this; a larger one is read and written as the profile
// functions do, as if it had no mark.
constexpr uint64_t kLargestUtf8Ini = 4u << 20;

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The file as it stands, its byte-order mark apart; empty when it is missing, none when it
// cannot be read.
std::optional<std::string> ReadIni(platform::FileSystem& files, const std::string& path, bool& marked) {
    marked = false;
    try {
        if (!platform::FileExists(files, path)) {
            return std::string();
        }
        auto file = files.Open(path, platform::OpenMode::Read);
        if (file->Size() > kLargestUtf8Ini) {
            return std::nullopt;
        }
        std::string content(static_cast<size_t>(file->Size()), '\0');
        content.resize(file->ReadAt(0, content.data(), content.size()));
        marked = content.starts_with(kUtf8Mark);
        return marked ? content.substr(kUtf8Mark.size()) : content;
    } catch (const EInOutError&) {
        return std::nullopt;
    }
}

}  // namespace

IniName NameFromUtf8(platform::CodePage& codePage, std::string_view value) {
    if (platform::DetectTextEncoding(value) != platform::TextEncoding::Utf8) {
        return {std::string(value), true, {}};
    }
    std::u16string wide = platform::DecodeUnicodeText(value, platform::TextEncoding::Utf8);
    // The decoder drops a byte-order mark, which inside a value is a character of its own.
    if (value.starts_with(kUtf8Mark)) {
        wide.insert(wide.begin(), u'\uFEFF');
    }
    // Characters beyond the Basic Multilingual Plane come out of the decoder as "?".
    const bool whole = std::count(wide.begin(), wide.end(), u'?') == std::count(value.begin(), value.end(), '?');
    if (whole) {
        if (auto exact = codePage.ExactFromUtf16(wide)) {
            return {std::move(*exact), true, {}};
        }
    }
    return {codePage.FromUtf16(wide), false, std::string(value)};
}

std::optional<std::string> NameToUtf8(platform::CodePage& codePage, std::string_view name) {
    if (IsAscii(name)) {
        return std::string(name);
    }
    const std::optional<std::u16string> wide = codePage.ExactToUtf16(name);
    if (!wide) {
        return std::nullopt;
    }
    return platform::Utf16ToUtf8(*wide);
}

WinampIni::WinampIni(platform::IniFiles& iniFiles, platform::FileSystem& files, platform::CodePage& codePage,
                     std::string path)
    : iniFiles_(iniFiles), files_(files), codePage_(codePage), path_(std::move(path)) {
    bool marked = false;
    if (const std::optional<std::string> content = ReadIni(files_, path_, marked)) {
        // Winamp reads the mark as a number.
        platform::IniText text(*content);
        utf8_ = platform::TIniFile(text, path_).ReadInteger(std::string(kSection), "utf8", 0) != 0;
    }
}

std::optional<std::string> WinampIni::Utf8Value(std::string_view key) {
    bool marked = false;
    const std::optional<std::string> content = ReadIni(files_, path_, marked);
    if (!content) {
        return std::nullopt;
    }
    return platform::IniDocument(*content).Get(kSection, key);
}

IniName WinampIni::SkinName() {
    if (!utf8_) {
        return {iniFiles_.ReadString(path_, std::string(kSection), "skin", ""), true, {}};
    }
    const std::optional<std::string> value = Utf8Value("skin");
    return value ? NameFromUtf8(codePage_, *value) : IniName{};
}

std::string WinampIni::SkinFolder(const std::string& fallback) {
    std::string folder;
    if (!utf8_) {
        folder = iniFiles_.ReadString(path_, std::string(kSection), "SkinDir", fallback);
    } else {
        const std::optional<std::string> value = Utf8Value("SkinDir");
        folder = value ? NameFromUtf8(codePage_, *value).name : fallback;
    }
    // "SkinDir=" left empty would otherwise name the drive's root, and list its folders as skins.
    return text::IncludeTrailingBackslash(folder.empty() ? fallback : folder);
}

std::optional<platform::FilePath> WinampIni::TrueSkinFolder() {
    if (!utf8_) {
        return std::nullopt;
    }
    const std::optional<std::string> value = Utf8Value("SkinDir");
    if (!value) {
        return std::nullopt;
    }
    IniName folder = NameFromUtf8(codePage_, *value);
    if (folder.exact) {
        return std::nullopt;
    }
    // No UTF-8 character holds the byte of "\", so the last byte tells.
    if (!folder.utf8.ends_with('\\')) {
        folder.utf8 += '\\';
    }
    return platform::FilePath::FromUtf8(std::move(folder.utf8));
}

void WinampIni::WriteSkinName(const std::string& name) {
    if (!utf8_) {
        iniFiles_.WriteString(path_, std::string(kSection), "skin", name);
        return;
    }
    bool marked = false;
    const std::optional<std::string> content = ReadIni(files_, path_, marked);
    if (!content) {
        throw EIniFileException(path_ + " を読めませんでした");
    }
    platform::IniDocument document(*content);
    if (const auto current = document.Get(kSection, "skin");
        current && NameFromUtf8(codePage_, *current).name == name) {
        return;
    }
    const std::optional<std::string> utf8 = NameToUtf8(codePage_, name);
    if (!utf8 || name.find('?') != std::string::npos) {
        return;
    }
    document.Set(kSection, "skin", *utf8);
    try {
        platform::WriteWholeFile(files_, path_, (marked ? std::string(kUtf8Mark) : std::string()) + document.Render());
    } catch (const EInOutError& e) {
        throw EIniFileException(e.what());
    }
}

}  // namespace sorabell::winamp
