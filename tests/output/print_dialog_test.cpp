// Printing under Wine on a PostScript printer that writes files: the dialog
// opened by the main window's command, the pages of each job counted from the
// PostScript's own page comments, pauses that send the pages so far as a job
// of their own, cancels, automatic margins on the printer's A4 paper, the
// progress bar window and the Print settings.
#include "output/print_dialog.h"

#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "output/print_feature.h"
#include "support/file_printer.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/window_text.h"

namespace typorama::output {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ModalAnswers;
using test::ScratchFolder;
using test::ScriptedAnswers;

// A printer of each test program's own: CTest runs several at once.
std::wstring PrinterName() { return L"Typorama Print Test " + std::to_wstring(GetCurrentProcessId()); }

class PrintTest : public test::MainWindowFixture {
protected:
    PrintTest()
        : MainWindowFixture(L"print"),
          fontsKey_(L"print-fonts"),
          where_(catalog::ScratchLocations(fontsKey_, catalog::Locations().fontsFolder)),
          fonts_(L"print-fonts"),
          jobs_(L"print-jobs"),
          printer_(PrinterName()) {}
    ~PrintTest() override { CloseUntagged(main_); }

    // A main window over `count` fonts of a folder of their own.
    app::TfrmMain& Open(int count) {
        for (int i = 0; i < count; ++i) {
            const std::u16string name = u"TyPrint " + std::u16string(1, static_cast<char16_t>(u'A' + i));
            fonts_.Write(L"f" + std::to_wstring(i) + L".ttf", BuildFont(FontSpec::Named(name)));
        }
        main_ = std::make_unique<app::TfrmMain>(where_);
        main_->QuitOnDestroy = false;
        EXPECT_TRUE(main_->Create(fonts_.Path(), SW_HIDE));
        return *main_;
    }

    std::wstring JobFile(int part) const { return jobs_.Path() + L"job" + std::to_wstring(part) + L".ps"; }
    int PagesOf(int part) const {
        const std::wstring file = JobFile(part);
        if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return -1;
        return test::PostScriptPageCount(test::ReadFileBytes(file));
    }

    // Runs the print command; `choose` sets up the dialog, which then prints
    // all listed fonts on the test printer. Returns the dialog's last run.
    PrintResult PrintAll(const std::function<void(TfrmPrint&)>& choose, bool* stayedOpen = nullptr) {
        PrintResult run;
        ModalAnswers dialogs([&](ui::Dialog& shown) {
            auto* dialog = dynamic_cast<TfrmPrint*>(&shown);
            if (!dialog) return;
            dialog->UsePrinter(PrinterName());
            dialog->OutputFile = [this](int part) { return JobFile(part); };
            choose(*dialog);
            Button_SetCheck(dialog->Item(IDC_PRINT_SELECTION), BST_UNCHECKED);
            Button_SetCheck(dialog->Item(IDC_PRINT_ALL), BST_CHECKED);
            SendMessageW(dialog->Handle(), WM_COMMAND, IDOK, 0);
            run = dialog->LastRun();
            if (stayedOpen) *stayedOpen = IsWindow(dialog->Handle()) && !dialog->Result();
            if (IsWindow(dialog->Handle())) PostMessageW(dialog->Handle(), WM_COMMAND, IDCANCEL, 0);
        });
        main_->RunCommand(IDM_FONT_PRINT);
        EXPECT_EQ(dialogs.shown, 1);
        return run;
    }

