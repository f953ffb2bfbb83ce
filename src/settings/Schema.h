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

template <class Record>
struct Setting {
    using StringField = std::string& (*)(Record&);
    using IntegerField = int32_t& (*)(Record&);
    using BoolField = bool& (*)(Record&);

    const char* name;
    std::variant<StringField, IntegerField, BoolField> field;
    Default display;
    Default preferences;

    const Default& DefaultFor(Side side) const { return side == Side::Display ? display : preferences; }
};

std::span<const Setting<SkinSettings>> SkinSchema();
std::span<const Setting<OptionSettings>> OptionSchema();
std::span<const Setting<WindowSettings>> WindowSchema();

// Reads every value the side reads, each with that side's default.
template <class Record>
Record LoadRecord(const TRegIniFile& store, const std::string& section, std::span<const Setting<Record>> schema,
                  Side side, const DefaultContext& context);

// Writes every value the side reads, in table order.
template <class Record>
void SaveRecord(TRegIniFile& store, const std::string& section, std::span<const Setting<Record>> schema, Side side,
                const Record& record);

// Writes one value of the record.
template <class Record>
void SaveValue(TRegIniFile& store, const std::string& section, const Setting<Record>& setting, const Record& record);

template <class Record>
const Setting<Record>& FindSetting(std::span<const Setting<Record>> schema, std::string_view name);

// The record every read of an empty store gives.
template <class Record>
Record DefaultRecord(std::span<const Setting<Record>> schema, Side side, const DefaultContext& context);

// The section the display program reads a skin's settings from: the skin's own only when the
// name is not empty, its NFontName is not empty and its SkinFlag is set; "(Default)" otherwise.
std::string DisplaySkinSection(const TRegIniFile& skins, const std::string& skinName);

// The section the preferences program reads a skin's record from: "(Default)" when the skin's
// own Disp1Text is empty (or missing), the skin's own otherwise.
std::string PreferencesSkinSection(const TRegIniFile& skins, const std::string& skinName);

}  // namespace sorabell::settings
