// Windows of the Run menu's programs shown for looking at them (a script
// takes the screenshot and ends the program):
//   programs_shot menu FOLDER   the main window on FOLDER with two programs,
//                               its Run menu opened
//   programs_shot edit          the edit program dialog
//   programs_shot insert        the insert-variable dialog over it
#include <windows.h>

#include <string>

#include "app/main_window.h"
#include "app/program_dialogs.h"
#include "app/run_programs.h"
#include "ui/dialog.h"
#include "ui/resource.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"menu") {
        app::TfrmMain main;
        if (!main.Create(argc > 2 ? argv[2] : L"", SW_SHOWNORMAL)) return 1;
        main.Feature<app::RunPrograms>()->Programs() = {
            {L"FontForge", L"\"C:\\Program Files\\FontForge\\fontforge.exe\" \"$TY_FILEPATH\""},
            {L"记事本 (列表)", L"notepad.exe $TY_LIST_SELECTED"}};
        // Alt+R, as the user opens the Run menu.
        PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'r');
        app::RunMessageLoop(main);
        return 0;
    }
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    if (mode == L"insert") {
        ui::SetModalHook([](ui::Dialog& dialog) {
            if (dynamic_cast<app::TfrmEditProgram*>(&dialog)) {
                // A modal dialog shows itself once its queue is empty; the
                // picture wants it under the other one.
                ShowWindow(dialog.Handle(), SW_SHOW);
                PostMessageW(dialog.Handle(), WM_COMMAND, IDC_PROG_INSERT, 0);
            } else {
                const HWND list = dialog.Item(IDC_VAR_LIST);
                SendMessageW(list, LB_SETCURSEL, 4, 0);
                SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_VAR_LIST, LBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(list));
            }
        });
    }
    app::TRunProgramEntry entry{L"FontForge", L"\"C:\\Program Files\\FontForge\\fontforge.exe\" \"$TY_FILEPATH\""};
    app::EditProgram(nullptr, entry, false);
    return 0;
}
