#include "platform/Widgets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/Text.h"

namespace sorabell::platform {

int IndexOfText(const std::vector<std::string>& items, const std::string& text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (text::SameText(items[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void SortItems(std::vector<std::string>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const std::string& a, const std::string& b) { return text::CompareText(a, b) < 0; });
}

std::string CustomColorName(int slot) { return std::string("Color") + static_cast<char>('A' + slot); }

std::string CustomColorText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.6X", static_cast<unsigned>(value));
    return text;
}

uint32_t CustomColorValue(const std::string& text) {
    const auto value = text::ParseInt("$" + text);
    return value ? static_cast<uint32_t>(*value) : kUnusedCustomColor;
}

}  // namespace sorabell::platform
