// The current font under Wine: the information pane's texts and toggles, the
// double click and Enter (character map or external viewer), the sample
// strings' box and TfrmEditString.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/current_font_commands.h"
#include "app/font_info_pane.h"
#include "app/font_list_view.h"
#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "app/sample_strings.h"
#include "base/text_format.h"
#include "catalog/scratch_locations.h"
#include "charmap/char_map_feature.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/font_texts.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::app {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ModalAnswers;
using test::ScratchFolder;
using test::ScriptedAnswers;

class CurrentFontTest : public test::MainWindowFixture {
protected:
    CurrentFontTest()
        : MainWindowFixture(L"current-font"),
          fontsKey_(L"current-font-fonts"),
          where_(catalog::ScratchLocations(fontsKey_, catalog::Locations().fontsFolder)),
          fonts_(L"current-font-files") {}
    ~CurrentFontTest() override {
        SetEnvironmentVariableW(L"TYPORAMA_ECHO_OUT", nullptr);
        CloseUntagged(main_);
    }

    // The main window over `folder` (empty: the loaded fonts, none of which has
    // a file in the scratch font list), hidden, on its first row.
    TfrmMain& Open(const std::wstring& folder) {
        CloseUntagged(main_);
        main_ = std::make_unique<TfrmMain>(where_);
        main_->QuitOnDestroy = false;
        EXPECT_TRUE(main_->Create(folder, SW_HIDE));
        if (main_->FontList().Count() > 0) SelectRow(0);
        return *main_;
    }
    // A click on a row as the user makes it.
    void SelectRow(int row) {
        const RECT rect = main_->ListBox().ItemRect(row);
        SendMessageW(main_->ListBox().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 5, rect.top + 2));
        SendMessageW(main_->ListBox().Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(rect.right - 5, rect.top + 2));
    }
    std::wstring PaneText() const { return win::WindowText(main_->FontInfoPane()); }
    bool PaneShown() const { return (GetWindowLongW(main_->FontInfoPane(), GWL_STYLE) & WS_VISIBLE) != 0; }
    void Register(const std::wstring& name, const std::wstring& file) const {
        ASSERT_EQ(RegSetKeyValueW(where_.fontsRoot, where_.fontsKey.c_str(), (name + L" (TrueType)").c_str(), REG_SZ,
                                  file.c_str(), static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

    test::ScratchKey fontsKey_;
    catalog::SystemLocations where_;
    ScratchFolder fonts_;
    std::unique_ptr<TfrmMain> main_;
};

TEST_F(CurrentFontTest, InfoPaneShowsEachCaseAndTheThreeStatusTexts) {
    ScratchFolder empty(L"current-font-empty");
    TfrmMain& none = Open(empty.Path());
    const LONG style = GetWindowLongW(none.FontInfoPane(), GWL_STYLE);
    EXPECT_EQ(style & (ES_AUTOHSCROLL | WS_HSCROLL), ES_AUTOHSCROLL | WS_HSCROLL) << "long lines scroll, not wrap";
    ASSERT_TRUE(none.RunCommand(IDM_VIEW_FONT_INFO));
    EXPECT_TRUE(PaneShown());
    EXPECT_TRUE(none.Commands().Checked(IDM_VIEW_FONT_INFO)) << "the button is down";
    EXPECT_EQ(PaneText(), L"没有字体被选定");

    TfrmMain& loaded = Open(L"");
    ASSERT_GT(loaded.FontList().Count(), 0);
    loaded.RunCommand(IDM_VIEW_FONT_INFO);
    EXPECT_EQ(PaneText(), L"字体未被永久安装 － 无详细字体信息可用。");

    const std::wstring file = fonts_.Write(L"info face.ttf", BuildFont(FontSpec::Named(u"TyInfo Face")));
    fonts_.Write(L"other.ttf", BuildFont(FontSpec::Named(u"TyInfo Other")));
    TfrmMain& main = Open(fonts_.Path());
    ASSERT_EQ(main.FontList().Count(), 2);
    // The right button with the left held on a row shows the pane.
    const RECT row = main.ListBox().ItemRect(0);
    SendMessageW(main.ListBox().Hwnd(), WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(row.right - 5, row.top + 2));
    EXPECT_TRUE(PaneShown());
    catalog::TFontListItem& item = main.FontList()[0];
    ASSERT_EQ(item.Name, L"TyInfo Face");
    const std::wstring facts = L"文件名: " + file + L" (" + win::ToWide(FormatByteSize(item.FileSize())) +
                               L")\r\n显示名称: TyInfo Face\r\n完整名称: TyInfo Face\r\n版本: Version 1.000\r\n嵌入: " +
                               ui::EmbeddingText(item.Embedding()) + L"\r\n脚本: " + ui::ScriptsText(item) +
                               L"\r\n状态: ";
    EXPECT_EQ(PaneText(), facts + L"未安装\r\n版权: Copyright (c) Typorama tests");

    Register(L"TyInfo Face", file);
    SelectRow(1);
    SelectRow(0);
    EXPECT_EQ(PaneText(), facts + L"已永久安装\r\n版权: Copyright (c) Typorama tests");
    const std::wstring elsewhere = L"C:\\elsewhere\\face.ttf";
    Register(L"TyInfo Face", elsewhere);
    SelectRow(1);
    SelectRow(0);
    EXPECT_EQ(PaneText(), facts + L"同样的字体被安装自 \"" + elsewhere + L"\"\r\n版权: Copyright (c) Typorama tests");

    main.RunCommand(IDM_VIEW_FONT_INFO);
    EXPECT_FALSE(PaneShown());
    EXPECT_FALSE(main.Commands().Checked(IDM_VIEW_FONT_INFO));
}

TEST_F(CurrentFontTest, DoubleClickOpensTheCharacterMapOrRunsTheViewer) {
    TfrmMain& loaded = Open(L"");
    ASSERT_GT(loaded.FontList().Count(), 0);
    ASSERT_TRUE(loaded.FontList()[0].FileName().empty());
    loaded.Settings().dblClickOpenType = 0;
    const RECT row = loaded.ListBox().ItemRect(0);
    SendMessageW(loaded.ListBox().Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.right - 5, row.top + 2));
    EXPECT_NE(loaded.Feature<charmap::CharMapFeature>()->CharMapWindow(), nullptr)
        << "a font without a file still opens the character map";

    ScriptedAnswers answers(IDOK);
    loaded.Settings().dblClickOpenType = 1;
    SendMessageW(loaded.ListBox().Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0], win::LoadResString(IDS_PROG_NO_FILE_LOCATION));

    // The viewer command, expanded, starts a program of its own.
    ScratchFolder tools(L"current-font-tools");
    const std::string bytes = test::ReadFileBytes(test::ProgramFolder() + L"echo_command_line.exe");
    const std::wstring helper = tools.Write(L"查看 工具.exe", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const std::wstring out = tools.Path() + L"echoed.txt";
    SetEnvironmentVariableW(L"TYPORAMA_ECHO_OUT", out.c_str());
    const std::wstring file = fonts_.Write(L"view me.ttf", BuildFont(FontSpec::Named(u"TyView Face")));
    TfrmMain& main = Open(fonts_.Path());
    main.Settings().dblClickOpenType = 1;
    main.Settings().dblClickOpenCmdLine = L"\"" + helper + L"\" \"$TY_FILEPATH\" $TY_LIST_SELECTED";
    SendMessageW(main.ListBox().Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    std::wstring echoed;
    for (int waited = 0; waited < 10000 && echoed.empty(); waited += 50) {
        Sleep(50);
        const std::string got = test::ReadFileBytes(out);
        if (GetFileAttributesW(out.c_str()) != INVALID_FILE_ATTRIBUTES && got != "<cannot read>")
            echoed = win::Utf8ToWide(got);
    }
    EXPECT_EQ(echoed, L"\"" + helper + L"\" \"" + file + L"\" $TY_LIST_SELECTED")
        << "the viewer's variables, without the list file";
    EXPECT_EQ(answers.asked.size(), 1u) << "no further message";

    // Properties hands the file to the shell.
    std::wstring shown;
    main.Feature<CurrentFontCommands>()->ShowPropertiesSheet = [&shown](const std::wstring& f) {
        shown = f;
        return true;
    };
    main.RunCommand(IDM_FONT_PROPERTIES);
    EXPECT_EQ(shown, file);
}

TEST_F(CurrentFontTest, SampleStringBoxAddsShowsAndHides) {
    fonts_.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TySample Face")));
    TfrmMain& main = Open(fonts_.Path());
    ShowWindow(main.Handle(), SW_SHOW);
    const HWND box = main.UserStringBox();
    main.RunCommand(IDM_VIEW_USER_STRING);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_TRUE(main.Settings().showUserString);
    EXPECT_TRUE(IsChild(box, GetFocus())) << "the box takes the focus when shown";
    SampleStrings& samples = *main.Feature<SampleStrings>();
    const auto count = [box] { return SendMessageW(box, CB_GETCOUNT, 0, 0); };
    const LRESULT before = count();

    SetWindowTextW(box, L"  Handgloves ");
    // Enter released in the box adds its text.
    SendMessageW(GetFocus(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(count(), before + 1);
    EXPECT_EQ(main.Settings().sampleStrings.items.back(), L"Handgloves") << "trimmed";
    EXPECT_EQ(main.Feature<FontListView>()->PaintOptions().userText, L"Handgloves") << "the rows draw the box's text";
    EXPECT_FALSE(samples.AddCurrentText()) << "the same text adds nothing";
    SetWindowTextW(box, L"handgloves");
    EXPECT_TRUE(samples.AddCurrentText()) << "letter case makes another string";
    EXPECT_EQ(count(), before + 2);
    SetWindowTextW(box, L"   ");
    EXPECT_FALSE(samples.MenuCommandEnabled(IDM_USER_STRING_ADD));

    samples.RunMenuCommand(IDM_USER_STRING_HIDE);
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_FALSE(main.Settings().showUserString);
    EXPECT_FALSE(main.Commands().Checked(IDM_VIEW_USER_STRING));
    EXPECT_FALSE(main.Feature<FontListView>()->PaintOptions().useUserText) << "the rows show the names again";
    EXPECT_EQ(GetFocus(), main.ListBox().Hwnd());
}

TEST_F(CurrentFontTest, EditStringDialogTakesThirtyCharacters) {
    TfrmMain& main = Open(fonts_.Path());
    std::wstring caption;
    ModalAnswers answers([&caption](ui::Dialog& dialog) {
        caption = win::WindowText(dialog.Handle());
        const HWND edit = dialog.Item(IDC_EDIT_STRING_TEXT);
        EXPECT_EQ(win::WindowText(edit), L"old");
        EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 30);
        SetWindowTextW(edit, L" new one ");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    std::wstring text = L"old";
    EXPECT_TRUE(EditSampleString(main.Handle(), text));
    EXPECT_EQ(text, L" new one ") << "the caller trims";
    EXPECT_EQ(caption, L"编辑字串");
    EXPECT_EQ(answers.shown, 1);
}

}  // namespace
}  // namespace typorama::app
