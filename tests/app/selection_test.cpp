// Selection, search and filters on the real main window, created hidden and
// driven with the command messages of its menus.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/clipboard_text.h"
#include "app/find_dialog.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "settings/settings_store.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "base/text_format.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

using test::ScriptedAnswers;
using test::BuildFont;
using test::FontSpec;
using test::ModalAnswers;
using test::ScratchFolder;

// Scratch settings root and installed-font key; a main window over a scratch
// folder of fonts, hidden, with its beeps counted.
class SelectionTest : public test::MainWindowFixture {
protected:
    SelectionTest()
        : MainWindowFixture(L"selection"),
          fontsKey_(L"selection-fonts"),
          where_(catalog::ScratchLocations(fontsKey_, catalog::Locations().fontsFolder)) {}
    ~SelectionTest() override {
        if (main_) {
            for (int i = 0; i < main_->FontList().Count(); ++i) main_->FontList()[i].Tagged = false;
            main_.reset();
        }
    }

    TfrmMain& Open(const std::wstring& folder) {
        main_ = std::make_unique<TfrmMain>(where_);
        main_->QuitOnDestroy = false;
        EXPECT_TRUE(main_->Create(folder, SW_HIDE));
        main_->Beep = [this] { ++beeps; };
        return *main_;
    }
    void Run(UINT command) { SendMessageW(main_->Handle(), WM_COMMAND, command, 0); }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (int i = 0; i < main_->FontList().Count(); ++i) names.push_back(main_->FontList()[i].Name);
        return names;
    }

    test::ScratchKey fontsKey_;
    catalog::SystemLocations where_;
    std::unique_ptr<TfrmMain> main_;
    int beeps = 0;
};

std::wstring Font(const ScratchFolder& folder, const std::wstring& file, const std::u16string& family) {
    return folder.Write(file, BuildFont(FontSpec::Named(family)));
}

// Fills in TfrmFind and presses OK.
std::function<void(ui::Dialog&)> FindWith(const std::wstring& text, bool fromStart) {
    return [text, fromStart](ui::Dialog& dialog) {
        SetDlgItemTextW(dialog.Handle(), IDC_FIND_TEXT, text.c_str());
        CheckRadioButton(dialog.Handle(), IDC_FIND_CONTAINS, IDC_FIND_FROM_START,
                         fromStart ? IDC_FIND_FROM_START : IDC_FIND_CONTAINS);
        SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    };
}

