// A test helper for the package tests: waits until a visible top-level window
// of the given class exists, then (with "close") asks it to close. Exit code
// 0 when the window came within the given seconds, 1 when it did not, 2 for a
// wrong command line.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4) return 2;
    const long seconds = std::wcstol(argv[2], nullptr, 10);
    const bool close = argc == 4 && std::wcscmp(argv[3], L"close") == 0;
    for (long tenths = 0; tenths <= seconds * 10; ++tenths) {
        const HWND window = FindWindowW(argv[1], nullptr);
        if (window && IsWindowVisible(window)) {
            if (close) PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        Sleep(100);
    }
    return 1;
}
