#include "platform/Widgets.h"

#include <algorithm>

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

}  // namespace sorabell::platform
