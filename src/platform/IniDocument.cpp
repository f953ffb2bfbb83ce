#include "platform/IniDocument.h"

#include "platform/Errors.h"
#include "platform/Text.h"

namespace sorabell::platform {

namespace {

bool IsProfileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view TrimProfile(std::string_view s) {
    while (!s.empty() && IsProfileBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsProfileBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string StripQuotes(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniDocument::IniDocument(std::string_view content) {
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string_view::npos) {
            lines_.push_back(Parse(std::string(content.substr(start))));
            break;
        }
        std::string_view raw = content.substr(start, end - start);
        const bool crlf = !raw.empty() && raw.back() == '\r';
        if (crlf) {
            raw.remove_suffix(1);
        }
        lines_.push_back(Parse(std::string(raw)));
        lines_.back().ending = crlf ? "\r\n" : "\n";
        start = end + 1;
    }
    for (const Line& line : lines_) {
        if (!line.ending.empty()) {
            newline_ = line.ending;
            break;
        }
    }
}

void IniDocument::InsertLine(size_t at, std::string text) {
    Line line = Parse(std::move(text));
    line.ending = newline_;
    if (at == lines_.size() && at > 0 && lines_.back().ending.empty()) {
        lines_.back().ending = newline_;
        line.ending.clear();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

IniDocument::Line IniDocument::Parse(std::string text) {
    Line line;
    line.text = std::move(text);
    const std::string_view body = TrimProfile(line.text);
    if (body.empty()) {
        return line;
    }
    if (body.front() == '[') {
        const size_t close = body.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = Line::Kind::Section;
            line.name = std::string(body.substr(1, close - 1));
            return line;
        }
    }
    line.kind = Line::Kind::Key;
    const size_t eq = body.find('=');
    if (eq == std::string_view::npos) {
        line.name = std::string(body);
    } else {
        line.name = std::string(TrimProfile(body.substr(0, eq)));
        line.value = std::string(TrimProfile(body.substr(eq + 1)));
    }
    return line;
}

size_t IniDocument::FindSection(std::string_view section) const {
    const std::string_view wanted = TrimProfile(section);
    // The lines before the first header form a section without a name.
    if (wanted.empty()) {
        return 0;
    }
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::Kind::Section && text::SameText(lines_[i].name, wanted)) {
            return i + 1;
        }
    }
    return std::string::npos;
}

size_t IniDocument::SectionEnd(size_t body) const {
    size_t i = body;
    while (i < lines_.size() && lines_[i].kind != Line::Kind::Section) {
        ++i;
    }
    return i;
}

size_t IniDocument::FindKey(size_t body, std::string_view key) const {
    const std::string_view wanted = TrimProfile(key);
    const size_t end = SectionEnd(body);
    for (size_t i = body; i < end; ++i) {
        if (lines_[i].kind == Line::Kind::Key && text::SameText(lines_[i].name, wanted)) {
            return i;
        }
    }
    return std::string::npos;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const size_t body = FindSection(section);
    if (body == std::string::npos) {
        return std::nullopt;
    }
    const size_t at = FindKey(body, key);
    if (at == std::string::npos || !lines_[at].value) {
        return std::nullopt;
    }
    return StripQuotes(*lines_[at].value);
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string name(TrimProfile(key));
    const std::string text = name + "=" + std::string(TrimProfile(value));
    const size_t body = FindSection(section);
    if (body == std::string::npos) {
        if (!lines_.empty() && !TrimProfile(lines_.back().text).empty()) {
            InsertLine(lines_.size(), "");
        }
        InsertLine(lines_.size(), "[" + std::string(TrimProfile(section)) + "]");
        InsertLine(lines_.size(), text);
        return;
    }
    const size_t at = FindKey(body, name);
    if (at != std::string::npos) {
        // The key keeps the spelling it has in the file.
        std::string ending = std::move(lines_[at].ending);
        lines_[at] = Parse(lines_[at].name + "=" + std::string(TrimProfile(value)));
        lines_[at].ending = std::move(ending);
        return;
    }
    // After the section's last non-blank line, so that a blank line before the next header stays.
    size_t insert = SectionEnd(body);
    while (insert > body && TrimProfile(lines_[insert - 1].text).empty()) {
        --insert;
    }
    InsertLine(insert, text);
}

std::string IniDocument::Render() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::string IniReadString(std::string_view content, std::string_view section, std::string_view key,
                          std::string_view fallback) {
    if (auto value = IniDocument(content).Get(section, key)) {
        return *value;
    }
    // The profile functions drop trailing blanks of the default.
    while (!fallback.empty() && fallback.back() == ' ') {
        fallback.remove_suffix(1);
    }
    return std::string(fallback);
}

std::string IniText::ReadString(const std::string&, const std::string& section, const std::string& key,
                                const std::string& fallback) {
    return IniReadString(content_, section, key, fallback);
}

void IniText::WriteString(const std::string& file, const std::string&, const std::string&, const std::string&) {
    throw EIniFileException(file + " is read only");
}

}  // namespace sorabell::platform
