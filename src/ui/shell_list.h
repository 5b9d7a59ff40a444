// ShellList: the files of one folder with the shell's icons, the companion of
// a ShellTree in the folder picker. The list view sends its notifications to
// the parent window, which hands every message to HandleParentMessage first.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

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

class ShellList {
public:
    explicit ShellList(const ShellListArgs& args);
    ~ShellList();
    ShellList(const ShellList&) = delete;
    ShellList& operator=(const ShellList&) = delete;

    HWND Hwnd() const { return hwnd_; }

    // Shows the files of `folder` (nothing for an empty path).
    void SetFolder(const std::wstring& folder);
    const std::wstring& Folder() const { return folder_; }
    // The full paths of the files shown, in their order.
    const std::vector<std::wstring>& Files() const { return files_; }

    // A file was double-clicked; unless handled is set the shell opens it.
    std::function<void(const std::wstring& file, bool& handled)> OnDblClickOpen;

    static bool HandleParentMessage(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void Open(int index);

    HWND hwnd_ = nullptr;
    std::wstring folder_;
    std::vector<std::wstring> files_;
};

}  // namespace typorama::ui
