#pragma once
// The forms' byte limit on what the user types into an edit. An edit's own limit and its caret
// count characters; the forms' limit counts bytes of CP932 text, so the toolkits check each
// change after it happened and take back what went beyond the limit, at a whole character.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sorabell::text {

// A character position of an edit as a byte offset of its CP932 text, and back; both stop at
// the text's end.
size_t ByteOffset(std::string_view text, size_t chars);
size_t CharCount(std::string_view text, size_t bytes);

struct ByteRange {
    size_t from;
    size_t to;
};

// The bytes of `after` that the user's last change put beyond `limit`: the end of what was
// inserted, which ends at the caret (a byte offset), cut at a whole character. Text that was
// there before the change is never cut, so text set from code longer than the limit only
// refuses more typing.
std::optional<ByteRange> ExcessTyping(std::string_view before, std::string_view after, size_t caret, size_t limit);

// What the edit holds once the excess is taken back, and where its caret then stands: where the
// excess began, or the caret of the change when nothing went beyond the limit. A limit of 0 is
// none.
struct Typed {
    std::string text;
    size_t caret;
};
Typed LimitTyping(std::string_view before, std::string_view after, size_t caret, size_t limit);

}  // namespace sorabell::text
