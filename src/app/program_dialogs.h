// The small dialogs of the external programs: TfrmEditProgram (a Run menu
// entry's title and command line), TfrmEditCmdLine (one command line with a
// prompt, for the external viewer) and TfrmInsertVariable (puts a command
// variable into an edit field at its caret).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/command_variables.h"
#include "ui/button_edit.h"
#include "ui/dialog.h"

namespace typorama::app {

// One program of the Run menu.
struct TRunProgramEntry {
    std::wstring title;
    std::wstring cmdLine;
};

class TfrmInsertVariable : public ui::Dialog {
public:
    explicit TfrmInsertVariable(settings::CommandVariableSet set);

    // After OK: the variable chosen (nothing when the list was empty).
    std::optional<settings::CommandVariable> Chosen() const { return chosen_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void ShowDescription();
    std::optional<settings::CommandVariable> Selected() const;

    std::vector<settings::CommandVariable> variables_;
    std::optional<settings::CommandVariable> chosen_;
};

// Puts `name` into the edit's text at the caret (the start of its selection;
// the selected text stays), gives the edit the focus and the caret after the name.
void InsertAtCaret(HWND edit, const std::wstring& name);
// Runs the insert-variable dialog for `edit`; true when a variable was inserted.
bool InsertVariable(HWND owner, HWND edit, settings::CommandVariableSet set);

// The command line field with its browse button and the "$" button beside
// it, as both edit dialogs have them.
class CommandLineField {
public:
    // `exeName`: the browse starts at the program part of the command line.
    void Attach(ui::Dialog& dialog, settings::CommandVariableSet set, bool exeName);
    // The file the browse chose, or empty when cancelled.
    std::wstring Browse();
    void InsertVariable();
    ui::ThButtonEdit& Edit() { return edit_; }

private:
    ui::Dialog* dialog_ = nullptr;
    settings::CommandVariableSet set_;
    bool exeName_ = false;
    ui::ThButtonEdit edit_;
};

class TfrmEditProgram : public ui::Dialog {
public:
    static constexpr int kMaxCommandLine = 250;

    // In: what the fields start with; out (after OK): what was typed, trimmed.
    TfrmEditProgram(TRunProgramEntry entry, bool adding);
    const TRunProgramEntry& Entry() const { return entry_; }
    CommandLineField& CommandLine() { return field_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Browse();

    TRunProgramEntry entry_;
    bool adding_;
    CommandLineField field_;
};

// Edits `entry` in the edit program dialog; true when the user pressed OK
// (the entry then holds the trimmed title and command line).
bool EditProgram(HWND owner, TRunProgramEntry& entry, bool adding);

class TfrmEditCmdLine : public ui::Dialog {
public:
    TfrmEditCmdLine(std::wstring prompt, std::wstring commandLine, settings::CommandVariableSet set);
    const std::wstring& Text() const { return text_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::wstring prompt_;
    std::wstring text_;
    settings::CommandVariableSet set_;
    CommandLineField field_;
};

}  // namespace typorama::app
