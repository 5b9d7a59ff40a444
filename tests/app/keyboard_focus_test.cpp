// The focus among the main window's parts, the current row's focus cue and a
// selection colour that stands out.
#include "app/keyboard_focus.h"

#include <gtest/gtest.h>

#include "app/main_window_fixture.h"
#include "base/list_view_rules.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/resource.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::app {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;

class KeyboardFocusTest : public test::MainWindowFixture {
protected:
    KeyboardFocusTest() : MainWindowFixture(L"keyboard-focus") {}
};

// Holds Shift down in this thread's key state while it lives.
class ShiftHeld {
public:
    ShiftHeld() { Set(0x80); }
    ~ShiftHeld() { Set(0); }

private:
    static void Set(BYTE state) {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = keys[VK_LSHIFT] = state;
        SetKeyboardState(keys);
    }
};

bool PressTab(TfrmMain& main) {
    MSG key{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    return main.PreTranslate(key);
}

TEST_F(KeyboardFocusTest, TabGoesRoundThePartsAndTheFocusComesBackAfterADialog) {
    ScratchFolder folder(L"keyboard-focus");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyFocusA")));
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    ShowWindow(main->Handle(), SW_SHOW);
    test::PumpMessages();
    const HWND list = main->ListBox().Hwnd();
    const std::vector<HWND> order = main->Feature<KeyboardFocus>()->Order();
    ASSERT_GE(order.size(), 2u) << "the folder tree and the list at least";
    EXPECT_EQ(order[1], list) << "the tree comes before the list";

    SetFocus(list);
    for (std::size_t step = 1; step <= order.size(); ++step) {
        ASSERT_TRUE(PressTab(*main));
        EXPECT_EQ(GetFocus(), order[(1 + step) % order.size()]) << "after " << step << " Tabs";
    }
    EXPECT_EQ(GetFocus(), list) << "round and back to the list";
    {
        ShiftHeld shift;
        ASSERT_TRUE(PressTab(*main));
    }
    EXPECT_EQ(GetFocus(), order[0]) << "Shift+Tab goes back";

    // A dialog opened from the list gives the focus back to it.
    SetFocus(list);
    test::ModalAnswers answers([](ui::Dialog& dialog) { PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0); });
    main->RunCommand(IDM_FIND_FIND);
    test::PumpMessages();
    EXPECT_EQ(answers.shown, 1);
    // Closing the dialog activates the window again unless another program's window came to the
    // front meanwhile (other tests run beside this one); then the window is activated by hand, as
    // a click on it would, and the focus must come back the same way.
    if (GetActiveWindow() != main->Handle()) {
        SetActiveWindow(main->Handle());
        test::PumpMessages();
    }
    EXPECT_EQ(GetActiveWindow(), main->Handle());
    EXPECT_EQ(GetFocus(), list);
    CloseUntagged(main);
}

TEST_F(KeyboardFocusTest, TheCurrentRowShowsAFocusCueAndASelectionThatStandsOut) {
    ScratchFolder folder(L"keyboard-focus-cue");
    folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyFocusCueA")));
    folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyFocusCueB")));
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    // The colours of Windows 10's default theme: a button face of (240, 240, 240) on white.
    main->Settings().useCustomColors = true;
    main->Settings().colorBack = 0xFFFFFF;
    main->Settings().colorSelection = 0xF0F0F0;
    main->ApplyDisplayColors();
    ShowWindow(main->Handle(), SW_SHOW);
    const HWND list = main->ListBox().Hwnd();
    main->ListBox().SetItemIndex(0);
    const RECT row = main->ListBox().ItemRect(0);

    // Paints the list into a bitmap and reads the pixels of the first row.
    auto paint = [&](auto check) {
        win::WindowDC screen;
        win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), row.right, row.bottom));
        win::MemoryDC dc(screen.get(), bitmap.get());
        SendMessageW(list, WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), 0);
        check(dc.get());
    };
    auto cueDots = [&](HDC dc) {
        int dots = 0;
        for (int x = row.left + 1; x < row.right - 1; ++x)
            if (GetPixel(dc, x, row.top + 1) != GetPixel(dc, row.right - 8, row.top + 8)) ++dots;
        return dots;
    };

    SetFocus(list);
    paint([&](HDC dc) {
        const COLORREF drawn = GetPixel(dc, row.right - 8, row.top + 8);
        EXPECT_NE(drawn, RGB(240, 240, 240)) << "nearly white on white would not show";
        EXPECT_GE(ContrastRatio(drawn, RGB(255, 255, 255)), 1.45);
        EXPECT_GT(cueDots(dc), (row.right - row.left) / 4) << "the focus cue along the row's top";
    });
    EXPECT_EQ(main->Settings().colorSelection, 0xF0F0F0u) << "the setting stays as the user set it";
    SetFocus(main->UserStringBox() && IsWindowVisible(main->UserStringBox()) ? main->UserStringBox() : nullptr);
    paint([&](HDC dc) { EXPECT_EQ(cueDots(dc), 0) << "no cue without the focus"; });
    CloseUntagged(main);
}

}  // namespace
}  // namespace typorama::app
