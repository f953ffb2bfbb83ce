#pragma once
// A label that shows a file or folder path: it keeps the full path and shows it converted
// (long or short names, trailing backslash, case) and, when too long, shortened with "...".
// Its hint may hold the full converted path. Caption and hint change only when a property is
// written; the long or short names are asked of the file system at each such change.

#include <cstdint>
#include <string>

#include "components/PathText.h"
#include "platform/FileSystem.h"
#include "platform/Widgets.h"

namespace sorabell::components {

class TPathLabel {
public:
    // `label` is the form's control that shows the caption; the caption is left as it is until a
    // property is written.
    TPathLabel(platform::Label& label, platform::FileSystem& files);

    bool autoUpdateHint() const { return autoUpdateHint_; }
    // Set true, it also rebuilds the hint at once.
    void SetAutoUpdateHint(bool value);

    const std::string& path() const { return path_; }
    // Rebuilds only when the path changes.
    void SetPath(const std::string& value);

    // The others rebuild even when the value stays: the file system may have changed meanwhile.
    uint16_t maxLength() const { return maxLength_; }  // bytes; 0 is no shortening
    void SetMaxLength(uint16_t value);
    TStretchStyle style() const { return style_; }
    void SetStyle(TStretchStyle value);
    TTextCase textCase() const { return textCase_; }
    void SetTextCase(TTextCase value);
    TPathSeparator pathSeparator() const { return pathSeparator_; }
    void SetPathSeparator(TPathSeparator value);
    TPathType pathType() const { return pathType_; }
    void SetPathType(TPathType value);

    // The full converted path, kept while AutoUpdateHint is true.
    const std::string& hint() const { return hint_; }
    platform::Label& label() { return label_; }

private:
    // The path in its long or short form with its trailing backslash handled.
    std::string Converted() const;
    void RebuildCaption();
    void RebuildHint();

    platform::Label& label_;
    platform::FileSystem& files_;
    bool autoUpdateHint_ = false;
    std::string path_;
    uint16_t maxLength_ = 0;
    TStretchStyle style_ = TStretchStyle::ssRight;
    TTextCase textCase_ = TTextCase::tcNone;
    TPathSeparator pathSeparator_ = TPathSeparator::psNone;
    TPathType pathType_ = TPathType::ptNone;
    std::string hint_;
};

}  // namespace sorabell::components
