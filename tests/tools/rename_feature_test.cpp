// Renaming font files to their full names and back, on scratch folders, logs
// and installed-font lists: the run with scripted answers, and the Tools
// commands in the real main window, hidden, with the conflict dialog.
#include "tools/rename_feature.h"

#include <gtest/gtest.h>

#include <cstdint>

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/font_list.h"
#include "catalog/font_registry.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "tools/list_set_aside.h"
#include "tools/rename_dialog.h"
#include "tools/rename_run.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/registry.h"
#include "win/whole_file.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::tools {
namespace {

using test::ModalAnswers;
using test::ScratchFolder;
using test::ScratchKey;
using test::ScriptedAnswers;

std::vector<std::uint8_t> Font(const std::u16string& family, const std::u16string& style = u"Regular") {
    return test::BuildFont(test::FontSpec::Named(family, style));
}

std::string FileBytes(const std::wstring& path) {
    auto bytes = win::ReadWholeFile(path, 1 << 20);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<none>";
}

// Answers from a script and keeps what the run reported.
class Script : public RenameQuestions {
public:
    RenameClashAnswer AskClash(const RenameClashInfo& clash) override {
        clashes.push_back(clash);
        return clash_;
    }
    RenameFailureAnswer AskFailure(const std::wstring&, const std::wstring&, DWORD error) override {
        failures.push_back(error);
        return failures.size() == 1 ? RenameFailureAnswer::Retry : RenameFailureAnswer::Ignore;
    }
    void FileDone(const RenameFileReport& report) override { reports.push_back(report); }
    bool Cancelled() override { return reports.size() >= cancelAfter; }

    std::size_t cancelAfter = SIZE_MAX;
    RenameClashAnswer clash_{RenameClash::Skip, {}};
    std::vector<RenameClashInfo> clashes;
    std::vector<DWORD> failures;
    std::vector<RenameFileReport> reports;
};

class RenameRunTest : public ::testing::Test {
protected:
    RenameRunTest()
        : fontsKey_(L"rename-fonts"), fontsFolder_(L"rename-sysfonts"), folder_(L"rename-run"),
          logFolder_(L"rename-log"), where_(catalog::ScratchLocations(fontsKey_, fontsFolder_.Path())),
          log_(logFolder_.Path() + L"Rename.log") {}

    RenameCounts Run(bool undo, Script& script) {
        return RunRename(undo, CollectRenameFiles(folder_.Path(), false), log_, script, where_);
    }

    ScratchKey fontsKey_;
    ScratchFolder fontsFolder_;
    ScratchFolder folder_;
    ScratchFolder logFolder_;
    catalog::SystemLocations where_;
    std::wstring log_;
};

TEST(ListSetAsideTest, LetsGoOfEveryDrawnFontAlsoInTheOnlySelectedViewAndBringsTheViewBack) {
    ScratchFolder folder(L"set-aside");
    for (const char16_t* name : {u"TySetAside One", u"TySetAside Two", u"TySetAside Three"})
        folder.Write(win::ToWide(name) + L".ttf", Font(name));
    catalog::TFontList list;
    list.SetSourceKind(catalog::SourceKind::Folder);
    list.SetFolder(folder.Path());
    list.Rebuild(false);
    ASSERT_EQ(list.Count(), 3);
    for (int i = 0; i < list.Count(); ++i) list.PrepareToDraw(list[i]);
    ASSERT_TRUE(catalog::IsFontAvailable(L"TySetAside Two", L"TySetAside Two"));
    list[0].Tagged = true;
    const std::wstring tagged = list[0].Name;
    list.SetShowTaggedOnly(true);
    ASSERT_EQ(list.Count(), 1);
    {
        ListSetAside aside(list);
        for (const wchar_t* name : {L"TySetAside One", L"TySetAside Two", L"TySetAside Three"})
            EXPECT_FALSE(catalog::IsFontAvailable(name, name)) << "still loaded to draw: " << win::WideToUtf8(name);
    }
    EXPECT_TRUE(list.ShowTaggedOnly());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0].Name, tagged);
    EXPECT_TRUE(list[0].Tagged);
    list.Clear();
}

