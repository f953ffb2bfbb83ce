#pragma once
// The Linux edge of sorabell-tag: the command line and the terminal speak the locale's encoding
// and name host files; the tool speaks CP932 and names files by Windows path, on drive Z: mapped
// to the host's root as Wine maps it. The host's iconv converts between the two.

#include <optional>
#include <string>
#include <string_view>

namespace sorabell::tagtool {

class LocaleText {
public:
    // `codeset` as nl_langinfo(CODESET) names it: "UTF-8", "EUC-JP", "ANSI_X3.4-1968", ...
    explicit LocaleText(std::string codeset);

    // Empty when the text is not valid in the locale's encoding or CP932 cannot hold it.
    std::optional<std::string> ToCp932(std::string_view text) const;
    // Empty when the bytes are not valid CP932 or the locale's encoding cannot hold them: a
    // file's name as the host spells it.
    std::optional<std::string> ToLocale(std::string_view cp932) const;
    // Bytes that are not valid CP932 show as \xNN; characters the locale cannot show, as "?".
    std::string FromCp932(std::string_view cp932) const;

private:
    std::string codeset_;
    bool utf8_;
};

// The Windows path on drive Z: of a host path; a relative one is taken from `cwd` (absolute).
// Both are CP932, in which "/" is never part of a double-byte character.
std::string ZDrivePath(std::string_view hostPath, std::string_view cwd);

}  // namespace sorabell::tagtool