TEST_F(SelectionTest, FindWithEmptyTextAndFindNextWithoutWrap) {
    ScratchFolder folder(L"selection-find");
    Font(folder, L"a.ttf", u"TySelFind Alpha");
    Font(folder, L"b.ttf", u"TySelFind Beta");
    Font(folder, L"c.ttf", u"TySelFind Apex");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"TySelFind Alpha", L"TySelFind Apex", L"TySelFind Beta"}));
    EXPECT_FALSE(main.Commands().Enabled(IDM_FIND_NEXT)) << "nothing searched yet";
    ASSERT_EQ(main.CurrentIndex(), -1);

    {
        ModalAnswers find(FindWith(L"", false));
        Run(IDM_FIND_FIND);
        EXPECT_EQ(find.shown, 1);
        EXPECT_EQ(beeps, 1) << "an empty text is contained in no name";
        EXPECT_EQ(main.CurrentIndex(), -1);
    }
    {
        ModalAnswers find(FindWith(L"", true));
        Run(IDM_FIND_FIND);
        EXPECT_EQ(beeps, 1);
        EXPECT_EQ(main.CurrentIndex(), 0) << "every name starts with the empty text";
        EXPECT_FALSE(main.Commands().Enabled(IDM_FIND_NEXT)) << "the last text is empty";
    }
    {
        // The dialog starts with the last search; a text with spaces is kept as typed.
        std::wstring startText;
        bool startedFromStart = false;
        DWORD selStart = 1, selEnd = 0;
        ModalAnswers find([&](ui::Dialog& dialog) {
            wchar_t text[64]{};
            GetDlgItemTextW(dialog.Handle(), IDC_FIND_TEXT, text, 64);
            startText = text;
            startedFromStart = IsDlgButtonChecked(dialog.Handle(), IDC_FIND_FROM_START) == BST_CHECKED;
            SendDlgItemMessageW(dialog.Handle(), IDC_FIND_TEXT, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                                reinterpret_cast<LPARAM>(&selEnd));
            FindWith(L"find a", false)(dialog);
        });
        Run(IDM_FIND_FIND);
        EXPECT_EQ(startText, L"");
        EXPECT_TRUE(startedFromStart) << "the last choice comes back";
        EXPECT_EQ(main.CurrentIndex(), 0) << "\"find a\" (any case) is in Alpha first";
        EXPECT_EQ(main.Feature<Selection>()->LastSearchText(), L"find a");
        EXPECT_FALSE(main.Feature<Selection>()->LastSearchFromStart());
    }
    {
        ModalAnswers find([&](ui::Dialog& dialog) {
            wchar_t text[64]{};
            GetDlgItemTextW(dialog.Handle(), IDC_FIND_TEXT, text, 64);
            EXPECT_STREQ(text, L"find a");
            EXPECT_EQ(IsDlgButtonChecked(dialog.Handle(), IDC_FIND_CONTAINS), BST_CHECKED);
            const LRESULT sel = SendDlgItemMessageW(dialog.Handle(), IDC_FIND_TEXT, EM_GETSEL, 0, 0);
            EXPECT_EQ(LOWORD(sel), 0);
            EXPECT_EQ(HIWORD(sel), 6) << "the whole text is selected";
            EXPECT_EQ(SendDlgItemMessageW(dialog.Handle(), IDC_FIND_TEXT, EM_GETLIMITTEXT, 0, 0), 30);
            SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        });
        Run(IDM_FIND_FIND);
        EXPECT_EQ(find.shown, 1);
        EXPECT_EQ(main.CurrentIndex(), 0) << "Cancel changes nothing";
    }

    ASSERT_TRUE(main.Commands().Enabled(IDM_FIND_NEXT));
    Run(IDM_FIND_NEXT);
    EXPECT_EQ(main.CurrentIndex(), 1) << "Apex is the next match";
    EXPECT_EQ(beeps, 1);
    Run(IDM_FIND_NEXT);
    EXPECT_EQ(main.CurrentIndex(), 1) << "no wrap at the last match";
    EXPECT_EQ(beeps, 2) << "the last match beeps";
    EXPECT_NE(main.StatusText(StatusPanel::Message).find(L"find a"), std::wstring::npos)
        << "and says in the status bar what was not found";
}

TEST_F(SelectionTest, NextAndPreviousTaggedStartAtRowZeroWithoutACurrentRow) {
    ScratchFolder folder(L"selection-tagged");
    Font(folder, L"a.ttf", u"TySelTag A");
    Font(folder, L"b.ttf", u"TySelTag B");
    Font(folder, L"c.ttf", u"TySelTag C");
    Font(folder, L"d.ttf", u"TySelTag D");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(main.FontList().Count(), 4);
    main.FontList()[0].Tagged = true;
    main.FontList()[2].Tagged = true;
    ASSERT_EQ(main.CurrentIndex(), -1);

    Run(IDM_FIND_NEXT_CHECKED);
    EXPECT_EQ(main.CurrentIndex(), 2) << "row 0 becomes current, the search starts after it";
    Run(IDM_FIND_NEXT_CHECKED);
    EXPECT_EQ(main.CurrentIndex(), 2);
    EXPECT_EQ(beeps, 1) << "no tagged row after the last one";
    EXPECT_EQ(main.StatusText(StatusPanel::Message), win::LoadResString(IDS_SELECT_NO_MORE_TAGGED));
    Run(IDM_FIND_PREV_CHECKED);
    EXPECT_EQ(main.CurrentIndex(), 0);
    Run(IDM_FIND_PREV_CHECKED);
    EXPECT_EQ(main.CurrentIndex(), 0);
    EXPECT_EQ(beeps, 2);

    main.ListBox().SetItemIndex(-1);
    ASSERT_EQ(main.CurrentIndex(), -1);
    Run(IDM_FIND_PREV_CHECKED);
    EXPECT_EQ(main.CurrentIndex(), 0) << "row 0 is made current, nothing before it";
    EXPECT_EQ(beeps, 3);
}

