// The file operation engine on scratch folders and a scratch installed-font
// key, its questions answered from a script. Each case ends by accounting for
// every file: none lost, none duplicated by accident. Family names are used by
// one test each (Wine ignores a second load of a loaded family).
#include "tools/file_operation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/font_registry.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "win/folders.h"
#include "win/registry.h"
#include "win/unique_handle.h"

namespace typorama::tools {
namespace {

using test::ScratchFolder;
using test::ScratchKey;

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Every file of a folder with its contents.
std::map<std::wstring, std::string> Contents(const std::wstring& folder) {
    std::map<std::wstring, std::string> files;
    win::ForEachFolderEntry(folder, L"*", win::EntryKind::Files, [&](const WIN32_FIND_DATAW& entry) {
        files[entry.cFileName] = test::ReadFileBytes(folder + entry.cFileName);
    });
    return files;
}

class ScriptedQuestions : public FileOpQuestions {
public:
    OverwriteAnswer ConfirmOverwrite(const std::wstring& target, const std::wstring&, std::wstring& newName) override {
        clashes.push_back(target.substr(target.find_last_of(L'\\') + 1));
        if (overwrite.empty()) {
            ADD_FAILURE() << "an overwrite question nobody expected";
            return OverwriteAnswer::Cancel;
        }
        OverwriteAnswer answer = overwrite.front();
        overwrite.erase(overwrite.begin());
        if (answer == OverwriteAnswer::Rename && !renames.empty()) {
            newName = renames.front();
            renames.erase(renames.begin());
        }
        return answer;
    }
    FailureAnswer ReportFailure(const FileOpFailure& failure) override {
        failures.push_back(failure);
        return onFailure ? onFailure(failure) : FailureAnswer::Ignore;
    }
    void ReportScheduled(int count) override { scheduled += count; }
    KeepInstalledAnswer AskKeepInstalled() override {
        ++keepAsked;
        return keep;
    }
    void FileDone(const FileOpResult& result) override { done.push_back(result.action); }

    std::vector<OverwriteAnswer> overwrite;
    std::vector<std::wstring> renames;
    std::function<FailureAnswer(const FileOpFailure&)> onFailure;
    std::vector<std::wstring> clashes;
    std::vector<FileOpFailure> failures;
    std::vector<FileOpResult::Action> done;
    int scheduled = 0;
    KeepInstalledAnswer keep = KeepInstalledAnswer::No;
    int keepAsked = 0;
};

using Action = FileOpResult::Action;

class FileOperationTest : public ::testing::Test {
protected:
    FileOperationTest()
        : source_(L"fop-source"), destination_(L"fop-destination"), fontsFolder_(L"fop-fonts"),
          key_(L"fop-fonts-key"), where_(catalog::ScratchLocations(key_, fontsFolder_.Path())) {}

    // An item for a file, as the font list holds it.
    catalog::TFontListItem& Item(const std::wstring& path, const std::wstring& name = L"") {
        items_.push_back(std::make_unique<catalog::TFontListItem>(where_));
        items_.back()->Name = name.empty() ? path.substr(path.find_last_of(L'\\') + 1) : name;
        items_.back()->SetFile(path);
        list_.Add(*items_.back());
        return *items_.back();
    }
    void Run(FileOp op, const std::wstring& destination, bool keepInstalled = false) {
        TFileOpData data;
        data.destination = destination;
        data.keepInstalled = keepInstalled;
        FileOperation(list_, op, data, questions_, {where_, windowsFolder_});
    }
    // A real font, not left loaded by an earlier run that failed.
    std::wstring WriteFont(const ScratchFolder& folder, const std::wstring& file, const std::u16string& family) {
        std::wstring path = folder.Write(file, test::BuildFont(test::FontSpec::Named(family)));
        while (RemoveFontResourceW(path.c_str())) {
        }
        return path;
    }
    bool Available(const std::wstring& family) { return catalog::IsFontAvailable(family, family); }