    test::ScratchKey fontsKey_;
    catalog::SystemLocations where_;
    ScratchFolder fonts_;
    ScratchFolder jobs_;
    test::FilePrinter printer_;
    std::unique_ptr<app::TfrmMain> main_;
};

TEST_F(PrintTest, ListingOneWithSixteenFontsPrintsTwoPagesAndTheCaptionsSaySo) {
    ASSERT_TRUE(printer_.Added());
    app::TfrmMain& main = Open(16);
    ASSERT_EQ(main.FontList().Count(), 16);
    for (int i = 0; i < 3; ++i) main.FontList()[i].Tagged = true;
    std::wstring allCaption, selectionCaption;
    bool selectionEnabled = true;
    const PrintResult run = PrintAll([&](TfrmPrint& dialog) {
        dialog.ChooseSheet(SheetKind::Listing1);
        allCaption = win::WindowText(dialog.Item(IDC_PRINT_ALL));
        selectionCaption = win::WindowText(dialog.Item(IDC_PRINT_SELECTION));
        selectionEnabled = IsWindowEnabled(dialog.Item(IDC_PRINT_SELECTION));
    });
    EXPECT_EQ(allCaption, L"所有列出字体： 16 字体/2 页");
    EXPECT_EQ(selectionCaption, L"选定字体: 3 字体/1 页");
    EXPECT_TRUE(selectionEnabled);
    EXPECT_EQ(run.outcome, PrintOutcome::Printed);
    EXPECT_EQ(run.fontsPrinted, 16);
    EXPECT_EQ(PagesOf(0), 2);
    EXPECT_EQ(PagesOf(1), -1) << "one job";
}

TEST_F(PrintTest, PauseAfterTwoSheetsSendsEachPartAsItsOwnJob) {
    ASSERT_TRUE(printer_.Added());
    Open(5);
    std::vector<std::wstring> asked;
    std::vector<int> pagesSentAtPause;
    ui::SetMessageAnswerer([&](const std::wstring& text, const std::wstring&, UINT) {
        asked.push_back(text);
        pagesSentAtPause.push_back(PagesOf(static_cast<int>(pagesSentAtPause.size())));
        return IDOK;
    });
    bool selectionEnabled = true, allChosen = false;
    const PrintResult run = PrintAll([&](TfrmPrint& dialog) {
        // No font tagged and none current: only all listed fonts can print.
        selectionEnabled = IsWindowEnabled(dialog.Item(IDC_PRINT_SELECTION));
        allChosen = Button_GetCheck(dialog.Item(IDC_PRINT_ALL)) == BST_CHECKED;
        dialog.ChooseSheet(SheetKind::SampleSheet);
        SendMessageW(dialog.Item(IDC_PRINT_PAUSE_SPIN), UDM_SETPOS32, 0, 2);
    });
    EXPECT_FALSE(selectionEnabled);
    EXPECT_TRUE(allChosen);
    EXPECT_EQ(run.outcome, PrintOutcome::Printed);
    ASSERT_EQ(asked.size(), 2u) << "after the second and the fourth sheet, not after the fifth";
    EXPECT_NE(asked[0].find(L"您已经设置选项在 2 页后暂停打印"), std::wstring::npos);
    EXPECT_EQ(pagesSentAtPause, (std::vector<int>{2, 2})) << "each part was complete when the pause came";
    EXPECT_EQ(PagesOf(0), 2);
    EXPECT_EQ(PagesOf(1), 2);
    EXPECT_EQ(PagesOf(2), 1);
    EXPECT_EQ(run.pagesSent, 5);
    // The pause is kept for the next time.
    EXPECT_EQ(Settings(kPrintSettingsKey).ReadIntegerDef(L"PauseAfter", 0, settings::kAnyInteger), 2);
}

TEST_F(PrintTest, CancelAtAPauseOrInTheProgressWindowStopsTheRunAndKeepsTheDialogOpen) {
    ASSERT_TRUE(printer_.Added());
    Open(5);
    ScriptedAnswers stop(IDCANCEL);
    bool stayedOpen = false;
    PrintResult run = PrintAll(
        [](TfrmPrint& dialog) {
            dialog.ChooseSheet(SheetKind::CharacterMap);
            SendMessageW(dialog.Item(IDC_PRINT_PAUSE_SPIN), UDM_SETPOS32, 0, 2);
        },
        &stayedOpen);
    EXPECT_EQ(run.outcome, PrintOutcome::StoppedAtPause);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(PagesOf(0), 2) << "the pages before the pause were sent";
    EXPECT_EQ(PagesOf(1), -1);

    // "取消" in the progress window (pressed while the pause message shows):
    // the job under way is aborted before the next font.
    DeleteFileW(JobFile(0).c_str());
    ui::SetMessageAnswerer([](const std::wstring&, const std::wstring&, UINT) {
        ui::RequestProgressCancel();
        return IDOK;
    });
    run = PrintAll([](TfrmPrint& dialog) {
        dialog.ChooseSheet(SheetKind::SampleSheet);
        SendMessageW(dialog.Item(IDC_PRINT_PAUSE_SPIN), UDM_SETPOS32, 0, 1);
    }, &stayedOpen);
    EXPECT_EQ(run.outcome, PrintOutcome::Cancelled);
    EXPECT_EQ(run.fontsPrinted, 1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(PagesOf(0), 1);
    EXPECT_LE(PagesOf(1), 0) << "the aborted job holds no page";
}

TEST(PrintRun, AutomaticMarginsOnThePrintersA4PaperCentreTheSheets) {
    test::FilePrinter printer(PrinterName());
    ASSERT_TRUE(printer.Added());
    win::UniqueDC dc(CreateDCW(L"WINSPOOL", printer.Name().c_str(), nullptr, nullptr));
    ASSERT_TRUE(dc);
    TPage page;
    page.SetCanvas(dc.get());
    EXPECT_NEAR(page.PaperWidth, 210.0f, 0.5f);
    EXPECT_NEAR(page.PaperHeight, 297.0f, 0.5f);
    ApplyMargins(page, SheetKind::CharacterMap, true, 0, 0);
    EXPECT_NEAR(page.LeftMargin, 17.0f, 0.2f);
    EXPECT_NEAR(page.TopMargin, 18.0f, 0.2f);
    ApplyMargins(page, SheetKind::Listing1, true, 0, 0);
    EXPECT_NEAR(page.LeftMargin, 17.0f, 0.2f);
    EXPECT_NEAR(page.TopMargin, 15.5f, 0.2f);
    ApplyMargins(page, SheetKind::Listing1, false, 20, 10);
    EXPECT_EQ(page.LeftMargin, 20.0f);
    EXPECT_EQ(page.TopMargin, 10.0f);
}

TEST(PrintSettingsStore, AMissingParagraphTextReadsAsTheDefault) {
    test::ScratchKey key(L"print-settings");
    const settings::SettingsRoot root{HKEY_CURRENT_USER, key.SubKey()};
    {
        settings::TRegistryEx reg(root);
        ASSERT_TRUE(reg.OpenKey(kPrintSettingsKey, true));
        reg.WriteString(L"ShortText1", L"Sphinx");
        reg.WriteInteger(L"LeftMargin", -4);
    }
    const PrintSettings read = ReadPrintSettings(root);
    EXPECT_EQ(read.ShortText1, L"Sphinx");
    EXPECT_EQ(read.ParagraphText1, win::LoadResString(IDS_PRINT_DEFAULT_PARAGRAPH));
    EXPECT_EQ(read.ParagraphText1.substr(0, 6), L"您可以通过键");
    EXPECT_EQ(read.LeftMargin, 0) << "kept to its range";
    EXPECT_TRUE(read.AutoMargins);
    EXPECT_EQ(read.TopMargin, 10);
}

TEST(ProgressBarWindow, OnlyItsButtonStopsTheRunAndTheUserCannotCloseIt) {
    ui::RequestProgressCancel();
    ui::TfrmProgressBar progress(L"正在打印...");
    EXPECT_FALSE(ui::ProgressCancelRequested()) << "a new window starts with the flag cleared";
    ASSERT_TRUE(progress.Show(nullptr));
    progress.SetRange(4);
    progress.SetPosition(3);
    EXPECT_EQ(progress.Position(), 3);
    SendMessageW(progress.Handle(), WM_CLOSE, 0, 0);
    SendMessageW(progress.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(progress.Handle()));
    EXPECT_FALSE(ui::ProgressCancelRequested());
    SendMessageW(progress.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(progress.Item(IDCANCEL)));
    EXPECT_TRUE(ui::ProgressCancelRequested());
    EXPECT_TRUE(IsWindow(progress.Handle())) << "the run closes it";
    progress.Close();
    EXPECT_FALSE(IsWindow(progress.Handle()));
}

}  // namespace
}  // namespace typorama::output
