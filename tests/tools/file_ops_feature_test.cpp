// The Font menu's file commands in the real main window, hidden: the delete
// confirmation, and a copy to a destination that meets a clash, answered in
// the overwrite dialog (its refusal to close, the view button without a
// font viewer, the rename with its checks).
#include "tools/file_ops_feature.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "tools/confirm_overwrite_dialog.h"
#include "ui/font_listing_dialog.h"
#include "ui/input_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/window_text.h"

namespace typorama::tools {
namespace {

using test::ModalAnswers;
using test::ScratchFolder;
using test::ScratchKey;
using test::ScriptedAnswers;

class FileOpsFeatureTest : public test::MainWindowFixture {
protected:
    FileOpsFeatureTest()
        : MainWindowFixture(L"file-ops"), fontsKey_(L"file-ops-fonts"), fontsFolder_(L"file-ops-sysfonts"),
          where_(catalog::ScratchLocations(fontsKey_, fontsFolder_.Path())), folder_(L"file-ops-list"),
          destination_(L"file-ops-destination") {}
    ~FileOpsFeatureTest() override { CloseUntagged(main_); }

    app::TfrmMain& Open() {
        main_ = OpenHidden(folder_.Path(), where_);
        EXPECT_TRUE(main_);
        return *main_;
    }
    std::wstring WriteFont(const std::wstring& file, const std::u16string& family) {
        return folder_.Write(file, test::BuildFont(test::FontSpec::Named(family)));
    }

    ScratchKey fontsKey_;
    ScratchFolder fontsFolder_;
    catalog::SystemLocations where_;
    ScratchFolder folder_, destination_;
    std::unique_ptr<app::TfrmMain> main_;
};

TEST_F(FileOpsFeatureTest, DeleteAndTheDeleteKeyListTheFontsAndDeleteOnlyAfterYes) {
    const std::wstring a = WriteFont(L"a.ttf", u"TyFopFeat Alpha");
    const std::wstring b = WriteFont(L"b.ttf", u"TyFopFeat Beta");
    app::TfrmMain& main = Open();
    ASSERT_EQ(main.FontList().Count(), 2);
    for (int i = 0; i < 2; ++i) main.FontList()[i].Tagged = true;
    INT_PTR answer = ui::TfrmFontListing::kButton2;
    ModalAnswers modal([&](ui::Dialog& dialog) {
        auto* listing = dynamic_cast<ui::TfrmFontListing*>(&dialog);
        ASSERT_NE(listing, nullptr);
        EXPECT_EQ(win::WindowText(dialog.Handle()), L"删除");
        EXPECT_EQ(listing->Names, (std::vector<std::wstring>{L"TyFopFeat Alpha", L"TyFopFeat Beta"}));
        EXPECT_EQ(listing->CancelButton, 1);
        PostMessageW(dialog.Handle(), WM_COMMAND, static_cast<WPARAM>(answer), 0);
    });
    EXPECT_TRUE(main.RunCommand(IDM_FONT_DELETE));
    EXPECT_TRUE(win::IsFile(a) && win::IsFile(b));
    answer = ui::TfrmFontListing::kButton1;
    MSG key{main.ListBox().Hwnd(), WM_KEYDOWN, VK_DELETE, 1, 0, {}};  // the Delete key in the list
    EXPECT_TRUE(main.PreTranslate(key));
    EXPECT_EQ(modal.shown, 2);
    EXPECT_FALSE(win::IsFile(a) || win::IsFile(b));
    EXPECT_EQ(main.FontList().Count(), 0);  // listed again
}

TEST_F(FileOpsFeatureTest, ACollectionWithTwoTaggedFacesIsCopiedOnce) {
    const std::wstring source = folder_.Write(
        L"pair.ttc", test::BuildCollection({test::BuildFont(test::FontSpec::Named(u"TyFopFeat Song")),
                                            test::BuildFont(test::FontSpec::Named(u"TyFopFeat NSong"))}));
    app::TfrmMain& main = Open();
    ASSERT_EQ(main.FontList().Count(), 2);
    main.Settings().destinations = {destination_.Path()};
    main.FontList()[0].Tagged = main.FontList()[1].Tagged = true;
    // A second copy of the file would clash with the first and ask.
    ModalAnswers modal([&](ui::Dialog& dialog) {
        ADD_FAILURE() << "asked: " << win::WindowText(dialog.Handle()).size();
        PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(main.Commands().RunListItem(app::CommandTable::ListItemId(IDM_FONT_COPY_DESTINATIONS, 0)));
    EXPECT_EQ(modal.shown, 0);
    EXPECT_EQ(test::ReadFileBytes(destination_.Path() + L"pair.ttc"), test::ReadFileBytes(source));
}

TEST_F(FileOpsFeatureTest, ACopyToADestinationResolvesItsClashInTheOverwriteDialog) {
    const std::wstring source = WriteFont(L"gamma.ttf", u"TyFopFeat Gamma");
    destination_.Write(L"gamma.ttf", {'n', 'o', 't', ' ', 'a', ' ', 'f', 'o', 'n', 't'});
    app::TfrmMain& main = Open();
    ASSERT_EQ(main.FontList().Count(), 1);
    main.Settings().destinations = {L"C:\\elsewhere", destination_.Path()};
    main.FontList()[0].Tagged = true;
    ScriptedAnswers boxes(IDOK);
    int renameAsked = 0;
    ModalAnswers modal([&](ui::Dialog& dialog) {
        if (auto* box = dynamic_cast<ui::InputBox*>(&dialog)) {
            // A forbidden character first: refused, and asked again.
            box->SetEditText(++renameAsked == 1 ? L"gamma|2.ttf" : L"gamma copy.ttf");
            PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
            return;
        }
        ASSERT_NE(dynamic_cast<TfrmConfirmOverwrite*>(&dialog), nullptr);
        const std::wstring message = win::WindowText(dialog.Item(IDC_FOP_MESSAGE));
        EXPECT_NE(message.find(destination_.Path().substr(0, destination_.Path().size() - 1) + L"\" "),
                  std::wstring::npos) << message;
        EXPECT_NE(message.find(source), std::wstring::npos) << message;
        EXPECT_NE(win::WindowText(dialog.Item(IDC_FOP_NEW)).find(L"完整名称: TyFopFeat Gamma\r\n"), std::wstring::npos);
        EXPECT_EQ(win::WindowText(dialog.Item(IDC_FOP_OLD)), win::LoadResString(IDS_FOP_NO_FONT_INFO));
        // The title bar cannot close it; the view button reports the missing viewer.
        SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(dialog.Handle()));
        SendMessageW(dialog.Handle(), WM_COMMAND, IDC_FOP_VIEW_NEW, 0);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].rfind(L"无法运行 Windows 字体查看程序。", 0), 0u) << boxes.asked[0];
        PostMessageW(dialog.Handle(), WM_COMMAND, IDC_FOP_RENAME, 0);
    });
    EXPECT_TRUE(main.Commands().RunListItem(app::CommandTable::ListItemId(IDM_FONT_COPY_DESTINATIONS, 1)));
    EXPECT_EQ(renameAsked, 2);
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(boxes.asked[1], win::LoadResString(IDS_FOP_INVALID_NAME));
    EXPECT_EQ(test::ReadFileBytes(destination_.Path() + L"gamma copy.ttf"), test::ReadFileBytes(source));
    EXPECT_EQ(test::ReadFileBytes(destination_.Path() + L"gamma.ttf"), "not a font");
    EXPECT_TRUE(win::IsFile(source));
}

}  // namespace
}  // namespace typorama::tools
