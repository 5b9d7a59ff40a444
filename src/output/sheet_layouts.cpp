#include "output/sheet_layouts.h"

#include <algorithm>
#include <cstdint>

#include "base/text_format.h"

namespace typorama::output {
namespace {

using Kind = SheetItem::Kind;

SheetItem Box(float left, float top, float width, float height) {
    SheetItem item;
    item.kind = Kind::Box;
    item.left = left, item.top = top, item.width = width, item.height = height;
    return item;
}

SheetItem Text(float left, float top, float width, float height, std::u16string text) {
    SheetItem item;
    item.left = left, item.top = top, item.width = width, item.height = height;
    item.text = std::move(text);
    return item;
}

SheetItem OwnText(float left, float top, float width, float height, std::u16string text, int points,
                  bool bold = false) {
    SheetItem item = Text(left, top, width, height, std::move(text));
    item.ownFont = true;
    item.ownFace = u"Arial";
    item.points = points;
    item.bold = bold;
    return item;
}

SheetItem PrintedText(float left, float top, float width, float height, std::u16string text, int points) {
    SheetItem item = Text(left, top, width, height, std::move(text));
    item.points = points;
    return item;
}

SheetItem CharMap(float left, float top, float width, float height, bool codesAndFrame) {
    SheetItem item;
    item.kind = Kind::CharMap;
    item.left = left, item.top = top, item.width = width, item.height = height;
    item.grid = true;
    item.frame = codesAndFrame;
    item.codes = codesAndFrame;
    return item;
}

std::u16string SizeLabel(const SheetTexts& texts, int points) {
    return FormatText(texts.sizeLabel, {std::int64_t{points}});
}

void AddCharacterMap(std::vector<SheetItem>& items, const SheetFont& font, const SheetTexts& texts) {
    items.push_back(Box(0, 0, 176, 258));
    items.push_back(CharMap(1, 20, 174, 237, true));
    SheetItem title = OwnText(1, 1, 174, 13, font.name + u" (" + font.script + u")", 22, true);
    title.horz = HorizontalAlignment::Centre;
    title.vert = VerticalAlignment::Centre;
    items.push_back(std::move(title));
    SheetItem file = OwnText(1, 13, 174, 3, font.fileLine, 6);
    file.horz = HorizontalAlignment::Centre;
    items.push_back(std::move(file));
    SheetItem copyright = OwnText(6, 16, 164, 3, font.copyright, 6);
    copyright.horz = HorizontalAlignment::Centre;
    copyright.ellipsis = true;
    items.push_back(std::move(copyright));
    items.push_back(OwnText(0, 259, 150, 3, texts.footer, 5));
}

// The one-line samples: points, label top, sample top.
struct SizeRow {
    int points;
    float labelTop;
    float sampleTop;
};
constexpr SizeRow kSizeRows[] = {
    {6, 41, 44},       {8, 49, 52},   {10, 58, 61},   {12, 67, 70},       {14, 77.5f, 80.5f},
    {18, 88, 91},      {24, 101, 104}, {30, 116, 119}, {36, 134, 136},     {42, 153, 155},
    {48, 174.5f, 175.5f}, {60, 197, 198}, {72, 223, 224},
};

// The paragraphs: points, label top, paragraph top, paragraph height.
struct ParagraphRow {
    int points;
    float labelTop;
    float top;
    float height;
};
constexpr ParagraphRow kParagraphRows[] = {{6, 98, 102, 20}, {8, 124, 128, 25}, {10, 156, 160, 34}, {12, 200, 204, 46}};

void AddSampleSheet(std::vector<SheetItem>& items, const SheetFont& font, const SheetTexts& texts) {
    items.push_back(Box(0, 0, 176, 258));
    SheetItem name = OwnText(9, 9, 81, 8, font.name, 22, true);
    name.ellipsis = true;
    items.push_back(std::move(name));
    items.push_back(OwnText(9, 18, 87, 3, texts.scriptLabel + font.script, 6));
    items.push_back(OwnText(9, 21.5f, 87, 3, font.fileLine, 6));
    SheetItem copyright = OwnText(9, 25, 87, 15, font.copyright, 6);
    copyright.wordWrap = true;
    copyright.ellipsis = true;
    items.push_back(std::move(copyright));
    items.push_back(CharMap(102, 18, 66, 70, false));
    for (const SizeRow& row : kSizeRows) {
        items.push_back(OwnText(9, row.labelTop, 87, 3, SizeLabel(texts, row.points), 6));
        items.push_back(PrintedText(9, row.sampleTop, 87, 30, texts.shortText, row.points));
    }
    for (const ParagraphRow& row : kParagraphRows) {
        items.push_back(OwnText(102, row.labelTop, 66, 3, SizeLabel(texts, row.points), 6));
        SheetItem paragraph = PrintedText(102, row.top, 66, row.height, texts.paragraphText, row.points);
        paragraph.wordWrap = true;
        items.push_back(std::move(paragraph));
    }
    items.push_back(OwnText(0, 258.5f, 150, 3, texts.footer, 5));
}

void AddListingRow(std::vector<SheetItem>& items, bool large, const SheetFont& font, const SheetTexts& texts) {
    const float height = large ? 15.0f : 8.0f;
    const int points = large ? 28 : 14;
    std::u16string title = font.name;
    if (!font.filePath.empty()) title += u" - " + font.filePath;
    items.push_back(OwnText(0, 0, 176, 3, std::move(title), 8));
    items.push_back(PrintedText(0, 3.5f, 176, height, texts.shortText, points));
    items.push_back(PrintedText(0, large ? 14.0f : 9.5f, 176, height, texts.paragraphText, points));
}

}  // namespace

const SheetData& Sheet(SheetKind kind) {
    const int index = std::clamp(static_cast<int>(kind), 0, kSheetKinds - 1);
    return kSheets[static_cast<std::size_t>(index)];
}

int PageCount(int fonts, int fontsPerPage) {
    if (fonts <= 0) return 0;
    if (fontsPerPage <= 1) return fonts;
    return fonts / fontsPerPage + (fonts % fontsPerPage != 0 ? 1 : 0);
}

Margins AutomaticMargins(const SheetGeometry& paper, float width, float height) {
    Margins margins{paper.PaperWidth / 2 - width / 2, paper.PaperHeight / 2 - height / 2};
    if (margins.top + height > paper.PaperHeight - paper.UnprintableBottom) {
        margins.top = paper.PaperHeight - paper.UnprintableBottom - height;
        if (margins.top < paper.OffsetY) margins.top = paper.OffsetY + 0.5f;
    }
    if (margins.left + width > paper.PaperWidth - paper.UnprintableRight) {
        margins.left = paper.PaperWidth - paper.UnprintableRight - width;
        if (margins.left < paper.OffsetX) margins.left = paper.OffsetX + 0.5f;
    }
    return margins;
}

std::vector<PlannedPage> PlanPages(int fonts, int fontsPerPage, int pauseAfter) {
    fontsPerPage = std::max(fontsPerPage, 1);
    const int pages = PageCount(fonts, fontsPerPage);
    std::vector<PlannedPage> plan;
    plan.reserve(static_cast<std::size_t>(pages));
    for (int page = 1; page <= pages; ++page) {
        PlannedPage planned;
        planned.firstFont = (page - 1) * fontsPerPage;
        planned.fontCount = std::min(fontsPerPage, fonts - planned.firstFont);
        planned.pageNumber = page;
        planned.pauseAfter = pauseAfter > 0 && page % pauseAfter == 0 && page < pages;
        plan.push_back(planned);
    }
    return plan;
}

std::vector<SheetItem> BuildSheet(SheetKind kind, const SheetFont& font, const SheetTexts& texts) {
    std::vector<SheetItem> items;
    switch (kind) {
    case SheetKind::CharacterMap: AddCharacterMap(items, font, texts); break;
    case SheetKind::SampleSheet: AddSampleSheet(items, font, texts); break;
    case SheetKind::Listing1: AddListingRow(items, false, font, texts); break;
    case SheetKind::Listing2: AddListingRow(items, true, font, texts); break;
    }
    return items;
}

std::vector<SheetItem> BuildListingFooter(const SheetTexts& texts, int pageNumber) {
    std::vector<SheetItem> items;
    items.push_back(OwnText(0, 264, 176, 5, texts.footer, 5));
    SheetItem number = OwnText(0, 264, 176, 5, texts.pageLabel + FormatText(u"%d", {std::int64_t{pageNumber}}), 5);
    number.horz = HorizontalAlignment::Right;
    items.push_back(std::move(number));
    return items;
}

}  // namespace typorama::output
