// Pictures of every page of the options dialog over the main window:
//   options_shot OUT_BASE      (writes OUT_BASE-0.bmp .. OUT_BASE-4.bmp)
// Run it under a virtual desktop; settings and the shell entry go to scratch keys.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_window.h"
#include "app/run_programs.h"
#include "options/options_dialog.h"
#include "options/options_feature.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "tools/bitmap_file.h"
#include "tools/shot_language.h"
#include "ui/resource.h"

using namespace typorama;

int wmain(int argc, wchar_t** argv) {
    UseShotLanguage();
    if (argc != 2) {
        std::fputs("usage: options_shot OUT_BASE\n", stderr);
        return 2;
    }
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&init);
    test::ScratchKey settingsKey(L"options-shot-settings");
    test::ScratchKey versionKey(L"options-shot-version");
    test::ScratchKey classesKey(L"options-shot-classes");
    settings::SetActiveSettingsRoot({HKEY_CURRENT_USER, settingsKey.SubKey()});
    settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey.SubKey()});
    app::TfrmMain main(catalog::Locations());
    main.QuitOnDestroy = false;
    if (!main.Create(L"", SW_SHOW)) return 1;
    SetWindowPos(main.Handle(), nullptr, 20, 20, 600, 600, SWP_NOZORDER);
    app::MainSettings& s = main.Settings();
    s.useCustomColors = true;
    s.colorFont = 0x00202080;
    s.colorBack = 0x00E0F0FF;
    s.sampleStrings.items = {L"Handgloves", L"永和九年", L"The quick brown fox"};
    s.favorites = {L"C:\\Fonts\\Sans", L"D:\\字体\\宋体"};
    s.destinations = {L"E:\\Backup\\Fonts"};
    main.Feature<app::RunPrograms>()->Programs() = {
        {L"FontForge", L"\"C:\\Program Files\\FontForge\\fontforge.exe\" \"$TY_FILEPATH\""},
        {L"记事本 (列表)", L"notepad.exe $TY_LIST_SELECTED"}};
    options::OptionsFeature& feature = *main.Feature<options::OptionsFeature>();
    feature.ShellPlaces = {{HKEY_CURRENT_USER, classesKey.SubKey()}, {HKEY_CURRENT_USER, classesKey.SubKey()}};

    options::TfrmConfig dialog(main, options::OptionsPage::General, false, feature.ShellPlaces, feature.ProgramPath);
    dialog.CenterOver(main.Handle());
    if (!dialog.CreateModeless(main.Handle())) return 1;
    ShowWindow(dialog.Handle(), SW_SHOW);
    bool saved = true;
    for (int page = 0; page < options::kPageCount; ++page) {
        dialog.ShowPage(static_cast<options::OptionsPage>(page));
        dialog.List(static_cast<options::OptionsPage>(page)).Select(0);
        PumpMessages(1200);
        RedrawWindow(dialog.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        saved = SaveScreen((std::wstring(argv[1]) + L"-" + std::to_wstring(page) + L".bmp").c_str()) && saved;
    }
    DestroyWindow(dialog.Handle());
    std::printf("pictures %s\n", saved ? "saved" : "not taken");
    return saved ? 0 : 1;
}
