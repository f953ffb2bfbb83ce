#include "sorabell-tag/PosixEdge.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "platform/Text.h"
#include "platform/posix/Iconv.h"

namespace sorabell::tagtool {

namespace {

bool IsUtf8(std::string_view codeset) { return text::SameText(codeset, "UTF-8") || text::SameText(codeset, "UTF8"); }

size_t Utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

// What stands for a sequence the conversion cannot take: appends its replacement and answers
// how many input bytes it covers, or 0 to end the conversion there.
using Replace = std::function<size_t(std::string_view rest, std::string& out)>;

// Converts `in` with iconv from `from` to `to`; true when every byte was converted.
bool Convert(const std::string& to, const std::string& from, std::string_view in, std::string& out,
             const Replace& replace) {
    posix::EncodingConverter converter(to, from);
    while (true) {
        in.remove_prefix(converter.Convert(in, out));
        if (in.empty()) {
            return true;
        }
        const size_t skipped = replace(in, out);
        if (skipped == 0) {
            return false;
        }
        in.remove_prefix(std::min(skipped, in.size()));
    }
}

std::optional<std::string> ConvertAll(const std::string& to, const std::string& from, std::string_view in) {
    std::string out;
    if (!Convert(to, from, in, out, [](std::string_view, std::string&) { return size_t{0}; })) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

LocaleText::LocaleText(std::string codeset) : codeset_(std::move(codeset)), utf8_(IsUtf8(codeset_)) {}

std::optional<std::string> LocaleText::ToCp932(std::string_view text) const {
    return ConvertAll("CP932", codeset_, text);
}

std::optional<std::string> LocaleText::ToLocale(std::string_view cp932) const {
    return ConvertAll(codeset_, "CP932", cp932);
}

std::string LocaleText::FromCp932(std::string_view cp932) const {
    std::string utf8;
    Convert("UTF-8", "CP932", cp932, utf8, [](std::string_view rest, std::string& out) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(rest.front()));
        out += escaped;
        return size_t{1};
    });
    if (utf8_) {
        return utf8;
    }
    std::string shown;
    Convert(codeset_, "UTF-8", utf8, shown, [](std::string_view rest, std::string& out) {
        out += '?';
        return Utf8Length(static_cast<unsigned char>(rest.front()));
    });
    return shown;
}

std::string ZDrivePath(std::string_view hostPath, std::string_view cwd) {
    std::string path =
        hostPath.starts_with('/') ? std::string(hostPath) : std::string(cwd) + "/" + std::string(hostPath);
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return "Z:" + path;
}

}  // namespace sorabell::tagtool
