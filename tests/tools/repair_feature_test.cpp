// The repair wizard and the fonts-folder view in the real main window, hidden,
// on scratch installed-font lists, a scratch fonts folder and scratch class
// keys: which entries are invalid and from which list they go, the order of
// the repairs and the list's three answers, refusals reported with their
// reason, and desktop.ini keeping its other entries.
#include "tools/repair_feature.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/main_window_fixture.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "ui/font_listing_dialog.h"
#include "ui/resource.h"
#include "win/registry.h"
#include "win/window_text.h"

namespace typorama::tools {
namespace {

using test::ModalAnswers;
using test::ScratchFolder;
using test::ScratchKey;
using test::ScriptedAnswers;

const std::wstring kClassKey = L"CLSID\\{BD84B380-8CA2-1069-AB1D-08000948F534}";

class RepairFeatureTest : public test::MainWindowFixture {
protected:
    RepairFeatureTest()
        : MainWindowFixture(L"repair"), machineKey_(L"repair-fonts"), userKey_(L"repair-user-fonts"),
          classes_(L"repair-classes"), fontsFolder_(L"repair-sysfonts"), otherFolder_(L"repair-other") {
        where_ = catalog::ScratchLocations(machineKey_, fontsFolder_.Path());
        where_.userFontsRoot = HKEY_CURRENT_USER;
        where_.userFontsKey = userKey_.SubKey();
        font_ = test::BuildFont(test::FontSpec::Named(u"TyRepair"));
    }
    ~RepairFeatureTest() override { CloseUntagged(main_); }

