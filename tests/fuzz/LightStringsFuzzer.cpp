// The string list's text and comma-text parsers on arbitrary bytes (lyrics, play lists and
// skin lists are outside data). Aborts when a list breaks its invariants or does not survive
// a round trip through its own text.

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "tags/LightStrings.h"

using sorabell::fuzz::Require;

namespace {

using sorabell::tags::TLightStrings;

std::vector<std::string> Items(const TLightStrings& list) {
    Require(list.Count() >= 0 && list.Count() <= list.Capacity());
    std::vector<std::string> items;
    for (int32_t i = 0; i < list.Count(); ++i) {
        items.push_back(list.Get(i));
        Require(list.IndexOf(items.back()) <= i);
    }
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    TLightStrings lines;
    lines.SetText(text);
    const auto lineItems = Items(lines);
    Require(!lineItems.empty() && lines.Capacity() == lines.Count());
    size_t total = 0;
    for (const std::string& line : lineItems) {
        Require(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        total += line.size() + 2;
    }
    const std::string joined = lines.GetText();
    Require(joined.size() == total);
    TLightStrings relined;
    relined.SetText(joined);
    Require(Items(relined) == lineItems);

    TLightStrings items;
    items.SetCommaText(text);
    const auto commaItems = Items(items);
    for (const std::string& item : commaItems) {
        Require(item.find_first_of(std::string("\r\"\0", 3)) == std::string::npos);
    }
    // A last empty item is written as a trailing comma, which reads as no item.
    if (commaItems.empty() || !commaItems.back().empty()) {
        TLightStrings reread;
        reread.SetCommaText(items.GetCommaText());
        Require(Items(reread) == commaItems);
    }
    return 0;
}
