// The Run menu's programs under Wine: a real process started with the
// expanded command line, the list file of $TY_LIST_SELECTED, the checks and
// cancels that stop a run, and the edit and insert-variable dialogs.
#include "app/run_programs.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/file_dialog.h"
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

// The helper program copied to a folder whose path has spaces and Chinese
// characters, a scratch settings root and font list, and a main window over a
// folder of fonts.
class RunProgramsTest : public test::MainWindowFixture {
protected:
    RunProgramsTest()
        : MainWindowFixture(L"run-programs"),
          fontsKey_(L"run-programs-fonts"),
          where_(catalog::ScratchLocations(fontsKey_, catalog::Locations().fontsFolder)),
          tools_(L"run-programs-tools") {
        const std::string bytes = test::ReadFileBytes(test::ProgramFolder() + L"echo_command_line.exe");
        helper_ = tools_.Write(L"我的 工具\\echo args.exe", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        out_ = tools_.Path() + L"echoed.txt";
        SetEnvironmentVariableW(L"TYPORAMA_ECHO_OUT", out_.c_str());
    }
    ~RunProgramsTest() override {
        SetEnvironmentVariableW(L"TYPORAMA_ECHO_OUT", nullptr);
        ui::SetSaveFileAnswerer({});
        ui::SetOpenFileAnswerer({});
        CloseUntagged(main_);
    }

    TfrmMain& Open(const std::wstring& folder) {
        main_ = std::make_unique<TfrmMain>(where_);
        main_->QuitOnDestroy = false;
        EXPECT_TRUE(main_->Create(folder, SW_HIDE));
        Programs().TempFolder = tools_.Path();
        return *main_;
    }
    RunPrograms& Programs() { return *main_->Feature<RunPrograms>(); }
    // Runs program `index` as its Run menu entry would.
    void RunEntry(int index) {
        EXPECT_TRUE(main_->Commands().RunListItem(CommandTable::ListItemId(IDM_RUN_PROGRAMS_LIST, index)));
    }
    // What the helper program got as its command line; empty when it did not
    // run within `waitMs`.
    std::wstring Echoed(int waitMs = 10000) {
        for (int waited = 0; waited <= waitMs; waited += 50) {
            if (GetFileAttributesW(out_.c_str()) != INVALID_FILE_ATTRIBUTES) {
                // The helper's rename may still hold the file for a moment.
                const std::string bytes = test::ReadFileBytes(out_);
                if (bytes != "<cannot read>") {
                    DeleteFileW(out_.c_str());
                    return win::Utf8ToWide(bytes);
                }
            }
            Sleep(50);
        }
        return {};
    }
    std::wstring Quoted(const std::wstring& path) const { return L"\"" + path + L"\""; }

    test::ScratchKey fontsKey_;
    catalog::SystemLocations where_;
    ScratchFolder tools_;
    std::wstring helper_;
    std::wstring out_;
    std::unique_ptr<TfrmMain> main_;
};

TEST_F(RunProgramsTest, EntryStartsItsProgramWithTheCurrentFontsFacts) {
    ScratchFolder fonts(L"run-programs-fonts");
    const std::wstring file =
        fonts.Write(L"字体 目录\\evil face.ttf", BuildFont(FontSpec::Named(u"TyRun \"Evil\" Face")));
    TfrmMain& main = Open(fonts.Path() + L"字体 目录\\");
    ASSERT_EQ(main.FontList().Count(), 1);
    main.ListBox().SetItemIndex(0);
    Programs().Programs() = {
        {L"Other", L"never.exe"},
        {L"Echo", Quoted(helper_) + L" \"$TY_FILEPATH\" $TY_FILENAME \"$TY_FACENAME\" $TY_COPYRIGHT $ty_filepath "
                                    L"$TY_FOLDER $TY_FOLDER_SYSFONTS"}};

    ScriptedAnswers answers(IDOK);
    RunEntry(1);
    EXPECT_EQ(Echoed(), Quoted(helper_) + L" " + Quoted(file) + L" evil face.ttf \"TyRun Evil Face\" $TY_COPYRIGHT " +
                            L"$ty_filepath " + fonts.Path() + L"字体 目录\\ " + where_.fontsFolder)
        << "the quotes of the font's name are gone; the copyright is not a Run menu variable";
    EXPECT_TRUE(answers.asked.empty());

    // A program that cannot start says why, with the command line as it was run.
    Programs().Programs() = {{L"Missing", L"\"C:\\no such folder\\tool.exe\" $TY_FILENAME"}};
    RunEntry(0);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].rfind(L"运行 \"\"C:\\no such folder\\tool.exe\" evil face.ttf\" 失败", 0), 0u)
        << answers.asked[0];
}

