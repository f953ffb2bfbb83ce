#include "tags/TagRecords.h"

#include <algorithm>

#include "platform/Text.h"

namespace sorabell::tags {

std::string FieldText(std::span<const char> field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    return std::string(field.begin(), end);
}

void SetField(std::span<char> field, std::string_view text) {
    // A lone lead byte at the end would be corrupted text: drop the whole character instead.
    const std::string_view cut = text::CutToBytes(text, field.size());
    std::fill(field.begin(), field.end(), '\0');
    std::copy(cut.begin(), cut.end(), field.begin());
}

}  // namespace sorabell::tags