    RepairCommands& Open() {
        main_ = OpenHidden(L"", where_);
        EXPECT_TRUE(main_);
        RepairCommands& repair = *main_->Feature<RepairCommands>();
        repair.ClassesRoot = classes_.Get();
        return repair;
    }
    static std::wstring Entry(const ScratchKey& key, const std::wstring& name) {
        return win::ReadString(key.Get(), name).value_or(L"<none>");
    }
    // Answers the wizard with the given boxes and OK, and the list with `listAnswer`.
    static std::unique_ptr<ModalAnswers> Answer(bool validate, bool removable, bool folder, INT_PTR listAnswer,
                                                std::wstring* listed = nullptr, bool* skipEnabled = nullptr) {
        return std::make_unique<ModalAnswers>([=](ui::Dialog& dialog) {
            if (dynamic_cast<ui::TfrmFontListing*>(&dialog) != nullptr) {
                if (listed) *listed = win::WindowText(GetDlgItem(dialog.Handle(), IDC_LISTING_FONTS));
                if (skipEnabled) *skipEnabled = IsWindowEnabled(GetDlgItem(dialog.Handle(), IDC_LISTING_BUTTON2));
                EXPECT_EQ(win::WindowText(dialog.Handle()), L"修复向导");
                PostMessageW(dialog.Handle(), WM_COMMAND, listAnswer, 0);
                return;
            }
            CheckDlgButton(dialog.Handle(), IDC_REP_VALIDATE, validate ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(dialog.Handle(), IDC_REP_INC_REMOVABLE, removable ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(dialog.Handle(), IDC_REP_FONTS_FOLDER, folder ? BST_CHECKED : BST_UNCHECKED);
            PostMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
        });
    }

    ScratchKey machineKey_;
    ScratchKey userKey_;
    ScratchKey classes_;
    ScratchFolder fontsFolder_;
    ScratchFolder otherFolder_;
    catalog::SystemLocations where_;
    std::vector<std::uint8_t> font_;
    std::unique_ptr<app::TfrmMain> main_;
};

TEST_F(RepairFeatureTest, InvalidEntriesOfBothListsAndTheirRemovalFromTheListTheyAreIn) {
    fontsFolder_.Write(L"here.ttf", font_);
    const std::wstring other = otherFolder_.Write(L"other.ttf", font_);
    win::WriteString(machineKey_.Get(), L"Here (TrueType)", L"here.ttf");
    win::WriteString(machineKey_.Get(), L"Gone (TrueType)", L"gone.ttf");  // bare: looked for in the fonts folder
    win::WriteString(machineKey_.Get(), L"Other (TrueType)", other);
    win::WriteString(machineKey_.Get(), L"Shared (TrueType)", L"here.ttf");
    const DWORD number = 1;
    win::WriteValue(machineKey_.Get(), L"Number", REG_DWORD, &number, sizeof number);
    win::WriteString(userKey_.Get(), L"Shared (TrueType)", otherFolder_.Path() + L"missing.ttf");
    win::WriteString(userKey_.Get(), L"Mine (TrueType)", other);

    // On fixed disks only missing files are invalid, the machine's list first, each from its last value.
    std::vector<Registration> invalid = FindInvalidRegistrations(true, where_);
    ASSERT_EQ(invalid.size(), 2u);
    EXPECT_EQ(invalid[0].valueName, L"Gone (TrueType)");
    EXPECT_EQ(invalid[0].list, FontListKind::Machine);
    EXPECT_EQ(invalid[0].stored, L"gone.ttf");
    EXPECT_EQ(invalid[1].valueName, L"Shared (TrueType)");
    EXPECT_EQ(invalid[1].list, FontListKind::PerUser);

    // On a removable drive an existing file's entry is invalid only with IncludeRemovable.
    const DriveTypeOf removable = [](const std::wstring&) { return static_cast<UINT>(DRIVE_REMOVABLE); };
    EXPECT_EQ(FindInvalidRegistrations(false, where_, removable).size(), 2u);
    invalid = FindInvalidRegistrations(true, where_, removable);
    EXPECT_EQ(invalid.size(), 6u) << "every file entry; the number is no font's";
    EXPECT_EQ(invalid[0].valueName, L"Shared (TrueType)") << "walked from the last value";

    // Each goes from its own list: the machine's entry of the same name stays.
    invalid = FindInvalidRegistrations(true, where_);
    EXPECT_TRUE(RemoveRegistrations(invalid, where_).empty());
    EXPECT_EQ(Entry(machineKey_, L"Gone (TrueType)"), L"<none>");
    EXPECT_EQ(Entry(userKey_, L"Shared (TrueType)"), L"<none>");
    EXPECT_EQ(Entry(machineKey_, L"Shared (TrueType)"), L"here.ttf");
    EXPECT_EQ(Entry(userKey_, L"Mine (TrueType)"), other);
    EXPECT_TRUE(RemoveRegistrations(invalid, where_).empty()) << "entries gone already count as removed";

    // A list that refuses changes reports every entry with the system's reason.
    win::WriteString(machineKey_.Get(), L"Gone (TrueType)", L"gone.ttf");
    ASSERT_TRUE(machineKey_.DenyValueChanges());
    const std::vector<RemovalFailure> failures = RemoveRegistrations(FindInvalidRegistrations(true, where_), where_);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].error, ERROR_ACCESS_DENIED);
    EXPECT_EQ(Entry(machineKey_, L"Gone (TrueType)"), L"gone.ttf");
}

TEST_F(RepairFeatureTest, TheWizardRunsItsRepairsInOrderAndReportsRefusals) {
    win::WriteString(machineKey_.Get(), L"Gone (TrueType)", L"gone.ttf");
    RepairCommands& repair = Open();
    EXPECT_TRUE(repair.Settings().checkRegistry);
    EXPECT_TRUE(repair.Settings().includeRemovable);

    // The wizard: defaults, the dependent box, OK only with a repair checked, no cache on NT.
    ModalAnswers look([](ui::Dialog& dialog) {
        const HWND window = dialog.Handle();
        EXPECT_EQ(win::WindowText(window), L"修复向导");
        EXPECT_EQ(win::WindowText(GetDlgItem(window, IDCANCEL)), L"取消");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_REP_REBUILD_CACHE)));
        CheckDlgButton(window, IDC_REP_VALIDATE, BST_UNCHECKED);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_REP_VALIDATE, BN_CLICKED), 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_REP_INC_REMOVABLE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
        SendMessageW(window, WM_COMMAND, IDC_REP_DEFAULTS, 0);
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_REP_VALIDATE), static_cast<UINT>(BST_CHECKED));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_REPAIR));
    EXPECT_FALSE(Settings().KeyExists(L"Repair")) << "cancel stores nothing";

    // "取消" in the list: no later repair, the entry stays, the choices are stored.
    std::wstring listed;
    bool skipEnabled = false;
    {
        auto answers = Answer(true, false, true, ui::TfrmFontListing::kButton3, &listed, &skipEnabled);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_REPAIR));
    }
    EXPECT_EQ(listed, L"Gone (TrueType): gone.ttf");
    EXPECT_TRUE(skipEnabled) << "the fonts-folder repair comes after it";
    EXPECT_EQ(Entry(machineKey_, L"Gone (TrueType)"), L"gone.ttf");
    EXPECT_FALSE(win::KeyExists(classes_.Get(), kClassKey));
    EXPECT_EQ(Settings(L"Repair").ReadBoolDef(L"IncludeRemovable", true), false);
    EXPECT_EQ(Settings(L"Repair").ReadBoolDef(L"CheckRegistry", false), true);

    // "是" on a list this user may not change: the entry stays and the message says why.
    ASSERT_TRUE(machineKey_.DenyValueChanges());
    {
        ScriptedAnswers messages(IDOK);
        auto answers = Answer(true, true, false, ui::TfrmFontListing::kButton1);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_REPAIR));
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_NE(messages.asked[0].find(L"1 个无效的引用没有从注册表移除"), std::wstring::npos) << messages.asked[0];
        EXPECT_NE(messages.asked[0].find(L"管理员"), std::wstring::npos) << messages.asked[0];
    }
    EXPECT_EQ(Entry(machineKey_, L"Gone (TrueType)"), L"gone.ttf");

    // No invalid entry: the information, then the fonts folder is still repaired.
    ScratchKey cleanKey(L"repair-clean");
    where_.fontsKey = cleanKey.SubKey();
    where_.userFontsKey.clear();
    CloseUntagged(main_);
    Open();
    {
        ScriptedAnswers messages(IDOK);
        auto answers = Answer(true, true, true, ui::TfrmFontListing::kButton1);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_REPAIR));
        ASSERT_EQ(messages.asked.size(), 1u);
        EXPECT_EQ(messages.asked[0], L"注册表内没有找到问题。");
    }
    EXPECT_EQ(win::ReadString(win::OpenKey(classes_.Get(), kClassKey + L"\\InProcServer32", KEY_READ).get(),
                              L"ThreadingModel"),
              L"Apartment");
    EXPECT_EQ(win::ReadString(win::OpenKey(classes_.Get(), kClassKey + L"\\DefaultIcon", KEY_READ).get(), L""),
              L"fontext.dll, -101");
    wchar_t value[64]{};
    GetPrivateProfileStringW(L".ShellClassInfo", L"UICLSID", L"", value, 64, (fontsFolder_.Path() + L"desktop.ini").c_str());
    EXPECT_STREQ(value, L"{BD84B380-8CA2-1069-AB1D-08000948F534}");
}

