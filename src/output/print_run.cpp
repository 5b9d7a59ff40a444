#include "output/print_run.h"

#include "win/wide.h"

namespace typorama::output {
namespace {

// Draws one page's content: a listing's footer and rows, or one font's sheet.
// `beforeFont` runs before each font and may stop the page (false); `afterFont`
// after each font has been drawn. False when stopped.
bool DrawPageContent(TPage& page, SheetKind kind, const PlannedPage& planned, const DescribeFont& describe,
                     const SheetTexts& texts, const std::function<bool()>& beforeFont,
                     const std::function<void()>& afterFont) {
    const SheetData& data = Sheet(kind);
    page.PageNumber = planned.pageNumber;
    page.RowIndex = 0;
    page.RowMode = false;
    if (data.RowLayout) {
        // The footer sits at the foot of the sheet whatever the rows do.
        AddItems(page, BuildListingFooter(texts, planned.pageNumber));
        page.Draw();
        page.Clear();
        page.RowMode = true;
        page.RowHeight = data.RowHeight;
    }
    for (int i = 0; i < planned.fontCount; ++i) {
        if (beforeFont && !beforeFont()) return false;
        SheetFont facts;
        describe(planned.firstFont + i, page.LogFont, facts);
        page.RowIndex = i;
        AddItems(page, BuildSheet(kind, facts, texts));
        page.Draw();
        page.Clear();
        if (afterFont) afterFont();
    }
    return true;
}

}  // namespace

void ApplyMargins(TPage& page, SheetKind kind, bool automatic, float left, float top) {
    if (automatic) {
        const Margins margins = AutomaticMargins(page, Sheet(kind).Width, Sheet(kind).Height);
        page.LeftMargin = margins.left;
        page.TopMargin = margins.top;
    } else {
        page.LeftMargin = left;
        page.TopMargin = top;
    }
}

void AddItems(TPage& page, const std::vector<SheetItem>& items) {
    for (const SheetItem& item : items) {
        TPrintableObject* object = nullptr;
        switch (item.kind) {
        case SheetItem::Kind::Box: object = &page.Add<TBoxObject>(); break;
        case SheetItem::Kind::CharMap: {
            auto& map = page.Add<TCharMapObject>();
            map.ShowGrid = item.grid;
            map.ShowFrame = item.frame;
            map.ShowCodes = item.codes;
            object = &map;
            break;
        }
        case SheetItem::Kind::Text: {
            auto& text = page.Add<TTextObject>();
            text.Text = win::ToWide(item.text);
            text.UseOwnFont = item.ownFont;
            if (item.ownFont) {
                text.Font.face = win::ToWide(item.ownFace);
                text.Font.points = item.points;
                text.Font.bold = item.bold;
            } else {
                text.PointSize = item.points;
            }
            text.HorzAlign = item.horz;
            text.VertAlign = item.vert;
            text.WordWrap = item.wordWrap;
            text.Ellipsis = item.ellipsis ? 1 : 0;
            object = &text;
            break;
        }
        }
        object->Left = item.left;
        object->Top = item.top;
        object->Width = item.width;
        object->Height = item.height;
    }
}

void DrawFirstPage(TPage& page, SheetKind kind, int fontCount, const DescribeFont& describe, const SheetTexts& texts) {
    const auto plan = PlanPages(fontCount, Sheet(kind).FontsPerPage, 0);
    if (plan.empty()) return;
    DrawPageContent(page, kind, plan.front(), describe, texts, {}, {});
}

PrintResult PrintSheets(const PrintJob& job, const PrintEvents& events) {
    PrintResult result;
    if (!job.printer || !job.describe) {
        result.error = ERROR_INVALID_PARAMETER;
        return result;
    }
    TPage page;
    page.SetCanvas(job.printer);
    ApplyMargins(page, job.sheet, job.autoMargins, job.leftMargin, job.topMargin);

    int part = 0;
    int pagesInJob = 0;
    std::wstring output;
    const auto beginDocument = [&] {
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = job.title.c_str();
        if (job.outputFile) output = job.outputFile(part);
        if (!output.empty()) info.lpszOutput = output.c_str();
        if (StartDocW(job.printer, &info) > 0) return true;
        result.error = GetLastError();
        return false;
    };
    const auto failed = [&] {
        result.error = GetLastError();
        AbortDoc(job.printer);
        result.outcome = PrintOutcome::Failed;
        return result;
    };

    if (!beginDocument()) return result;
    const auto beforeFont = [&] { return !(events.cancelled && events.cancelled()); };
    const auto afterFont = [&] {
        ++result.fontsPrinted;
        if (events.progress) events.progress(result.fontsPrinted);
    };
    for (const PlannedPage& planned :
         PlanPages(job.fontCount, Sheet(job.sheet).FontsPerPage, job.pauseAfter)) {
        if (StartPage(job.printer) <= 0) return failed();
        if (!DrawPageContent(page, job.sheet, planned, job.describe, job.texts, beforeFont, afterFont)) {
            // What was not sent yet is discarded.
            AbortDoc(job.printer);
            result.outcome = PrintOutcome::Cancelled;
            return result;
        }
        if (EndPage(job.printer) <= 0) return failed();
        ++pagesInJob;
        if (planned.pauseAfter) {
            // The pages so far go to the printer as a job of their own while
            // the user sees to the paper.
            if (EndDoc(job.printer) <= 0) return failed();
            result.pagesSent += pagesInJob;
            pagesInJob = 0;
            if (!events.resumeAfterPause || !events.resumeAfterPause(job.pauseAfter)) {
                result.outcome = PrintOutcome::StoppedAtPause;
                return result;
            }
            ++part;
            if (!beginDocument()) return result;
        }
    }
    if (EndDoc(job.printer) <= 0) return failed();
    result.pagesSent += pagesInJob;
    result.outcome = PrintOutcome::Printed;
    return result;
}

}  // namespace typorama::output
