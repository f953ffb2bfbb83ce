#include "platform/posix/Iconv.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace sorabell::posix {

EncodingConverter::EncodingConverter(const std::string& to, const std::string& from)
    : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<void*>(-1)) {
        throw std::runtime_error("iconv cannot convert " + from + " to " + to);
    }
}

EncodingConverter::~EncodingConverter() { iconv_close(static_cast<iconv_t>(cd_)); }

size_t EncodingConverter::Convert(std::string_view in, std::string& out) {
    const auto cd = static_cast<iconv_t>(cd_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[256];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            break;
        }
    }
    return in.size() - srcLeft;
}

}  // namespace sorabell::posix