    ScratchFolder source_, destination_, fontsFolder_;
    ScratchKey key_;
    catalog::SystemLocations where_;
    std::wstring windowsFolder_;
    std::vector<std::unique_ptr<catalog::TFontListItem>> items_;
    catalog::TWorkingList list_;
    ScriptedQuestions questions_;
};

TEST_F(FileOperationTest, CopyIntoTheFilesOwnFolderDoesNothingAndAsksNothing) {
    Item(source_.Write(L"a.ttf", Bytes("A")));
    Item(source_.Write(L"b.ttf", Bytes("B")));
    Run(FileOp::Copy, source_.Path().substr(0, source_.Path().size() - 1));  // without its backslash
    Run(FileOp::Move, source_.Path());
    EXPECT_TRUE(questions_.clashes.empty());
    EXPECT_TRUE(questions_.failures.empty());
    EXPECT_EQ(questions_.done, std::vector<Action>(4, Action::Skipped));
    EXPECT_EQ(Contents(source_.Path()), (std::map<std::wstring, std::string>{{L"a.ttf", "A"}, {L"b.ttf", "B"}}));
}

TEST_F(FileOperationTest, SkipAllSkipsEveryLaterFileAndYesAllOverwritesEveryLaterClash) {
    for (const char* name : {"a", "b", "c", "d"})
        Item(source_.Write(std::wstring(name, name + 1) + L".ttf", Bytes(std::string("new ") + name)));
    auto resetDestination = [&] {
        ASSERT_TRUE(test::DeleteTree(destination_.Path()));
        ASSERT_TRUE(CreateDirectoryW(destination_.Path().c_str(), nullptr));
        destination_.Write(L"b.ttf", Bytes("old b"));
        destination_.Write(L"d.ttf", Bytes("old d"));
    };
    resetDestination();
    questions_.overwrite = {OverwriteAnswer::SkipAll};
    Run(FileOp::Copy, destination_.Path());
    EXPECT_EQ(questions_.clashes, std::vector<std::wstring>{L"b.ttf"});
    EXPECT_EQ(questions_.done, (std::vector<Action>{Action::Copied, Action::Skipped, Action::Skipped, Action::Skipped}));
    EXPECT_EQ(Contents(destination_.Path()),
              (std::map<std::wstring, std::string>{{L"a.ttf", "new a"}, {L"b.ttf", "old b"}, {L"d.ttf", "old d"}}));

    resetDestination();
    questions_ = {};
    questions_.overwrite = {OverwriteAnswer::YesAll};
    Run(FileOp::Copy, destination_.Path());
    EXPECT_EQ(questions_.clashes, std::vector<std::wstring>{L"b.ttf"});  // d is overwritten without asking
    EXPECT_EQ(questions_.done, std::vector<Action>(4, Action::Copied));
    EXPECT_EQ(Contents(destination_.Path()), (std::map<std::wstring, std::string>{
                                                 {L"a.ttf", "new a"}, {L"b.ttf", "new b"}, {L"c.ttf", "new c"},
                                                 {L"d.ttf", "new d"}}));
    EXPECT_EQ(Contents(source_.Path()).size(), 4u);  // a copy leaves the sources
}

TEST_F(FileOperationTest, RenameTakesOnlyAUsableFreeNameAndSkipAndCancelKeepBothFiles) {
    Item(source_.Write(L"a.ttf", Bytes("new a")));
    Item(source_.Write(L"b.ttf", Bytes("new b")));
    Item(source_.Write(L"c.ttf", Bytes("new c")));
    destination_.Write(L"a.ttf", Bytes("old a"));
    destination_.Write(L"b.ttf", Bytes("old b"));
    destination_.Write(L"c.ttf", Bytes("old c"));
    // A reserved device name and a taken name are refused: the question comes again.
    questions_.overwrite = {OverwriteAnswer::Rename, OverwriteAnswer::Rename, OverwriteAnswer::Rename,
                            OverwriteAnswer::Skip, OverwriteAnswer::Cancel};
    questions_.renames = {L"nul.ttf", L"b.ttf", L"a2.ttf"};
    Run(FileOp::Move, destination_.Path());
    EXPECT_EQ(questions_.clashes, (std::vector<std::wstring>{L"a.ttf", L"a.ttf", L"a.ttf", L"b.ttf", L"c.ttf"}));
    EXPECT_EQ(questions_.done, (std::vector<Action>{Action::Renamed, Action::Skipped, Action::Skipped}));
    EXPECT_EQ(Contents(destination_.Path()), (std::map<std::wstring, std::string>{{L"a.ttf", "old a"},
                                                                                {L"a2.ttf", "new a"},
                                                                                {L"b.ttf", "old b"},
                                                                                {L"c.ttf", "old c"}}));
    EXPECT_EQ(Contents(source_.Path()),
              (std::map<std::wstring, std::string>{{L"b.ttf", "new b"}, {L"c.ttf", "new c"}}));
}

TEST_F(FileOperationTest, AMissingDestinationFailsUntilRetryFindsItAndAbortStopsTheRun) {
    Item(source_.Write(L"a.ttf", Bytes("A")));
    Item(source_.Write(L"b.ttf", Bytes("B")));
    const std::wstring missing = destination_.Path() + L"later\\";
    questions_.onFailure = [&](const FileOpFailure&) { return FailureAnswer::Abort; };
    Run(FileOp::Move, missing);
    ASSERT_EQ(questions_.failures.size(), 1u);  // Abort: b is not tried
    EXPECT_EQ(questions_.failures[0].kind, FileOpFailure::Kind::Copy);
    EXPECT_EQ(questions_.failures[0].error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(questions_.failures[0].destinationFolder, missing);
    EXPECT_EQ(questions_.done, std::vector<Action>{Action::Failed});

    questions_ = {};
    questions_.onFailure = [&](const FileOpFailure&) {
        CreateDirectoryW(missing.c_str(), nullptr);
        return FailureAnswer::Retry;
    };
    Run(FileOp::Move, missing);
    EXPECT_EQ(questions_.failures.size(), 1u);  // the retry succeeded: no second report
    EXPECT_EQ(questions_.done, (std::vector<Action>{Action::Moved, Action::Moved}));
    EXPECT_EQ(Contents(missing), (std::map<std::wstring, std::string>{{L"a.ttf", "A"}, {L"b.ttf", "B"}}));
    EXPECT_TRUE(Contents(source_.Path()).empty());
}

// A destination that refuses the copy. A folder that refuses new files is a
// matter of its security on Windows, which Wine does not enforce (nor the
// read-only attribute of folders or, for root, of files); a target held open
// by another program refuses to be replaced on both.
TEST_F(FileOperationTest, ATargetThatCannotBeReplacedFailsTheCopyAndKeepsBothFiles) {
    Item(source_.Write(L"a.ttf", Bytes("new a")));
    Item(source_.Write(L"b.ttf", Bytes("new b")));
    const std::wstring held = destination_.Write(L"a.ttf", Bytes("old a"));
    win::UniqueFile holder(CreateFileW(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    questions_.overwrite = {OverwriteAnswer::Yes};
    Run(FileOp::Move, destination_.Path());
    holder.reset();
    ASSERT_EQ(questions_.failures.size(), 1u);
    EXPECT_EQ(questions_.failures[0].kind, FileOpFailure::Kind::Copy);
    EXPECT_EQ(questions_.failures[0].error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(questions_.done, (std::vector<Action>{Action::Failed, Action::Moved}));  // Ignore goes on
    EXPECT_EQ(Contents(destination_.Path()),
              (std::map<std::wstring, std::string>{{L"a.ttf", "old a"}, {L"b.ttf", "new b"}}));
    EXPECT_EQ(Contents(source_.Path()), (std::map<std::wstring, std::string>{{L"a.ttf", "new a"}}));
}

TEST_F(FileOperationTest, ALockedSourceStaysAfterItsCopyAndRetryDeletesItWithoutCopyingAgain) {
    const std::wstring path = source_.Write(L"a.ttf", Bytes("A"));
    Item(path);
    // Open without FILE_SHARE_DELETE, as a program that holds the file would.
    win::UniqueFile holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    questions_.onFailure = [&](const FileOpFailure& failure) {
        if (questions_.failures.size() > 1) return FailureAnswer::Ignore;
        EXPECT_EQ(failure.kind, FileOpFailure::Kind::DeleteAfterCopy);
        EXPECT_EQ(Contents(destination_.Path()), (std::map<std::wstring, std::string>{{L"a.ttf", "A"}}));
        holder.reset();
        return FailureAnswer::Retry;
    };
    Run(FileOp::Move, destination_.Path());
    EXPECT_EQ(questions_.failures.size(), 1u);
    EXPECT_TRUE(questions_.clashes.empty());  // the copy made before the failure is not a clash
    EXPECT_EQ(questions_.done, std::vector<Action>{Action::Moved});
    EXPECT_TRUE(Contents(source_.Path()).empty());
    EXPECT_EQ(Contents(destination_.Path()), (std::map<std::wstring, std::string>{{L"a.ttf", "A"}}));
}

TEST_F(FileOperationTest, DeletingAReadOnlyFontFileSucceeds) {
    const std::wstring path = source_.Write(L"a.ttf", Bytes("A"));
    source_.Write(L"b.ttf", Bytes("B"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Item(path);
    Run(FileOp::Delete, L"");
    EXPECT_TRUE(questions_.failures.empty());
    EXPECT_EQ(questions_.done, std::vector<Action>{Action::Deleted});
    EXPECT_EQ(Contents(source_.Path()), (std::map<std::wstring, std::string>{{L"b.ttf", "B"}}));
}

TEST_F(FileOperationTest, MovingInstalledFontsKeepsThemInstalledAtTheNewFilesOrUninstallsThem) {
    const std::wstring kept = WriteFont(source_, L"kept.ttf", u"TyFop Kept");
    const std::wstring dropped = WriteFont(source_, L"dropped.ttf", u"TyFop Dropped");
    for (const std::wstring* file : {&kept, &dropped}) {
        const std::wstring name = *file == kept ? L"TyFop Kept" : L"TyFop Dropped";
        ASSERT_TRUE(catalog::LoadFont(*file, where_));
        ASSERT_TRUE(catalog::RegisterFont(name, *file, where_));
    }
    // As the system source lists it: without the flag, which the engine asks
    // the installed-font list for.
    Item(kept, L"TyFop Kept").Installed = true;
    Run(FileOp::Move, destination_.Path(), true);
    const std::wstring keptCopy = destination_.Path() + L"kept.ttf";
    EXPECT_EQ(catalog::RegisteredFile(L"TyFop Kept", where_), keptCopy);
    EXPECT_TRUE(Available(L"TyFop Kept"));

    list_ = {};
    Item(dropped, L"TyFop Dropped").InstalledFromThisFile = true;
    Run(FileOp::Move, destination_.Path(), false);
    const std::wstring droppedCopy = destination_.Path() + L"dropped.ttf";
    EXPECT_FALSE(catalog::IsInstalled(L"TyFop Dropped", L"", where_));
    EXPECT_FALSE(Available(L"TyFop Dropped"));

    EXPECT_TRUE(questions_.failures.empty());
    EXPECT_TRUE(Contents(source_.Path()).empty());
    EXPECT_EQ(Contents(destination_.Path()).size(), 2u);
    catalog::UnloadFont(keptCopy, where_);
    catalog::UnloadFont(droppedCopy, where_);
}

TEST_F(FileOperationTest, AnEntryThisUserMayNotChangeKeepsTheFontAndItsFile) {
    const std::wstring file = WriteFont(source_, L"locked.ttf", u"TyFop Locked");
    ASSERT_TRUE(catalog::LoadFont(file, where_));
    ASSERT_TRUE(catalog::RegisterFont(L"TyFop Locked", file, where_));
    ASSERT_TRUE(key_.DenyValueChanges());

    // Moved with "keep installed": the entry cannot follow, so the source stays.
    Item(file, L"TyFop Locked").InstalledFromThisFile = true;
    Run(FileOp::Move, destination_.Path(), true);
    ASSERT_EQ(questions_.failures.size(), 1u);
    EXPECT_EQ(questions_.failures[0].kind, FileOpFailure::Kind::DeleteAfterCopy);
    EXPECT_EQ(questions_.failures[0].error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(win::IsFile(file));
    EXPECT_EQ(catalog::RegisteredFile(L"TyFop Locked", where_), file);

    // Deleted: the entry would name a file that is gone, so the file stays.
    list_ = {};
    Item(file, L"TyFop Locked").InstalledFromThisFile = true;
    Run(FileOp::Delete, L"");
    ASSERT_EQ(questions_.failures.size(), 2u);
    EXPECT_EQ(questions_.failures[1].kind, FileOpFailure::Kind::Delete);
    EXPECT_TRUE(win::IsFile(file));
    EXPECT_EQ(catalog::RegisteredFile(L"TyFop Locked", where_), file);
    EXPECT_TRUE(Available(L"TyFop Locked"));
    catalog::UnloadFont(file, where_);
    catalog::UnloadFont(destination_.Path() + L"locked.ttf", where_);
}

TEST_F(FileOperationTest, TheKeepInstalledQuestionComesOnlyForInstalledFontsGoingToAFixedDrive) {
    catalog::TFontListItem& font = Item(source_.Write(L"a.ttf", Bytes("A")));
    questions_.keep = KeepInstalledAnswer::Yes;
    EXPECT_EQ(DecideKeepInstalled(list_, false, destination_.Path(), questions_), std::optional<bool>(false));
    EXPECT_EQ(questions_.keepAsked, 0);  // nothing installed from its file
    font.Installed = true;
    EXPECT_EQ(DecideKeepInstalled(list_, false, destination_.Path(), questions_), std::optional<bool>(false));
    EXPECT_EQ(DecideKeepInstalled(list_, true, destination_.Path(), questions_), std::optional<bool>(true));
    EXPECT_EQ(questions_.keepAsked, 1);  // listed from the system: installed is enough
    font.InstalledFromThisFile = true;
    questions_.keep = KeepInstalledAnswer::Cancel;
    EXPECT_EQ(DecideKeepInstalled(list_, false, destination_.Path(), questions_), std::nullopt);
    // A share may go away, and the fonts with it: never kept, never asked.
    EXPECT_EQ(DecideKeepInstalled(list_, false, L"\\\\nowhere\\fonts\\", questions_), std::optional<bool>(false));
    EXPECT_EQ(questions_.keepAsked, 2);
}

TEST_F(FileOperationTest, AFontWhoseFileCannotBeDeletedStaysInstalledAndLoaded) {
    const std::wstring path = WriteFont(source_, L"held.ttf", u"TyFop Held");
    ASSERT_TRUE(catalog::LoadFont(path, where_));
    ASSERT_TRUE(catalog::RegisterFont(L"TyFop Held", path, where_));
    // Stored in the older form: it comes back exactly as it was.
    catalog::UnregisterFont(L"TyFop Held", path, where_);
    key_.SetString(L"", L"TyFop Held (True Type)", path);
    // A second form pointing at the same file: uninstalling takes both, and both come back.
    key_.SetString(L"", L"TyFop Held (OpenType)", path);
    Item(path, L"TyFop Held").InstalledFromThisFile = true;
    win::UniqueFile holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Run(FileOp::Delete, L"");
    Run(FileOp::Move, destination_.Path());
    holder.reset();
    ASSERT_EQ(questions_.failures.size(), 2u);
    EXPECT_EQ(questions_.failures[0].kind, FileOpFailure::Kind::Delete);
    EXPECT_EQ(questions_.failures[1].kind, FileOpFailure::Kind::DeleteAfterCopy);
    EXPECT_EQ(catalog::LookupFileName(L"TyFop Held", where_), path);
    EXPECT_EQ(win::ReadString(key_.Get(), L"TyFop Held (True Type)"), path);
    EXPECT_EQ(win::ReadString(key_.Get(), L"TyFop Held (OpenType)"), path);
    EXPECT_TRUE(Available(L"TyFop Held"));
    EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Contents(source_.Path()).size(), 1u);
    EXPECT_EQ(Contents(destination_.Path()).size(), 1u);  // the move's copy, reported as such
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    catalog::UnloadFont(path, where_);
}

TEST_F(FileOperationTest, AccessDeniedDeletionsGoAtTheNextStart) {
    ScratchFolder windows(L"fop-windows");
    windows.Write(L"wininit.ini", Bytes("[Rename]\r\nNUL=C:\\OLD.TTF\r\n"));
    windowsFolder_ = windows.Path();
    // DeleteFile refuses a folder with the access-denied error, as Windows
    // refuses a font file the system holds.
    const std::wstring held = source_.Path() + L"held.ttf";
    ASSERT_TRUE(CreateDirectoryW(held.c_str(), nullptr));
    const std::wstring shortHeld = win::ShortPath(held);
    Item(held);
    where_.isNT = false;
    Run(FileOp::Delete, L"");
    EXPECT_EQ(questions_.scheduled, 1);
    EXPECT_TRUE(questions_.failures.empty());
    EXPECT_EQ(questions_.done, std::vector<Action>{Action::Scheduled});
    const std::string ini = test::ReadFileBytes(windows.Path() + L"wininit.ini");
    EXPECT_NE(ini.find("NUL=C:\\OLD.TTF"), std::string::npos) << ini;  // the lines already there stay
    EXPECT_NE(ini.find("NUL=" + std::string(shortHeld.begin(), shortHeld.end())), std::string::npos) << ini;

    // NT-family systems never write "wininit.ini": the system is asked.
    where_.isNT = true;
    questions_ = {};
    Run(FileOp::Delete, L"");
    EXPECT_EQ(questions_.scheduled + static_cast<int>(questions_.failures.size()), 1);
    EXPECT_EQ(test::ReadFileBytes(windows.Path() + L"wininit.ini"), ini);
    EXPECT_TRUE(win::IsFolder(held));
    RemoveDirectoryW(held.c_str());
}

}  // namespace
}  // namespace typorama::tools
