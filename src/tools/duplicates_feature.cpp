#include "tools/duplicates_feature.h"

#include "app/browse_folder_dialog.h"
#include "app/main_window.h"
#include "tools/duplicates_window.h"
#include "ui/resource.h"
#include "win/resource_strings.h"

namespace typorama::tools {

DuplicatesFeature::DuplicatesFeature(app::TfrmMain& host) : host_(host) {
    host.Commands().Add(IDM_TOOLS_FIND_DUPLICATES, {[this] { Open(); }, {}, {}});
    // Closed as the user would close it, so that the folder list is stored.
    host.Closing += [this] {
        if (TfrmFindDuplicates* window = Window()) SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    };
}

DuplicatesFeature::~DuplicatesFeature() {
    // Also when the main window goes without its close (the program ends
    // another way): the folder list is stored all the same.
    if (TfrmFindDuplicates* window = Window()) SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
}

TfrmFindDuplicates* DuplicatesFeature::Window() const {
    return window_ && window_->Handle() ? window_.get() : nullptr;
}

void DuplicatesFeature::Open() {
    if (TfrmFindDuplicates* window = Window()) {
        if (IsIconic(window->Handle())) ShowWindow(window->Handle(), SW_RESTORE);
        SetForegroundWindow(window->Handle());
        BringWindowToTop(window->Handle());
        return;
    }
    window_ = std::make_unique<TfrmFindDuplicates>(host_.Where(), host_.Images());
    window_->BrowseFolder = [this](HWND owner, std::wstring& folder, bool& subfolders) {
        return app::BrowseForFolder(host_, owner, folder, win::LoadResString(IDS_DUP_INCLUDE_SUBFOLDERS), true,
                                    subfolders);
    };
    if (!window_->Create()) {
        window_.reset();
        return;
    }
    const HWND hwnd = window_->Handle();
    host_.AddModeless(hwnd);
    window_->Destroyed = [this, hwnd] { host_.RemoveModeless(hwnd); };
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
}

}  // namespace typorama::tools
