#pragma once
// How the fuzzers that need more than one value read them from one input, and how the seed
// corpus writes them: a text is a length byte and that many bytes; the rest is the file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace sorabell::fuzz {

// A fuzzer's invariant: a violation stops the run where the input shows it.
inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::string Text() {
        const size_t n = std::min<size_t>(Byte(), rest_.size());
        std::string text(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return text;
    }
    std::string Rest() {
        std::string all(rest_);
        rest_ = {};
        return all;
    }

private:
    std::string_view rest_;
};

inline void AppendText(std::string& out, std::string_view text) {
    text = text.substr(0, 255);
    out += static_cast<char>(text.size());
    out += text;
}

}  // namespace sorabell::fuzz
