// Shortening of arbitrary texts (paths, as the user's settings and the file system give them) to
// an arbitrary length in every style. Aborts when a result is longer than the length, when a
// text that fits comes back changed, or when the result is not made of whole characters of the
// text, in their order, with only dots and backslashes put in between.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "components/PathText.h"
#include "fuzz/FuzzInput.h"
#include "platform/Text.h"

using sorabell::fuzz::Require;

namespace {

namespace text = sorabell::text;

// Whether `shown` is pieces of `text` in order, each beginning and ending between two of its
// characters, with dots and backslashes in between. inPiece[j]: the bytes so far end with a
// piece that ends at text byte j; between: the first text byte the next piece may begin at.
bool MadeOfWholeCharacters(std::string_view shown, std::string_view text) {
    const size_t n = text.size();
    std::vector<bool> boundary(n + 1);
    for (size_t j = 0; j <= n; ++j) {
        boundary[j] = text::ByteTypeAt(text, j) != text::ByteKind::Trail;
    }
    constexpr size_t kNone = SIZE_MAX;
    std::vector<bool> inPiece(n + 1, false);
    size_t between = 0;
    for (size_t i = 0;; ++i) {
        for (size_t j = 0; j <= n; ++j) {
            if (inPiece[j] && boundary[j] && j < between) {
                between = j;
            }
        }
        for (size_t j = between; between != kNone && j <= n; ++j) {
            inPiece[j] = inPiece[j] || boundary[j];
        }
        if (i == shown.size()) {
            return between != kNone;
        }
        std::vector<bool> next(n + 1, false);
        for (size_t j = 0; j < n; ++j) {
            next[j + 1] = inPiece[j] && text[j] == shown[i];
        }
        inPiece.swap(next);
        if (shown[i] != '.' && shown[i] != '\\') {
            between = kNone;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using sorabell::components::TStretchStyle;
    sorabell::fuzz::FuzzInput input(data, size);
    const auto style = static_cast<TStretchStyle>(input.Byte() % 5);
    const uint8_t low = input.Byte();
    const auto maxLength = static_cast<uint16_t>(low | (input.Byte() << 8));
    const std::string path = input.Rest().substr(0, 600);

    const std::string shown = sorabell::components::Shorten(path, maxLength, style);
    if (maxLength == 0 || style == TStretchStyle::ssNone) {
        return 0;
    }
    Require(shown.size() <= maxLength);
    Require(path.size() > maxLength || shown == path);
    Require(MadeOfWholeCharacters(shown, path));
    return 0;
}
