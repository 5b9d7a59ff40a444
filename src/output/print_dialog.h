// TfrmPrint, "打印": prints the selected or all listed fonts on one of the
// four sheet layouts, chosen from thumbnails, with a preview of the first
// page; copies, margins, a pause after every n pages and the two sample texts.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalog/font_list.h"
#include "output/print_run.h"
#include "output/print_settings.h"
#include "ui/button_edit.h"
#include "ui/dialog.h"
#include "win/unique_handle.h"

namespace typorama::output {

// What the dialog prints from: the main window's list and its selection.
struct PrintSource {
    catalog::TFontList* list = nullptr;
    catalog::TWorkingList selected;        // the tagged fonts, or the current one
    std::function<std::wstring()> userText;  // the main window's own sample text
};

class TfrmPrint : public ui::Dialog {
public:
    TfrmPrint(PrintSource source, settings::SettingsRoot root = settings::ActiveSettingsRoot());
    ~TfrmPrint() override;

    // Prints on this printer instead of the system's default one (the
    // printer set-up dialog chooses another).
    void UsePrinter(const std::wstring& name);
    // Where each job goes (numbered by pauses) instead of the printer's port.
    std::function<std::wstring(int part)> OutputFile;

    SheetKind Chosen() const { return sheet_; }
    void ChooseSheet(SheetKind kind);
    const PrintResult& LastRun() const { return lastRun_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FillThumbnails();
    void ShowPage(int tab);
    void RefreshSheetTexts();
    void RefreshMarginFields();
    void ShowTextMenu(HWND box, HWND button);
    void ChoosePrinter();
    void Print();
    bool PrintWith(int fontCount, const DescribeFont& describe);
    void DrawPreview(const DRAWITEMSTRUCT& item);
    PrintSettings ValuesFromControls() const;
    DescribeFont Describer(bool selection);
    int SpinValue(int id) const;
    // Copies the printer's settings; false when there is no printer at all.
    bool LoadPrinterDefaults();

    PrintSource source_;
    settings::SettingsRoot root_;
    PrintSettings values_;
    SheetKind sheet_ = SheetKind::CharacterMap;
    ui::ThButtonEdit shortText_;
    win::UniqueImageList thumbnails_;
    std::wstring printerName_;
    std::vector<unsigned char> devMode_;  // the printer's DEVMODE with its driver part
    PrintResult lastRun_;
    bool printing_ = false;
};

}  // namespace typorama::output
