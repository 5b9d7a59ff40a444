// A print run: the fonts of a list on one of the four sheet layouts, drawn
// through the print page on a printer's device context, page after page, with
// pauses that send the pages so far as a job of their own, and a cancel that
// aborts the job. The same drawing shows a preview on any other surface.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "output/print_sheet.h"
#include "output/sheet_layouts.h"

namespace typorama::output {

// Tells the font at `index` of the run: its logical font and the facts its
// sheet shows.
using DescribeFont = std::function<void(int index, LOGFONTW& logFont, SheetFont& facts)>;

struct PrintJob {
    HDC printer = nullptr;  // not owned; its copies and orientation are set already
    SheetKind sheet = SheetKind::CharacterMap;
    int fontCount = 0;
    DescribeFont describe;
    SheetTexts texts;
    bool autoMargins = true;
    float leftMargin = 20.0f;  // mm, when not automatic
    float topMargin = 10.0f;
    int pauseAfter = 0;  // pages; 0 never
    std::wstring title = L"Typorama";
    // Where the job of each part goes (0, 1, ... counted by pauses); empty or
    // unset: to the printer's port.
    std::function<std::wstring(int part)> outputFile;
};

struct PrintEvents {
    std::function<bool()> cancelled;                   // polled before every font
    std::function<bool(int pauseAfter)> resumeAfterPause;  // false ends the run
    std::function<void(int fontsDone)> progress;       // after every font; lets messages run
};

enum class PrintOutcome { Printed, Cancelled, StoppedAtPause, Failed };

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Failed;
    int fontsPrinted = 0;
    int pagesSent = 0;  // pages in the jobs that were ended, not aborted
    DWORD error = ERROR_SUCCESS;
};

PrintResult PrintSheets(const PrintJob& job, const PrintEvents& events);

// The page's margins for `kind`: centred on its paper, or as given.
void ApplyMargins(TPage& page, SheetKind kind, bool automatic, float left, float top);

// Adds the items to the page as its printable objects.
void AddItems(TPage& page, const std::vector<SheetItem>& items);

// Draws the first page of a run on the page's canvas: the sheet of the first
// font, or the rows of a listing's first page and its footer.
void DrawFirstPage(TPage& page, SheetKind kind, int fontCount, const DescribeFont& describe, const SheetTexts& texts);

}  // namespace typorama::output