TEST_F(RenameRunTest, CancelBetweenFilesStopsTheRunAndKeepsTheLogOfWhatWasDone) {
    folder_.Write(L"c1.ttf", Font(u"TyRen Cancel One"));
    folder_.Write(L"c2.ttf", Font(u"TyRen Cancel Two"));
    Script script;
    script.cancelAfter = 1;
    const RenameCounts counts = Run(false, script);
    EXPECT_TRUE(counts.stopped);
    EXPECT_EQ(counts.renamed, 1u);
    ASSERT_EQ(script.reports.size(), 1u);
    // Whichever the folder listed first was renamed and logged; the other stays.
    const bool firstWasOne = script.reports[0].file == folder_.Path() + L"c1.ttf";
    EXPECT_EQ(FileBytes(log_), firstWasOne ? "TyRen Cancel One.ttf|c1.ttf\r\n" : "TyRen Cancel Two.ttf|c2.ttf\r\n");
    EXPECT_TRUE(win::IsFile(folder_.Path() + (firstWasOne ? L"c2.ttf" : L"c1.ttf")));
}

TEST_F(RenameRunTest, RenamesToFullNamesLogsEachOnceAndUndoesFromTheLog) {
    folder_.Write(L"TYREN ALPHA.TTF", Font(u"TyRen Alpha"));  // already its name, in another case
    folder_.Write(L"r1.ttf", Font(u"TyRen 16:9", u"Bold"));
    folder_.Write(L"r2.ttf", Font(u"TyRen 1/2"));
    folder_.Write(L"r3.otf", Font(u"TyRen Otf"));  // never renamed
    folder_.Write(L"broken.ttf", {'n', 'o'});

    Script first;
    const RenameCounts counts = Run(false, first);
    EXPECT_EQ(counts.found, 4u);
    EXPECT_EQ(counts.renamed, 2u);
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"TyRen 169 Bold.ttf"));
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"TyRen 12.ttf"));
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"TYREN ALPHA.TTF"));
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"r3.otf"));
    const std::string logged = "TyRen 12.ttf|r2.ttf\r\nTyRen 169 Bold.ttf|r1.ttf\r\n";
    EXPECT_EQ(FileBytes(log_), logged);

    // A second run finds nothing to do and adds nothing.
    Script second;
    EXPECT_EQ(Run(false, second).renamed, 0u);
    EXPECT_EQ(FileBytes(log_), logged);
    ASSERT_EQ(second.reports.size(), 4u);
    for (const RenameFileReport& report : second.reports)
        EXPECT_EQ(report.action, report.newName.empty() ? RenameAction::Skipped : RenameAction::Unchanged)
            << win::WideToUtf8(report.file);

    // Undo in a folder the log does not know: 0 of 1.
    ScratchFolder other(L"rename-other");
    other.Write(L"o.ttf", Font(u"TyRen Other"));
    Script none;
    const RenameCounts untouched = RunRename(true, CollectRenameFiles(other.Path(), false), log_, none, where_);
    EXPECT_EQ(untouched.found, 1u);
    EXPECT_EQ(untouched.renamed, 0u);

    Script undo;
    EXPECT_EQ(Run(true, undo).renamed, 2u);
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"r1.ttf"));
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"r2.ttf"));
    EXPECT_EQ(FileBytes(log_), logged) << "undo never changes the log";
}

TEST_F(RenameRunTest, ACjkFullNameRoundTripsThroughAUnicodeLog) {
    folder_.Write(L"cjk.ttf", Font(u"泰波测试", u"粗体"));
    Script rename;
    EXPECT_EQ(Run(false, rename).renamed, 1u);
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"泰波测试 粗体.ttf"));
    const std::string bytes = FileBytes(log_);
    // Under the code pages without these characters the log must not lose them.
    if (!win::WideToAnsiExact(L"泰波测试")) {
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    }
    Script undo;
    EXPECT_EQ(Run(true, undo).renamed, 1u);
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"cjk.ttf"));
}

