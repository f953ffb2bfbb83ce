#include "platform/sim/Encoding.h"

#include <algorithm>
#include <cstdio>

namespace sorabell::sim {

namespace {

std::optional<std::string> ConvertAll(const char* to, const char* from, std::string_view in) {
    EncodingConverter converter(to, from);
    std::string out;
    if (converter.Convert(in, out) != in.size()) {
        return std::nullopt;
    }
    return out;
}

// Both encodings hold the bytes below 0x80 as ASCII: such text needs no converter (whose
// opening costs more than a file's path lookup).
bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932)) {
        return std::string(cp932);
    }
    return ConvertAll("UTF-8", "CP932", cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    return ConvertAll("CP932", "UTF-8", utf8);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
    EncodingConverter converter("UTF-8", "CP932");
    std::string out;
    while (!cp932.empty()) {
        const size_t used = converter.Convert(cp932, out);
        cp932.remove_prefix(used);
        if (!cp932.empty()) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(cp932.front()));
            out += escaped;
            cp932.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace sorabell::sim
