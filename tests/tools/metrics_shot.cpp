// The text-metrics window for looking at it:
//   metrics_shot FACE [SECONDS]
//       opens the window on the installed font FACE (16 pixels high) and keeps
//       it up for SECONDS (default 5), so that a screenshot can be taken; the
//       window's position is kept under a key of its own, removed at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "charmap/text_metrics_window.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: metrics_shot FACE [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    constexpr wchar_t kKey[] = L"Software\\Typorama Shots";
    LOGFONTW font{};
    font.lfHeight = -16;
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, argv[1], LF_FACESIZE - 1);
    {
        charmap::TfrmTextMetrics window(settings::SettingsRoot{HKEY_CURRENT_USER, std::wstring(kKey) + L"\\Settings"});
        if (!window.Create(nullptr)) return 1;
        window.ShowFont(argv[1], &font);
        ShowWindow(window.Hwnd(), SW_SHOWNORMAL);
        const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
        MSG message;
        while (GetTickCount64() < end && window.Hwnd()) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            Sleep(20);
        }
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    return 0;
}
