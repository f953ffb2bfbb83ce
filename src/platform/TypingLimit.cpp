#include "platform/TypingLimit.h"

#include <algorithm>

#include "platform/Text.h"

namespace sorabell::text {

size_t ByteOffset(std::string_view text, size_t chars) {
    size_t offset = 0;
    for (; chars > 0 && offset < text.size(); --chars) {
        offset += CharLengthAt(text, offset);
    }
    return std::min(offset, text.size());
}

size_t CharCount(std::string_view text, size_t bytes) {
    size_t chars = 0;
    for (size_t offset = 0; offset < bytes && offset < text.size(); offset += CharLengthAt(text, offset)) {
        ++chars;
    }
    return chars;
}

std::optional<ByteRange> ExcessTyping(std::string_view before, std::string_view after, size_t caret, size_t limit) {
    if (after.size() <= limit) {
        return std::nullopt;
    }
    caret = std::min(caret, after.size());
    const size_t common = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < std::min(common, caret) && before[prefix] == after[prefix]) {
        ++prefix;
    }
    if (ByteTypeAt(after, prefix) == ByteKind::Trail) {
        --prefix;
    }
    size_t suffix = 0;
    const size_t suffixMax = std::min(common - prefix, after.size() - caret);
    while (suffix < suffixMax && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    while (suffix > 0 && ByteTypeAt(after, after.size() - suffix) == ByteKind::Trail) {
        --suffix;
    }
    const size_t end = after.size() - suffix;
    const size_t kept = after.size() - (end - prefix);
    const size_t room = limit > kept ? limit - kept : 0;
    const size_t from = prefix + CutToBytes(after.substr(prefix, end - prefix), room).size();
    if (from >= end) {
        return std::nullopt;
    }
    return ByteRange{from, end};
}

Typed LimitTyping(std::string_view before, std::string_view after, size_t caret, size_t limit) {
    caret = std::min(caret, after.size());
    const std::optional<ByteRange> excess = limit > 0 ? ExcessTyping(before, after, caret, limit) : std::nullopt;
    if (!excess) {
        return {std::string(after), caret};
    }
    std::string text(after);
    text.erase(excess->from, excess->to - excess->from);
    return {std::move(text), excess->from};
}

}  // namespace sorabell::text
