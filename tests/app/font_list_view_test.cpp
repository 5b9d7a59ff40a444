// The font list view of the real main window (created hidden): rows, the
// sample size commands, the status bar and title, and the list driven with
// the mouse and key messages a user's input would send.
#include "app/font_list_view.h"
#include "app/font_row_painter.h"

#include <gtest/gtest.h>

#include "app/main_window_fixture.h"

#include <vector>

#include "catalog/font_registry.h"
#include "catalog/scratch_locations.h"
#include "settings/settings_store.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/font_texts.h"
#include "ui/image_strip.h"
#include "ui/input_box.h"
#include "ui/resource.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/unique_handle.h"

namespace typorama::app {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;

class FontListViewTest : public test::MainWindowFixture {
protected:
    FontListViewTest() : MainWindowFixture(L"list-view") {}
    // The window on `folder` (empty: the loaded fonts), 400 x 600, its beeps counted.
    std::unique_ptr<TfrmMain> Open(const std::wstring& folder) {
        auto main = OpenHidden(folder);
        if (!main) return nullptr;
        SetWindowPos(main->Handle(), nullptr, 0, 0, 400, 600, SWP_NOZORDER | SWP_NOACTIVATE);
        main->Beep = [this] { ++beeps; };
        return main;
    }
    int beeps = 0;
};

std::wstring Title(HWND window) {
    wchar_t title[MAX_PATH]{};
    GetWindowTextW(window, title, MAX_PATH);
    return title;
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A click of the list as the mouse would make it: down, then up.
void Click(HWND window, UINT down, POINT p, WPARAM keys = 0) {
    SendMessageW(window, down, keys | (down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON), At(p));
    SendMessageW(window, down == WM_RBUTTONDOWN ? WM_RBUTTONUP : WM_LBUTTONUP, keys, At(p));
}

// Holds Ctrl down in this thread's key state while it lives.
class CtrlHeld {
public:
    CtrlHeld() { Set(0x80); }
    ~CtrlHeld() { Set(0); }

private:
    static void Set(BYTE state) {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
        SetKeyboardState(keys);
    }
};

// Counts the pop-up menus the window opens and closes each at once.
struct PopupCounter {
    explicit PopupCounter(TfrmMain& main) {
        main.AddMessageHandler([this](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message == WM_INITMENUPOPUP && active) {
                ++opened;
                EndMenu();
            }
            return false;
        });
    }
    bool active = true;
    int opened = 0;
};

// Paints `list` into a bitmap as WM_PAINT would paint the screen.
class Snapshot {
public:
    explicit Snapshot(HWND list) {
        GetClientRect(list, &client_);
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_.reset(CreateCompatibleBitmap(screen, client_.right, client_.bottom));
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_, bitmap_.get());
        SendMessageW(list, WM_PAINT, reinterpret_cast<WPARAM>(dc_), 0);
    }
    ~Snapshot() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    // Pixels in `area` that differ from `background`.
    int CountOtherThan(COLORREF background, RECT area) const {
        int count = 0;
        for (int y = std::max(0L, area.top); y < std::min(client_.bottom, area.bottom); ++y)
            for (int x = std::max(0L, area.left); x < std::min(client_.right, area.right); ++x)
                if (GetPixel(dc_, x, y) != background) ++count;
        return count;
    }

private:
    RECT client_{};
    HDC dc_ = nullptr;
    win::UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

TEST_F(FontListViewTest, RowHeightsAndTheSizeCommands) {
    ScratchFolder folder(L"list-view-size");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyViewSizeA")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    ui::ThVirtualListBox& list = main->ListBox();
    auto rowHeight = [&] { return static_cast<int>(SendMessageW(list.Hwnd(), LB_GETITEMHEIGHT, 0, 0)); };

    EXPECT_EQ(rowHeight(), 46) << "size 36 with the name line";
    main->Feature<app::FontListView>()->SetFontSize(20);
    EXPECT_EQ(rowHeight(), 30);
    EXPECT_EQ(main->StatusText(StatusPanel::Size), L"20");
    ASSERT_TRUE(main->Commands().Checked(IDM_VIEW_FULL_NAMES));
    main->RunCommand(IDM_VIEW_FULL_NAMES);
    EXPECT_FALSE(main->Settings().showFontName);
    EXPECT_FALSE(main->Commands().Checked(IDM_VIEW_FULL_NAMES));
    EXPECT_EQ(rowHeight(), 20) << "without the name line the row is the sample size";
    main->RunCommand(IDM_VIEW_FULL_NAMES);
    EXPECT_EQ(rowHeight(), 30);

    main->Feature<app::FontListView>()->SetFontSize(25);
    main->RunCommand(IDM_VIEW_DEC_FONT_SIZE);
    EXPECT_EQ(main->Settings().fontSize, 20);
    main->RunCommand(IDM_VIEW_DEC_FONT_SIZE);
    EXPECT_EQ(main->Settings().fontSize, 20) << "the decrease stops at 20";
    main->Feature<app::FontListView>()->SetFontSize(1000);
    main->RunCommand(IDM_VIEW_INC_FONT_SIZE);
    EXPECT_EQ(main->Settings().fontSize, 1010) << "the increase has no upper limit";
    EXPECT_EQ(rowHeight(), 1020) << "rows taller than a list box's 255 pixels";

    // Ctrl + keypad multiply, through the window's accelerators.
    {
        CtrlHeld ctrl;
        MSG key{list.Hwnd(), WM_KEYDOWN, VK_MULTIPLY, 1, 0, {}};
        EXPECT_TRUE(main->PreTranslate(key));
    }
    EXPECT_EQ(main->Settings().fontSize, 36) << "Ctrl+Num * is size 36";

    // The size list: cleaned, the entry of the current size checked, a non-number never.
    main->Settings().fontSizes = L"  22  big   36 48 ";
    const MenuList* sizes = main->Commands().FindList(IDM_VIEW_FONT_SIZE_LIST);
    ASSERT_NE(sizes, nullptr);
    const std::vector<ListedItem> items = sizes->items();
    EXPECT_EQ(main->Settings().fontSizes, L"22 big 36 48") << "the setting keeps the cleaned text";
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].text, L"big");
    EXPECT_FALSE(items[1].checked);
    EXPECT_TRUE(items[2].checked) << "36 is the current size";
    EXPECT_FALSE(main->Commands().Checked(IDM_VIEW_FONT_SIZE_CUSTOM));
    sizes->choose(3);
    EXPECT_EQ(main->Settings().fontSize, 48);
    main->Feature<app::FontListView>()->SetFontSize(37);
    EXPECT_TRUE(main->Commands().Checked(IDM_VIEW_FONT_SIZE_CUSTOM)) << "no entry is 37: custom is down";
    sizes->choose(1);
    EXPECT_EQ(main->Settings().fontSize, 36) << "a non-number entry gives 36";
    main->Settings().fontSizes = L"   ";
    EXPECT_EQ(sizes->items().size(), 6u);
    EXPECT_EQ(main->Settings().fontSizes, L"22 28 36 48 72 100");

    // The custom size: the input box with the current size, the typed text parsed.
    std::wstring caption, prompt, shown;
    ui::SetModalHook([&](ui::Dialog& dialog) {
        wchar_t text[100]{};
        GetWindowTextW(dialog.Handle(), text, 100);
        caption = text;
        GetDlgItemTextW(dialog.Handle(), IDC_INPUT_PROMPT, text, 100);
        prompt = text;
        GetDlgItemTextW(dialog.Handle(), IDC_INPUT_EDIT, text, 100);
        shown = text;
        static_cast<ui::InputBox&>(dialog).SetEditText(L" 5000 ");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });
    main->RunCommand(IDM_VIEW_FONT_SIZE_CUSTOM);
    EXPECT_EQ(caption, L"Typorama");
    EXPECT_EQ(prompt, L"输入新字号:");
    EXPECT_EQ(shown, L"36");
    EXPECT_EQ(main->Settings().fontSize, 1000) << "clamped to 1000";
    ui::SetModalHook([](ui::Dialog& dialog) {
        static_cast<ui::InputBox&>(dialog).SetEditText(L"48");
        PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    main->RunCommand(IDM_VIEW_FONT_SIZE_CUSTOM);
    EXPECT_EQ(main->Settings().fontSize, 1000) << "Cancel changes nothing";
}

TEST_F(FontListViewTest, StatusTextsAndTitlesFollowTheSource) {
    ScratchFolder empty(L"list-view-empty");
    ScratchFolder folder(L"list-view-title");
    const std::wstring file = folder.Write(L"sub\\a.ttf", BuildFont(FontSpec::Named(u"TyViewTitleA")));
    auto main = Open(empty.Path());
    ASSERT_TRUE(main);
    catalog::TFontList& fonts = main->FontList();
    ASSERT_EQ(fonts.Count(), 0);
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"0/0");
    EXPECT_EQ(main->StatusText(StatusPanel::Filter), L"全部") << "a folder has no filter";
    EXPECT_EQ(main->StatusText(StatusPanel::Size), L"36");
    EXPECT_EQ(Title(main->Handle()), L"Typorama - " + fonts.Folder());
    {
        // With no rows the list says so, one row height from the top.
        const int height = main->ListBox().ItemHeight();
        Snapshot shot(main->ListBox().Hwnd());
        EXPECT_GT(shot.CountOtherThan(main->Colors().back, RECT{0, height, 400, height + 20}), 10)
            << "the empty list's text";
        EXPECT_EQ(shot.CountOtherThan(main->Colors().back, RECT{0, 0, 400, height}), 0) << "nothing above it";
    }

    fonts.SetFolder(folder.Path());
    fonts.IncludeSubfolders = true;
    fonts.Rebuild(false);
    ASSERT_EQ(fonts.Count(), 1);
    EXPECT_EQ(Title(main->Handle()), L"Typorama - " + folder.Path() + L"*") << "subfolders included";
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"0/1");

    fonts.SetSourceKind(catalog::SourceKind::FileList);
    fonts.Files = {file};
    fonts.Rebuild(false);
    EXPECT_EQ(Title(main->Handle()), L"Typorama - 磁盘上字体 (搜索结果)");
    fonts[0].Tagged = true;
    fonts.SetShowTaggedOnly(true);
    EXPECT_EQ(Title(main->Handle()), L"Typorama - 磁盘上字体 (搜索结果)*") << "only the selected files";
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"1/1");
    fonts.SetShowTaggedOnly(false);
    fonts[0].Tagged = false;

    fonts.SetSourceKind(catalog::SourceKind::System);
    fonts.Rebuild(false);
    EXPECT_EQ(Title(main->Handle()), L"Typorama - 已载入的字体");
    EXPECT_EQ(main->StatusText(StatusPanel::Filter), L"全");
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"0/" + std::to_wstring(fonts.Count()));
    fonts.SetCharsetFilter(GREEK_CHARSET);
    EXPECT_EQ(main->StatusText(StatusPanel::Filter), L"希腊");
    EXPECT_EQ(Title(main->Handle()), L"Typorama - 已载入的字体*");
    fonts.SetFamilyFilter(FF_MODERN);
    EXPECT_EQ(main->StatusText(StatusPanel::Filter), L"现代") << "a family filter names itself";
    EXPECT_EQ(Title(main->Handle()), L"Typorama - 已载入的字体*");
    fonts.SetCharsetFilter(DEFAULT_CHARSET);
    EXPECT_EQ(Title(main->Handle()), L"Typorama - 已载入的字体");
}

