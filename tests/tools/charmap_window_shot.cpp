// The character map window for looking at it:
//   charmap_window_shot FACE FULLNAME CHARSET CODE [SECONDS] [IMAGE]
//       opens the window on the system font FACE (full name FULLNAME, in
//       character set CHARSET), holds the left button on character CODE so
//       that it shows enlarged, and keeps the window up for SECONDS (default
//       5) for a screenshot. With IMAGE, the vector image of CODE is copied
//       to the clipboard first and written to IMAGE.emf, and drawn into
//       IMAGE.bmp to look at. The window's settings go under a key of its
//       own, removed at the end.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "charmap/char_map_window.h"
#include "tools/bitmap_file.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

using namespace typorama;

namespace {

bool WriteImage(HWND owner, const std::wstring& base) {
    if (!OpenClipboard(owner)) return false;
    const auto image = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    bool written = false;
    if (image) {
        if (const HENHMETAFILE copy = CopyEnhMetaFileW(image, (base + L".emf").c_str())) {
            DeleteEnhMetaFile(copy);
            written = true;
        }
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(image, sizeof header, &header);
        // The picture at its own size, with a margin, on white.
        const int width = header.rclBounds.right - header.rclBounds.left + 21;
        const int height = header.rclBounds.bottom - header.rclBounds.top + 21;
        win::WindowDC screen(nullptr);
        win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
        win::MemoryDC dc(screen.get(), bitmap.get());
        RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT target{10, 10, width - 11, height - 11};
        PlayEnhMetaFile(dc.get(), image, &target);
        written = SaveBitmap(dc.get(), bitmap.get(), width, height, (base + L".bmp").c_str()) && written;
    }
    CloseClipboard();
    return written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fputs("usage: charmap_window_shot FACE FULLNAME CHARSET CODE [SECONDS] [IMAGE]\n", stderr);
        return 2;
    }
    const int code = std::clamp(_wtoi(argv[4]), 32, 255);
    const int seconds = argc > 5 ? std::max(1, _wtoi(argv[5])) : 5;
    constexpr wchar_t kKey[] = L"Software\\Typorama Shots";
    charmap::CharMapFont font;
    font.name = argv[2];
    font.logFont.lfHeight = -16;
    font.logFont.lfCharSet = static_cast<BYTE>(_wtoi(argv[3]));
    wcsncpy(font.logFont.lfFaceName, argv[1], LF_FACESIZE - 1);
    font.copyright = L"(a copyright line)";
    int result = 0;
    {
        charmap::TfrmCharMap window(settings::SettingsRoot{HKEY_CURRENT_USER, std::wstring(kKey) + L"\\Settings"});
        if (!window.Create()) return 1;
        window.ShowFont(&font, true);
        window.SetLabelMode(charmap::CodeLabelMode::Decimal);
        window.Show();
        window.Grid().SetCurrentCell((code - 32) % 16 + 1, (code - 32) / 16 + 1);
        if (argc > 6) {
            if (!window.CopyCharAsVector() || !WriteImage(window.Hwnd(), argv[6])) result = 3;
        }
        PumpMessages(500);
        // The left button held on the cell: the character shows enlarged.
        const int x = ((code - 32) % 16) * window.Grid().CellWidth() + 2;
        const int y = ((code - 32) / 16) * window.Grid().CellHeight() + 2;
        PostMessageW(window.Grid().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PumpMessages(static_cast<ULONGLONG>(seconds) * 1000);
        window.Grid().SetCurrentCell(1, 1);  // nothing collected: the close asks nothing
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    return result;
}
