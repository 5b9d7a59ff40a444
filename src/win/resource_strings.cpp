#include "win/resource_strings.h"

namespace typorama::win {

std::wstring LoadResString(UINT id) {
    // With a zero length LoadStringW hands out a pointer into the resource itself.
    const wchar_t* text = nullptr;
    int n = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return n > 0 && text ? std::wstring(text, static_cast<std::size_t>(n)) : std::wstring();
}

}  // namespace typorama::win

#include "win/wide.h"

namespace typorama::win {

std::wstring FormatRes(UINT id, const std::vector<FormatArg>& args) {
    return ToWide(FormatText(AsU16(LoadResString(id)), args));
}

}  // namespace typorama::win
