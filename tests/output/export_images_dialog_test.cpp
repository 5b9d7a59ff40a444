// The image export dialog from the main window's command, under Wine: the
// preview window follows the options, the clipboard gets the first font's
// image, an empty sample is refused, a cancel after the fifth of 20 images
// keeps the dialog open, and a finished run closes it and keeps the folder in
// the history.
#include "output/export_images_dialog.h"

#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "output/export_images_feature.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/window_text.h"

namespace typorama::output {
namespace {

using test::ModalAnswers;
using test::ScratchFolder;

class ExportImagesTest : public test::MainWindowFixture {
protected:
    ExportImagesTest()
        : MainWindowFixture(L"export-images"),
          fontsKey_(L"export-images-fonts"),
          where_(catalog::ScratchLocations(fontsKey_, catalog::Locations().fontsFolder)),
          fonts_(L"export-images-fonts"),
          out_(L"export-images-out") {
        for (int i = 0; i < 20; ++i) {
            const std::u16string name = u"TyExport " + std::u16string(1, static_cast<char16_t>(u'A' + i));
            fonts_.Write(L"e" + std::to_wstring(i) + L".ttf", test::BuildFont(test::FontSpec::Named(name)));
        }
        main_ = OpenHidden(fonts_.Path(), where_);
    }
    ~ExportImagesTest() override { CloseUntagged(main_); }

    int ImagesInOut() const {
        int count = 0;
        for (int i = 0; i < 20; ++i) count += win::IsFile(out_.Path() + L"e" + std::to_wstring(i) + L".bmp");
        return count;
    }

