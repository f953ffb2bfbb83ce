#pragma once
// The host's iconv, for text that crosses into the host: the simulation's edges and the Linux
// tag tool's file names and output.

#include <string>
#include <string_view>

namespace sorabell::posix {

// One iconv conversion between two encodings named as iconv names them.
class EncodingConverter {
public:
    // Throws std::runtime_error when iconv knows no such conversion.
    EncodingConverter(const std::string& to, const std::string& from);
    ~EncodingConverter();
    EncodingConverter(const EncodingConverter&) = delete;
    EncodingConverter& operator=(const EncodingConverter&) = delete;

    // Converts from the start of `in` up to the first sequence it cannot take; the number of
    // input bytes consumed.
    size_t Convert(std::string_view in, std::string& out);

private:
    void* cd_;
};

}  // namespace sorabell::posix
