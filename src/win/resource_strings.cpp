#include "win/resource_strings.h"

#include <atomic>

namespace typorama::win {
namespace {

std::atomic<LANGID>& Language() {
    static std::atomic<LANGID> language{kChineseResources};
    return language;
}

// String `index` of a string-table block: 16 counted strings, not terminated.
std::wstring BlockString(const wchar_t* block, std::size_t blockChars, UINT index) {
    std::size_t at = 0;
    for (UINT i = 0; i < 16 && at < blockChars; ++i) {
        const std::size_t length = block[at++];
        if (length > blockChars - at) return {};
        if (i == index) return std::wstring(block + at, length);
        at += length;
    }
    return {};
}

}  // namespace

LANGID ResourceLanguage() { return Language().load(); }

void SetResourceLanguage(LANGID language) { Language().store(language); }

HRSRC FindLocalizedResource(HMODULE module, LPCWSTR type, LPCWSTR name) {
    // Not SetThreadUILanguage: Wine's loaders do not follow it as Windows' do,
    // and the choice must hold for every thread alike.
    const LANGID chosen = ResourceLanguage();
    if (HRSRC found = FindResourceExW(module, type, name, chosen)) return found;
    if (HRSRC found = FindResourceExW(module, type, name, kChineseResources)) return found;
    return FindResourceW(module, name, type);  // a resource of one language only, whichever it is
}

std::wstring LoadResString(UINT id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const auto block = static_cast<WORD>(id / 16 + 1);
    const UINT index = id % 16;
    std::wstring text;
    for (const LANGID language : {ResourceLanguage(), kChineseResources}) {
        const HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
        const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const auto* data = loaded ? static_cast<const wchar_t*>(LockResource(loaded)) : nullptr;
        if (data) text = BlockString(data, SizeofResource(module, found) / sizeof(wchar_t), index);
        // A block may lack a string another language has: look there too.
        if (!text.empty() || language == kChineseResources) break;
    }
    if (text.empty()) {
        // A string of another language only (or none at all): the system's own search.
        const wchar_t* any = nullptr;
        const int n = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&any), 0);
        if (n > 0 && any) text.assign(any, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace typorama::win

#include "win/wide.h"

namespace typorama::win {

std::wstring FormatRes(UINT id, const std::vector<FormatArg>& args) {
    return ToWide(FormatText(AsU16(LoadResString(id)), args));
}

}  // namespace typorama::win
