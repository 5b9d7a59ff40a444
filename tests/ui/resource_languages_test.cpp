// Both interface languages: every string and dialog of the program exists in
// Chinese and in English, no English dialog text is cut off, and the loaders
// follow the language chosen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/resource.h"
#include "ui/ui_language.h"
#include "win/resource_strings.h"

namespace typorama::ui {
namespace {

// Templates 9000 and up belong to the tests' own resources.
constexpr UINT kFirstTestResource = 9000;

std::vector<UINT> ResourceIds(LPCWSTR type) {
    std::vector<UINT> ids;
    EnumResourceNamesW(
        GetModuleHandleW(nullptr), type,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            if (IS_INTRESOURCE(name) && LOWORD(reinterpret_cast<ULONG_PTR>(name)) < kFirstTestResource)
                reinterpret_cast<std::vector<UINT>*>(found)->push_back(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::vector<LANGID> Languages(LPCWSTR type, UINT id) {
    std::vector<LANGID> languages;
    EnumResourceLanguagesW(
        GetModuleHandleW(nullptr), type, MAKEINTRESOURCEW(id),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) -> BOOL {
            reinterpret_cast<std::vector<LANGID>*>(found)->push_back(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

// The 16 strings of a string-table block in one language (empty ones absent).
std::vector<std::wstring> Block(UINT block, LANGID language) {
    std::vector<std::wstring> strings(16);
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
    if (!found) return strings;
    const auto* data = static_cast<const wchar_t*>(LockResource(LoadResource(module, found)));
    const std::size_t chars = SizeofResource(module, found) / sizeof(wchar_t);
    std::size_t at = 0;
    for (std::size_t i = 0; i < 16 && at < chars; ++i) {
        const std::size_t length = data[at++];
        strings[i].assign(data + at, std::min(length, chars - at));
        at += length;
    }
    return strings;
}

bool Has(const std::vector<LANGID>& languages, LANGID language) {
    return std::find(languages.begin(), languages.end(), language) != languages.end();
}

class LanguageGuard {
public:
    explicit LanguageGuard(UiLanguage language) { SetUiLanguage(language); }
    ~LanguageGuard() { SetUiLanguage(UiLanguage::Chinese); }
};

TEST(ResourceLanguagesTest, EveryStringAndDialogExistsInChineseAndEnglish) {
    const std::vector<UINT> blocks = ResourceIds(RT_STRING);
    ASSERT_GT(blocks.size(), 50u);
    for (UINT block : blocks) {
        const std::vector<std::wstring> chinese = Block(block, win::kChineseResources);
        const std::vector<std::wstring> english = Block(block, win::kEnglishResources);
        for (UINT i = 0; i < 16; ++i) {
            const UINT id = (block - 1) * 16 + i;
            EXPECT_EQ(chinese[i].empty(), english[i].empty()) << "string " << id << " exists in one language only";
        }
    }
    const std::vector<UINT> dialogs = ResourceIds(RT_DIALOG);
    ASSERT_GE(dialogs.size(), 20u);
    for (UINT dialog : dialogs) {
        const std::vector<LANGID> languages = Languages(RT_DIALOG, dialog);
        EXPECT_TRUE(Has(languages, win::kChineseResources)) << "dialog " << dialog;
        EXPECT_TRUE(Has(languages, win::kEnglishResources)) << "dialog " << dialog;
        EXPECT_EQ(languages.size(), 2u) << "dialog " << dialog << " in a third language";
    }
}

// What a control's text needs beyond the text itself, in pixels, and whether
// the control shows text at all.
struct TextRoom {
    bool text = false;
    bool wraps = false;
    int extra = 0;
};

TextRoom RoomOf(HWND control) {
    wchar_t className[32]{};
    GetClassNameW(control, className, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (lstrcmpiW(className, L"Static") == 0) {
        const LONG kind = style & SS_TYPEMASK;
        if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP) return {};
        return {true, kind != SS_LEFTNOWORDWRAP, 0};
    }
    if (lstrcmpiW(className, L"Button") != 0) return {};
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return {true, false, 2 * GetSystemMetrics(SM_CXEDGE) + 4};
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE: return {true, false, GetSystemMetrics(SM_CXMENUCHECK) + 4};
        case BS_GROUPBOX: return {true, false, 16};
        default: return {};
    }
}

TEST(ResourceLanguagesTest, NoEnglishDialogTextIsCutOff) {
    LanguageGuard english(UiLanguage::English);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    int measured = 0;
    for (UINT dialog : ResourceIds(RT_DIALOG)) {
        const DLGTEMPLATE* found = DialogTemplate(dialog);
        ASSERT_NE(found, nullptr);
        const HWND window = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr), found, nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        ASSERT_NE(window, nullptr) << "dialog " << dialog;
        EXPECT_FALSE(IsWindowVisible(window));
        for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            const TextRoom room = RoomOf(control);
            wchar_t text[512]{};
            if (!room.text || GetWindowTextW(control, text, 512) == 0) continue;
            RECT client{};
            GetClientRect(control, &client);
            const HDC dc = GetDC(control);
            const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            const UINT prefix = (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX) && room.extra == 0 ? DT_NOPREFIX : 0;
            const bool manyLines = room.wraps && client.bottom >= 2 * metrics.tmHeight;
            RECT needed{0, 0, client.right - room.extra, 0};
            DrawTextW(dc, text, -1, &needed, DT_CALCRECT | prefix | (manyLines ? DT_WORDBREAK : DT_SINGLELINE));
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            ++measured;
            if (manyLines) {
                EXPECT_LE(needed.bottom, client.bottom)
                    << "dialog " << dialog << " control " << GetDlgCtrlID(control) << " \"" << ::testing::PrintToString(std::wstring(text)) << "\" wraps to "
                    << needed.bottom << " px, has " << client.bottom;
            } else {
                EXPECT_LE(needed.right - needed.left + room.extra, client.right)
                    << "dialog " << dialog << " control " << GetDlgCtrlID(control) << " "
                    << ::testing::PrintToString(std::wstring(text)) << " needs " << needed.right - needed.left + room.extra
                    << " px, has " << client.right;
            }
        }
        DestroyWindow(window);
    }
    EXPECT_GT(measured, 60);
}

TEST(ResourceLanguagesTest, TheLoadersFollowTheChosenLanguage) {
    EXPECT_EQ(win::LoadResString(IDS_MAIN_WELCOME), L"欢迎使用 Typorama ！") << "the tests run in Chinese";
    {
        LanguageGuard english(UiLanguage::English);
        EXPECT_EQ(win::LoadResString(IDS_MAIN_WELCOME), L"Welcome to Typorama!");
        EXPECT_EQ(win::FormatRes(IDS_SELECT_SUMMARY, {std::int64_t{3}, u"A, B, C"}), L"3 fonts selected in all: A, B, C");
        Dialog find(IDD_FIND);
        const HWND window = find.CreateModeless(nullptr);
        ASSERT_NE(window, nullptr);
        wchar_t text[64]{};
        GetWindowTextW(window, text, 64);
        EXPECT_STREQ(text, L"Find Font");
        GetDlgItemTextW(window, IDC_FIND_LABEL, text, 64);
        EXPECT_STREQ(text, L"&Search:");
        // A template of one language only (the tests' own) is still found.
        Dialog single(kFirstTestResource);
        EXPECT_NE(single.CreateModeless(nullptr), nullptr);
    }
    Dialog find(IDD_FIND);
    const HWND window = find.CreateModeless(nullptr);
    ASSERT_NE(window, nullptr);
    wchar_t text[64]{};
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"查找字体");
}

TEST(ResourceLanguagesTest, TheStartTakesTheSwitchOverTheSettingAndRemovesIt) {
    test::ScratchKey key(L"ui-language");
    const settings::SettingsRoot root{HKEY_CURRENT_USER, key.SubKey()};
    ASSERT_TRUE(StoreLanguageChoice(LanguageChoice::English, root));
    std::vector<std::wstring> arguments{L"/lang:zh-CN", L"C:\\Fonts"};
    EXPECT_EQ(ChooseLanguageAtStart(arguments, root), UiLanguage::Chinese);
    EXPECT_EQ(arguments, std::vector<std::wstring>{L"C:\\Fonts"}) << "the folder is the first argument left";
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::Chinese);
    arguments = {L"C:\\Fonts"};
    EXPECT_EQ(ChooseLanguageAtStart(arguments, root), UiLanguage::English) << "the stored setting";
    EXPECT_EQ(win::LoadResString(IDS_MAIN_TITLE_LOADED), L"Loaded Fonts");
    SetUiLanguage(UiLanguage::Chinese);
}

}  // namespace
}  // namespace typorama::ui
