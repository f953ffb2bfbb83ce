#pragma once
// The text of an INI file, read and changed with the rules of the private-profile functions:
// lines end at LF (a CR before it and ^Z are blanks); blanks around lines, names and values are
// ignored; "[name]" opens a section (up to its last "]"); the first "=" splits name and value;
// sections and keys compare without regard to case and the first match wins; a value enclosed
// in a pair of the same quote reads without them. Writing keeps every other byte as it was,
// each line's own line end and a missing last one included.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniFiles.h"

namespace sorabell::platform {

class IniDocument {
public:
    explicit IniDocument(std::string_view content = {});

    // The value as GetPrivateProfileString gives it; empty when the key is missing or has no "=".
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Render() const;

private:
    struct Line {
        std::string text;    // as in the file, without its line end
        std::string ending;  // "\r\n", "\n", or empty for a last line without one
        enum class Kind { Other, Section, Key } kind = Kind::Other;
        std::string name;                  // section or key name, trimmed
        std::optional<std::string> value;  // key value, trimmed; none without "="
    };

    static Line Parse(std::string text);
    // Index of the first line after the header of the first section called `section` (0 for the
    // nameless section at the top); npos when there is none.
    size_t FindSection(std::string_view section) const;
    // Index of the key line in the section whose lines start at `body`, or npos.
    size_t FindKey(size_t body, std::string_view key) const;
    size_t SectionEnd(size_t body) const;
    // Puts a new line before index `at`, ended as the file ends its lines; at the very end the
    // file's last line end, or its missing one, moves to the new line.
    void InsertLine(size_t at, std::string text);

    std::vector<Line> lines_;
    // The line end that new lines get: the file's first, CR LF for a file without any.
    std::string newline_ = "\r\n";
};

// GetPrivateProfileString over a file's content.
std::string IniReadString(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view fallback);

// One INI file's content read already (a member of a skin archive), as INI files to read: every
// file name gives this content; writing throws EIniFileException.
class IniText : public IniFiles {
public:
    explicit IniText(std::string content) : content_(std::move(content)) {}

    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    void WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;

private:
    std::string content_;
};

}  // namespace sorabell::platform
