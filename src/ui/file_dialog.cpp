#include "ui/file_dialog.h"

#include <commdlg.h>

#include <vector>

namespace typorama::ui {
namespace {

SaveFileAnswerer& Answerer() {
    static SaveFileAnswerer answerer;
    return answerer;
}

OpenFileAnswerer& OpenAnswerer() {
    static OpenFileAnswerer answerer;
    return answerer;
}

std::optional<std::wstring> AskFileName(HWND owner, const SaveFileRequest& request, bool save) {
    // The dialog wants NUL-separated pairs ending with two NULs.
    std::wstring filter = request.filter;
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    std::vector<wchar_t> file(32768, L'\0');
    lstrcpynW(file.data(), request.fileName.c_str(), static_cast<int>(file.size()));

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return std::nullopt;
    return std::wstring(file.data());
}

}  // namespace

void SetSaveFileAnswerer(SaveFileAnswerer answerer) { Answerer() = std::move(answerer); }

std::optional<std::wstring> AskSaveFileName(HWND owner, const SaveFileRequest& request) {
    if (Answerer()) return Answerer()(request);
    return AskFileName(owner, request, true);
}

void SetOpenFileAnswerer(OpenFileAnswerer answerer) { OpenAnswerer() = std::move(answerer); }

std::optional<std::wstring> AskOpenFileName(HWND owner, const SaveFileRequest& request) {
    if (OpenAnswerer()) return OpenAnswerer()(request);
    return AskFileName(owner, request, false);
}

}  // namespace typorama::ui
