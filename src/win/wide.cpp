#include "win/wide.h"

#include <windows.h>

namespace typorama::win {
namespace {

std::wstring MultiByteToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string WideToMultiByte(UINT codePage, std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring AnsiToWide(std::string_view bytes) { return MultiByteToWide(CP_ACP, bytes); }
std::string WideToAnsi(std::wstring_view text) { return WideToMultiByte(CP_ACP, text); }
std::optional<std::string> WideToAnsiExact(std::wstring_view text) {
    // Converting back and comparing works for every code page, UTF-8 included,
    // where WideCharToMultiByte refuses the used-default-character flag.
    std::string ansi = WideToAnsi(text);
    if (AnsiToWide(ansi) != text) return std::nullopt;
    return ansi;
}
std::string WideToUtf8(std::wstring_view text) { return WideToMultiByte(CP_UTF8, text); }
std::wstring Utf8ToWide(std::string_view bytes) { return MultiByteToWide(CP_UTF8, bytes); }

}  // namespace typorama::win