TEST_F(SelectionTest, TagCommandsAndAllShowsTheCheckBoxes) {
    ScratchFolder folder(L"selection-tagall");
    Font(folder, L"a.ttf", u"TySelTagAll A");
    Font(folder, L"b.ttf", u"TySelTagAll B");
    Font(folder, L"c.ttf", u"TySelTagAll C");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(main.FontList().Count(), 3);
    main.Settings().showCheckBoxes = false;

    Run(IDM_TAG_ALL);
    EXPECT_EQ(main.FontList().TaggedCount(), 3);
    EXPECT_TRUE(main.Settings().showCheckBoxes) << "tagging everything shows the check boxes";
    EXPECT_EQ(main.StatusText(StatusPanel::TagCount), L"3/3");
    main.FontList()[1].Tagged = false;
    Run(IDM_TAG_INVERT);
    EXPECT_EQ(main.FontList().TaggedCount(), 1);
    EXPECT_TRUE(main.FontList()[1].Tagged);
    EXPECT_EQ(main.StatusText(StatusPanel::TagCount), L"1/3");
    Run(IDM_TAG_LOADED);
    EXPECT_EQ(main.FontList().TaggedCount(), 0) << "the list loaded these fonts itself";
    Run(IDM_TAG_ALL);
    Run(IDM_TAG_NONE);
    EXPECT_EQ(main.FontList().TaggedCount(), 0);
    EXPECT_EQ(main.StatusText(StatusPanel::TagCount), L"0/3");
}

TEST_F(SelectionTest, RefreshKeepsTheCurrentFontOrItsRow) {
    ScratchFolder folder(L"selection-refresh");
    Font(folder, L"m.ttf", u"TySelRefresh M");
    Font(folder, L"n.ttf", u"TySelRefresh N");
    const std::wstring oFile = Font(folder, L"o.ttf", u"TySelRefresh O");
    const std::wstring pFile = Font(folder, L"p.ttf", u"TySelRefresh P");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(main.FontList().Count(), 4);
    Run(IDM_VIEW_REFRESH);
    EXPECT_EQ(main.CurrentIndex(), -1) << "no current font, none after the refresh";
    main.ListBox().SetItemIndex(1);
    main.FontList()[1].Tagged = true;

    Font(folder, L"a.ttf", u"TySelRefresh A");
    Font(folder, L"b.ttf", u"TySelRefresh B");
    ScriptedAnswers never(IDCANCEL);
    Run(IDM_VIEW_REFRESH);
    EXPECT_TRUE(never.asked.empty()) << "refresh keeps the tags and asks nothing";
    ASSERT_EQ(main.FontList().Count(), 6);
    ASSERT_GE(main.CurrentIndex(), 0);
    EXPECT_EQ(main.CurrentFont()->Name, L"TySelRefresh N") << "the same font stays current";
    EXPECT_EQ(main.CurrentIndex(), 3);
    EXPECT_TRUE(main.CurrentFont()->Tagged) << "tags survive";

    // The current font's file goes: its old row becomes current.
    main.ListBox().SetItemIndex(4);
    ASSERT_EQ(main.CurrentFont()->Name, L"TySelRefresh O");
    ASSERT_TRUE(DeleteFileW(oFile.c_str()));
    SendMessageW(main.Handle(), main.FontChangeMessage(), 0, 0);
    ASSERT_EQ(main.FontList().Count(), 5);
    EXPECT_EQ(main.CurrentIndex(), 4);
    EXPECT_EQ(main.CurrentFont()->Name, L"TySelRefresh P") << "the other font message refreshes the same way";

    // The last font goes: the new last row becomes current.
    ASSERT_TRUE(DeleteFileW(pFile.c_str()));
    Run(IDM_VIEW_REFRESH);
    ASSERT_EQ(main.FontList().Count(), 4);
    EXPECT_EQ(main.CurrentIndex(), 3);
    EXPECT_EQ(main.CurrentFont()->Name, L"TySelRefresh N");
}

TEST_F(SelectionTest, CopyNamesAndFileNamesOfTaggedFonts) {
    ScratchFolder folder(L"selection-copy");
    const std::wstring a = Font(folder, L"a.ttf", u"TySelCopy A");
    const std::wstring b = Font(folder, L"b.ttf", u"TySelCopy B");
    const std::wstring c = Font(folder, L"c.ttf", u"TySelCopy C");
    Font(folder, L"d.ttf", u"TySelCopy D");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(main.FontList().Count(), 4);
    EXPECT_FALSE(main.Commands().Enabled(IDM_FONT_COPY_NAMES)) << "nothing tagged, no current font";
    for (int i = 0; i < 3; ++i) main.FontList()[i].Tagged = true;
    main.ListBox().SetItemIndex(3);
    ASSERT_TRUE(main.Commands().Enabled(IDM_FONT_COPY_NAMES));

    CopyTextToClipboard(main.Handle(), L"before");
    Run(IDM_FONT_COPY_NAMES);
    EXPECT_EQ(ClipboardText(main.Handle()).value_or(L"<none>"), L"TySelCopy A\r\nTySelCopy B\r\nTySelCopy C\r\n")
        << "the tagged fonts, not the current one, each line ending in CR LF";
    Run(IDM_FONT_COPY_FILENAMES);
    EXPECT_EQ(ClipboardText(main.Handle()).value_or(L"<none>"), a + L"\r\n" + b + L"\r\n" + c + L"\r\n");

    for (int i = 0; i < 3; ++i) main.FontList()[i].Tagged = false;
    Run(IDM_FONT_COPY_NAMES);
    EXPECT_EQ(ClipboardText(main.Handle()).value_or(L"<none>"), L"TySelCopy D\r\n") << "else the current font";
}

