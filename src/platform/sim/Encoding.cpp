#include "platform/sim/Encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>

namespace sorabell::sim {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns the number of input bytes consumed.
    size_t Convert(std::string_view in, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char buffer[256];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return in.size() - srcLeft;
    }

private:
    iconv_t cd_;
};

std::optional<std::string> ConvertAll(const char* to, const char* from, std::string_view in) {
    Converter converter(to, from);
    std::string out;
    if (converter.Convert(in, out) != in.size()) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) { return ConvertAll("UTF-8", "CP932", cp932); }

std::optional<std::string> Utf8ToCp932(std::string_view utf8) { return ConvertAll("CP932", "UTF-8", utf8); }

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
    Converter converter("UTF-8", "CP932");
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
