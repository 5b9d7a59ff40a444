// The image export dialog with its preview, for looking at it:
//   export_shot FOLDER OUT.bmp [PAGE [SAMPLE]]   the main window on FOLDER with
//       its fonts tagged and the export dialog open on page PAGE (0..2), the
//       preview shown for SAMPLE (\n breaks lines); after two seconds the
//       screen is saved to OUT.bmp and the program ends.
#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <string>

#include "app/main_window.h"
#include "output/export_images_dialog.h"
#include "tools/bitmap_file.h"
#include "tools/shot_language.h"
#include "ui/dialog.h"
#include "ui/resource.h"

using namespace typorama;

namespace {

std::wstring g_out;
HWND g_main = nullptr;

void CALLBACK TakeShot(HWND dialog, UINT, UINT_PTR id, DWORD) {
    KillTimer(dialog, id);
    SaveScreen(g_out.c_str());
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageW(g_main, WM_CLOSE, 0, 0);
}

std::wstring WithLineBreaks(std::wstring text) {
    for (std::size_t at; (at = text.find(L"\\n")) != std::wstring::npos;) text.replace(at, 2, L"\r\n");
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    UseShotLanguage();
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    if (argc < 3) return 2;
    g_out = argv[2];
    const int page = argc > 3 ? _wtoi(argv[3]) : 0;
    const std::wstring sample = argc > 4 ? WithLineBreaks(argv[4]) : L"";
    app::TfrmMain main;
    if (!main.Create(argv[1], SW_SHOWNORMAL)) return 1;
    g_main = main.Handle();
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = true;
    ui::SetModalHook([page, sample](ui::Dialog& shown) {
        auto* dialog = dynamic_cast<output::TfrmExportBitmap*>(&shown);
        if (!dialog) return;
        if (!sample.empty()) SetDlgItemTextW(dialog->Handle(), IDC_EXP_SAMPLE, sample.c_str());
        TabCtrl_SetCurSel(dialog->Item(IDC_EXP_TABS), page);
        NMHDR change{dialog->Item(IDC_EXP_TABS), IDC_EXP_TABS, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(dialog->Handle(), WM_NOTIFY, IDC_EXP_TABS, reinterpret_cast<LPARAM>(&change));
        SendMessageW(dialog->Handle(), WM_COMMAND, MAKEWPARAM(IDC_EXP_PREVIEW, BN_CLICKED), 0);
        SetTimer(dialog->Handle(), 1, 2000, &TakeShot);
    });
    PostMessageW(main.Handle(), WM_COMMAND, IDM_FONT_SAVE_IMAGE, 0);
    app::RunMessageLoop(main);
    ui::SetModalHook({});
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = false;
    return 0;
}
