// The character map window of the real main window: one window that follows
// the current font, its copy commands and copy buffer, and its settings.
#include "charmap/char_map_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/clipboard_text.h"
#include "app/main_window_fixture.h"
#include "base/text_format.h"
#include "charmap/char_map_feature.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/toolbar.h"
#include "ui/resource.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::charmap {
namespace {

test::FontSpec BoldItalic(const std::u16string& family) {
    test::FontSpec fontSpec = test::FontSpec::Named(family, u"Bold Italic");
    fontSpec.weightClass = 700;
    fontSpec.fsSelection = 0x0021;  // ITALIC | BOLD
    fontSpec.macStyle = 3;
    return fontSpec;
}

// The code of a cell and back: code = (row - 1) * 16 + column + 31.
void SelectCode(TfrmCharMap& window, int code) {
    window.Grid().SetCurrentCell((code - 32) % 16 + 1, (code - 32) / 16 + 1);
    ASSERT_EQ(window.Grid().GetCurrentChar(), code);
}

std::string ClipboardBytes(UINT format) {
    app::ClipboardGuard clipboard(nullptr);
    const HANDLE data = clipboard.IsOpen() ? GetClipboardData(format) : nullptr;
    if (!data) return {};
    const win::LockedGlobal locked(data);
    const char* bytes = static_cast<const char*>(locked.get());
    return bytes ? std::string(bytes, strnlen(bytes, locked.size())) : std::string();
}

bool ClipboardHas(UINT format) {
    app::ClipboardGuard clipboard(nullptr);
    return clipboard.IsOpen() && IsClipboardFormatAvailable(format);
}

class CharMapWindowTest : public test::MainWindowFixture {
protected:
    CharMapWindowTest() : MainWindowFixture(L"char-map-window") {}
};

TEST_F(CharMapWindowTest, OneWindowFollowsTheCurrentFontAndKeepsItsSettings) {
    test::ScratchFolder dir(L"char-map-window");
    const std::wstring plain = dir.Write(L"a.ttf", test::BuildFont(test::FontSpec::Named(u"Typorama CharMap A")));
    dir.Write(L"b.ttf", test::BuildFont(BoldItalic(u"Typorama CharMap B")));
    test::ScriptedAnswers answers(IDYES);
    auto main = OpenHidden(dir.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 2);
    auto* feature = main->Feature<CharMapFeature>();
    ASSERT_NE(feature, nullptr);

    main->ListBox().SetItemIndex(0);
    main->RunCommand(IDM_VIEW_CHARMAP);
    TfrmCharMap* window = feature->CharMapWindow();
    ASSERT_NE(window, nullptr);
    const std::wstring size = win::ToWide(FormatByteSize(main->FontList()[0].FileSize()));
    EXPECT_EQ(win::WindowText(window->Hwnd()), main->FontList()[0].Name + L" - " + plain + L" (" + size + L")");
    EXPECT_EQ(window->LabelMode(), CodeLabelMode::None) << "no stored settings";
    EXPECT_FALSE(window->Topmost());
    ASSERT_EQ(window->Scripts().size(), 1u) << "a Western-only font";
    EXPECT_EQ(window->SelectedScript(), 0);
    EXPECT_EQ(window->ScriptLabel(), L"1 脚本:");
    RECT first{};
    GetWindowRect(window->Hwnd(), &first);
    EXPECT_EQ(first.left, 50);
    EXPECT_EQ(first.top, 50);

    // A second open brings the same window to the front.
    main->RunCommand(IDM_VIEW_CHARMAP);
    EXPECT_EQ(feature->CharMapWindow(), window);

    main->ListBox().SetItemIndex(1);
    EXPECT_EQ(win::WindowText(window->Hwnd()).rfind(main->FontList()[1].Name + L" - ", 0), 0u);
    EXPECT_STREQ(window->Grid().CharFont().lfFaceName, main->FontList()[1].LogFont.lfFaceName);
    // An empty selection keeps the font shown and says so.
    main->ListBox().SetItemIndex(-1);
    EXPECT_EQ(win::WindowText(window->Hwnd()), L"字符映射表 - 没有字体");
    EXPECT_STREQ(window->Grid().CharFont().lfFaceName, main->FontList()[1].LogFont.lfFaceName);

    // Options, a custom maximised placement and the window left maximised.
    window->SetLabelMode(CodeLabelMode::Hexadecimal);
    window->SetTopmost(true);
    window->PlaceAt(120, 80, 600, 500);
    window->UseThisPlacementWhenMaximised();
    ASSERT_TRUE(window->CustomMaxPlacement());
    const Placement custom = *window->CustomMaxPlacement();
    EXPECT_EQ(custom.left, 120);
    window->PlaceAt(140, 90, 540, 420);
    RECT before{};
    GetWindowRect(window->Hwnd(), &before);
    ShowWindow(window->Hwnd(), SW_MAXIMIZE);
    RECT maximised{};
    GetWindowRect(window->Hwnd(), &maximised);
    EXPECT_EQ(maximised.left, custom.left);
    EXPECT_EQ(maximised.top, custom.top);
    EXPECT_EQ(maximised.right - maximised.left, custom.width);
    EXPECT_EQ(maximised.bottom - maximised.top, custom.height);
    SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(feature->CharMapWindow(), nullptr);

    settings::TRegistryEx reg = Settings(TfrmCharMap::kSettingsKey);
    EXPECT_EQ(reg.ReadIntegerDef(L"左", 0, settings::kAnyInteger), before.left);
    EXPECT_EQ(reg.ReadIntegerDef(L"顶", 0, settings::kAnyInteger), before.top);
    EXPECT_EQ(reg.ReadIntegerDef(L"宽度", 0, settings::kAnyInteger), before.right - before.left);
    EXPECT_EQ(reg.ReadIntegerDef(L"高度", 0, settings::kAnyInteger), before.bottom - before.top);
    EXPECT_EQ(reg.ReadIntegerDef(L"DisplayCharAttributes", 0, settings::kAnyInteger), 3);
    EXPECT_TRUE(reg.ReadBoolDef(L"Topmost", false));
    EXPECT_TRUE(reg.ReadBoolDef(L"Maximized", false));
    EXPECT_TRUE(reg.ReadBoolDef(L"UseCustomMaxPos", false));
    EXPECT_EQ(reg.ReadIntegerDef(L"MaxPosWidth", 0, settings::kAnyInteger), custom.width);
    settings::TRegistryEx bar = Settings(TfrmCharMap::kToolbarKey);
    EXPECT_EQ(settings::ReadListValues(bar, 50), ui::Toolbar::LayoutEntries(TfrmCharMap::DefaultToolbarLayout()));
    // A stored layout keeps only the bar's own items, each once.
    const std::vector<std::wstring> stored = {L"4791", L"-", L"4701", L"40035", L"4701"};
    ASSERT_TRUE(settings::WriteListValues(bar, stored));

    // Opened again as it was left: maximised to the custom placement, with
    // the normal placement kept behind it.
    main->ListBox().SetItemIndex(0);
    main->RunCommand(IDM_VIEW_CHARMAP);
    window = feature->CharMapWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->LabelMode(), CodeLabelMode::Hexadecimal);
    EXPECT_EQ(window->ToolbarLayout(), (std::vector<int>{IDC_CHARMAP_SCRIPTS, 0, IDC_CHARMAP_COPY_TEXT}));
    EXPECT_TRUE(window->Topmost());
    EXPECT_TRUE(IsZoomed(window->Hwnd()));
    GetWindowRect(window->Hwnd(), &maximised);
    EXPECT_EQ(maximised.left, custom.left);
    EXPECT_EQ(maximised.right - maximised.left, custom.width);
    ShowWindow(window->Hwnd(), SW_RESTORE);
    RECT restored{};
    GetWindowRect(window->Hwnd(), &restored);
    EXPECT_EQ(restored.left, before.left);
    EXPECT_EQ(restored.right - restored.left, before.right - before.left) << "a snapped size stays as it is";
    // Without the custom placement the flag and its values are not written.
    window->UseDefaultMaximisedPlacement();
    SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    reg = Settings(TfrmCharMap::kSettingsKey);
    EXPECT_FALSE(reg.ReadBoolDef(L"UseCustomMaxPos", true));
}

