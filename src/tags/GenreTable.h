#pragma once
// The ID3v1 genre table: one name for every genre byte, shared by the display and the tag editor.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorabell::tags {

// All 256 names, indexed by the genre byte.
const std::array<std::string, 256>& GenreNames();

const std::string& GenreName(uint8_t genre);

// The byte whose name equals `name` as a whole, compared without regard to case.
std::optional<uint8_t> GenreIndex(std::string_view name);

// The tag editor's picker: the 150 named genres (no hexadecimal names), sorted without regard
// to case.
const std::vector<std::string>& GenrePickerList();

}  // namespace sorabell::tags
