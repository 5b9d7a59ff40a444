// For the picture tools: runs the messages while windows paint, and saves a
// bitmap of a device context, or the whole screen, as a 24-bit .bmp file.
#pragma once

#include <windows.h>

#include <cstdio>
#include <vector>

#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama {

// Dispatches this thread's messages for `milliseconds`, so that what was shown
// has painted before the picture is taken.
inline void PumpMessages(ULONGLONG milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    MSG message;
    do {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    } while (GetTickCount64() < end);
}

inline bool SaveBitmap(HDC dc, HBITMAP bitmap, int width, int height, const wchar_t* file) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
    if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS)) return false;
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(file, L"wb");
    if (!out) return false;
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

inline bool SaveScreen(const wchar_t* file) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    win::WindowDC screen;
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    win::MemoryDC dc(screen.get(), bitmap.get());
    BitBlt(dc.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    return SaveBitmap(dc.get(), bitmap.get(), width, height, file);
}

}  // namespace typorama
