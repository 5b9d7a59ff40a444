// Times the font list's painting in the real main window: one full screen of
// rows (size 36 with the name line, about 20 rows) and scrolls through a list
// of 10,000 rows, screen by screen, the first over fonts not loaded yet. Each row creates its own font while it is
// drawn, so this is what a user feels when scrolling. Prints figures; asserts
// nothing. Needs a display (Xvfb will do).
// Usage: list_paint_bench [FOLDER [DISTINCT_FONTS [ROWS]]] [--hold SECONDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/font_list_view.h"
#include "app/main_window.h"
#include "app/font_row_painter.h"
#include "settings/settings_store.h"
#include "support/font_builder.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::wstring> MakeFonts(const std::wstring& folder, int count) {
    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> files;
    for (int i = 0; i < count; ++i) {
        std::wstring path = folder + L"\\paint" + std::to_wstring(i) + L".ttf";
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            const std::string family = "Typorama Paint " + std::to_string(i);
            typorama::test::WriteBytesToFile(
                path, typorama::test::BuildFont(
                          typorama::test::FontSpec::Named(std::u16string(family.begin(), family.end()))));
        }
        files.push_back(path);
    }
    return files;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Repaints the whole list now and waits for GDI to finish.
void PaintNow(HWND list) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    GdiFlush();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace typorama;
    std::vector<std::wstring> args(argv + 1, argv + argc);
    int holdSeconds = 0;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == L"--hold") {
            holdSeconds = _wtoi(args[i + 1].c_str());
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            break;
        }
    const std::wstring folder = args.size() > 0 ? args[0] : L"C:\\typorama-paint-bench-fonts";
    const int distinct = args.size() > 1 ? _wtoi(args[1].c_str()) : 500;
    const int rows = args.size() > 2 ? _wtoi(args[2].c_str()) : 10000;

    // The benchmark's own settings, never the user's.
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, L"Software\\Typorama Bench\\Settings"});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, L"Software\\Typorama Bench\\Version"});

    const std::vector<std::wstring> fonts = MakeFonts(folder, distinct);
    app::TfrmMain main;
    main.QuitOnDestroy = false;
    if (!main.Create(L"", SW_SHOWNORMAL)) {
        std::printf("the main window did not come up\n");
        return 1;
    }
    main.Settings().showCheckBoxes = true;
    main.Settings().showInstalledGlyph = true;
    main.Settings().showFontName = true;
    main.Feature<app::FontListView>()->SetFontSize(36);
    SetWindowPos(main.Handle(), nullptr, 0, 0, 700, 1010, SWP_NOZORDER);
    Pump();

    // A list of files: each font file several times over gives the rows.
    catalog::TFontList& list = main.FontList();
    list.SetSourceKind(catalog::SourceKind::FileList);
    list.Files.clear();
    for (int i = 0; i < rows; ++i) list.Files.push_back(fonts[static_cast<std::size_t>(i % std::max(1, distinct))]);
    auto start = Clock::now();
    list.Rebuild(false);
    const double fill = Milliseconds(start);
    Pump();

    const HWND listWindow = main.ListBox().Hwnd();
    RECT client{};
    GetClientRect(listWindow, &client);
    const int rowHeight = main.ListBox().ItemHeight();
    const int page = std::max(1, static_cast<int>(client.bottom) / rowHeight);
    std::printf("list of %d rows (%d distinct fonts) filled in %.0f ms; client %ldx%ld, rows of %d px, %d rows a screen\n",
                list.Count(), distinct, fill, client.right, client.bottom, rowHeight, page);

    // One full screen, painted again and again at different places of the list.
    std::vector<double> screens;
    for (int round = 0; round < 40; ++round) {
        main.ListBox().SetTopIndex((round * 257) % std::max(1, list.Count() - page));
        Pump();
        start = Clock::now();
        PaintNow(listWindow);
        screens.push_back(Milliseconds(start));
    }
    std::sort(screens.begin(), screens.end());
    double sum = 0;
    for (double ms : screens) sum += ms;
    std::printf("full screen repaint: mean %.2f ms, median %.2f ms, best %.2f ms, worst %.2f ms (%.3f ms a row)\n",
                sum / static_cast<double>(screens.size()), screens[screens.size() / 2], screens.front(),
                screens.back(), screens[screens.size() / 2] / page);

    // The same rows drawn straight into a bitmap, without the list box: what
    // the drawing of a row itself costs, and its parts.
    {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, rowHeight);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        const RECT row{0, 0, client.right, rowHeight};
        auto timeRows = [&](const char* what, app::RowPaintOptions options) {
            constexpr int kRows = 2000;
            const auto begin = Clock::now();
            for (int i = 0; i < kRows; ++i)
                app::PaintFontRow(memory, row, i % 7 == 0, list[(i * 37) % list.Count()], options);
            GdiFlush();
            std::printf("  %-40s %.3f ms a row\n", what, Milliseconds(begin) / kRows);
        };
        const app::RowPaintOptions full = main.Feature<app::FontListView>()->PaintOptions();
        timeRows("row into a bitmap, everything on:", full);
        app::RowPaintOptions plain = full;
        plain.showCheckBoxes = plain.showInstalledGlyph = false;
        timeRows("without check box and mark:", plain);
        plain.showFontName = false;
        timeRows("sample only:", plain);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }

    // A scroll through the whole list, a screen at a time, as paging down does:
    // first over fonts not loaded yet (the list loads them as their rows come,
    // and unloads the oldest beyond its limit), then again.
    list.Rebuild(false);
    Pump();
    for (const char* pass : {"first scroll, fonts loaded as drawn", "second scroll"}) {
        main.ListBox().SetTopIndex(0);
        PaintNow(listWindow);
        int steps = 0;
        double worst = 0;
        start = Clock::now();
        for (int top = page; top < list.Count(); top += page) {
            const auto step = Clock::now();
            SendMessageW(listWindow, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
            UpdateWindow(listWindow);
            GdiFlush();
            worst = std::max(worst, Milliseconds(step));
            ++steps;
        }
        const double total = Milliseconds(start);
        std::printf("%s through %d rows: %d screens in %.0f ms, %.2f ms a screen (worst %.2f ms); target < 16 ms; "
                    "%d fonts loaded now\n",
                    pass, list.Count(), steps, total, total / std::max(1, steps), worst, list.DisplayLoadedCount());
    }

    if (holdSeconds > 0) {
        // For a look at it: some rows ticked, the top of the list.
        for (int i = 0; i < list.Count(); i += 3) list[i].Tagged = true;
        main.ListBox().SetTopIndex(0);
        main.UpdateStatusPanels();
        PaintNow(listWindow);
        const auto until = Clock::now() + std::chrono::seconds(holdSeconds);
        while (Clock::now() < until) {
            Pump();
            Sleep(50);
        }
        for (int i = 0; i < list.Count(); ++i) list[i].Tagged = false;
    }
    return 0;
}
