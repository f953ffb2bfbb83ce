#include "sorabell-tag/PosixEdge.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "platform/Text.h"
#include "platform/sim/Encoding.h"

namespace sorabell::tagtool {

namespace {

bool IsUtf8(std::string_view codeset) { return text::SameText(codeset, "UTF-8") || text::SameText(codeset, "UTF8"); }

size_t Utf8Length(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

}  // namespace

LocaleText::LocaleText(std::string codeset) : codeset_(std::move(codeset)), utf8_(IsUtf8(codeset_)) {}

std::optional<std::string> LocaleText::ToCp932(std::string_view text) const {
    if (utf8_) {
        return sim::Utf8ToCp932(text);
    }
    std::string cp932;
    if (sim::EncodingConverter("CP932", codeset_).Convert(text, cp932) != text.size()) {
        return std::nullopt;
    }
    return cp932;
}

std::string LocaleText::FromCp932(std::string_view cp932) const {
    std::string utf8 = sim::Cp932ToUtf8Lossy(cp932);
    if (utf8_) {
        return utf8;
    }
    sim::EncodingConverter converter(codeset_, "UTF-8");
    std::string out;
    std::string_view rest = utf8;
    while (!rest.empty()) {
        rest.remove_prefix(converter.Convert(rest, out));
        if (!rest.empty()) {
            out += '?';
            rest.remove_prefix(std::min(Utf8Length(static_cast<unsigned char>(rest.front())), rest.size()));
        }
    }
    return out;
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
