#pragma once
// CP932 <-> UTF-8 at the simulated platform's edges (host file names, FreeType, test output).
// Nothing inside the system sees UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace sorabell::sim {

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

// Empty when the bytes are not valid CP932.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
// CP932 text for display: bytes that are not valid CP932 appear as \xNN.
std::string Cp932ToUtf8Lossy(std::string_view cp932);
// Empty when the text has characters CP932 cannot hold.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

}  // namespace sorabell::sim
