#include "win/registry.h"

#include <algorithm>
#include <limits>

namespace typorama::win {
namespace {

constexpr std::size_t kMaxDwordBytes = std::numeric_limits<DWORD>::max();

// The longest name of a value or key; the buffer grows up to it when the key's
// recorded maximum turns out short (another process may add a name in between).
constexpr std::size_t kMaxNameChars = 32767;

template <typename Enumerate>
std::vector<std::wstring> EnumNames(HKEY key, DWORD longest, Enumerate enumerate) {
    std::vector<std::wstring> names;
    if (!key) return names;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(longest) + 1);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LSTATUS status = enumerate(key, index, buffer.data(), &length);
        if (status == ERROR_MORE_DATA && buffer.size() <= kMaxNameChars) {
            buffer.resize(std::min(buffer.size() * 2, kMaxNameChars + 1));
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        names.emplace_back(buffer.data(), length);
        ++index;
    }
    return names;
}

std::wstring TextUpToNul(const std::wstring& buffer, DWORD bytes) {
    std::size_t units = std::min<std::size_t>(bytes / sizeof(wchar_t), buffer.size());
    return std::wstring(buffer.data(), std::find(buffer.data(), buffer.data() + units, L'\0'));
}

}  // namespace

OpenedKey OpenKey(HKEY root, std::wstring_view path, REGSAM access, KeyMode mode) {
    const std::wstring subKey(path);
    HKEY key = nullptr;
    OpenedKey result;
    result.error = mode == KeyMode::CreateIfMissing
                       ? RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr)
                       : RegOpenKeyExW(root, subKey.c_str(), 0, access, &key);
    // A failed call promises nothing about the handle it was given.
    if (result.error == ERROR_SUCCESS) result.key.reset(key);
    return result;
}

bool KeyExists(HKEY root, std::wstring_view path) {
    return static_cast<bool>(OpenKey(root, path, KEY_QUERY_VALUE));
}

std::optional<std::wstring> ReadString(HKEY key, std::wstring_view name, std::size_t maxChars, DWORD types) {
    const std::wstring valueName(name);
    const DWORD flags = types | RRF_NOEXPAND;
    std::wstring buffer;
    DWORD bytes = 0;
    if (maxChars != kAnyLength) {
        buffer.resize(std::min(maxChars, kMaxDwordBytes / sizeof(wchar_t)));
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        // Too long for the buffer is ERROR_MORE_DATA, and so no text.
        if (RegGetValueW(key, nullptr, valueName.c_str(), flags, nullptr, buffer.data(), &bytes) != ERROR_SUCCESS)
            return std::nullopt;
        // Windows adds the NUL of a text stored without one and so finds it too
        // long; Wine hands the text over as it is. Both end up here alike.
        std::wstring text = TextUpToNul(buffer, bytes);
        if (text.size() >= buffer.size()) return std::nullopt;
        return text;
    }
    for (;;) {
        if (RegGetValueW(key, nullptr, valueName.c_str(), flags, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
            return std::nullopt;
        // One spare character: the system adds a NUL to a text stored without one.
        buffer.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        LSTATUS status = RegGetValueW(key, nullptr, valueName.c_str(), flags, nullptr, buffer.data(), &bytes);
        if (status == ERROR_MORE_DATA) continue;  // it grew in between
        if (status != ERROR_SUCCESS) return std::nullopt;
        return TextUpToNul(buffer, bytes);
    }
}

std::optional<ValueInfo> QueryValue(HKEY key, std::wstring_view name) {
    ValueInfo info;
    if (RegQueryValueExW(key, std::wstring(name).c_str(), nullptr, &info.type, nullptr, &info.size) != ERROR_SUCCESS)
        return std::nullopt;
    return info;
}

std::optional<RawValue> ReadRawValue(HKEY key, std::wstring_view name, std::size_t maxBytes) {
    const std::wstring valueName(name);
    RawValue value;
    if (maxBytes != kAnyLength) {
        value.data.resize(std::min(maxBytes, kMaxDwordBytes));
        DWORD size = static_cast<DWORD>(value.data.size());
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        return value;
    }
    for (;;) {
        DWORD size = 0;
        if (RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        LSTATUS status = RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type,
                                          size ? value.data.data() : nullptr, &size);
        if (status == ERROR_MORE_DATA) continue;  // it grew in between
        if (status != ERROR_SUCCESS) return std::nullopt;
        value.data.resize(size);
        return value;
    }
}

LSTATUS WriteValue(HKEY key, std::wstring_view name, DWORD type, const void* data, DWORD size) {
    if (!key) return ERROR_INVALID_HANDLE;
    return RegSetValueExW(key, std::wstring(name).c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

LSTATUS WriteString(HKEY key, std::wstring_view name, std::wstring_view text) {
    const std::wstring data(text);  // with its terminating NUL
    return WriteValue(key, name, REG_SZ, data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

LSTATUS DeleteValue(HKEY key, std::wstring_view name) {
    if (!key) return ERROR_INVALID_HANDLE;
    return RegDeleteValueW(key, std::wstring(name).c_str());
}

LSTATUS DeleteTree(HKEY root, std::wstring_view path) { return RegDeleteTreeW(root, std::wstring(path).c_str()); }

std::vector<std::wstring> ValueNames(HKEY key) {
    DWORD longest = 0;
    if (key)
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                         nullptr);
    return EnumNames(key, longest, [](HKEY k, DWORD index, wchar_t* name, DWORD* length) {
        return RegEnumValueW(k, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    DWORD longest = 0;
    if (key)
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr);
    return EnumNames(key, longest, [](HKEY k, DWORD index, wchar_t* name, DWORD* length) {
        return RegEnumKeyExW(k, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

}  // namespace typorama::win
