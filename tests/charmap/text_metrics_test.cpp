// The metrics the system reports for fonts made by the font builder, the
// text-metrics window of the real main window, and the system report with a
// printer added for the test.
#include "charmap/text_metrics.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/clipboard_text.h"
#include "app/main_window_fixture.h"
#include "charmap/metrics_feature.h"
#include "charmap/system_facts.h"
#include "charmap/text_metrics_window.h"
#include "support/file_printer.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/resource.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::charmap {
namespace {

// A font whose vertical metrics, weight and PANOSE are known, em of 1000 units.
test::FontSpec KnownFont(const std::u16string& family) {
    test::FontSpec fontSpec = test::FontSpec::Named(family);
    fontSpec.ascender = 900;
    fontSpec.descender = -250;
    fontSpec.lineGap = 70;
    fontSpec.weightClass = 700;
    fontSpec.panose = {2, 11, 8, 3, 5, 4, 6, 2, 3, 4};
    return fontSpec;
}

LOGFONTW FaceFont(const wchar_t* face, LONG height) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

int CountLines(const std::wstring& text) {
    int lines = 1;
    for (std::size_t at = 0; (at = text.find(L"\r\n", at)) != std::wstring::npos; at += 2) ++lines;
    return lines;
}

TEST(TextMetrics, ABuiltFontReportsItsOwnMetricsInFiftyFiveLines) {
    test::ScratchFolder dir(L"text-metrics");
    const std::wstring file = dir.Write(L"known.ttf", test::BuildFont(KnownFont(u"Typorama Metrics Known")));
    ASSERT_GT(AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr), 0);
    struct Unload {
        std::wstring file;
        ~Unload() { RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr); }
    } unload{file};

    win::MemoryDC dc(nullptr, nullptr);
    // One pixel per font unit; the weight as the font list reads it from the file.
    LOGFONTW font = FaceFont(L"Typorama Metrics Known", -1000);
    font.lfWeight = FW_BOLD;
    const std::optional<OutlineMetricsValues> v = MeasureOutlineMetrics(dc.get(), font);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->emSquare, 1000u);
    EXPECT_EQ(v->outlineAscent, 900);
    EXPECT_EQ(v->outlineDescent, -250);
    EXPECT_EQ(v->lineGap, 70u);
    EXPECT_EQ(v->ascent, 900);
    EXPECT_EQ(v->descent, 250);
    EXPECT_EQ(v->macAscent, 900);
    EXPECT_EQ(v->macDescent, -250);
    EXPECT_EQ(v->macLineGap, 70u);
    EXPECT_EQ(v->weight, 700);
    EXPECT_EQ(v->panose, (std::array<std::uint8_t, 10>{2, 11, 8, 3, 5, 4, 6, 2, 3, 4}));

    const std::wstring report = BuildMetricsReport(dc.get(), &font);
    EXPECT_EQ(CountLines(report), 55);
    EXPECT_NE(report.find(L"\r\n\tAscent: 900\r\n\tDescent: -250\r\n\tLineGap: 70\r\n"), std::wstring::npos) << report;
    EXPECT_EQ(report.rfind(L"\r\n\tUnderscorePosition: "), report.rfind(L"\r\n")) << "the last line has no line end";

    // A bitmap font has no outline metrics; neither has no font at all.
    LOGFONTW bitmap = FaceFont(L"System", 0);
    bitmap.lfOutPrecision = OUT_RASTER_PRECIS;
    EXPECT_EQ(BuildMetricsReport(dc.get(), &bitmap), win::LoadResString(IDS_METRICS_NONE));
    EXPECT_EQ(BuildMetricsReport(dc.get(), nullptr), L"无规格信息可用。");
}

class TextMetricsWindowTest : public test::MainWindowFixture {
protected:
    TextMetricsWindowTest() : MainWindowFixture(L"text-metrics-window") {}
};

