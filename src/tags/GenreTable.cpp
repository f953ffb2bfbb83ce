#include "tags/GenreTable.h"

#include <algorithm>
#include <cstdio>

#include "platform/Text.h"

namespace sorabell::tags {

namespace {

// clang-format off
// Bytes 0 to 144, as the table has always spelt them (the cut ones included).
constexpr const char* kNamed[] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz", "Metal",
    "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno", "Industrial",
    "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal",
    "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip",
    "Gospel", "Noise", "Alt. Rock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop",
    "Instrumental Rock", "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk",
    "Eurodance", "Dream", "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk",
    "Jungle", "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Rock & Roll", "Musical", "HardRock", "Folk",
    "Folk/Rock", "National Folk", "Swing", "Fast-Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass",
    "Avantgrade", "Gothic Rock", "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock",
    "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera",
    "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam",
    "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet",
    "Punk Rock", "Drum Solo", "Acapella", "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House",
    "Hardcore", "Terror", "Indio", "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangst",
    "Heavy Metal", "Black Metal", "Crossover", "Contemporary Ch...", "Christian Rock", "Merengue", "Salsa",
    "Thrash Metal",
};
// clang-format on
static_assert(std::size(kNamed) == 145);

// Bytes 251 to 255.
constexpr const char* kLate[] = {"Seiyu", "TechnoAmbient", "Fizzwave", "Tokusatsu", "Anime"};
constexpr int kFirstHex = 145;
constexpr int kFirstLate = 251;

std::array<std::string, 256> BuildNames() {
    std::array<std::string, 256> names;
    for (int i = 0; i < 256; ++i) {
        if (i < kFirstHex) {
            names[static_cast<size_t>(i)] = kNamed[i];
        } else if (i < kFirstLate) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02x", i);
            names[static_cast<size_t>(i)] = hex;
        } else {
            names[static_cast<size_t>(i)] = kLate[i - kFirstLate];
        }
    }
    return names;
}

}  // namespace

const std::array<std::string, 256>& GenreNames() {
    static const std::array<std::string, 256> names = BuildNames();
    return names;
}

const std::string& GenreName(uint8_t genre) { return GenreNames()[genre]; }

std::optional<uint8_t> GenreIndex(std::string_view name) {
    const auto& names = GenreNames();
    for (size_t i = 0; i < names.size(); ++i) {
        if (text::SameText(names[i], name)) {
            return static_cast<uint8_t>(i);
        }
    }
    return std::nullopt;
}

const std::vector<std::string>& GenrePickerList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> named(std::begin(kNamed), std::end(kNamed));
        named.insert(named.end(), std::begin(kLate), std::end(kLate));
        std::stable_sort(named.begin(), named.end(),
                         [](const std::string& a, const std::string& b) { return text::CompareText(a, b) < 0; });
        return named;
    }();
    return list;
}

}  // namespace sorabell::tags
