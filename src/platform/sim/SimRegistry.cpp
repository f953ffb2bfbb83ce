#include "platform/sim/SimRegistry.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Errors.h"
#include "platform/Text.h"

namespace sorabell::sim {

using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

const char* RootName(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_CLASSES_ROOT";
}

// A string REGEDIT4 can write between quotes: no line breaks, no zero bytes.
bool Quotable(const std::string& s) {
    for (const char c : s) {
        if (c == '\r' || c == '\n' || c == '\0') {
            return false;
        }
    }
    return true;
}

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size(); i += text::CharLengthAt(s, i)) {
        const size_t len = text::CharLengthAt(s, i);
        if (len == 1 && (s[i] == '\\' || s[i] == '"')) {
            out += '\\';
        }
        out.append(s, i, len);
    }
    return out + "\"";
}

std::string HexBytes(const std::string& prefix, const std::string& bytes) {
    std::string out = prefix;
    char hex[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
        out += (i ? "," : "") + std::string(hex);
    }
    return out;
}

// Reads a quoted string at `pos` (just after the opening quote); leaves `pos` after the closing one.
std::string Unquote(std::string_view line, size_t& pos) {
    std::string out;
    while (pos < line.size()) {
        const size_t len = text::CharLengthAt(line, pos);
        if (len == 1 && line[pos] == '"') {
            ++pos;
            break;
        }
        if (len == 1 && line[pos] == '\\' && pos + 1 < line.size()) {
            ++pos;
        }
        out.append(line.substr(pos, text::CharLengthAt(line, pos)));
        pos += text::CharLengthAt(line, pos);
    }
    return out;
}

std::string DecodeHex(std::string_view list) {
    std::string bytes;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view token = text::Trim(list.substr(0, comma));
        if (!token.empty()) {
            bytes += static_cast<char>(std::strtoul(std::string(token).c_str(), nullptr, 16) & 0xFF);
        }
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    return bytes;
}

}  // namespace

SimRegistry::SimRegistry(std::filesystem::path file) : file_(std::move(file)) {
    if (!file_.empty()) {
        std::ifstream in(file_, std::ios::binary);
        if (in) {
            std::stringstream content;
            content << in.rdbuf();
            ImportText(content.str());
        }
    }
}

std::optional<std::string> SimRegistry::FullPath(RegistryRoot root, const std::string& path) {
    std::string full = RootName(root);
    if (path.empty()) {
        return full;
    }
    // An empty component ("a\\b", or a trailing "\") names no key.
    if (path.front() == '\\' || text::LastChar(path) == "\\" || text::Find(path, "\\\\") != std::string::npos) {
        return std::nullopt;
    }
    return full + "\\" + path;
}

void SimRegistry::RefuseWrites(RegistryRoot root, const std::string& path) {
    if (const auto full = FullPath(root, path)) {
        refused_.push_back(text::UpperCase(*full));
    }
}

SimRegistry::Key* SimRegistry::FindKey(const std::string& upperPath) {
    const auto it = keys_.find(upperPath);
    return it == keys_.end() ? nullptr : &it->second;
}

SimRegistry::Key& SimRegistry::EnsureKey(const std::string& fullPath) {
    // Parents exist whenever a child does, as in the real registry.
    for (size_t i = 0; i < fullPath.size(); i += text::CharLengthAt(fullPath, i)) {
        if (fullPath[i] == '\\' && text::CharLengthAt(fullPath, i) == 1) {
            const std::string parent = fullPath.substr(0, i);
            keys_.try_emplace(text::UpperCase(parent), Key{parent, {}});
        }
    }
    return keys_.try_emplace(text::UpperCase(fullPath), Key{fullPath, {}}).first->second;
}

bool SimRegistry::KeyExists(RegistryRoot root, const std::string& path) {
    const auto full = FullPath(root, path);
    return full && (path.empty() || FindKey(text::UpperCase(*full)) != nullptr);
}

bool SimRegistry::CreateKey(RegistryRoot root, const std::string& path) {
    const auto full = FullPath(root, path);
    if (!full) {
        return false;
    }
    EnsureKey(*full);
    Save();
    return true;
}

std::optional<RegistryValue> SimRegistry::ReadValue(RegistryRoot root, const std::string& path,
                                                    const std::string& name) {
    const auto full = FullPath(root, path);
    Key* key = full ? FindKey(text::UpperCase(*full)) : nullptr;
    if (key == nullptr) {
        return std::nullopt;
    }
    for (const Value& value : key->values) {
        if (text::SameText(value.name, name)) {
            return value.data;
        }
    }
    return std::nullopt;
}

