// Files from outside on the real main window, created hidden: a drop of fonts
// and other files, a dropped folder, the command line's and a second start's
// font files, and the tagged fonts' files dragged out.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <string>
#include <vector>

#include "app/browsing.h"
#include "app/drop_feature.h"
#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "base/dropped_files.h"
#include "support/font_builder.h"
#include "support/process.h"
#include "support/scratch.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::PumpMessages;
using test::ScratchFolder;
using test::ScriptedAnswers;

std::wstring Title(HWND window) {
    wchar_t title[MAX_PATH * 2]{};
    GetWindowTextW(window, title, ARRAYSIZE(title));
    return title;
}

// Drops `paths` on the list as the shell would (the system frees the block).
void Drop(TfrmMain& main, const std::vector<std::wstring>& paths) {
    const HGLOBAL drop = MakeFileDrop(paths);
    ASSERT_NE(drop, nullptr);
    SendMessageW(main.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

class DropTest : public test::MainWindowFixture {
protected:
    DropTest() : MainWindowFixture(L"drop") {}
};

TEST_F(DropTest, DroppedFontsShowAsAListOfFilesAndTheRestIsCounted) {
    ScratchFolder folder(L"drop-fonts");
    const std::wstring a = folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyDropA")));
    const std::wstring b = folder.Write(L"b.otf", BuildFont(FontSpec::Named(u"TyDropB")));
    const std::wstring text = folder.Write(L"notes.txt", {'h', 'i'});
    auto main = OpenHidden();
    ASSERT_TRUE(main);
    Drop(*main, {a, text, b});
    ASSERT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
    EXPECT_EQ(main->FontList().Files, (std::vector<std::wstring>{a, b}));
    ASSERT_EQ(main->FontList().Count(), 2);
    EXPECT_EQ(main->FontList()[0].Name, L"TyDropA");
    EXPECT_NE(Title(main->Handle()).find(win::FormatRes(IDS_DROP_TITLE, {std::int64_t{2}})), std::wstring::npos);
    EXPECT_EQ(main->StatusText(StatusPanel::Message), win::FormatRes(IDS_DROP_IGNORED, {std::int64_t{1}}));

    // Other files in the list (a search) are not counted as the drop's.
    main->Feature<Browsing>()->ShowSearchResults({b});
    EXPECT_NE(Title(main->Handle()).find(win::LoadResString(IDS_MAIN_TITLE_SEARCH)), std::wstring::npos);

    // Nothing usable: the list stays, the beep and the count tell why.
    int beeps = 0;
    main->Beep = [&beeps] { ++beeps; };
    Drop(*main, {text});
    EXPECT_EQ(main->FontList().Files, (std::vector<std::wstring>{b}));
    EXPECT_EQ(beeps, 1);
}

TEST_F(DropTest, DroppedFolderOpensAfterTheQuestionAboutTags) {
    ScratchFolder first(L"drop-first");
    first.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyDropFirst")));
    ScratchFolder second(L"drop-second");
    second.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyDropSecond")));
    auto main = OpenHidden(first.Path());
    ASSERT_TRUE(main);
    main->FontList()[0].Tagged = true;
    {
        ScriptedAnswers keep(IDCANCEL);
        Drop(*main, {second.Path()});
        EXPECT_EQ(keep.asked.size(), 1u);
        EXPECT_EQ(main->FontList().Folder(), first.Path()) << "the user kept the tags";
    }
    ScriptedAnswers discard(IDOK);
    Drop(*main, {second.Path()});
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder);
    EXPECT_EQ(main->FontList().Folder(), second.Path());
    ASSERT_EQ(main->FontList().Count(), 1);
    EXPECT_EQ(main->FontList()[0].Name, L"TyDropSecond");
}

TEST_F(DropTest, CommandLineFontsOpenAtStart) {
    ScratchFolder folder(L"drop-start");
    const std::wstring a = folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyDropStartA")));
    auto main = std::make_unique<TfrmMain>();
    main->QuitOnDestroy = false;
    ASSERT_TRUE(main->Create(a, SW_HIDE, {a}));
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
    EXPECT_EQ(main->FontList().Files, std::vector<std::wstring>{a});
}

TEST_F(DropTest, SecondStartHandsItsFontFilesToTheFirst) {
    ScratchFolder mine(L"drop-running");
    mine.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyDropRunning")));
    ScratchFolder other(L"drop-handed");
    const std::wstring handed = other.Write(L"h.ttf", BuildFont(FontSpec::Named(u"TyDropHanded")));
    auto main = OpenHidden(mine.Path());
    ASSERT_TRUE(main);

    // A list that is not whole is refused and changes nothing.
    const std::u16string broken = u"C:\\a.ttf";
    COPYDATASTRUCT data{kHandedFilesTag, static_cast<DWORD>(broken.size() * 2), const_cast<char16_t*>(broken.data())};
    EXPECT_EQ(SendMessageW(main->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), FALSE);
    PumpMessages();
    EXPECT_EQ(main->FontList().Folder(), mine.Path());

    // Tests running beside this one open main windows too; a second start
    // that found one of theirs is tried again.
    for (int attempt = 0; attempt < 5 && main->FontList().Source() != catalog::SourceKind::FileList; ++attempt) {
        ASSERT_TRUE(test::OnlyMainWindow(main->Handle()));
        // The second start waits for the first to take the list: this
        // thread serves the window meanwhile.
        std::atomic<bool> done{false};
        test::ProcessResult second;
        // A start that found another test's window, which did not take the
        // file, shows it in a window of its own: it is ended and tried again.
        std::thread start([&] {
            second = test::RunProcess(test::QuoteArgument(test::ProgramFolder() + L"" TYPORAMA_GUI_EXE) + L" " +
                                          test::QuoteArgument(handed),
                                      20000);
            done = true;
        });
        while (!done) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            PumpMessages();
        }
        start.join();
        if (!second.timedOut) EXPECT_EQ(second.exitCode, 0);
        // The file opens once no other start has handed one over for a moment.
        for (const ULONGLONG end = GetTickCount64() + 2000;
             GetTickCount64() < end && main->FontList().Source() != catalog::SourceKind::FileList;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            PumpMessages();
        }
    }
    EXPECT_EQ(FindWindowExW(nullptr, main->Handle(), kMainWindowClass, nullptr), nullptr) << "no second main window";
    ASSERT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
    ASSERT_EQ(main->FontList().Count(), 1);
    EXPECT_EQ(main->FontList()[0].Name, L"TyDropHanded");
}