TEST_F(SelectionTest, SummaryOfTheSelectedFonts) {
    ScratchFolder folder(L"selection-summary");
    const std::wstring a = Font(folder, L"a.ttf", u"TySelSum A");
    const std::wstring b = Font(folder, L"b.ttf", u"TySelSum B");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(main.FontList().Count(), 2);
    ASSERT_EQ(main.CurrentIndex(), -1);
    {
        ScriptedAnswers ok(IDOK);
        Run(IDM_TOOLS_SHOW_BYTES);
        ASSERT_EQ(ok.asked.size(), 1u) << "no question for a font first";
        EXPECT_EQ(ok.asked[0], L"总计 0 字体已选定: 0 bytes");
        EXPECT_EQ(ok.flags[0] & MB_ICONMASK, 0u) << "no icon";
    }
    main.FontList()[0].Tagged = true;
    main.FontList()[1].Tagged = true;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    std::int64_t total = 0;
    for (const std::wstring& file : {a, b}) {
        ASSERT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data));
        total += data.nFileSizeLow;
    }
    ScriptedAnswers ok(IDOK);
    Run(IDM_TOOLS_SHOW_BYTES);
    ASSERT_EQ(ok.asked.size(), 1u);
    EXPECT_EQ(ok.asked[0], L"总计 2 字体已选定: " + win::ToWide(FormatByteSize(total)));
}

TEST_F(SelectionTest, OnlySelectedFilesSetsTheUntaggedAsideAndBack) {
    ScratchFolder folder(L"selection-onlyselected");
    Font(folder, L"a.ttf", u"TySelOnly A");
    Font(folder, L"b.ttf", u"TySelOnly B");
    Font(folder, L"c.ttf", u"TySelOnly C");
    TfrmMain& main = Open(folder.Path());
    ASSERT_EQ(main.FontList().Count(), 3);
    main.FontList()[2].Tagged = true;
    main.ListBox().SetItemIndex(2);
    EXPECT_FALSE(main.Commands().Checked(IDM_FILTER_SELECTED_FILES));

    Run(IDM_FILTER_SELECTED_FILES);
    EXPECT_TRUE(main.Commands().Checked(IDM_FILTER_SELECTED_FILES));
    ASSERT_EQ(Names(), std::vector<std::wstring>{L"TySelOnly C"});
    EXPECT_EQ(main.CurrentIndex(), 0) << "the current font stays current";
    Run(IDM_FILTER_SELECTED_FILES);
    EXPECT_FALSE(main.Commands().Checked(IDM_FILTER_SELECTED_FILES));
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"TySelOnly A", L"TySelOnly B", L"TySelOnly C"}));
    EXPECT_EQ(main.CurrentIndex(), 2);
}

