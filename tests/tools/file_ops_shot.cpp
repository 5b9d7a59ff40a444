// Windows of the font file operations shown for looking at them (a script
// takes the screenshot and ends the program):
//   file_ops_shot overwrite NEW OLD   the overwrite confirmation for copying
//                                     font file NEW over font file OLD
//   file_ops_shot delete FOLDER       the main window on FOLDER, three fonts
//                                     tagged, the delete confirmation over it
//   file_ops_shot menu FOLDER         the main window on FOLDER with two
//                                     destinations, Font > 复制到 opened
#include <windows.h>

#include <string>
#include <thread>

#include "app/main_window.h"
#include "tools/confirm_overwrite_dialog.h"
#include "ui/dialog.h"
#include "ui/resource.h"

using namespace typorama;

namespace {

void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    if (mode == L"overwrite" && argc > 3) {
        tools::TfrmConfirmOverwrite dialog(argv[3], argv[2]);
        ui::CreateAndShowForm(dialog, nullptr, false, ui::kCenterOnScreen | ui::kShowModal);
        return 0;
    }
    if ((mode == L"delete" || mode == L"menu") && argc > 2) {
        app::TfrmMain main;
        if (!main.Create(argv[2], SW_SHOWNORMAL)) return 1;
        if (mode == L"delete") {
            for (int i = 0; i < 3 && i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = true;
            PostMessageW(main.Handle(), WM_COMMAND, IDM_FONT_DELETE, 0);
        } else {
            main.Settings().destinations = {L"D:\\字体备份", L"C:\\Users\\Public\\Fonts"};
            if (main.FontList().Count() > 0) main.FontList()[0].Tagged = true;  // the commands want a font
            // Alt+F opens the Font menu on its first entry; Right opens 复制到.
            PostMessageW(main.Handle(), WM_SYSCOMMAND, SC_KEYMENU, L'f');
            std::thread([] {
                Sleep(1500);
                PressKey(VK_RIGHT);
            }).detach();
        }
        app::RunMessageLoop(main);
        return 0;
    }
    return 2;
}
