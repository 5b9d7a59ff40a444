// TfrmConfirmOverwrite: a copy or move meets a file of the same name at the
// destination. Both fonts are described side by side, each can be opened in
// the system's font viewer, and the user overwrites, skips, renames the copy
// or stops the run. The results are the engine's OverwriteAnswer numbers.
#pragma once

#include <windows.h>

#include <string>

#include "catalog/system_locations.h"
#include "tools/file_operation.h"
#include "ui/dialog.h"
#include "win/unique_handle.h"

namespace typorama::tools {

class TfrmConfirmOverwrite : public ui::Dialog {
public:
    TfrmConfirmOverwrite(std::wstring target, std::wstring source,
                         const catalog::SystemLocations& where = catalog::Locations());

    // The new file name chosen with "重命名" (result 103).
    const std::wstring& NewName() const { return newName_; }
    // The answer for a modal result (-1, a failed dialog, stops the run).
    static OverwriteAnswer AnswerFor(INT_PTR result);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ChooseNewName();
    void View(const std::wstring& file);

    std::wstring target_;
    std::wstring source_;
    const catalog::SystemLocations& where_;
    std::wstring newName_;
    win::UniqueFont font_;
};

// What the dialog shows of one font file: its name and size, names, version,
// embedding, installation status and copyright, or that it cannot be read.
std::wstring DescribeFontFile(const std::wstring& file, const catalog::SystemLocations& where = catalog::Locations());

}  // namespace typorama::tools
