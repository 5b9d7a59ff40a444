// The user's external programs: the list kept in the settings (subkey
// "Programs", at most 25 entries), the Run menu that offers them, and the
// running of a command line with its command variables expanded from the
// current font (settings/command_variables.h holds the rules).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/feature.h"
#include "app/program_dialogs.h"
#include "settings/command_variables.h"

namespace typorama::catalog {
class TFontListItem;
}

namespace typorama::app {

class TfrmMain;

// Starts a process with the whole text as its command line (the system takes
// the program from it: a program path with spaces must be quoted), default
// start-up information, no inherited handles, this program's current folder.
// With `wait`, returns once the process has ended. False, with the system's
// error in GetLastError(), when no process was created.
bool RunCommandLine(const std::wstring& commandLine, bool wait);
// Opens `file` in the system's font viewer: given its 8.3 form, which the old
// viewer reads best, or, on volumes without 8.3 names, the path itself, quoted
// when it holds blanks. False as RunCommandLine.
bool RunFontViewer(const std::wstring& file);

class RunPrograms : public WindowFeature {
public:
    explicit RunPrograms(TfrmMain& host);

    std::vector<TRunProgramEntry>& Programs() { return programs_; }

    // Runs entry `index` on the current font as the Run menu does: the
    // checks, the expansion, the start, and the messages of each.
    void RunProgram(int index);

    // Replaces the command variables of `set` in `commandLine` for `font`
    // (none: its variables stay). May ask for a file or a folder and make a
    // list file of the selected fonts. BrowseCancelled() tells afterwards
    // whether the user cancelled a prompt.
    std::wstring ExpandCommandVariables(const std::wstring& commandLine, catalog::TFontListItem* font,
                                        settings::CommandVariableSet set);
    bool BrowseCancelled() const { return browseCancelled_; }

    // Where the list files of $TY_LIST_SELECTED are made (the system's
    // temporary folder unless set; tests use a scratch folder).
    std::wstring TempFolder;

private:
    TfrmMain& host_;
    std::vector<TRunProgramEntry> programs_;
    bool browseCancelled_ = false;
};

// The bytes of a list file: the ANSI code page while every path survives it
// (what older tools expect), otherwise UTF-16LE with a byte-order mark, so
// that no path is lost.
std::string ListFileBytes(const std::vector<std::wstring>& paths);

}  // namespace typorama::app