TEST_F(TextMetricsWindowTest, FollowsTheCurrentFontKeepsItsLineAndItsPlace) {
    test::ScratchFolder dir(L"text-metrics-window");
    dir.Write(L"a.ttf", test::BuildFont(KnownFont(u"Typorama Metrics Window A")));
    dir.Write(L"b.ttf", test::BuildFont(test::FontSpec::Named(u"Typorama Metrics Window B")));
    Settings(TfrmTextMetrics::kSettingsKey).WriteInteger(L"FormLeft", -5);
    Settings(TfrmTextMetrics::kSettingsKey).WriteInteger(L"FormTop", 20);
    test::ScriptedAnswers answers(IDOK);
    auto main = OpenHidden(dir.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 2);
    auto* feature = main->Feature<TextMetricsFeature>();
    ASSERT_NE(feature, nullptr);

    // Without a current font the command only says so.
    main->ListBox().SetItemIndex(-1);
    const std::size_t askedBefore = answers.asked.size();
    main->RunCommand(IDM_VIEW_FONT_METRICS);
    EXPECT_EQ(answers.asked.size(), askedBefore + 1);
    EXPECT_EQ(feature->MetricsWindow(), nullptr);

    main->ListBox().SetItemIndex(0);
    main->RunCommand(IDM_VIEW_FONT_METRICS);
    TfrmTextMetrics* window = feature->MetricsWindow();
    ASSERT_NE(window, nullptr);
    RECT bounds{};
    GetWindowRect(window->Hwnd(), &bounds);
    EXPECT_EQ(bounds.left, 10) << "a stored left below 0 moves to 10";
    EXPECT_EQ(bounds.top, 20);
    const std::wstring first = window->ReportText();
    EXPECT_EQ(CountLines(first), 55);
    EXPECT_EQ(win::WindowText(window->Hwnd()), L"文本规格用于 " + main->FontList()[0].Name);

    // The user scrolled down; another current font keeps the first visible line.
    SendMessageW(window->TextBox(), EM_LINESCROLL, 0, 20);
    const LRESULT line = SendMessageW(window->TextBox(), EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(line, 0);
    main->ListBox().SetItemIndex(1);
    main->CurrentFontChanged();
    EXPECT_EQ(win::WindowText(window->Hwnd()), L"文本规格用于 " + main->FontList()[1].Name);
    EXPECT_NE(window->ReportText(), first);
    EXPECT_EQ(SendMessageW(window->TextBox(), EM_GETFIRSTVISIBLELINE, 0, 0), line);

    // Copied from the window menu as a whole.
    SendMessageW(window->Hwnd(), WM_SYSCOMMAND, IDC_METRICS_COPY_REPORT, 0);
    EXPECT_EQ(app::ClipboardText(main->Handle()).value_or(L""), window->ReportText());

    // Closed where the user moved it: the place is kept and used again.
    SetWindowPos(window->Hwnd(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(feature->MetricsWindow(), nullptr);
    const settings::TRegistryEx stored = Settings(TfrmTextMetrics::kSettingsKey);
    EXPECT_EQ(stored.ReadIntegerDef(L"FormLeft", 0, settings::kCoordinateRange), 30);
    EXPECT_EQ(stored.ReadIntegerDef(L"FormTop", 0, settings::kCoordinateRange), 40);
    main->RunCommand(IDM_VIEW_FONT_METRICS);
    ASSERT_NE(feature->MetricsWindow(), nullptr);
    GetWindowRect(feature->MetricsWindow()->Hwnd(), &bounds);
    EXPECT_EQ(bounds.left, 30);
    EXPECT_EQ(bounds.top, 40);
    CloseUntagged(main);
}

TEST(SystemFacts, TheReportHasItsSixSectionsAndListsEveryPrinter) {
    const std::wstring before = SystemReport(kSectionPrinters);
    if (InstalledPrinters().empty()) {
        EXPECT_EQ(before, L"[打印机]\r\n没有安装打印机\r\n\r\n");
    }

    test::FilePrinter printer(L"Typorama Test File Printer");
    ASSERT_TRUE(printer.Added());
    const std::vector<std::wstring> printers = InstalledPrinters();
    EXPECT_NE(std::find(printers.begin(), printers.end(), L"Typorama Test File Printer"), printers.end());

    const std::wstring report = TextMetricsFeature::SystemInfoText(L"C:\\typorama\\typorama.exe");
    EXPECT_EQ(report.rfind(L"[Typorama 1.2.2 ]\r\nC:\\typorama\\typorama.exe\r\n\r\n[Windows]\r\n", 0), 0u) << report;
    std::size_t at = 0;
    for (const wchar_t* heading : {L"[Windows]", L"[内存]", L"[驱动器]", L"[显示]", L"[打印机]", L"[文件]"}) {
        const std::size_t found = report.find(std::wstring(L"\r\n") + heading + L"\r\n", at);
        EXPECT_NE(found, std::wstring::npos) << "section " << win::WideToUtf8(heading) << " in order";
        if (found != std::wstring::npos) at = found + 1;
    }
    EXPECT_NE(report.find(L"\r\n全:\r\n"), std::wstring::npos);
    EXPECT_NE(report.find(L"\r\nTyporama Test File Printer\r\n"), std::wstring::npos) << report;
    EXPECT_NE(report.find(L"\r\nC: Fixed ("), std::wstring::npos) << "C: is a fixed drive with known sizes";
    EXPECT_NE(report.find(L"\r\nComCtl32.dll ver "), std::wstring::npos);
    EXPECT_NE(report.find(L"\r\ntyporama.exe ver \r\n"), std::wstring::npos) << "a missing file has no version";
}

}  // namespace
}  // namespace typorama::charmap
