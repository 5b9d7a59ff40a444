// The classic save-file dialog (GetSaveFileNameW; the newer dialogs are not
// dependable under Wine). Tests answer it instead of the user.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace typorama::ui {

struct SaveFileRequest {
    std::wstring title;
    // "注册表文件 (*.reg)|*.reg": pairs of description and pattern split by '|'.
    std::wstring filter;
    std::wstring defaultExtension;  // without the dot
    std::wstring fileName;          // proposed name, may be empty
};

// Returns the chosen file, or nothing when the user cancelled.
using SaveFileAnswerer = std::function<std::optional<std::wstring>(const SaveFileRequest& request)>;
void SetSaveFileAnswerer(SaveFileAnswerer answerer);

// Asks where to save: overwriting is confirmed, the read-only box is hidden,
// the folder must exist, the dialog can be resized.
std::optional<std::wstring> AskSaveFileName(HWND owner, const SaveFileRequest& request);

}  // namespace typorama::ui
