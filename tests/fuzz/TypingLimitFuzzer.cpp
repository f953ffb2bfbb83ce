// The edits' byte limit on typing, on arbitrary texts before and after a change: a free change,
// an insertion with the caret after it, or a deletion. Aborts when the result is not the text
// after the change less one run of whole characters with the caret where that run began, when it
// grows beyond both the limit and the text before, when it gives up more than it must, or when a
// deletion or a text within the limit is touched at all.

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/FuzzInput.h"
#include "platform/Text.h"
#include "platform/TypingLimit.h"

using sorabell::fuzz::Require;

namespace {

namespace text = sorabell::text;

bool Boundary(const std::string& s, size_t at) { return text::ByteTypeAt(s, at) != text::ByteKind::Trail; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sorabell::fuzz::FuzzInput input(data, size);
    const size_t limit = input.Byte();
    const uint8_t mode = input.Byte() % 3;
    const std::string before = input.Text();
    const size_t at = std::min<size_t>(input.Byte(), before.size());
    size_t caret = input.Byte();
    std::string after;
    if (mode == 0) {
        after = input.Rest().substr(0, 600);
    } else if (mode == 1) {
        const std::string typed = input.Rest().substr(0, 600);
        after = before.substr(0, at) + typed + before.substr(at);
        caret = at + typed.size();
    } else {
        after = before.substr(0, at) + before.substr(std::min(before.size(), at + caret));
        caret = at;
    }

    const text::Typed typed = text::LimitTyping(before, after, caret, limit);
    const size_t removed = after.size() - std::min(after.size(), typed.text.size());
    Require(typed.text.size() <= after.size() && typed.caret <= typed.text.size());
    Require(typed.text == after.substr(0, typed.caret) + after.substr(typed.caret + removed));
    if (removed == 0) {
        Require(typed.caret == std::min(caret, after.size()));
        return 0;
    }
    Require(limit > 0 && after.size() > limit);
    // A deletion is left alone unless it joined two bytes into a new character, which no edit's
    // deletion of whole characters of valid text does.
    Require(mode != 2 || !Boundary(after, at));
    Require(Boundary(after, typed.caret) && Boundary(after, typed.caret + removed));
    Require(typed.text.size() <= std::max(limit, before.size()));
    // Within the limit before, the result fills it but for at most the half of one character.
    if (before.size() <= limit) {
        Require(typed.text.size() + 1 >= limit);
    }
    // The first character taken back would not have fitted.
    Require(typed.text.size() + text::CharLengthAt(after, typed.caret) > limit);
    return 0;
}