TEST_F(CharMapWindowTest, CopiesOneCharacterThreeWaysAndCollectsCharacters) {
    test::ScratchFolder dir(L"char-map-copy");
    dir.Write(L"b.ttf", test::BuildFont(BoldItalic(u"Typorama CharMap Copy")));
    test::ScriptedAnswers answers(IDCANCEL);
    auto main = OpenHidden(dir.Path());
    ASSERT_TRUE(main);
    main->ListBox().SetItemIndex(0);
    main->RunCommand(IDM_VIEW_CHARMAP);
    TfrmCharMap* window = main->Feature<CharMapFeature>()->CharMapWindow();
    ASSERT_NE(window, nullptr);

    // Code 169 in a bold italic face.
    SelectCode(*window, 169);
    EXPECT_NE(window->StatusText(0).find(L"Dec: 169  Hex: A9"), std::wstring::npos) << window->StatusText(0);
    EXPECT_EQ(window->StatusText(1), L"Alt + 0169");
    const LOGFONTW& font = window->Grid().CharFont();
    const std::string expected = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset" + std::to_string(font.lfCharSet) +
                                 "\\fontname " + win::WideToUtf8(font.lfFaceName) +
                                 "}}\\ulnone\\b\\i\\f0 \\'a9\\b0\\i0}";
    EXPECT_EQ(window->RichTextOfCurrentChar(), expected);
    ASSERT_TRUE(window->CopyCharAsRichText());
    const UINT rtf = RegisterClipboardFormatW(L"Rich Text Format");
    EXPECT_EQ(ClipboardBytes(rtf), expected);
    EXPECT_EQ(app::ClipboardText(nullptr), std::optional<std::wstring>(L"\u00A9"));

    ASSERT_TRUE(window->CopyCharAsText());
    EXPECT_TRUE(ClipboardHas(CF_UNICODETEXT));
    EXPECT_FALSE(ClipboardHas(rtf));

    // A space has no outline: the message, and the clipboard as it was.
    SelectCode(*window, 32);
    const std::size_t asked = answers.asked.size();
    EXPECT_FALSE(window->CopyCharAsVector());
    EXPECT_EQ(answers.asked.size(), asked + 1);
    EXPECT_TRUE(ClipboardHas(CF_UNICODETEXT));
    SelectCode(*window, 'A');
    ASSERT_TRUE(window->CopyCharAsVector());
    EXPECT_TRUE(ClipboardHas(CF_ENHMETAFILE));

    // Space appends, Backspace removes (and beeps on nothing), "复制" sets the copied flag.
    int beeps = 0;
    window->Beep = [&beeps] { ++beeps; };
    const HWND grid = window->Grid().Hwnd();
    SendMessageW(grid, WM_KEYDOWN, VK_SPACE, 0);
    SelectCode(*window, 'B');
    SendMessageW(grid, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(window->CopyBuffer(), L"AB");
    ASSERT_TRUE(window->CopyBufferToClipboard());
    EXPECT_TRUE(window->Copied());
    SendMessageW(grid, WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(window->CopyBuffer(), L"A");
    EXPECT_FALSE(window->Copied());
    SendMessageW(grid, WM_KEYDOWN, VK_BACK, 0);
    SendMessageW(grid, WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(beeps, 1);
    SendMessageW(window->Hwnd(), WM_COMMAND, IDC_CHARMAP_APPEND, 0);
    SendMessageW(window->Hwnd(), WM_COMMAND, IDC_CHARMAP_CLEAR_APPEND, 0);
    EXPECT_EQ(window->CopyBuffer(), L"B");

    // Characters not copied: the close asks, and Cancel keeps the window.
    SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answers.asked.back().find(L"您已选定一些字符"), 0u);
    ASSERT_NE(main->Feature<CharMapFeature>()->CharMapWindow(), nullptr);
    // Copied with "复制": nothing to ask.
    SendMessageW(window->Hwnd(), WM_COMMAND, IDC_CHARMAP_COPY_BUFFER, 0);
    const std::size_t before = answers.asked.size();
    SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answers.asked.size(), before);
    EXPECT_EQ(main->Feature<CharMapFeature>()->CharMapWindow(), nullptr);
}

}  // namespace
}  // namespace typorama::charmap
