// Pictures for looking at the character grid and the vector image:
//   charmap_shot grid FACE CHARSET OUT.bmp [CELL [LABELS [BIGCODE]]]
//       the grid of FACE in character set CHARSET (or "u4E00": Unicode from
//       U+4E00 on), cells of CELL pixels,
//       label mode LABELS (0-3), and with BIGCODE the enlarged character
//       of that code as a held left button shows it;
//   charmap_shot emf IN.emf OUT.bmp
//       a metafile played into a white bitmap of its size.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cstdlib>
#include <string>
#include <vector>

#include "charmap/char_map.h"
#include "support/parent_window.h"
#include "tools/bitmap_file.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

using namespace typorama;

namespace {

int Grid(int argc, wchar_t** argv) {
    if (argc < 5) return 2;
    test::ParentWindow parent(WS_POPUP, 800, 800);
    const int cell = argc > 5 ? _wtoi(argv[5]) : 20;
    charmap::ThCharMap map({parent.get(), 100, 0, 0, cell, cell});
    LOGFONTW font{};
    wcsncpy_s(font.lfFaceName, argv[2], LF_FACESIZE - 1);
    if (argv[3][0] == L'u') {
        // "u4E00": a page of Unicode from that code on, as wide characters.
        font.lfCharSet = DEFAULT_CHARSET;
        map.SetFirstCode(static_cast<int>(std::wcstol(argv[3] + 1, nullptr, 16)));
        map.CodeText = [](int code) { return std::wstring(1, static_cast<wchar_t>(code)); };
    } else {
        font.lfCharSet = static_cast<BYTE>(_wtoi(argv[3]));
    }
    map.SetCharFont(font);
    if (argc > 6) map.SetLabelMode(static_cast<charmap::CodeLabelMode>(_wtoi(argv[6])));
    map.SetSelColor(RGB(0, 0, 0));
    SetFocus(map.Hwnd());
    if (argc > 7) {
        const int index = _wtoi(argv[7]) - map.FirstCode();
        const int x = (index % 16) * cell + 2, y = (index / 16) * cell + 2;
        SendMessageW(map.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    } else {
        map.SetCurrentCell(2, 3);
    }
    RECT client{};
    GetClientRect(map.Hwnd(), &client);
    win::WindowDC screen;
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    win::MemoryDC dc(screen.get(), bitmap.get());
    map.PaintTo(dc.get());
    return SaveBitmap(dc.get(), bitmap.get(), client.right, client.bottom, argv[4]) ? 0 : 1;
}

int Emf(wchar_t** argv) {
    HENHMETAFILE emf = GetEnhMetaFileW(argv[2]);
    if (!emf) return 1;
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(emf, sizeof header, &header);
    const int width = header.rclBounds.right - header.rclBounds.left + 41;
    const int height = header.rclBounds.bottom - header.rclBounds.top + 41;
    win::WindowDC screen;
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    win::MemoryDC dc(screen.get(), bitmap.get());
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    RECT frame{20, 20, width - 20, height - 20};
    PlayEnhMetaFile(dc.get(), emf, &frame);
    DeleteEnhMetaFile(emf);
    return SaveBitmap(dc.get(), bitmap.get(), width, height, argv[3]) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wstring(argv[1]) == L"grid") return Grid(argc, argv);
    if (argc == 4 && std::wstring(argv[1]) == L"emf") return Emf(argv);
    std::fputs("usage: charmap_shot grid FACE CHARSET OUT.bmp [CELL [LABELS [BIGCODE]]] | emf IN.emf OUT.bmp\n", stderr);
    return 2;
}
