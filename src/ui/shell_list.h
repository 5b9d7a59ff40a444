// ShellList: the files of one folder with the shell's icons, the companion of
// a ShellTree in the folder picker. The list view sends its notifications to
// the parent window, which reflects them back to the list (ui/window_base.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window_base.h"

namespace typorama::ui {

struct ShellListArgs {
    HWND parent = nullptr;
    int id = 0;
    int x = 0;
    int y = 0;
    int width = 200;
    int height = 200;
    HFONT font = nullptr;
};

class ShellList : public SubclassedWindow {
public:
    explicit ShellList(const ShellListArgs& args);
    ~ShellList() override;

    HWND Hwnd() const { return window_; }

    // Shows the files of `folder` (nothing for an empty path).
    void SetFolder(const std::wstring& folder);
    const std::wstring& Folder() const { return folder_; }
    // The full paths of the files shown, in their order.
    const std::vector<std::wstring>& Files() const { return files_; }

    // A file was double-clicked; unless handled is set the shell opens it.
    std::function<void(const std::wstring& file, bool& handled)> OnDblClickOpen;

private:
    void Open(int index);
    // A double click opens the file.
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    std::wstring folder_;
    std::vector<std::wstring> files_;
};

}  // namespace typorama::ui