TEST_F(RepairFeatureTest, TheStandardViewKeepsTheOtherEntriesOfDesktopIni) {
    const std::wstring ini = fontsFolder_.Path() + L"desktop.ini";
    Open();
    // No file: "是" changes nothing.
    {
        ScriptedAnswers yes(IDYES);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_TWEAK));
        ASSERT_EQ(yes.asked.size(), 1u);
        EXPECT_TRUE(yes.flags[0] & MB_DEFBUTTON2);
        EXPECT_TRUE(yes.flags[0] & MB_HELP) << "help context 5001";
    }
    EXPECT_EQ(GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);

    // "否" writes the entry; "是" takes only it away, keeping the localised name.
    WritePrivateProfileStringW(L".ShellClassInfo", L"LocalizedResourceName", L"@shell32.dll,-21778", ini.c_str());
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    {
        ScriptedAnswers no(IDNO);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_TWEAK));
        EXPECT_EQ(no.asked.size(), 1u) << "no failure";
    }
    EXPECT_NE(test::ReadFileBytes(ini).find("UICLSID"), std::string::npos);
    {
        ScriptedAnswers yes(IDYES);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_TWEAK));
        EXPECT_EQ(yes.asked.size(), 1u) << "no failure";
    }
    const std::string kept = test::ReadFileBytes(ini);
    EXPECT_EQ(kept.find("UICLSID"), std::string::npos) << kept;
    EXPECT_NE(kept.find("LocalizedResourceName=@shell32.dll,-21778"), std::string::npos) << kept;
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(GetFileAttributesW(ini.c_str()) & hiddenSystem, hiddenSystem) << "its attributes are put back";

    // With nothing else in it the file goes.
    WritePrivateProfileStringW(L".ShellClassInfo", L"LocalizedResourceName", nullptr, ini.c_str());
    WritePrivateProfileStringW(L".ShellClassInfo", L"UICLSID", L"{x}", ini.c_str());
    {
        ScriptedAnswers yes(IDYES);
        EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_TWEAK));
    }
    EXPECT_EQ(GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);

    // A folder that cannot take the file: the failure is shown with the system's text.
    where_.fontsFolder = fontsFolder_.Path() + L"missing\\";
    CloseUntagged(main_);
    Open();
    ScriptedAnswers no(IDNO);
    EXPECT_TRUE(main_->RunCommand(IDM_TOOLS_TWEAK));
    ASSERT_EQ(no.asked.size(), 2u);
    EXPECT_EQ(no.asked[1].rfind(L"命令失败", 0), 0u) << no.asked[1];
}

}  // namespace
}  // namespace typorama::tools
