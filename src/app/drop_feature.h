// Files and folders from outside: dropped on the list or the folder tree,
// named on the command line, or handed over by a second start of the
// program; and the tagged fonts' files dragged out of the list to the shell
// or another program.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "app/feature.h"

namespace typorama::app {

class TfrmMain;

// Drags `data` out with the system's drag loop (copying only).
void DragWithSystem(IDataObject* data);

class DropFeature : public WindowFeature {
public:
    explicit DropFeature(TfrmMain& host);

    // Opens what was handed over: a folder as the folder command does, font
    // files as a list of files (the title counts them), after the question
    // about tags; what is neither is counted in the status bar. False when the
    // list was left as it was.
    bool Open(const std::vector<std::wstring>& paths);
    // The files of the tagged fonts that exist, each once: what a drag out offers.
    std::vector<std::wstring> TaggedFiles() const;
    // Runs the drag out with the data object; the system's DoDragDrop unless
    // replaced (tests look at what would be dragged).
    std::function<void(IDataObject* data)> RunDrag = DragWithSystem;

private:
    void OpenHanded();
    bool ListMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void DragOut();

    TfrmMain& host_;
    std::vector<std::wstring> shownFiles_;  // the file list this feature showed last
    std::vector<std::wstring> handed_;  // from other starts, waiting to open as one list
    int pressedRow_ = -1;  // a tagged row the left button went down on
    POINT pressedAt_{};
    bool draggingOut_ = false;
    std::vector<std::wstring> draggedFiles_;  // what the last drag out offered
    ULONGLONG dragEnded_ = 0;
};

// A CF_HDROP block (DROPFILES with wide names) of `files`, as the shell hands
// it over; null when memory is short. The caller owns it.
HGLOBAL MakeFileDrop(const std::vector<std::wstring>& files);
// The names in a CF_HDROP block.
std::vector<std::wstring> FilesOfDrop(HDROP drop);
// A data object that offers `files` as CF_HDROP (one reference, the caller's).
IDataObject* MakeFileDataObject(const std::vector<std::wstring>& files);

}  // namespace typorama::app
