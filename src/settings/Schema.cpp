#include "settings/Schema.h"

#include <stdexcept>

namespace sorabell::settings {

namespace {

constexpr Default Fixed(int32_t v) { return {Default::Kind::Value, v, 0}; }
constexpr Default Fixed(bool v) { return {Default::Kind::Value, v, 0}; }
constexpr Default Fixed(const char* v) { return {Default::Kind::Value, v, 0}; }
constexpr Default ProgramFolder() { return {Default::Kind::ProgramFolder, 0, 0}; }
constexpr Default CurrentFontName() { return {Default::Kind::CurrentFontName, 0, 0}; }
constexpr Default CurrentDoubleFontName() { return {Default::Kind::CurrentDoubleFontName, 0, 0}; }
constexpr Default LineEditText(int line) { return {Default::Kind::LineEditText, 0, line}; }
constexpr Default CentredTop() { return {Default::Kind::CentredTop, 0, 0}; }
constexpr Default CentredLeft() { return {Default::Kind::CentredLeft, 0, 0}; }
constexpr Default NotRead() { return {Default::Kind::NotRead, 0, 0}; }

constexpr Limits Between(int32_t min, int32_t max) { return {Limits::Kind::Between, min, max}; }
constexpr Limits Height(int32_t max) { return {Limits::Kind::Height, 1, max}; }
constexpr Limits Bytes(int32_t min, int32_t max) { return {Limits::Kind::Length, min, max}; }
constexpr Limits Colour() { return Between(0, kMaxColor); }
constexpr Limits Style() { return Between(0, kMaxFontStyle); }
constexpr Limits FaceName() { return Bytes(1, kMaxFaceNameBytes); }

// One setting a row.
// clang-format off
#define FIELD(Record, member) +[](Record& r) -> auto& { return r.member; }

const Setting<SkinSettings> kSkinSchema[] = {
    {"SkinFlag", FIELD(SkinSettings, SkinFlag), Fixed(false), Fixed(false)},
    {"DispSw", FIELD(SkinSettings, DispSw), Fixed(0), Fixed(0), Between(0, kMaxLineMode)},
    {"Disp1Text", FIELD(SkinSettings, Disp[0].Text), Fixed("%0. %1 - %2 %A"), LineEditText(0)},
    {"Disp1Scroll", FIELD(SkinSettings, Disp[0].Scroll), Fixed(false), Fixed(false)},
    {"Disp1Color", FIELD(SkinSettings, Disp[0].Color), Fixed(kTextColor), Fixed(kTextColor), Colour()},
    {"Disp1SColor", FIELD(SkinSettings, Disp[0].SColor), Fixed(kShadowColor), Fixed(kShadowColor), Colour()},
    {"Disp2Text", FIELD(SkinSettings, Disp[1].Text), Fixed("～ %5 ～"), LineEditText(1)},
    {"Disp2Scroll", FIELD(SkinSettings, Disp[1].Scroll), Fixed(false), Fixed(false)},
    {"Disp2Color", FIELD(SkinSettings, Disp[1].Color), Fixed(kTextColor), Fixed(kTextColor), Colour()},
    {"Disp2SColor", FIELD(SkinSettings, Disp[1].SColor), Fixed(kShadowColor), Fixed(kShadowColor), Colour()},
    {"Disp3Text", FIELD(SkinSettings, Disp[2].Text), Fixed("Sorabell β３ "), LineEditText(2)},
    {"Disp3Scroll", FIELD(SkinSettings, Disp[2].Scroll), Fixed(false), Fixed(false)},
    {"Disp3Color", FIELD(SkinSettings, Disp[2].Color), Fixed(kTextColor), Fixed(kTextColor), Colour()},
    {"Disp3SColor", FIELD(SkinSettings, Disp[2].SColor), Fixed(kShadowColor), Fixed(kShadowColor), Colour()},
    {"Skin", FIELD(SkinSettings, Skin), Fixed(false), Fixed(false)},
    {"Color", FIELD(SkinSettings, Color), Fixed(false), Fixed(false)},
    {"ExtTime", FIELD(SkinSettings, ExtTime), Fixed(false), Fixed(false)},
    {"ColorPick", FIELD(SkinSettings, ColorPick), Fixed(false), Fixed(false)},
    {"BGColor", FIELD(SkinSettings, BGColor), Fixed(kShadowColor), Fixed(kShadowColor), Colour()},
    {"LumoraColor", FIELD(SkinSettings, LumoraColor), Fixed(kMarkColor), Fixed(kMarkColor), Colour()},
    {"NFontName", FIELD(SkinSettings, NFontName), CurrentFontName(), Fixed("ＭＳ ゴシック"), FaceName()},
    {"NFontSize", FIELD(SkinSettings, NFontSize), Fixed(-12), Fixed(-12), Height(kMaxFontHeight)},
    {"NFontStyle", FIELD(SkinSettings, NFontStyle), Fixed(0), Fixed(0), Style()},
    {"DFontName", FIELD(SkinSettings, DFontName), CurrentDoubleFontName(), Fixed("ＭＳ ゴシック"), FaceName()},
    {"DFontSize", FIELD(SkinSettings, DFontSize), Fixed(-24), Fixed(-24), Height(kMaxDoubleFontHeight)},
    {"DFontStyle", FIELD(SkinSettings, DFontStyle), Fixed(0), Fixed(0), Style()},
};

const Setting<OptionSettings> kOptionSchema[] = {
    {"TimerSpeed", FIELD(OptionSettings, TimerSpeed), Fixed(400), Fixed(400), Between(kMinTimerSpeed, kMaxTimerSpeed)},
    {"ScrollDot", FIELD(OptionSettings, ScrollDot), Fixed(6), Fixed(6), Between(1, kMaxScrollDot)},
    {"Lumora", FIELD(OptionSettings, Lumora), Fixed("♪"), Fixed("♪"), Bytes(1, kMaxMarkBytes)},
    {"LyricsFolder", FIELD(OptionSettings, LyricsFolder), ProgramFolder(), ProgramFolder()},
    {"Winamp", FIELD(OptionSettings, Winamp), ProgramFolder(), ProgramFolder()},
    {"Versewright", FIELD(OptionSettings, Versewright), Fixed(kNotSet), Fixed(kNotSet)},
    {"Kettle", FIELD(OptionSettings, Kettle), Fixed(kNotSet), Fixed(kNotSet)},
    {"FontCh", FIELD(OptionSettings, FontCh), Fixed(false), Fixed(false)},
    {"RandomSkin", FIELD(OptionSettings, RandomSkin), Fixed(false), Fixed(false)},
    {"WinampFontName", FIELD(OptionSettings, WinampFontName), Fixed("ＭＳ ゴシック"), Fixed("ＭＳ Ｐゴシック"), FaceName()},
    {"WinampFontSize", FIELD(OptionSettings, WinampFontSize), Fixed(-12), Fixed(-12), Height(kMaxFontHeight)},
    {"WinampFontStyle", FIELD(OptionSettings, WinampFontStyle), Fixed(0), Fixed(0), Style()},
    // Only the display program reads and writes it; the preferences program's Update never does.
    {"Remain", FIELD(OptionSettings, Remain), Fixed(false), NotRead()},
};

#define COLOR_SLOT(letter, index) \
    {"Color" #letter, FIELD(WindowSettings, CustomColors[index]), NotRead(), Fixed("FFFFFFFF")}

const Setting<WindowSettings> kWindowSchema[] = {
    {"Top", FIELD(WindowSettings, Top), NotRead(), CentredTop()},
    {"Left", FIELD(WindowSettings, Left), NotRead(), CentredLeft()},
    {"Page", FIELD(WindowSettings, Page), NotRead(), Fixed(0)},
    {"SkinName", FIELD(WindowSettings, SkinName), NotRead(), Fixed(kDefaultSkinSection)},
    COLOR_SLOT(A, 0),  COLOR_SLOT(B, 1),  COLOR_SLOT(C, 2),  COLOR_SLOT(D, 3),
    COLOR_SLOT(E, 4),  COLOR_SLOT(F, 5),  COLOR_SLOT(G, 6),  COLOR_SLOT(H, 7),
    COLOR_SLOT(I, 8),  COLOR_SLOT(J, 9),  COLOR_SLOT(K, 10), COLOR_SLOT(L, 11),
    COLOR_SLOT(M, 12), COLOR_SLOT(N, 13), COLOR_SLOT(O, 14), COLOR_SLOT(P, 15),
};

#undef COLOR_SLOT
#undef FIELD
// clang-format on

std::string DefaultText(const Default& d, const DefaultContext& context) {
    switch (d.kind) {
        case Default::Kind::Value:
            return std::get<const char*>(d.value);
        case Default::Kind::ProgramFolder:
            return context.programFolder;
        case Default::Kind::CurrentFontName:
            return context.currentFontName;
        case Default::Kind::CurrentDoubleFontName:
            return context.currentDoubleFontName;
        case Default::Kind::LineEditText:
            return context.lineEditTexts.at(static_cast<size_t>(d.line));
        default:
            throw std::logic_error("no text default");
    }
}

int32_t DefaultInteger(const Default& d, const DefaultContext& context) {
    switch (d.kind) {
        case Default::Kind::Value:
            return std::get<int32_t>(d.value);
        case Default::Kind::CentredTop:
            return context.centredTop;
        case Default::Kind::CentredLeft:
            return context.centredLeft;
        default:
            throw std::logic_error("no integer default");
    }
}

}  // namespace

bool Limits::Admits(int32_t value) const {
    switch (kind) {
        case Kind::Between:
            return value >= min && value <= max;
        case Kind::Height: {
            const int64_t size = value < 0 ? -static_cast<int64_t>(value) : value;
            return size >= min && size <= max;
        }
        default:
            return true;
    }
}

bool Limits::Admits(const std::string& value) const {
    return kind != Kind::Length ||
           (value.size() >= static_cast<size_t>(min) && value.size() <= static_cast<size_t>(max));
}

std::span<const Setting<SkinSettings>> SkinSchema() { return kSkinSchema; }
std::span<const Setting<OptionSettings>> OptionSchema() { return kOptionSchema; }
std::span<const Setting<WindowSettings>> WindowSchema() { return kWindowSchema; }

template <class Record>
void LoadValue(const TRegIniFile& store, const std::string& section, const Setting<Record>& setting, Side side,
               const DefaultContext& context, Record& record) {
    using S = Setting<Record>;
    const Default& fallback = setting.DefaultFor(side);
    if (auto f = std::get_if<typename S::StringField>(&setting.field)) {
        std::string value = store.ReadString(section, setting.name, DefaultText(fallback, context));
        (*f)(record) = setting.limits.Admits(value) ? std::move(value) : DefaultText(fallback, context);
    } else if (auto i = std::get_if<typename S::IntegerField>(&setting.field)) {
        const int32_t value = store.ReadInteger(section, setting.name, DefaultInteger(fallback, context));
        (*i)(record) = setting.limits.Admits(value) ? value : DefaultInteger(fallback, context);
    } else {
        auto b = std::get<typename S::BoolField>(setting.field);
        b(record) = store.ReadBool(section, setting.name, std::get<bool>(fallback.value));
    }
}

template <class Record>
Record LoadRecord(const TRegIniFile& store, const std::string& section, std::span<const Setting<Record>> schema,
                  Side side, const DefaultContext& context) {
    Record record{};
    for (const Setting<Record>& setting : schema) {
        if (setting.DefaultFor(side).kind != Default::Kind::NotRead) {
            LoadValue(store, section, setting, side, context, record);
        }
    }
    return record;
}

template <class Record>
void SaveValue(TRegIniFile& store, const std::string& section, const Setting<Record>& setting, Side side,
               const Record& record) {
    using S = Setting<Record>;
    Record& fields = const_cast<Record&>(record);  // the accessors only read here
    // Limited values have defaults of their own, needing nothing of the context.
    const DefaultContext none;
    if (auto f = std::get_if<typename S::StringField>(&setting.field)) {
        const std::string& value = (*f)(fields);
        store.WriteString(section, setting.name,
                          setting.limits.Admits(value) ? value : DefaultText(setting.DefaultFor(side), none));
    } else if (auto i = std::get_if<typename S::IntegerField>(&setting.field)) {
        const int32_t value = (*i)(fields);
        store.WriteInteger(section, setting.name,
                           setting.limits.Admits(value) ? value : DefaultInteger(setting.DefaultFor(side), none));
    } else {
        store.WriteBool(section, setting.name, std::get<typename S::BoolField>(setting.field)(fields));
    }
}

template <class Record>
void SaveRecord(TRegIniFile& store, const std::string& section, std::span<const Setting<Record>> schema, Side side,
                const Record& record) {
    for (const Setting<Record>& setting : schema) {
        if (setting.DefaultFor(side).kind != Default::Kind::NotRead) {
            SaveValue(store, section, setting, side, record);
        }
    }
}

template <class Record>
const Setting<Record>& FindSetting(std::span<const Setting<Record>> schema, std::string_view name) {
    for (const Setting<Record>& setting : schema) {
        if (name == setting.name) {
            return setting;
        }
    }
    throw std::logic_error("no such setting: " + std::string(name));
}

template <class Record>
Record DefaultRecord(std::span<const Setting<Record>> schema, Side side, const DefaultContext& context) {
    Record record{};
    for (const Setting<Record>& setting : schema) {
        const Default& d = setting.DefaultFor(side);
        if (d.kind == Default::Kind::NotRead) {
            continue;
        }
        using S = Setting<Record>;
        if (auto f = std::get_if<typename S::StringField>(&setting.field)) {
            (*f)(record) = DefaultText(d, context);
        } else if (auto i = std::get_if<typename S::IntegerField>(&setting.field)) {
            (*i)(record) = DefaultInteger(d, context);
        } else {
            std::get<typename S::BoolField>(setting.field)(record) = std::get<bool>(d.value);
        }
    }
    return record;
}

#define INSTANTIATE(Record)                                                                                            \
    template Record LoadRecord<Record>(const TRegIniFile&, const std::string&, std::span<const Setting<Record>>, Side, \
                                       const DefaultContext&);                                                         \
    template void SaveRecord<Record>(TRegIniFile&, const std::string&, std::span<const Setting<Record>>, Side,         \
                                     const Record&);                                                                   \
    template void LoadValue<Record>(const TRegIniFile&, const std::string&, const Setting<Record>&, Side,              \
                                    const DefaultContext&, Record&);                                                   \
    template void SaveValue<Record>(TRegIniFile&, const std::string&, const Setting<Record>&, Side, const Record&);    \
    template const Setting<Record>& FindSetting<Record>(std::span<const Setting<Record>>, std::string_view);           \
    template Record DefaultRecord<Record>(std::span<const Setting<Record>>, Side, const DefaultContext&);

INSTANTIATE(SkinSettings)
INSTANTIATE(OptionSettings)
INSTANTIATE(WindowSettings)
#undef INSTANTIATE

bool HasOwnSkinSection(const TRegIniFile& skins, const std::string& skinName) {
    return !skinName.empty() && (skins.ValueExists(skinName, "SkinFlag") || skins.ValueExists(skinName, "Disp1Text"));
}

std::string DisplaySkinSection(const TRegIniFile& skins, const std::string& skinName) {
    return HasOwnSkinSection(skins, skinName) && skins.ReadBool(skinName, "SkinFlag", false) ? skinName
                                                                                             : kDefaultSkinSection;
}

std::string PreferencesSkinSection(const TRegIniFile& skins, const std::string& skinName) {
    return HasOwnSkinSection(skins, skinName) ? skinName : kDefaultSkinSection;
}

}  // namespace sorabell::settings
