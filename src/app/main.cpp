// Program entry: hand over to a running instance, or open the main window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "ui/ui_language.h"
#include "win/folders.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    std::vector<std::wstring> arguments;
    int argc = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc)) {
        for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
        LocalFree(argv);
    }
    // Before any window: every text and dialog is loaded in this language.
    // The /lang switch is taken out of the arguments.
    typorama::ui::ChooseLanguageAtStart(arguments);
    arguments = typorama::app::FullPaths(arguments);
    const std::wstring startFolder = arguments.empty() ? std::wstring() : arguments.front();
    // A second start hands its font files to the first; with a folder it
    // only brings the first to the front, which keeps its list.
    const bool folderGiven = typorama::win::IsFolder(startFolder);
    typorama::app::StartTurn turn;
    if (typorama::app::ActivateRunningInstance(folderGiven ? std::vector<std::wstring>() : arguments)) return 0;
    return typorama::app::RunMainWindow(startFolder, showCommand, arguments, [&turn] { turn.End(); });
}
