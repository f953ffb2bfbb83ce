#pragma once
// WINAMP.INI's skin keys, "skin" and "SkinDir" of section [Winamp], as both programs read and
// write them. Winamp 5 marks a file whose texts it keeps in UTF-8 with "utf8=1" there; without
// the mark the values are the code page's bytes, as Winamp 2 writes them. Inside the system a
// name is CP932 either way: converted on the way in, and back on the way out.
//
// A UTF-8 file is read and written byte for byte here: the profile functions would pass its
// bytes through the code page, and UTF-8 is not always well-formed CP932.

#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/FilePath.h"
#include "platform/FileSystem.h"
#include "platform/IniFiles.h"

namespace sorabell::winamp {

// A value of a UTF-8 WINAMP.INI as the system uses it. Not exact when CP932 lacks one of its
// characters: the name then holds "?" in their place and names no file.
struct IniName {
    std::string name;
    bool exact = true;
    // The value by its true name, UTF-8; only for a name that is not exact.
    std::string utf8;
};

// A value that is not well-formed UTF-8 is taken as the code page's, as an older writer left it.
IniName NameFromUtf8(platform::CodePage& codePage, std::string_view value);
// A CP932 name as UTF-8; none when it does not convert.
std::optional<std::string> NameToUtf8(platform::CodePage& codePage, std::string_view name);

class WinampIni {
public:
    // `path` is the WINAMP.INI of Winamp's settings folder.
    WinampIni(platform::IniFiles& iniFiles, platform::FileSystem& files, platform::CodePage& codePage,
              std::string path);

    bool utf8() const { return utf8_; }
    // The current skin's name; empty when none is set.
    IniName SkinName();
    // The skins folder, ending in "\"; `fallback` when none is set or the value is empty.
    std::string SkinFolder(const std::string& fallback);
    // The skins folder by its true name, ending in "\", when CP932 cannot hold it; none when
    // SkinFolder names it.
    std::optional<platform::FilePath> TrueSkinFolder();
    // Makes `name` the current skin. In a UTF-8 file a value that reads as `name` already stays
    // as the user has it, so that a name CP932 cannot hold is not written back broken; a name
    // that no UTF-8 could stand for (one with "?") is not written at all.
    void WriteSkinName(const std::string& name);

private:
    std::optional<std::string> Utf8Value(std::string_view key);

    platform::IniFiles& iniFiles_;
    platform::FileSystem& files_;
    platform::CodePage& codePage_;
    std::string path_;
    bool utf8_ = false;
};

}  // namespace sorabell::winamp