TEST_F(RenameRunTest, InstalledFontsStayInstalledAndLoadedAlsoWhenTheMoveFails) {
    const std::wstring oldPath = folder_.Write(L"inst.ttf", Font(u"TyRenInstalled"));
    const std::wstring newPath = folder_.Path() + L"TyRenInstalled.ttf";
    ASSERT_TRUE(catalog::LoadFont(oldPath, where_));
    ASSERT_TRUE(catalog::RegisterFont(L"TyRenInstalled", oldPath, where_));

    {
        // Held open without delete sharing: the move fails; Retry once, then Ignore.
        win::UniqueFile held(CreateFileW(oldPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                         nullptr));
        ASSERT_TRUE(held);
        Script failing;
        EXPECT_EQ(Run(false, failing).renamed, 0u);
        EXPECT_EQ(failing.failures.size(), 2u);
        ASSERT_EQ(failing.reports.size(), 1u);
        EXPECT_EQ(failing.reports[0].action, RenameAction::Failed);
        EXPECT_TRUE(failing.reports[0].installed);
        EXPECT_TRUE(catalog::IsFontAvailable(L"TyRenInstalled", L"TyRenInstalled")) << "loaded again";
        EXPECT_EQ(catalog::RegisteredFile(L"TyRenInstalled", where_), oldPath);
    }

    {
        // An entry this user may not change: the file keeps its name and the font its entry.
        ASSERT_TRUE(fontsKey_.DenyValueChanges());
        Script refused;
        EXPECT_EQ(Run(false, refused).renamed, 0u);
        ASSERT_EQ(refused.reports.size(), 1u);
        EXPECT_EQ(refused.reports[0].action, RenameAction::Failed);
        EXPECT_TRUE(win::IsFile(oldPath));
        EXPECT_EQ(catalog::RegisteredFile(L"TyRenInstalled", where_), oldPath);
        EXPECT_TRUE(catalog::IsFontAvailable(L"TyRenInstalled", L"TyRenInstalled"));
        ASSERT_TRUE(fontsKey_.AllowValueChanges());
    }

    Script script;
    EXPECT_EQ(Run(false, script).renamed, 1u);
    EXPECT_EQ(catalog::RegisteredFile(L"TyRenInstalled", where_), newPath);
    EXPECT_TRUE(catalog::GetInstallState(L"TyRenInstalled", newPath, where_).fromThisFile);
    EXPECT_TRUE(catalog::IsFontAvailable(L"TyRenInstalled", L"TyRenInstalled")) << "loaded from the new file";
    EXPECT_TRUE(catalog::UnloadFont(newPath, where_));
}

class RenameFeatureTest : public test::MainWindowFixture {
protected:
    RenameFeatureTest()
        : MainWindowFixture(L"rename"), fontsKey_(L"renamew-fonts"), fontsFolder_(L"renamew-sysfonts"),
          where_(catalog::ScratchLocations(fontsKey_, fontsFolder_.Path())), folder_(L"renamew-list"),
          logFolder_(L"renamew-log") {}
    ~RenameFeatureTest() override { CloseUntagged(main_); }

    ScratchKey fontsKey_;
    ScratchFolder fontsFolder_;
    catalog::SystemLocations where_;
    ScratchFolder folder_;
    ScratchFolder logFolder_;
    std::unique_ptr<app::TfrmMain> main_;
};

