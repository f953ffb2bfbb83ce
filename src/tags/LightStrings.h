#pragma once
// The display program's own list of strings for text files handled line by line: Winamp's play
// list, the lyrics file, the skin folder names, the M3U-to-PL copy. A plain array with text and
// comma-text conversions; no sorting, no attached objects, no change events.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Stream.h"

namespace sorabell::tags {

class TLightStrings {
public:
    static constexpr int32_t kMaxCapacity = 134217727;  // 0x7FFFFFF
    static constexpr int32_t kGrowth = 32;

    TLightStrings() = default;
    ~TLightStrings() { Clear(); }
    TLightStrings(const TLightStrings&) = delete;
    TLightStrings& operator=(const TLightStrings&) = delete;

    int32_t Count() const { return count_; }
    int32_t Capacity() const { return capacity_; }

    int32_t Add(std::string s);
    const std::string& Get(int32_t index) const;
    void Clear();
    void SetCount(int32_t n);
    void SetCapacity(int32_t n);

    // Every string followed by CR LF, the last one too.
    std::string GetText() const;
    // Lines end at CR, LF, CR LF or a zero byte (which also ends the text); "" is one empty line.
    void SetText(std::string_view text);

    std::string GetCommaText() const;
    void SetCommaText(std::string_view text);

    // Lines of a text file, ended by CR LF or LF. The list is cleared first, also when the file
    // then fails to open (EInOutError).
    void LoadFromFile(platform::FileSystem& files, const std::string& path);
    // The same lines from a text file's content read already.
    void SetFileText(std::string_view content);
    void SaveToFile(platform::FileSystem& files, const std::string& path) const;
    // Line `index` of a text file, as LoadFromFile and then Get give it, without keeping the
    // other lines: a play list of 100,000 entries is read for one of them on every song change.
    static std::string LoadLine(platform::FileSystem& files, const std::string& path, int32_t index);
    void SaveToStream(platform::TStream& stream) const;
    void LoadFromStream(platform::TStream& stream);

    // First exact (case-sensitive) match, or -1.
    int32_t IndexOf(std::string_view s) const;

    // Raises Exception "インデックスがリストの範囲を超えています".
    [[noreturn]] static void Error();

private:
    std::vector<std::string> items_;  // Capacity slots; those from Count on are empty
    int32_t count_ = 0;
    int32_t capacity_ = 0;
};

}  // namespace sorabell::tags