// The loaded fonts with the real font table: the fonts of this prefix.
TEST_F(SelectionTest, FiltersAskOnlyWhenTheListWouldChange) {
    TfrmMain& main = Open(L"");
    ASSERT_FALSE(main.IsFolderSource());
    ASSERT_GT(main.FontList().Count(), 1);
    EXPECT_TRUE(main.Commands().Enabled(IDM_CHARSET_ALL));
    EXPECT_TRUE(main.Commands().Checked(IDM_CHARSET_ALL));
    EXPECT_FALSE(main.Commands().Checked(IDM_FAMILY_SWISS));
    const int all = main.FontList().Count();
    main.FontList()[0].Tagged = true;
    {
        ScriptedAnswers cancel(IDCANCEL);
        Run(IDM_CHARSET_ALL);
        EXPECT_TRUE(cancel.asked.empty()) << "the filter in force asks nothing";
        EXPECT_TRUE(main.FontList()[0].Tagged) << "and changes nothing";
        Run(IDM_FAMILY_SWISS);
        EXPECT_EQ(cancel.asked.size(), 1u) << "another filter asks first";
        EXPECT_EQ(main.FontList().FamilyFilter(), 0) << "Cancel keeps the filter";
    }
    {
        ScriptedAnswers ok(IDOK);
        Run(IDM_FAMILY_SWISS);
        EXPECT_EQ(ok.asked.size(), 1u);
        EXPECT_EQ(main.FontList().FamilyFilter(), FF_SWISS);
        EXPECT_LT(main.FontList().Count(), all);
        EXPECT_TRUE(main.Commands().Checked(IDM_FAMILY_SWISS));
        EXPECT_FALSE(main.Commands().Checked(IDM_CHARSET_ALL));
    }
    ASSERT_GT(main.FontList().Count(), 0);
    main.FontList()[0].Tagged = true;
    const int swiss = main.FontList().Count();
    {
        ScriptedAnswers ok(IDOK);
        Run(IDM_FAMILY_SWISS);
        EXPECT_EQ(ok.asked.size(), 1u) << "the family filter in force still asks";
        EXPECT_TRUE(main.FontList()[0].Tagged) << "then changes nothing";
        EXPECT_EQ(main.FontList().Count(), swiss);
        Run(IDM_CHARSET_ALL);
        EXPECT_EQ(ok.asked.size(), 2u) << "all character sets with a family filter asks";
        EXPECT_EQ(main.FontList().FamilyFilter(), 0);
        EXPECT_EQ(main.FontList().Count(), all);
        EXPECT_TRUE(main.Commands().Checked(IDM_CHARSET_ALL));
    }
}

TEST_F(SelectionTest, AFilterDropsTheFontsSetAsideByOnlySelectedFiles) {
    TfrmMain& main = Open(L"");
    const int all = main.FontList().Count();
    ASSERT_GT(all, 1);
    main.FontList()[0].Tagged = true;
    Run(IDM_FILTER_SELECTED_FILES);
    ASSERT_EQ(main.FontList().Count(), 1);
    {
        ScriptedAnswers ok(IDOK);
        Run(IDM_FAMILY_SWISS);
    }
    ASSERT_EQ(main.FontList().FamilyFilter(), FF_SWISS);
    EXPECT_FALSE(main.Commands().Checked(IDM_FILTER_SELECTED_FILES)) << "a new filter switches it off";
    const std::vector<std::wstring> swiss = Names();
    Run(IDM_FILTER_SELECTED_FILES);
    EXPECT_EQ(main.FontList().Count(), 0) << "nothing is tagged in the new list";
    Run(IDM_FILTER_SELECTED_FILES);
    EXPECT_EQ(Names(), swiss) << "only the fonts of the new list come back, not those of the old one";
}

TEST_F(SelectionTest, FilterChecksAndEnabledStates) {
    ScratchFolder folder(L"selection-filterstate");
    Font(folder, L"a.ttf", u"TySelState A");
    TfrmMain& main = Open(folder.Path());
    for (UINT id : {IDM_CHARSET_ALL, IDM_CHARSET_HEBREW, IDM_FAMILY_MONO, IDM_FAMILY_SWISS})
        EXPECT_FALSE(main.Commands().Enabled(id)) << id << ": filters are for the loaded fonts only";
    EXPECT_TRUE(main.Commands().Enabled(IDM_FIND_FIND));
    EXPECT_TRUE(main.Commands().Enabled(IDM_TAG_ALL));
    EXPECT_TRUE(main.Commands().Enabled(IDM_VIEW_REFRESH));
    EXPECT_FALSE(main.Commands().Enabled(IDM_FONT_COPY_FILENAMES));

    // The menu shows the tag and filter sub-menus once the commands exist.
    HMENU bar = GetMenu(main.Handle());
    bool select = false, charset = false;
    std::function<void(HMENU)> walk = [&](HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            if (HMENU sub = GetSubMenu(menu, i)) {
                for (UINT id = 0; id < static_cast<UINT>(GetMenuItemCount(sub)); ++id) {
                    if (GetMenuItemID(sub, static_cast<int>(id)) == IDM_TAG_ALL) select = true;
                    if (GetMenuItemID(sub, static_cast<int>(id)) == IDM_CHARSET_HEBREW) charset = true;
                }
                walk(sub);
            }
        }
    };
    walk(bar);
    EXPECT_TRUE(select);
    EXPECT_TRUE(charset);
}

}  // namespace
}  // namespace typorama::app
