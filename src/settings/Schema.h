#pragma once
// Every value of the settings tree in one table per record: its name, its kind (the type of the
// record's field) and its default on each side. Loading, saving and the tests run from these
// tables, so a value added here is read, written and checked everywhere at once.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "platform/Color.h"
#include "settings/RegIniFile.h"

namespace sorabell::settings {

// The display program's version mark, shown after its name.
inline constexpr const char* kVersionMark = "β３ ";
// The value of a folder setting that has not been chosen.
inline constexpr const char* kNotSet = "( 未設定 )";
inline constexpr const char* kDefaultSkinSection = "(Default)";

inline constexpr TColor kTextColor = 0x00C400;
inline constexpr TColor kShadowColor = 0x040402;
inline constexpr TColor kMarkColor = 0x3050C0;

// The bounds of the stored numbers. A colour is 0x00BBGGRR. A normal font is at most a thousand
// pixels high, so that the double size, twice that, stays far from overflowing. The timer runs
// no faster than Windows' shortest interval and no slower than two seconds, beyond which lyrics
// would change late and the display (it ends after a hundred ticks without Winamp) would take
// minutes to notice Winamp gone. A scroll step is at most the display's width.
inline constexpr int32_t kMaxColor = 0xFFFFFF;
inline constexpr int32_t kMaxFontHeight = 1000;
inline constexpr int32_t kMaxDoubleFontHeight = 2 * kMaxFontHeight;
inline constexpr int32_t kMaxFontStyle = 15;  // bold, italic, underline, strike-out
inline constexpr int32_t kMinTimerSpeed = 10;
inline constexpr int32_t kMaxTimerSpeed = 2000;
inline constexpr int32_t kMaxScrollDot = 160;
inline constexpr int32_t kMaxLineMode = 2;  // DispSw: three lines
// The menu mark's box takes two bytes; without a mark the display's menu cannot be opened.
inline constexpr int32_t kMaxMarkBytes = 2;
inline constexpr int32_t kMaxFaceNameBytes = 31;  // a font face name with its end in 32 bytes

enum class Side { Display, Preferences };

struct LineSettings {
    std::string Text;
    bool Scroll = false;
    TColor Color = 0;
    TColor SColor = 0;
};

// Section Skins\<skin name> and Skins\(Default).
struct SkinSettings {
    bool SkinFlag = false;
    int32_t DispSw = 0;
    std::array<LineSettings, 3> Disp{};
    bool Skin = false;
    bool Color = false;
    bool ExtTime = false;
    bool ColorPick = false;
    TColor BGColor = 0;
    TColor LumoraColor = 0;
    std::string NFontName;
    int32_t NFontSize = 0;
    int32_t NFontStyle = 0;
    std::string DFontName;
    int32_t DFontSize = 0;
    int32_t DFontStyle = 0;
};

// Section Option.
struct OptionSettings {
    int32_t TimerSpeed = 0;
    int32_t ScrollDot = 0;
    std::string Lumora;
    std::string LyricsFolder;
    std::string Winamp;
    std::string Versewright;
    std::string Kettle;
    bool FontCh = false;
    bool RandomSkin = false;
    std::string WinampFontName;
    int32_t WinampFontSize = 0;
    int32_t WinampFontStyle = 0;
    bool Remain = false;
};

// Section Window: the preferences window's own state.
struct WindowSettings {
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Page = 0;
    std::string SkinName;
    std::array<std::string, 16> CustomColors{};  // "ColorA" to "ColorP"
};

// What the defaults that are no constants depend on.
struct DefaultContext {
    std::string programFolder;                 // the running program's folder, ending in "\"
    std::string currentFontName;               // display: the normal-size font's current face
    std::string currentDoubleFontName;         // display: the double-size font's current face
    std::array<std::string, 3> lineEditTexts;  // preferences: the texts of the three line boxes
    int32_t centredTop = 0;                    // preferences: the window centred on the screen
    int32_t centredLeft = 0;
};

struct Default {
    enum class Kind {
        Value,
        ProgramFolder,
        CurrentFontName,
        CurrentDoubleFontName,
        LineEditText,
        CentredTop,
        CentredLeft,
        NotRead
    };
    Kind kind = Kind::NotRead;
    std::variant<int32_t, bool, const char*> value = 0;
    int line = 0;  // Kind::LineEditText
};

// What a stored value may hold. A value outside reads as its default, and is written as it.
struct Limits {
    enum class Kind {
        Any,
        Between,  // min <= value <= max
        Height,   // a font height: 1 <= |value| <= max, either sign
        Length    // a text of min to max bytes
    };
    Kind kind = Kind::Any;
    int32_t min = 0;
    int32_t max = 0;

    bool Admits(int32_t value) const;
    bool Admits(const std::string& value) const;
};

template <class Record>
struct Setting {
    using StringField = std::string& (*)(Record&);
    using IntegerField = int32_t& (*)(Record&);
    using BoolField = bool& (*)(Record&);

    const char* name;
    std::variant<StringField, IntegerField, BoolField> field;
    Default display;
    Default preferences;
    Limits limits{};

    const Default& DefaultFor(Side side) const { return side == Side::Display ? display : preferences; }
};

std::span<const Setting<SkinSettings>> SkinSchema();
std::span<const Setting<OptionSettings>> OptionSchema();
std::span<const Setting<WindowSettings>> WindowSchema();

// Reads every value the side reads, each with that side's default; a value of another kind than
// its own, or outside its limits, is that value missing.
template <class Record>
Record LoadRecord(const TRegIniFile& store, const std::string& section, std::span<const Setting<Record>> schema,
                  Side side, const DefaultContext& context);

// Writes every value the side reads, in table order.
template <class Record>
void SaveRecord(TRegIniFile& store, const std::string& section, std::span<const Setting<Record>> schema, Side side,
                const Record& record);

// Reads one value into the record as LoadRecord does.
template <class Record>
void LoadValue(const TRegIniFile& store, const std::string& section, const Setting<Record>& setting, Side side,
               const DefaultContext& context, Record& record);

// Writes one value of the record; one outside its limits is written as the side's default.
template <class Record>
void SaveValue(TRegIniFile& store, const std::string& section, const Setting<Record>& setting, Side side,
               const Record& record);

template <class Record>
const Setting<Record>& FindSetting(std::span<const Setting<Record>> schema, std::string_view name);

// The record every read of an empty store gives.
template <class Record>
Record DefaultRecord(std::span<const Setting<Record>> schema, Side side, const DefaultContext& context);

// One rule for both programs. A skin's section is its own once it holds SkinFlag or Disp1Text,
// of whatever kind and text: the preferences program writes both into every record it stores,
// so neither an emptied format nor a value of the wrong kind makes a skin lose its settings.
// The skin is set individually when, besides, its SkinFlag reads true.
bool HasOwnSkinSection(const TRegIniFile& skins, const std::string& skinName);

// The section the display program reads a skin's settings from: the skin's own when the skin
// is set individually, "(Default)" otherwise.
std::string DisplaySkinSection(const TRegIniFile& skins, const std::string& skinName);

// The section the preferences program reads a skin's record from: the skin's own whenever it
// has one, so that a skin not set individually keeps its values; "(Default)" otherwise.
std::string PreferencesSkinSection(const TRegIniFile& skins, const std::string& skinName);

}  // namespace sorabell::settings
