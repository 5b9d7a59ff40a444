// Printed sheets and the print dialog, for looking at them:
//   print_shot ps OUTFOLDER FOLDER NAME   prints every font of FOLDER on each of
//                                         the four layouts to a PostScript file
//                                         OUTFOLDER\NAME-<layout>.ps, through a
//                                         file printer made for the run
//   print_shot dialog FOLDER LAYOUT [options]  the main window on FOLDER with
//                                         the print dialog open on layout 0..3,
//                                         on its options page if asked (a script
//                                         takes the screenshot and ends it)
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <string>

#include "app/main_window.h"
#include "output/print_dialog.h"
#include "support/file_printer.h"
#include "ui/dialog.h"
#include "tools/shot_language.h"
#include "ui/resource.h"

using namespace typorama;

namespace {

constexpr const wchar_t* kPrinterName = L"Typorama Shot Printer";

int PrintLayouts(const std::wstring& outFolder, const std::wstring& folder, const std::wstring& name) {
    test::FilePrinter printer(kPrinterName);
    if (!printer.Added()) return 2;
    app::TfrmMain main;
    main.QuitOnDestroy = false;
    if (!main.Create(folder, SW_HIDE)) return 1;
    int printed = 0;
    for (int layout = 0; layout < output::kSheetKinds; ++layout) {
        ui::SetModalHook([&](ui::Dialog& shown) {
            auto* dialog = dynamic_cast<output::TfrmPrint*>(&shown);
            if (!dialog) return;
            dialog->UsePrinter(kPrinterName);
            dialog->OutputFile = [&](int) { return outFolder + L"\\" + name + L"-" + std::to_wstring(layout) + L".ps"; };
            dialog->ChooseSheet(static_cast<output::SheetKind>(layout));
            Button_SetCheck(dialog->Item(IDC_PRINT_SELECTION), BST_UNCHECKED);
            Button_SetCheck(dialog->Item(IDC_PRINT_ALL), BST_CHECKED);
            SendMessageW(dialog->Handle(), WM_COMMAND, IDOK, 0);
            if (dialog->LastRun().outcome == output::PrintOutcome::Printed) ++printed;
            if (IsWindow(dialog->Handle())) PostMessageW(dialog->Handle(), WM_COMMAND, IDCANCEL, 0);
        });
        main.RunCommand(IDM_FONT_PRINT);
    }
    ui::SetModalHook({});
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = false;
    return printed == output::kSheetKinds ? 0 : 3;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    UseShotLanguage();
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"ps" && argc > 4) return PrintLayouts(argv[2], argv[3], argv[4]);
    if (mode == L"dialog" && argc > 3) {
        const int layout = _wtoi(argv[3]);
        const bool options = argc > 4 && std::wstring(argv[4]) == L"options";
        app::TfrmMain main;
        if (!main.Create(argv[2], SW_SHOWNORMAL)) return 1;
        ui::SetModalHook([layout, options](ui::Dialog& shown) {
            auto* dialog = dynamic_cast<output::TfrmPrint*>(&shown);
            if (!dialog) return;
            dialog->ChooseSheet(static_cast<output::SheetKind>(layout));
            if (options) {
                // As a click on the tab would.
                TabCtrl_SetCurSel(dialog->Item(IDC_PRINT_TABS), 1);
                NMHDR change{dialog->Item(IDC_PRINT_TABS), IDC_PRINT_TABS, static_cast<UINT>(TCN_SELCHANGE)};
                SendMessageW(dialog->Handle(), WM_NOTIFY, IDC_PRINT_TABS, reinterpret_cast<LPARAM>(&change));
            }
        });
        PostMessageW(main.Handle(), WM_COMMAND, IDM_FONT_PRINT, 0);
        app::RunMessageLoop(main);
        return 0;
    }
    return 64;
}
