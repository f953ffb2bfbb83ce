#include "platform/win32/Win32Registry.h"

#include <shlwapi.h>

#include <vector>

#include "platform/Errors.h"
#include "platform/win32/ScopedWin.h"

namespace sorabell::win32 {

using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT; }

ScopedKey OpenKey(RegistryRoot root, const std::string& path, REGSAM access) {
    ScopedKey key;
    if (::RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, key.receive()) != ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

ScopedKey CreateKeyOrThrow(RegistryRoot root, const std::string& path) {
    ScopedKey key;
    if (::RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                          key.receive(), nullptr) != ERROR_SUCCESS) {
        throw ERegistryException("レジストリキーを作成できませんでした: " + path);
    }
    return key;
}

void SetValue(RegistryRoot root, const std::string& path, const std::string& name, DWORD type, const void* data,
              DWORD size) {
    ScopedKey key = CreateKeyOrThrow(root, path);
    if (::RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS) {
        throw ERegistryException("レジストリに書き込めませんでした: " + path + "\\" + name);
    }
}

}  // namespace

bool Win32Registry::KeyExists(RegistryRoot root, const std::string& path) {
    return OpenKey(root, path, KEY_READ).valid();
}

bool Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
    ScopedKey key;
    return ::RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                             key.receive(), nullptr) == ERROR_SUCCESS;
}

std::optional<RegistryValue> Win32Registry::ReadValue(RegistryRoot root, const std::string& path,
                                                      const std::string& name) {
    ScopedKey key = OpenKey(root, path, KEY_READ);
    if (!key) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> data(size + 1);
    LONG rc;
    // The value may grow between the two calls; ask again with the size the system reports.
    while ((rc = ::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.data(), &size)) == ERROR_MORE_DATA) {
        data.resize(size + 1);
    }
    if (rc != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryValue value;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::string text(reinterpret_cast<const char*>(data.data()), size);
        while (!text.empty() && text.back() == '\0') {
            text.pop_back();
        }
        value.kind = RegistryValue::Kind::String;
        value.text = std::move(text);
    } else if (type == REG_DWORD && size == sizeof(DWORD)) {
        value.kind = RegistryValue::Kind::DWord;
        value.number = *reinterpret_cast<const DWORD*>(data.data());
    }
    return value;
}

void Win32Registry::WriteString(RegistryRoot root, const std::string& path, const std::string& name,
                                const std::string& value) {
    SetValue(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void Win32Registry::WriteDWord(RegistryRoot root, const std::string& path, const std::string& name, uint32_t value) {
    const DWORD dword = value;
    SetValue(root, path, name, REG_DWORD, &dword, sizeof dword);
}

bool Win32Registry::DeleteKey(RegistryRoot root, const std::string& path) {
    return !path.empty() && ::SHDeleteKeyA(RootKey(root), path.c_str()) == ERROR_SUCCESS;
}

}  // namespace sorabell::win32