void SimRegistry::Store(RegistryRoot root, const std::string& path, const std::string& name, RegistryValue data) {
    const auto full = FullPath(root, path);
    if (!full) {
        throw ERegistryException("レジストリキーを作成できませんでした: " + path);
    }
    const std::string upper = text::UpperCase(*full);
    for (const std::string& refused : refused_) {
        if (upper == refused || text::StartsWith(upper, refused + "\\")) {
            throw ERegistryException("レジストリに書き込めませんでした: " + path + "\\" + name);
        }
    }
    Key& key = EnsureKey(*full);
    for (Value& value : key.values) {
        if (text::SameText(value.name, name)) {
            value.data = std::move(data);
            value.rawText.clear();
            Save();
            return;
        }
    }
    key.values.push_back({name, std::move(data), {}});
    Save();
}

void SimRegistry::WriteString(RegistryRoot root, const std::string& path, const std::string& name,
                              const std::string& value) {
    Store(root, path, name, {RegistryValue::Kind::String, value, 0});
}

void SimRegistry::WriteDWord(RegistryRoot root, const std::string& path, const std::string& name, uint32_t value) {
    Store(root, path, name, {RegistryValue::Kind::DWord, {}, value});
}

bool SimRegistry::DeleteKey(RegistryRoot root, const std::string& path) {
    const auto full = FullPath(root, path);
    if (!full || path.empty()) {
        return false;
    }
    const std::string upper = text::UpperCase(*full);
    if (keys_.erase(upper) == 0) {
        return false;
    }
    for (auto it = keys_.lower_bound(upper + "\\"); it != keys_.end() && text::StartsWith(it->first, upper + "\\");) {
        it = keys_.erase(it);
    }
    Save();
    return true;
}

std::string SimRegistry::ExportText() const {
    std::string out = "REGEDIT4\r\n";
    for (const auto& [upper, key] : keys_) {
        out += "\r\n[" + key.path + "]\r\n";
        for (const Value& value : key.values) {
            out += value.name.empty() ? std::string("@") : Quote(value.name);
            out += '=';
            if (!value.rawText.empty()) {
                out += value.rawText;
            } else if (value.data.kind == RegistryValue::Kind::DWord) {
                char hex[16];
                std::snprintf(hex, sizeof hex, "dword:%08x", value.data.number);
                out += hex;
            } else if (Quotable(value.data.text)) {
                out += Quote(value.data.text);
            } else {
                out += HexBytes("hex(1):", value.data.text + std::string(1, '\0'));
            }
            out += "\r\n";
        }
    }
    return out;
}

void SimRegistry::ImportText(std::string_view regText) {
    // Join continuation lines (a trailing "\" after hex data) first.
    std::vector<std::string> lines;
    std::string pending;
    size_t start = 0;
    while (start <= regText.size()) {
        size_t end = regText.find('\n', start);
        if (end == std::string_view::npos) {
            end = regText.size();
        }
        std::string line(text::TrimRight(regText.substr(start, end - start)));
        start = end + 1;
        const bool inHexData = !pending.empty() || line.find("=hex") != std::string::npos;
        const bool continues = inHexData && !line.empty() && line.back() == '\\';
        if (continues) {
            line.pop_back();
            pending += std::string(text::TrimLeft(line));
            continue;
        }
        lines.push_back(pending.empty() ? line : pending + std::string(text::TrimLeft(line)));
        pending.clear();
    }

    Key* current = nullptr;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == ';' || line == "REGEDIT4") {
            continue;
        }
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            const std::string path = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            current = (path.empty() || path[0] == '-') ? nullptr : &EnsureKey(path);
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        size_t pos = 0;
        std::string name;
        if (line[0] == '@') {
            pos = 1;
        } else if (line[0] == '"') {
            pos = 1;
            name = Unquote(line, pos);
        } else {
            continue;
        }
        if (pos >= line.size() || line[pos] != '=') {
            continue;
        }
        const std::string data = line.substr(pos + 1);
        Value value{name, {}, {}};
        if (!data.empty() && data[0] == '"') {
            size_t at = 1;
            value.data = {RegistryValue::Kind::String, Unquote(data, at), 0};
        } else if (text::StartsWith(data, "dword:")) {
            value.data = {
                RegistryValue::Kind::DWord, {}, static_cast<uint32_t>(std::strtoul(data.c_str() + 6, nullptr, 16))};
        } else if (text::StartsWith(data, "hex(1):") || text::StartsWith(data, "hex(2):")) {
            std::string bytes = DecodeHex(data.substr(7));
            while (!bytes.empty() && bytes.back() == '\0') {
                bytes.pop_back();
            }
            value.data = {RegistryValue::Kind::String, bytes, 0};
            if (text::StartsWith(data, "hex(2):")) {
                value.rawText = data;
            }
        } else {
            value.data = {RegistryValue::Kind::Other, {}, 0};
            value.rawText = data;
        }
        current->values.push_back(std::move(value));
    }
}

void SimRegistry::Save() const {
    if (file_.empty()) {
        return;
    }
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out << ExportText();
    if (!out) {
        throw ERegistryException("レジストリを保存できませんでした");
    }
}

}  // namespace sorabell::sim
