#include "win/registry_read.h"

#include <vector>

#include "win/unique_handle.h"

namespace typorama::win {

std::optional<std::wstring> ReadRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& valueName,
                                               DWORD maxBytes) {
    UniqueKey key;
    if (RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    std::vector<BYTE> data(maxBytes + sizeof(wchar_t));
    DWORD size = maxBytes;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    // The stored text need not end in a NUL; stop at the first one if it does.
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    return text;
}

}  // namespace typorama::win
