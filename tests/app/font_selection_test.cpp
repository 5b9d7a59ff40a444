// How commands collect their fonts, and the check for font files.
#include "app/font_selection.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/font_listing_dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"

namespace typorama::app {
namespace {

using test::ScratchFolder;

// A list that owns items with and without files on disk; tests borrow them.
class Fonts {
public:
    explicit Fonts(const std::wstring& name) : folder_(name) {}
    catalog::TFontListItem& Add(const std::wstring& name, bool withFile) {
        auto item = std::make_unique<catalog::TFontListItem>(catalog::Locations());
        item->Name = name;
        item->SetFile(withFile ? folder_.Write(name + L".ttf", {'x'}) : folder_.Path() + name + L"-gone.ttf");
        return list.Add(std::move(item));
    }
    // A working list of every font, as a command would collect them.
    catalog::TWorkingList Work() const {
        catalog::TWorkingList work;
        for (int i = 0; i < list.Count(); ++i) work.Add(list[i]);
        return work;
    }
    catalog::TFontList list;

private:
    ScratchFolder folder_;
};

std::vector<std::wstring> Names(const catalog::TWorkingList& list) {
    std::vector<std::wstring> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list[i].Name);
    return names;
}

std::vector<std::wstring> Visit(const catalog::TFontList& list, int current, SelectMode mode, bool checkFiles,
                                int& count, int stopAfter = 100) {
    std::vector<std::wstring> seen;
    count = ForEachSelectedFont(
        list, current, mode,
        [&](catalog::TFontListItem& font) {
            seen.push_back(font.Name);
            return static_cast<int>(seen.size()) < stopAfter;
        },
        checkFiles);
    return seen;
}

TEST(ForEachSelectedFont, ThreeModesAndTheFileCheck) {
    Fonts fonts(L"selection-foreach");
    fonts.Add(L"A", true);
    fonts.Add(L"B", false).Tagged = true;
    fonts.Add(L"C", true).Tagged = true;
    fonts.Add(L"D", true).Tagged = true;
    int count = -1;

    EXPECT_EQ(Visit(fonts.list, 0, SelectMode::Current, false, count), std::vector<std::wstring>{L"A"});
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(Visit(fonts.list, -1, SelectMode::Current, false, count).empty());
    EXPECT_EQ(count, 0) << "no current font";
    EXPECT_TRUE(Visit(fonts.list, 1, SelectMode::Current, true, count).empty());
    EXPECT_EQ(count, 0) << "the current font's file is missing";
    Visit(fonts.list, 0, SelectMode::Current, false, count, 0);
    EXPECT_EQ(count, 1) << "the single current font counts once the action ran";

    EXPECT_EQ(Visit(fonts.list, 0, SelectMode::Tagged, false, count), (std::vector<std::wstring>{L"B", L"C", L"D"}));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Visit(fonts.list, 0, SelectMode::Tagged, true, count), (std::vector<std::wstring>{L"C", L"D"}));
    EXPECT_EQ(count, 2) << "fonts without a file are passed over";
    EXPECT_EQ(Visit(fonts.list, 0, SelectMode::Tagged, false, count, 2), (std::vector<std::wstring>{L"B", L"C"}));
    EXPECT_EQ(count, 1) << "the font whose action stopped the run is not counted";

    EXPECT_EQ(Visit(fonts.list, 0, SelectMode::TaggedOrCurrent, false, count),
              (std::vector<std::wstring>{L"B", L"C", L"D"}))
        << "tagged fonts win over the current one";
    for (int i = 0; i < fonts.list.Count(); ++i) fonts.list[i].Tagged = false;
    EXPECT_EQ(Visit(fonts.list, 2, SelectMode::TaggedOrCurrent, false, count), std::vector<std::wstring>{L"C"});
    EXPECT_TRUE(Visit(fonts.list, 0, SelectMode::Tagged, false, count).empty());
    EXPECT_EQ(count, 0);
}

// Answers TfrmFontListing with a button and remembers what it showed.
struct ListingAnswer {
    explicit ListingAnswer(int answerId) {
        ui::SetModalHook([this, answerId](ui::Dialog& dialog) {
            ++shown;
            wchar_t text[512]{};
            GetWindowTextW(dialog.Handle(), text, 512);
            caption = text;
            GetDlgItemTextW(dialog.Handle(), IDC_LISTING_FONTS, text, 512);
            names = text;
            autoEnabled = IsWindowEnabled(GetDlgItem(dialog.Handle(), IDC_LISTING_BUTTON1)) != FALSE;
            if (answerId == IDCANCEL)
                SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);  // Escape
            else
                SendMessageW(dialog.Handle(), WM_COMMAND, answerId, 0);
        });
        ui::SetMessageAnswerer([this](const std::wstring& text, const std::wstring&, UINT flags) {
            messages.push_back(text);
            icons.push_back(flags & MB_ICONMASK);
            return IDOK;
        });
    }
    ~ListingAnswer() {
        ui::SetModalHook({});
        ui::SetMessageAnswerer({});
    }
    int shown = 0;
    std::wstring caption, names;
    bool autoEnabled = false;
    std::vector<std::wstring> messages;
    std::vector<UINT> icons;
};

