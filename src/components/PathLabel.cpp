#include "components/PathLabel.h"

#include "platform/Text.h"

namespace sorabell::components {

TPathLabel::TPathLabel(platform::Label& label, platform::FileSystem& files) : label_(label), files_(files) {}

void TPathLabel::SetAutoUpdateHint(bool value) {
    autoUpdateHint_ = value;
    if (autoUpdateHint_) {
        RebuildHint();
    }
}

void TPathLabel::SetPath(const std::string& value) {
    if (value != path_) {
        path_ = value;
        RebuildCaption();
    }
}

void TPathLabel::SetMaxLength(uint16_t value) {
    maxLength_ = value;
    RebuildCaption();
}

void TPathLabel::SetStyle(TStretchStyle value) {
    style_ = value;
    RebuildCaption();
}

void TPathLabel::SetTextCase(TTextCase value) {
    textCase_ = value;
    RebuildCaption();
}

void TPathLabel::SetPathSeparator(TPathSeparator value) {
    pathSeparator_ = value;
    RebuildCaption();
}

void TPathLabel::SetPathType(TPathType value) {
    pathType_ = value;
    RebuildCaption();
}

std::string TPathLabel::Converted() const {
    const std::string converted = LongShort(files_, path_, pathType_);
    // A path whose names were not found shows nothing, not a lone backslash.
    if (converted.empty()) {
        return converted;
    }
    switch (pathSeparator_) {
        case TPathSeparator::psAddSeparator:
            return AddSeparator(converted);
        case TPathSeparator::psSubSeparator:
            return RemoveSeparator(converted);
        case TPathSeparator::psNone:
            break;
    }
    // The path's own last character decides: a final "表" ends in the byte 0x5C too.
    return text::LastChar(path_) == "\\" ? AddSeparator(converted) : RemoveSeparator(converted);
}

void TPathLabel::RebuildCaption() {
    const std::string converted = Converted();
    const bool shorten = maxLength_ != 0 && style_ != TStretchStyle::ssNone;
    label_.SetCaption(ConvertCase(shorten ? Shorten(converted, maxLength_, style_) : converted, textCase_));
    if (autoUpdateHint_) {
        hint_ = ConvertCase(converted, textCase_);
    }
}

void TPathLabel::RebuildHint() { hint_ = ConvertCase(Converted(), textCase_); }

}  // namespace sorabell::components
