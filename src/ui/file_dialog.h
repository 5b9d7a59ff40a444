// The classic save-file and open-file dialogs (GetSaveFileNameW and
// GetOpenFileNameW; the newer dialogs are not dependable under Wine). Tests
// answer them instead of the user.
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

// Asks for an existing file to open (the same request): the file must exist,
// the read-only box is hidden, the dialog can be resized.
using OpenFileAnswerer = SaveFileAnswerer;
void SetOpenFileAnswerer(OpenFileAnswerer answerer);
std::optional<std::wstring> AskOpenFileName(HWND owner, const SaveFileRequest& request);

}  // namespace typorama::ui