TEST(ResolveFontFiles, AsksAboutFontsWithoutFiles) {
    int beeps = 0;
    auto beep = [&] { ++beeps; };
    {
        Fonts fonts(L"selection-resolve-ok");
        fonts.Add(L"A", true);
        auto work = fonts.Work();
        ListingAnswer answer(IDC_LISTING_BUTTON3);
        EXPECT_TRUE(ResolveFontFiles(nullptr, work, false, beep));
        EXPECT_EQ(answer.shown, 0) << "every file exists: nothing to ask";
    }
    {
        Fonts fonts(L"selection-resolve-none");
        fonts.Add(L"A", false);
        fonts.Add(L"B", false);
        auto work = fonts.Work();
        ListingAnswer answer(IDC_LISTING_BUTTON2);
        EXPECT_FALSE(ResolveFontFiles(nullptr, work, false, beep));
        EXPECT_EQ(answer.shown, 0);
        ASSERT_EQ(answer.messages.size(), 1u);
        EXPECT_EQ(answer.messages[0].rfind(L"您选择的字体是临时安装的", 0), 0u);
        EXPECT_EQ(answer.icons[0], static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(work.Count(), 2);
    }
    {
        Fonts fonts(L"selection-resolve-skip");
        fonts.Add(L"A", false);
        fonts.Add(L"B", true);
        fonts.Add(L"C", false);
        fonts.Add(L"D", true);
        auto work = fonts.Work();
        ListingAnswer answer(IDC_LISTING_BUTTON2);
        EXPECT_TRUE(ResolveFontFiles(nullptr, work, false, beep));
        EXPECT_EQ(answer.shown, 1);
        EXPECT_EQ(beeps, 1) << "a beep before the listing";
        EXPECT_EQ(answer.caption, L"无效字体");
        EXPECT_EQ(answer.names, L"A\r\nC");
        EXPECT_FALSE(answer.autoEnabled) << "automatic names not allowed";
        EXPECT_EQ(Names(work), (std::vector<std::wstring>{L"B", L"D"})) << "skip leaves the fonts with files, in order";
        EXPECT_EQ(fonts.list.Count(), 4) << "the borrowed items are the main list's";
    }
    {
        Fonts fonts(L"selection-resolve-skipall");
        fonts.Add(L"A", false);
        auto work = fonts.Work();
        ListingAnswer answer(IDC_LISTING_BUTTON2);
        EXPECT_FALSE(ResolveFontFiles(nullptr, work, true, beep));
        EXPECT_TRUE(answer.autoEnabled);
        EXPECT_EQ(work.Count(), 0) << "nothing is left to work on";
        EXPECT_EQ(fonts.list.Count(), 1) << "the font stays in the list it belongs to";
        ASSERT_EQ(answer.messages.size(), 1u);
        EXPECT_EQ(answer.messages[0], L"在跳过不可用的字体后， 没有更多的字体用于执行操作。");
        EXPECT_EQ(answer.icons[0], static_cast<UINT>(MB_ICONINFORMATION));
    }
    for (int cancel : {IDC_LISTING_BUTTON3, IDCANCEL}) {
        Fonts fonts(L"selection-resolve-cancel");
        fonts.Add(L"A", false);
        fonts.Add(L"B", true);
        auto work = fonts.Work();
        ListingAnswer answer(cancel);
        EXPECT_FALSE(ResolveFontFiles(nullptr, work, true, beep)) << cancel;
        EXPECT_EQ(work.Count(), 2) << "cancel changes nothing";
        EXPECT_TRUE(answer.messages.empty());
    }
    {
        Fonts fonts(L"selection-resolve-auto");
        fonts.Add(L"A", false);
        fonts.Add(L"B", true);
        auto work = fonts.Work();
        ListingAnswer answer(IDC_LISTING_BUTTON1);
        EXPECT_TRUE(ResolveFontFiles(nullptr, work, true, beep));
        EXPECT_EQ(work.Count(), 2) << "automatic keeps the list; the caller makes names";
    }
    {
        Fonts fonts(L"selection-resolve-noauto");
        fonts.Add(L"A", false);
        fonts.Add(L"B", true);
        ListingAnswer answer(IDC_LISTING_BUTTON1);
        // The disabled button cannot answer; the dialog stays until cancelled.
        ui::SetModalHook([](ui::Dialog& dialog) {
            SendMessageW(dialog.Handle(), WM_COMMAND, IDC_LISTING_BUTTON1, 0);
            if (IsWindow(dialog.Handle())) SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        });
        auto work = fonts.Work();
        EXPECT_FALSE(ResolveFontFiles(nullptr, work, false, beep));
        EXPECT_EQ(work.Count(), 2);
    }
}

}  // namespace
}  // namespace typorama::app
