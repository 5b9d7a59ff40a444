#include "ui/folder_check.h"

#include <shlobj.h>

#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/wide.h"

namespace typorama::ui {
namespace {

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\u3000'; }

void Trim(std::wstring& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) ++begin;
    std::size_t end = text.size();
    while (end > begin && IsSpace(text[end - 1])) --end;
    text = text.substr(begin, end - begin);
}

}  // namespace

bool CheckFolder(HWND owner, std::wstring& folder) {
    Trim(folder);
    if (folder.empty()) {
        ShowError(owner, win::LoadResString(IDS_INS_FOLDER_EMPTY));
        return false;
    }
    if (win::IsFolder(folder)) return true;
    if (ShowMessage(owner, win::FormatRes(IDS_INS_FOLDER_CREATE, {win::AsU16(folder)}),
                    MB_ICONQUESTION | MB_OKCANCEL) != IDOK)
        return false;
    // The shell's routine makes the missing parents too; it wants a full path.
    wchar_t full[MAX_PATH * 4] = {};
    DWORD length = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    DWORD error = ERROR_SUCCESS;
    if (length == 0 || length >= std::size(full)) {
        error = length == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
    } else {
        int created = SHCreateDirectoryExW(owner, full, nullptr);
        if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS) error = static_cast<DWORD>(created);
    }
    if (win::IsFolder(folder)) return true;
    ShowError(owner, win::FormatRes(IDS_INS_FOLDER_FAILED,
                                    {win::AsU16(win::SystemErrorText(error == ERROR_SUCCESS ? ERROR_PATH_NOT_FOUND
                                                                                            : error))}));
    return false;
}

}  // namespace typorama::ui