TEST_F(DropTest, HandedFilesWaitForAFreeWindowAndOpenAsOneList) {
    ScratchFolder mine(L"drop-waiting");
    mine.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyDropWaiting")));
    ScratchFolder other(L"drop-together");
    auto main = OpenHidden(mine.Path());
    ASSERT_TRUE(main);
    // Two starts hand over a file each while a dialog holds the window.
    EnableWindow(main->Handle(), FALSE);
    for (const char16_t* name : {u"X", u"Y"}) {
        const std::wstring file = other.Write(win::ToWide(name) + L".ttf", BuildFont(FontSpec::Named(u"TyDropTogether" + std::u16string(name))));
        const auto list = EncodeHandedFiles({std::u16string(win::AsU16(file))});
        ASSERT_TRUE(list);
        COPYDATASTRUCT data{kHandedFilesTag, static_cast<DWORD>(list->size() * 2), const_cast<char16_t*>(list->data())};
        EXPECT_EQ(SendMessageW(main->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
    }
    auto pumpFor = [](DWORD ms) {
        for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            PumpMessages();
        }
    };
    pumpFor(600);
    EXPECT_EQ(main->FontList().Folder(), mine.Path()) << "nothing opens while the window is held";
    EnableWindow(main->Handle(), TRUE);
    pumpFor(600);
    ASSERT_EQ(main->FontList().Source(), catalog::SourceKind::FileList);
    EXPECT_EQ(main->FontList().Count(), 2) << "one list of both files";
}

TEST_F(DropTest, DraggingATaggedRowOffersTheTaggedFilesThatExist) {
    ScratchFolder folder(L"drop-out");
    const std::wstring a = folder.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyDropOutA")));
    const std::wstring b = folder.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyDropOutB")));
    folder.Write(L"c.ttf", BuildFont(FontSpec::Named(u"TyDropOutC")));
    auto main = OpenHidden(folder.Path());
    ASSERT_TRUE(main);
    ASSERT_EQ(main->FontList().Count(), 3);
    main->FontList()[0].Tagged = true;
    main->FontList()[1].Tagged = true;
    (void)main->FontList()[1].FileName();
    ASSERT_TRUE(DeleteFileW(b.c_str()));

    std::vector<std::wstring> offered;
    int drags = 0;
    DropFeature* drop = main->Feature<DropFeature>();
    ASSERT_TRUE(drop);
    drop->RunDrag = [&](IDataObject* data) {
        ++drags;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        ASSERT_EQ(data->GetData(&format, &medium), S_OK);
        offered = FilesOfDrop(static_cast<HDROP>(medium.hGlobal));
        ReleaseStgMedium(&medium);
        // Dropped back on its own window, the drag is no new source.
        Drop(*main, {a});
    };
    const HWND list = main->ListBox().Hwnd();
    const auto press = [&](int row, int moveBy) {
        const RECT rect = main->ListBox().ItemRect(row);
        const int x = rect.right - 20, y = (rect.top + rect.bottom) / 2;
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + moveBy, y + moveBy));
        SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(x + moveBy, y + moveBy));
    };
    press(2, 30);
    EXPECT_EQ(drags, 0) << "an untagged row starts no drag";
    press(0, 1);
    EXPECT_EQ(drags, 0) << "a move within the drag rectangle is a click";
    press(0, 30);
    EXPECT_EQ(drags, 1);
    EXPECT_EQ(offered, std::vector<std::wstring>{a}) << "the deleted file is not offered";
    EXPECT_EQ(main->FontList().Source(), catalog::SourceKind::Folder);
    CloseUntagged(main);
}

}  // namespace
}  // namespace typorama::app