TEST_F(RunProgramsTest, ListFileHoldsTheTaggedFontsPathsUntilTheWindowCloses) {
    ScratchFolder fonts(L"run-programs-list");
    const std::wstring first = fonts.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyRunList A")));
    fonts.Write(L"b.ttf", BuildFont(FontSpec::Named(u"TyRunList B")));
    const std::wstring third = fonts.Write(L"c 字.ttf", BuildFont(FontSpec::Named(u"TyRunList C")));
    TfrmMain& main = Open(fonts.Path());
    ASSERT_EQ(main.FontList().Count(), 3);
    main.FontList()[0].Tagged = true;
    main.FontList()[2].Tagged = true;
    Programs().Programs() = {{L"List", Quoted(helper_) + L" $TY_LIST_SELECTED"}};

    RunEntry(0);
    const std::wstring echoed = Echoed();
    const std::wstring prefix = Quoted(helper_) + L" ";
    ASSERT_EQ(echoed.rfind(prefix, 0), 0u) << echoed;
    const std::wstring listFile = echoed.substr(prefix.size());
    EXPECT_EQ(listFile.rfind(tools_.Path() + L"hal", 0), 0u) << listFile;
    // A path outside the ANSI code page: the file is Unicode, nothing is lost.
    std::u16string text = u"\xFEFF" + std::u16string(win::AsU16(first + L"\r\n" + third + L"\r\n"));
    const std::string expected(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    EXPECT_EQ(test::ReadFileBytes(listFile), expected);
    EXPECT_EQ(ListFileBytes({L"C:\\Fonts\\a.ttf", L"D:\\b.ttf"}), "C:\\Fonts\\a.ttf\r\nD:\\b.ttf\r\n")
        << "plain ANSI while every path fits";

    const HWND window = main.Handle();
    for (int i = 0; i < main.FontList().Count(); ++i) main.FontList()[i].Tagged = false;
    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(window));
    EXPECT_EQ(GetFileAttributesW(listFile.c_str()), INVALID_FILE_ATTRIBUTES) << "deleted when the window closed";
}

TEST_F(RunProgramsTest, ChecksAndCancelledPromptsStopTheRun) {
    ScratchFolder fonts(L"run-programs-checks");
    fonts.Write(L"a.ttf", BuildFont(FontSpec::Named(u"TyRunCheck A")));
    TfrmMain& main = Open(fonts.Path());
    ASSERT_EQ(main.FontList().Count(), 1);
    int saveAsked = 0;
    ui::SetSaveFileAnswerer([&](const ui::SaveFileRequest&) {
        ++saveAsked;
        return std::nullopt;
    });
    ModalAnswers cancelFolder([](ui::Dialog& dialog) { dialog.End(IDCANCEL); });
    ScriptedAnswers answers(IDOK);
    Programs().Programs() = {{L"Save", Quoted(helper_) + L" $TY_FILEPATH_BROWSE"},
                             {L"List", Quoted(helper_) + L" $TY_LIST_SELECTED"},
                             {L"Folder", Quoted(helper_) + L" $TY_FOLDER_BROWSE"}};

    RunEntry(0);
    RunEntry(1);
    ASSERT_EQ(answers.asked.size(), 2u);
    EXPECT_EQ(answers.asked[0], win::LoadResString(IDS_MAIN_NEED_CURRENT)) << "$TY_FILEPATH is part of the name";
    EXPECT_EQ(answers.asked[1], win::LoadResString(IDS_MAIN_NEED_TAGGED_OR_CURRENT));
    EXPECT_EQ(saveAsked, 0);

    main.ListBox().SetItemIndex(0);
    RunEntry(0);
    EXPECT_EQ(saveAsked, 1);
    RunEntry(2);
    EXPECT_EQ(cancelFolder.shown, 1) << "the folder picker was shown";
    EXPECT_TRUE(Programs().BrowseCancelled());
    EXPECT_EQ(Echoed(1500), L"") << "a cancelled prompt runs nothing";
    EXPECT_EQ(answers.asked.size(), 2u) << "and says nothing";
}