TEST_F(RenameFeatureTest, ConflictDialogProposesNumberedNameWithTheStoredChoiceAndUndoNeedsTheLog) {
    folder_.Write(L"a.ttf", Font(u"TyRen Twin"));
    folder_.Write(L"b.ttf", Font(u"TyRen Twin"));
    Settings(L"").WriteInteger(kLastRenameTypeValue, TfrmConfirmRename::kRename);
    main_ = OpenHidden(L"", where_);
    ASSERT_TRUE(main_);
    main_->Beep = [] {};
    RenameCommands& rename = *main_->Feature<RenameCommands>();
    const std::wstring log = logFolder_.Path() + L"Rename.log";
    rename.LogPath = [log] { return log; };
    EXPECT_FALSE(main_->Commands().Enabled(IDM_TOOLS_UNDO_RENAME));

    ScriptedAnswers errors(IDOK);
    ModalAnswers answers([&](ui::Dialog& dialog) {
        HWND window = dialog.Handle();
        EXPECT_EQ(win::WindowText(window), L"文件名冲突");
        EXPECT_EQ(win::WindowText(GetDlgItem(window, IDC_REN_MESSAGE)),
                  L"重命名\"b.ttf\"到\"TyRen Twin.ttf\"时发生问题，一个名为\"TyRen Twin.ttf\"的文件已存在于 \"" +
                      folder_.Path().substr(0, folder_.Path().size() - 1) + L"\" 文件夹内。");
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_REN_RENAME), static_cast<UINT>(BST_CHECKED)) << "the stored choice";
        EXPECT_EQ(win::WindowText(GetDlgItem(window, IDC_REN_NEW_NAME)), L"TyRen Twin 2");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_REN_NEW_NAME)));
        // A name that exists is refused and the dialog stays.
        SetDlgItemTextW(window, IDC_REN_NEW_NAME, L"TyRen Twin.otf");
        SendMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(errors.asked, std::vector<std::wstring>{L"具有指定名的文件已存在，请选择不同名称。"});
        // Skip disables the box; back to a new name whose old extension goes.
        CheckRadioButton(window, IDC_REN_SKIP, IDC_REN_RENAME, IDC_REN_SKIP);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_REN_SKIP, BN_CLICKED), 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_REN_NEW_NAME)));
        CheckRadioButton(window, IDC_REN_SKIP, IDC_REN_RENAME, IDC_REN_RENAME);
        SetDlgItemTextW(window, IDC_REN_NEW_NAME, L" Twin.Copy.otf ");
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    rename.Run(false, folder_.Path());
    EXPECT_EQ(answers.shown, 1);
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"TyRen Twin.ttf"));
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"Twin.Copy.ttf"));
    EXPECT_EQ(FileBytes(log), "Twin.Copy.ttf|b.ttf\r\nTyRen Twin.ttf|a.ttf\r\n");
    EXPECT_TRUE(main_->Commands().Enabled(IDM_TOOLS_UNDO_RENAME));

    // Undo reports its counts; the dialog's choice was kept.
    errors.asked.clear();
    rename.Run(true, folder_.Path());
    EXPECT_EQ(errors.asked, std::vector<std::wstring>{L"2 / 2 字体的名称被更改。"});
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"a.ttf"));
    EXPECT_TRUE(win::IsFile(folder_.Path() + L"b.ttf"));
    EXPECT_EQ(Settings(L"").ReadIntegerDef(kLastRenameTypeValue, -1, settings::kAnyInteger),
              TfrmConfirmRename::kRename);
}

TEST(RenameLogPlace, PortableBesideTheProgramOtherwiseInApplicationData) {
    ScratchFolder program(L"rename-program");
    ScratchFolder appData(L"rename-appdata");
    EXPECT_EQ(RenameLogPath(program.Path(), appData.Path()), program.Path() + L"Rename.log");
    // A folder that cannot be written, as Program Files for a user.
    EXPECT_EQ(RenameLogPath(program.Path() + L"missing\\", appData.Path()),
              appData.Path() + L"Typorama\\Rename.log");
    RenameLog log = LoadRenameLog(appData.Path() + L"Typorama\\Rename.log");
    log.Add(u"a.ttf", u"b.ttf");
    EXPECT_EQ(SaveRenameLog(appData.Path() + L"Typorama\\Rename.log", log), static_cast<DWORD>(ERROR_SUCCESS))
        << "its folder is made";
}

}  // namespace
}  // namespace typorama::tools