TEST_F(FontListViewTest, CheckBoxClicksTagRowsAndShiftClickRanges) {
    ScratchFolder folder(L"list-view-click");
    for (const char16_t* name : {u"TyViewClickA", u"TyViewClickB", u"TyViewClickC", u"TyViewClickD"})
        folder.Write(std::wstring(reinterpret_cast<const wchar_t*>(name)) + L".ttf", BuildFont(FontSpec::Named(name)));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 4);
    ASSERT_EQ(main->Feature<app::FontListView>()->ShiftClickAnchor(), -1);
    const HWND list = main->ListBox().Hwnd();
    auto box = [&](int row) { return Centre(CheckBoxHitArea(main->ListBox().ItemRect(row), false)); };
    auto tags = [&] {
        std::vector<bool> tagged;
        for (int i = 0; i < main->FontList().Count(); ++i) tagged.push_back(main->FontList()[i].Tagged);
        return tagged;
    };

    Click(list, WM_LBUTTONDOWN, box(2), MK_SHIFT);
    EXPECT_EQ(tags(), (std::vector<bool>{false, false, true, false})) << "no anchor: shift-click ticks one row";
    EXPECT_EQ(main->CurrentIndex(), 2) << "the click also selects the row";
    EXPECT_EQ(main->Feature<app::FontListView>()->ShiftClickAnchor(), 2);
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"1/4");
    EXPECT_EQ(main->StatusText(StatusPanel::Message).rfind(L"3: TyViewClickC - ", 0), 0u)
        << "the current row's status line";

    Click(list, WM_LBUTTONDOWN, box(0), MK_SHIFT);
    EXPECT_EQ(tags(), (std::vector<bool>{true, true, true, false})) << "from the anchor upwards, set not toggled";
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"3/4");

    Click(list, WM_LBUTTONDOWN, box(1));
    EXPECT_EQ(tags(), (std::vector<bool>{true, false, true, false})) << "a plain click toggles";

    // Away from the check box a click only selects.
    RECT row3 = main->ListBox().ItemRect(3);
    Click(list, WM_LBUTTONDOWN, POINT{row3.right - 10, row3.top + 5});
    EXPECT_EQ(main->CurrentIndex(), 3);
    EXPECT_EQ(tags(), (std::vector<bool>{true, false, true, false}));

    // The right button ticks a check box too; elsewhere it selects and opens the context menu.
    PopupCounter popups(*main);
    Click(list, WM_RBUTTONDOWN, box(1));
    EXPECT_EQ(tags(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(popups.opened, 0);
    Click(list, WM_RBUTTONDOWN, POINT{row3.right - 10, main->ListBox().ItemRect(0).top + 5});
    EXPECT_EQ(main->CurrentIndex(), 0) << "the right button makes the row current";
    EXPECT_EQ(popups.opened, 1) << "and opens the context menu";

    // Without check boxes the same place only selects.
    main->RunCommand(IDM_VIEW_CHECKBOXES);
    EXPECT_FALSE(main->Settings().showCheckBoxes);
    Click(list, WM_LBUTTONDOWN, box(3));
    EXPECT_EQ(tags(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(main->CurrentIndex(), 3);

    // Space toggles the current row's tag.
    SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(tags(), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(main->StatusText(StatusPanel::TagCount), L"4/4");
    SendMessageW(list, WM_CHAR, L' ', 0);
    EXPECT_EQ(main->CurrentIndex(), 3) << "the space is no letter to look for";
    for (int i = 0; i < 4; ++i) main->FontList()[i].Tagged = false;
    popups.active = false;
}

TEST_F(FontListViewTest, TypeAheadFindsWrapsAndBeeps) {
    ScratchFolder folder(L"list-view-type");
    folder.Write(L"1.ttf", BuildFont(FontSpec::Named(u"Kilo TyViewType")));
    folder.Write(L"2.ttf", BuildFont(FontSpec::Named(u"Kite TyViewType")));
    folder.Write(L"3.ttf", BuildFont(FontSpec::Named(u"Lima TyViewType")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 3);
    const HWND list = main->ListBox().Hwnd();
    ASSERT_EQ(main->CurrentIndex(), -1);

    SendMessageW(list, WM_CHAR, L'k', 0);
    EXPECT_EQ(main->CurrentIndex(), 0);
    EXPECT_EQ(main->StatusText(StatusPanel::Message).rfind(L"1: Kilo TyViewType - ", 0), 0u);
    SendMessageW(list, WM_CHAR, L'K', 0);
    EXPECT_EQ(main->CurrentIndex(), 1);
    EXPECT_EQ(beeps, 0);
    SendMessageW(list, WM_CHAR, L'k', 0);
    EXPECT_EQ(main->CurrentIndex(), 0) << "past the last K it starts over";
    EXPECT_EQ(beeps, 1) << "the wrap beeps";
    SendMessageW(list, WM_CHAR, L'z', 0);
    EXPECT_EQ(beeps, 3) << "no Z: the wrap beeps, then not found";
    EXPECT_EQ(main->CurrentIndex(), 0) << "nothing found keeps the row";
    SendMessageW(list, WM_CHAR, L'l', 0);
    EXPECT_EQ(main->CurrentIndex(), 2);
}

// Names in any script: a letter beyond Latin-1, a Chinese character, and one
// beyond the first plane that arrives as two halves.
TEST_F(FontListViewTest, TypeAheadReachesNamesInEveryScript) {
    ScratchFolder folder(L"list-view-type-any");
    folder.Write(L"1.ttf", BuildFont(FontSpec::Named(u"\u00C9lan TyViewAny")));
    folder.Write(L"2.ttf", BuildFont(FontSpec::Named(u"\u5B8B\u4F53 TyViewAny")));
    folder.Write(L"3.ttf", BuildFont(FontSpec::Named(u"\U00020000 TyViewAny")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 3);
    const HWND list = main->ListBox().Hwnd();

    SendMessageW(list, WM_CHAR, L'\u00E9', 0);
    EXPECT_EQ(main->CurrentIndex(), 0) << "case ignored beyond A-Z";
    SendMessageW(list, WM_CHAR, L'\u5B8B', 0);
    EXPECT_EQ(main->CurrentIndex(), 1);
    SendMessageW(list, WM_CHAR, 0xD840, 0);
    EXPECT_EQ(main->CurrentIndex(), 1) << "half a character finds nothing yet";
    SendMessageW(list, WM_CHAR, 0xDC00, 0);
    EXPECT_EQ(main->CurrentIndex(), 2);
    SendMessageW(list, WM_CHAR, L'\u3000', 0);
    SendMessageW(list, WM_CHAR, 0x7F, 0);
    EXPECT_EQ(main->CurrentIndex(), 2) << "white space and controls are no letters";
    EXPECT_EQ(beeps, 0);
}

TEST_F(FontListViewTest, HoverWheelAndTheScrollHint) {
    auto main = Open(L"");  // the loaded fonts: enough rows to scroll
    ASSERT_TRUE(main);
    main->Feature<app::FontListView>()->SetFontSize(20);
    ui::ThVirtualListBox& list = main->ListBox();
    const HWND hwnd = list.Hwnd();
    RECT client{};
    GetClientRect(hwnd, &client);
    const int page = client.bottom / list.ItemHeight();
    ASSERT_GT(page, 2);
    ASSERT_GT(main->FontList().Count(), 3 * page) << "the prefix's fonts";

    const RECT row1 = list.ItemRect(1);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(Centre(row1)));
    EXPECT_EQ(main->Feature<app::FontListView>()->HoveredRow(), 1);
    EXPECT_EQ(main->StatusText(StatusPanel::Message), L"2: " + ui::StatusLine(main->FontList()[1]));

    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(list.TopIndex(), page) << "the wheel moves a page";
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(list.TopIndex(), 2 * page);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(list.TopIndex(), page);
    list.SetTopIndex(1);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(list.TopIndex(), 0) << "not above the first row";
    EXPECT_EQ(main->CurrentIndex(), -1) << "the wheel leaves the current row";

    // The same place now holds another row; the status follows the mouse.
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(Centre(list.ItemRect(0))));
    EXPECT_EQ(main->Feature<app::FontListView>()->HoveredRow(), 0);
    EXPECT_EQ(main->StatusText(StatusPanel::Message).rfind(L"1: ", 0), 0u);

    // Dragging the scroll box with Ctrl shows the row's name instead of scrolling.
    {
        CtrlHeld ctrl;
        SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5), 0);
        const ui::HintWindow* hint = main->Feature<app::FontListView>()->ScrollHint();
        ASSERT_NE(hint, nullptr);
        EXPECT_TRUE(IsWindowVisible(hint->Handle()));
        EXPECT_FALSE(hint->Text().empty());
        EXPECT_EQ(list.TopIndex(), 0) << "no scrolling while the hint shows";
        SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        EXPECT_EQ(main->Feature<app::FontListView>()->ScrollHint(), nullptr) << "the hint goes at the end";
    }
    SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_GT(list.TopIndex(), 0) << "without Ctrl the bar scrolls";

    // Ctrl with the wheel sizes the samples and does not scroll.
    const int top = list.TopIndex();
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
    EXPECT_EQ(main->Settings().fontSize, 30) << "one step, as Ctrl+keypad plus";
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(main->Settings().fontSize, 20);
    EXPECT_EQ(list.TopIndex(), top);

    // A new list names no row of the old one.
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(Centre(list.ItemRect(list.TopIndex()))));
    ASSERT_FALSE(main->StatusText(StatusPanel::Message).empty());
    main->FontList().Rebuild(false);
    EXPECT_EQ(main->StatusText(StatusPanel::Message), L"");
}

TEST_F(FontListViewTest, StatusBarSlotsTakeClicks) {
    ScratchFolder folder(L"list-view-bar");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyViewBarA")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    const HWND bar = main->StatusBar();
    int resets = 0;
    main->Commands().Add(IDM_CHARSET_ALL, {[&] { ++resets; }, {}, [] { return true; }});
    main->Commands().Add(IDM_TAG_ALL, {[] {}, {}, {}});
    PopupCounter popups(*main);

    StatusSlots slots = main->Feature<app::FontListView>()->StatusBar().Layout();
    ASSERT_TRUE(slots.shown[1] && slots.shown[2] && slots.shown[3]);
    auto centre = [](const SlotRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
    EXPECT_EQ(main->Feature<app::FontListView>()->StatusBar().SlotAt(centre(slots.slots[2])), 2);
    Click(bar, WM_LBUTTONDOWN, centre(slots.slots[2]));
    EXPECT_EQ(beeps, 1) << "a folder has no filter: a beep";
    EXPECT_EQ(popups.opened, 0);
    Click(bar, WM_LBUTTONDOWN, centre(slots.slots[3]));
    EXPECT_EQ(popups.opened, 1) << "the tag pop-up";
    Click(bar, WM_RBUTTONDOWN, centre(slots.slots[3]));
    EXPECT_EQ(popups.opened, 1) << "the right button on the tag slot does nothing";
    Click(bar, WM_LBUTTONDOWN, centre(slots.slots[1]));
    EXPECT_EQ(popups.opened + beeps + resets, 2) << "the size slot does nothing";

    main->FontList().SetSourceKind(catalog::SourceKind::System);
    main->FontList().Rebuild(false);
    slots = main->Feature<app::FontListView>()->StatusBar().Layout();
    Click(bar, WM_RBUTTONDOWN, centre(slots.slots[2]));
    EXPECT_EQ(resets, 1) << "the right button resets the filter";
    Click(bar, WM_LBUTTONDOWN, centre(slots.slots[2]));
    EXPECT_EQ(popups.opened, 2) << "the filter pop-up";
    EXPECT_EQ(beeps, 1);
    popups.active = false;
}

TEST_F(FontListViewTest, DeleteKeyRunsTheDeleteCommand) {
    ScratchFolder folder(L"list-view-delete");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyViewDeleteA")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    int deletes = 0;
    main->Commands().Add(IDM_FONT_DELETE, {[&] { ++deletes; }, {}, {}});
    MSG key{main->ListBox().Hwnd(), WM_KEYDOWN, VK_DELETE, 1, 0, {}};
    EXPECT_TRUE(main->PreTranslate(key));
    EXPECT_EQ(deletes, 1);

    // In the sample-string box Delete deletes text, not fonts.
    ShowWindow(main->Handle(), SW_SHOWNA);
    ShowWindow(main->UserStringBox(), SW_SHOWNA);
    const HWND edit = FindWindowExW(main->UserStringBox(), nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"abc");
    SetFocus(edit);
    ASSERT_EQ(GetFocus(), edit);
    SendMessageW(edit, EM_SETSEL, 0, 0);
    MSG inBox{edit, WM_KEYDOWN, VK_DELETE, 1, 0, {}};
    EXPECT_TRUE(main->PreTranslate(inBox));
    EXPECT_EQ(deletes, 1);
    wchar_t text[16]{};
    GetWindowTextW(edit, text, 16);
    EXPECT_STREQ(text, L"bc");

    // Nor in a name being edited elsewhere in the window (a folder of the tree).
    const HWND rename = CreateWindowExW(0, L"EDIT", L"xyz", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, main->Handle(),
                                        nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFocus(rename);
    SendMessageW(rename, EM_SETSEL, 0, 0);
    MSG inRename{rename, WM_KEYDOWN, VK_DELETE, 1, 0, {}};
    EXPECT_TRUE(main->PreTranslate(inRename));
    EXPECT_EQ(deletes, 1);
    GetWindowTextW(rename, text, 16);
    EXPECT_STREQ(text, L"yz");
    DestroyWindow(rename);
}

TEST_F(FontListViewTest, ATickedCheckBoxIsRepaintedWhereItWasClicked) {
    ScratchFolder folder(L"list-view-repaint");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyViewRepaintA")));
    folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyViewRepaintB")));
    folder.Write(L"c.ttf", BuildFont(FontSpec::Named(u"TyViewRepaintC")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    ShowWindow(main->Handle(), SW_SHOWNA);
    const HWND list = main->ListBox().Hwnd();
    main->ListBox().SetItemIndex(0);
    UpdateWindow(list);
    ValidateRect(list, nullptr);

    // The right button ticks a row without making it current.
    const RECT box = CheckBoxHitArea(main->ListBox().ItemRect(2), false);
    Click(list, WM_RBUTTONDOWN, Centre(box));
    ASSERT_TRUE(main->FontList()[2].Tagged);
    EXPECT_EQ(main->CurrentIndex(), 0);
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(list, update, FALSE);
    const POINT ticked = Centre(box);
    const POINT current = Centre(CheckBoxHitArea(main->ListBox().ItemRect(0), false));
    EXPECT_TRUE(PtInRegion(update, ticked.x, ticked.y)) << "the ticked row's check box is repainted";
    EXPECT_FALSE(PtInRegion(update, current.x, current.y)) << "not the current row's";
    DeleteObject(update);
    main->FontList()[2].Tagged = false;
}

TEST_F(FontListViewTest, RowsDrawTheirCheckBoxMarkAndNameLine) {
    ScratchFolder folder(L"list-view-draw");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyViewDrawA")));
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    const HWND list = main->ListBox().Hwnd();
    const COLORREF back = main->Colors().back;
    const RECT row = main->ListBox().ItemRect(0);
    const RECT box = CheckBoxHitArea(row, false);
    const RECT nameLine{box.right + 20, row.bottom - 12, row.right, row.bottom};
    ASSERT_EQ(InstalledMark(main->FontList()[0], true), -1) << "a font only the list loaded has no mark";
    {
        Snapshot shot(list);
        EXPECT_GT(shot.CountOtherThan(back, box), 20) << "the check box";
        EXPECT_GT(shot.CountOtherThan(back, nameLine), 10) << "the name line";
    }
    main->RunCommand(IDM_VIEW_CHECKBOXES);
    main->RunCommand(IDM_VIEW_FULL_NAMES);
    {
        Snapshot shot(list);
        const RECT below{row.left, main->ListBox().ItemHeight(), row.right, main->ListBox().ItemHeight() + 40};
        EXPECT_EQ(shot.CountOtherThan(back, below), 0) << "one row 36 high, nothing under it";
    }
    main->Settings().showUserString = true;
    EXPECT_EQ(main->Feature<app::FontListView>()->PaintOptions().userText, L"Type Here") << "the sample strings' default";
    SetWindowTextW(main->UserStringBox(), L"");
    EXPECT_EQ(main->Feature<app::FontListView>()->PaintOptions().userText, L"AaBbCc123") << "an empty sample text";
    SetWindowTextW(main->UserStringBox(), L"  Hello \t");
    EXPECT_EQ(main->Feature<app::FontListView>()->PaintOptions().userText, L"Hello");
    SetWindowTextW(main->UserStringBox(), L"   ");
    EXPECT_EQ(main->Feature<app::FontListView>()->PaintOptions().userText, L"AaBbCc123") << "a blank sample text";
}

TEST(InstalledMarkTest, FolderFontsShowWhereTheyAreInstalledFrom) {
    ScratchFolder folder(L"list-view-mark");
    test::ScratchKey key(L"list-view-mark");
    const catalog::SystemLocations where = catalog::ScratchLocations(key, catalog::Locations().fontsFolder);
    const std::wstring file = folder.Write(L"mark.ttf", BuildFont(FontSpec::Named(u"TyViewMarkA")));
    ASSERT_TRUE(catalog::RegisterFont(L"TyViewMarkA", folder.Path() + L"elsewhere\\mark.ttf", where));
    catalog::TFontList list(where);
    list.SetSourceKind(catalog::SourceKind::Folder);
    list.SetFolder(folder.Path());
    list.Rebuild(false);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(InstalledMark(list[0], true), ui::kImageBadgePurple) << "installed from another file";

    ASSERT_TRUE(catalog::UnregisterFont(L"TyViewMarkA", folder.Path() + L"elsewhere\\mark.ttf", where));
    ASSERT_TRUE(catalog::RegisterFont(L"TyViewMarkA", file, where));
    list.Rebuild(false);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(InstalledMark(list[0], true), ui::kImageBadgeBlue) << "installed from this file";

    catalog::TFontListItem loose(where);
    EXPECT_EQ(InstalledMark(loose, true), ui::kImageBadgeGreen) << "not installed, not loaded by the list";
    loose.LoadedByList = true;
    EXPECT_EQ(InstalledMark(loose, true), -1);
    EXPECT_EQ(InstalledMark(loose, false), ui::kImageBadgeGreen) << "a loaded font that is not installed";
    loose.Installed = true;
    EXPECT_EQ(InstalledMark(loose, false), -1);
}

}  // namespace
}  // namespace typorama::app

namespace typorama::app {
namespace {

// A font that maps only Greek small letters gets a sample of them instead of
// boxes; a font that has the sample's characters keeps the sample.
TEST(FontRowPainter, AFontWithoutTheSamplesCharactersShowsItsOwn) {
    FontSpec greek = FontSpec::Named(u"TyGreekOnly");
    for (char32_t c = U'α'; c <= U'ω'; ++c) {
        test::GlyphOutline glyph;
        glyph.codePoint = c;
        glyph.contours = {{{50, 0}, {450, 0}, {450, 500}, {50, 500}}};
        greek.glyphs.push_back(glyph);
    }
    const std::vector<std::uint8_t> bytes = BuildFont(greek);
    DWORD installed = 0;
    HANDLE added = AddFontMemResourceEx(const_cast<std::uint8_t*>(bytes.data()), static_cast<DWORD>(bytes.size()),
                                        nullptr, &installed);
    ASSERT_TRUE(added);
    LOGFONTW description{};
    description.lfHeight = 36;
    wcscpy_s(description.lfFaceName, L"TyGreekOnly");
    win::UniqueFont font(CreateFontIndirectW(&description));
    win::WindowDC screen;
    win::MemoryDC dc(screen.get(), nullptr);
    {
        win::SelectedObject held(dc.get(), font.get());
        EXPECT_EQ(SampleThatShows(dc.get(), L"AaBbCc123"), L"αβγδεζηθικ");
        EXPECT_EQ(SampleThatShows(dc.get(), L"Aα βγ"), L"Aα βγ") << "most of it shows";
    }
    win::SelectedObject gui(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(SampleThatShows(dc.get(), L"AaBbCc123"), L"AaBbCc123");
    RemoveFontMemResourceEx(added);
}

}  // namespace
}  // namespace typorama::app

namespace typorama::app {
namespace {

// The check box and the install mark say what they are in a tip; the rest of
// the row has none.
TEST_F(FontListViewTest, TheCheckBoxAndTheMarksExplainThemselves) {
    ScratchFolder folder(L"list-view-tips");
    // One font the system knows without its being installed (green), one only the list loads (no mark).
    const std::wstring known = folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyViewTipA")));
    folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyViewTipB")));
    ASSERT_GT(AddFontResourceExW(known.c_str(), 0, nullptr), 0);
    auto main = Open(folder.Path());
    ASSERT_TRUE(main);
    const FontListView& view = *main->Feature<FontListView>();
    ASSERT_EQ(main->FontList().Count(), 2);
    const RECT row = main->ListBox().ItemRect(0);
    const RECT other = main->ListBox().ItemRect(1);
    EXPECT_EQ(view.MarkTipAt(Centre(CheckBoxHitArea(row, false))), win::LoadResString(IDS_LIST_TIP_CHECK_BOX));
    EXPECT_EQ(view.MarkTipAt(Centre(MarkArea(row, true))), win::LoadResString(IDS_LIST_TIP_GREEN_FOLDER));
    EXPECT_EQ(view.MarkTipAt(Centre(MarkArea(other, true))), L"") << "no mark, no tip";
    EXPECT_EQ(view.MarkTipAt(POINT{row.right - 10, row.top + 5}), L"");
    main->RunCommand(IDM_VIEW_CHECKBOXES);
    ASSERT_FALSE(main->Settings().showCheckBoxes);
    EXPECT_EQ(view.MarkTipAt(Centre(MarkArea(row, false))), win::LoadResString(IDS_LIST_TIP_GREEN_FOLDER))
        << "the mark moves into the check box's place";
    CloseUntagged(main);
    RemoveFontResourceExW(known.c_str(), 0, nullptr);
}

}  // namespace
}  // namespace typorama::app