TEST_F(RunProgramsTest, EditProgramDialogAndInsertVariable) {
    ScriptedAnswers answers(IDOK);
    std::wstring description, askedFileName;
    bool pressedWhileHeld = false;
    ui::SetOpenFileAnswerer([&](const ui::SaveFileRequest& request) {
        askedFileName = request.fileName;
        return std::optional<std::wstring>(L"C:\\Tools\\view.exe");
    });
    ModalAnswers modal([&](ui::Dialog& dialog) {
        if (dynamic_cast<TfrmInsertVariable*>(&dialog)) {
            const HWND list = dialog.Item(IDC_VAR_LIST);
            EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 10) << "the Run menu's set";
            SendMessageW(list, LB_SETCURSEL, 1, 0);
            SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_VAR_LIST, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            description = win::WindowText(dialog.Item(IDC_VAR_DESCRIPTION));
            SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
            return;
        }
        auto* edit = dynamic_cast<TfrmEditProgram*>(&dialog);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(win::WindowText(dialog.Handle()), win::LoadResString(IDS_PROG_ADD_CAPTION));
        const HWND cmdLine = dialog.Item(IDC_PROG_CMDLINE);
        EXPECT_EQ(win::WindowText(cmdLine), L"\"C:\\Old\\tool.exe\" -x ABC");

        // Inserted before the selection, which stays; the caret after the name.
        SendMessageW(cmdLine, EM_SETSEL, 21, 24);
        SendMessageW(dialog.Handle(), WM_COMMAND, IDC_PROG_INSERT, 0);
        EXPECT_EQ(win::WindowText(cmdLine), L"\"C:\\Old\\tool.exe\" -x $TY_FILEPATHABC");
        DWORD start = 0, end = 0;
        SendMessageW(cmdLine, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 33u);
        EXPECT_EQ(end, 33u);
        EXPECT_EQ(GetFocus(), cmdLine);

        // Nothing stored while a field is empty.
        SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
        EXPECT_EQ(answers.asked, std::vector<std::wstring>{win::LoadResString(IDS_PROG_FILL_ALL)});
        EXPECT_TRUE(IsWindow(dialog.Handle())) << "the dialog stays";

        // The button inside the field browses: held, it is drawn pressed; released on it, it clicks.
        ui::ThButtonEdit& field = edit->CommandLine().Edit();
        const RECT button = field.ButtonRect();
        ASSERT_GT(button.right - button.left, 0);
        const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        EXPECT_EQ(SendMessageW(cmdLine, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTBORDER);
        SendMessageW(cmdLine, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(centre.x, centre.y));
        pressedWhileHeld = field.Pressed();
        POINT client = centre;
        ScreenToClient(cmdLine, &client);
        SendMessageW(cmdLine, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        EXPECT_FALSE(field.Pressed());
        EXPECT_EQ(askedFileName, L"\"C:\\Old\\tool.exe") << "the program part of the command line";
        EXPECT_EQ(win::WindowText(cmdLine), L"C:\\Tools\\view.exe") << "the arguments go";
        EXPECT_EQ(win::WindowText(dialog.Item(IDC_PROG_TITLE)), L"view.exe") << "an empty title takes the name";

        // Enter in the field browses too, and does not press OK.
        askedFileName.clear();
        SendMessageW(cmdLine, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(askedFileName, L"C:\\Tools\\view.exe");
        EXPECT_TRUE(IsWindow(dialog.Handle()));

        SetDlgItemTextW(dialog.Handle(), IDC_PROG_TITLE, L"  Viewer ");
        SetWindowTextW(cmdLine, L" view.exe $TY_FILEPATH  ");
        SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    });

    TRunProgramEntry entry{L"", L"\"C:\\Old\\tool.exe\" -x ABC"};
    ASSERT_TRUE(EditProgram(nullptr, entry, true));
    EXPECT_EQ(modal.shown, 2);
    EXPECT_TRUE(pressedWhileHeld);
    EXPECT_EQ(description, win::LoadResString(IDS_PROG_VARIABLE_FIRST + 1));
    EXPECT_EQ(entry.title, L"Viewer");
    EXPECT_EQ(entry.cmdLine, L"view.exe $TY_FILEPATH") << "stored trimmed";
}

}  // namespace
}  // namespace typorama::app