    test::ScratchKey fontsKey_;
    catalog::SystemLocations where_;
    ScratchFolder fonts_;
    ScratchFolder out_;
    std::unique_ptr<app::TfrmMain> main_;
};

TEST_F(ExportImagesTest, PreviewClipboardCancelAndSaveFromTheCommand) {
    ASSERT_TRUE(main_);
    ASSERT_EQ(main_->FontList().Count(), 20);
    for (int i = 0; i < 20; ++i) main_->FontList()[i].Tagged = true;
    const std::wstring folder = out_.Path().substr(0, out_.Path().size() - 1);
    test::ScriptedAnswers answers(IDOK);
    bool stayedOpen = false, closed = false;
    ModalAnswers dialogs([&](ui::Dialog& shown) {
        auto* dialog = dynamic_cast<TfrmExportBitmap*>(&shown);
        ASSERT_TRUE(dialog);
        HWND window = dialog->Handle();
        EXPECT_EQ(win::WindowText(window), win::FormatRes(IDS_EXP_CAPTION, {std::int64_t{20}}));
        const auto click = [&](int id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };

        // The preview: 10 pixels around the image, the size in the caption,
        // and a new image at each change.
        click(IDC_EXP_PREVIEW);
        HWND preview = dialog->Preview().Handle();
        ASSERT_TRUE(preview);
        EXPECT_EQ(Button_GetCheck(dialog->Item(IDC_EXP_PREVIEW)), BST_CHECKED);
        const int titledHeight = dialog->Preview().Image().height;
        RECT client{};
        GetClientRect(preview, &client);
        EXPECT_EQ(client.right, dialog->Preview().Image().width + 20);
        EXPECT_EQ(client.bottom, titledHeight + 20);
        EXPECT_EQ(win::WindowText(preview),
                  win::FormatRes(IDS_EXP_PREVIEW_CAPTION, {std::int64_t{dialog->Preview().Image().width},
                                                           std::int64_t{titledHeight}}));
        SetDlgItemTextW(window, IDC_EXP_TITLE, L"");
        EXPECT_LT(dialog->Preview().Image().height, titledHeight) << "no title: a shorter image";
        click(IDC_EXP_PREVIEW);
        EXPECT_FALSE(IsWindow(preview));
        EXPECT_EQ(Button_GetCheck(dialog->Item(IDC_EXP_PREVIEW)), BST_UNCHECKED);

        // The clipboard gets the first font's image as a bitmap.
        click(IDC_EXP_CLIP);
        const RenderedImage first = dialog->RenderFirst();
        ASSERT_TRUE(OpenClipboard(window));
        HANDLE dib = GetClipboardData(CF_DIB);
        ASSERT_TRUE(dib);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
        EXPECT_EQ(header->biWidth, first.width);
        EXPECT_EQ(header->biHeight, first.height);
        EXPECT_EQ(header->biBitCount, 24);
        GlobalUnlock(dib);
        CloseClipboard();

        // No sample text: refused, nothing written.
        SetDlgItemTextW(window, IDC_EXP_SAMPLE, L"  \r\n ");
        click(IDC_EXP_SAVE);
        ASSERT_EQ(answers.asked.size(), 1u);
        EXPECT_EQ(answers.asked[0], win::LoadResString(IDS_EXP_NO_SAMPLE));
        SetDlgItemTextW(window, IDC_EXP_SAMPLE, L"Sphinx of black quartz");

        // Into the other folder; "取消" after the fifth image keeps the dialog.
        Button_SetCheck(dialog->Item(IDC_EXP_OUT_DEFAULT), BST_UNCHECKED);
        Button_SetCheck(dialog->Item(IDC_EXP_OUT_FOLDER), BST_CHECKED);
        SetWindowTextW(dialog->Item(IDC_EXP_FOLDER), (L"  " + folder + L" ").c_str());
        dialog->OnImageDone = [](int done) {
            if (done == 5) ui::RequestProgressCancel();
        };
        click(IDC_EXP_SAVE);
        EXPECT_TRUE(dialog->LastRun().cancelled);
        EXPECT_EQ(ImagesInOut(), 5);
        stayedOpen = IsWindow(window) && IsWindowEnabled(window) && dialog->Result() == 0;

        // The preview stays open, moved, while the dialog closes: its place is kept.
        click(IDC_EXP_PREVIEW);
        SetWindowPos(dialog->Preview().Handle(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dialog->OnImageDone = {};
        click(IDC_EXP_SAVE);
        closed = dialog->Result() == IDOK;
    });
    main_->RunCommand(IDM_FONT_SAVE_IMAGE);
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(closed);
    EXPECT_EQ(ImagesInOut(), 20);

    // Written at close: the options and the trimmed folder at the top of the history.
    EXPECT_EQ(Settings(kSaveImageKey).ReadIntegerDef(L"OutputMode", 0, settings::kAnyInteger), 1);
    EXPECT_EQ(Settings(kSaveImageKey).ReadStringDef(L"SampleText", L""), L"Sphinx of black quartz");
    EXPECT_EQ(Settings(kSaveImageHistoryKey).ReadStringDef(L"0", L""), folder);
    EXPECT_EQ(Settings(kSaveImageKey).ReadIntegerDef(L"PreviewLeft", 0, settings::kAnyInteger), 123);
    EXPECT_EQ(Settings(kSaveImageKey).ReadIntegerDef(L"PreviewTop", 0, settings::kAnyInteger), 77);
}

TEST_F(ExportImagesTest, ByFolderTakesTheFontsOfItsSubfoldersOrSaysThereAreNone) {
    ASSERT_TRUE(main_);
    ScratchFolder folder(L"export-images-by-folder");
    folder.Write(L"top.ttf", test::BuildFont(test::FontSpec::Named(u"TyExportTop")));
    CreateDirectoryW((folder.Path() + L"sub").c_str(), nullptr);
    folder.Write(L"sub\\low.otf", test::BuildFont(test::FontSpec::Named(u"TyExportLow")));
    std::wstring caption;
    ModalAnswers dialogs([&](ui::Dialog& shown) {
        caption = win::WindowText(shown.Handle());
        PostMessageW(shown.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    auto* feature = main_->Feature<ExportImagesFeature>();
    feature->SaveFolder(folder.Path(), true);
    EXPECT_EQ(dialogs.shown, 1);
    EXPECT_EQ(caption, win::FormatRes(IDS_EXP_CAPTION, {std::int64_t{2}}));
    EXPECT_EQ(main_->FontList().Count(), 20) << "the main list comes back";

    test::ScriptedAnswers answers(IDOK);
    feature->SaveFolder(out_.Path(), true);
    EXPECT_EQ(dialogs.shown, 1);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0], win::LoadResString(IDS_INS_NONE_FOUND));
}

TEST(SaveImageHistory, TheLatestFolderGoesFirstOnceAndTenAreKept) {
    std::vector<std::wstring> history;
    for (int i = 0; i < 12; ++i) PutFolderFirst(history, L"C:\\F" + std::to_wstring(i));
    ASSERT_EQ(history.size(), kFolderHistoryCap);
    EXPECT_EQ(history.front(), L"C:\\F11");
    EXPECT_EQ(history.back(), L"C:\\F2");
    PutFolderFirst(history, L"C:\\F5");
    EXPECT_EQ(history.size(), kFolderHistoryCap);
    EXPECT_EQ(history.front(), L"C:\\F5");
    EXPECT_EQ(std::count(history.begin(), history.end(), L"C:\\F5"), 1);
}

}  // namespace
}  // namespace typorama::output
