// Browsing sources: the folder tree, the loaded fonts, favourites, several
// folders and the search for fonts that are not installed.
#include <set>

#include "app/browse_folder_dialog.h"
#include "app/dir_tree.h"
#include "app/main_window.h"
#include "app/multi_folders_dialog.h"
#include "app/progress_window.h"
#include "catalog/font_file.h"
#include "catalog/font_registry.h"
#include "catalog/font_scan.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/scope_exit.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

void DeleteDirTree(DirTree* tree) { delete tree; }

void PumpPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}


}  // namespace

void TfrmMain::RegisterBrowsingCommands() {
    ControlKeyHeld = [] { return GetKeyState(VK_CONTROL) < 0; };
    dirTree_ = std::unique_ptr<DirTree, void (*)(DirTree*)>(new DirTree(*this), &DeleteDirTree);
    ClientLaidOut += [this](const ClientLayout& layout) {
        if (dirTree_) dirTree_->Place(layout);
    };
    StartFolderOpened += [this] { SetBrowserVisible(true); };

    commands_.Add(IDM_VIEW_SCREEN_FONTS, {[this] { ShowLoadedFonts(); }, [this] { return IsFolderSource(); }, {}});
    commands_.Add(IDM_VIEW_BROWSER,
                  {[this] { SetBrowserVisible(!treeVisible_); }, {}, [this] { return treeVisible_; }});
    commands_.Add(IDM_VIEW_MULTI_FOLDERS, {[this] { BrowseMultipleFolders(); }, {}, {}});
    commands_.AddList(IDM_FAV_LIST, {[this] {
                                         std::vector<ListedItem> items;
                                         for (const std::wstring& folder : settings_.favorites)
                                             items.push_back({folder, false, true});
                                         return items;
                                     },
                                     [this](int position) { OpenFavorite(position); }});
    commands_.Add(IDM_FAV_SYS_FONTS, {[this] { OpenFolder(where_.fontsFolder, false, true); }, {}, {}});
    commands_.Add(IDM_FAV_ADD, {[this] {
                                    const std::wstring folder = fontList_->Folder();
                                    for (const std::wstring& favorite : settings_.favorites)
                                        if (win::EqualFoldedAscii(favorite, folder)) return;
                                    settings_.favorites.push_back(folder);
                                },
                                [this] {
                                    return fontList_->Source() == catalog::SourceKind::Folder &&
                                           !fontList_->Folder().empty();
                                },
                                {}});
    commands_.Add(IDM_TOOLS_FIND_NOT_INSTALLED, {[this] { FindNotInstalledFonts(); }, {}, {}});
}

bool TfrmMain::OpenFolder(const std::wstring& folder, bool includeSubfolders, bool selectInTree) {
    if (!ConfirmDiscardTags()) return false;
    if (!win::IsFolder(folder)) return false;
    fontList_->SetHideMarlett(settings_.hideSystemFonts);
    fontList_->SetFolder(folder);
    fontList_->IncludeSubfolders = includeSubfolders;
    fontList_->SetSourceKind(catalog::SourceKind::Folder);
    fontList_->Rebuild(false);
    if (selectInTree && treeVisible_ && dirTree_) dirTree_->SelectQuietly(folder);
    return true;
}

void TfrmMain::ShowLoadedFonts() {
    if (fontList_->Source() == catalog::SourceKind::System) {
        // Shown already: the refresh of the view menu, with the list's position kept.
        if (commands_.Has(IDM_VIEW_REFRESH)) {
            RunCommand(IDM_VIEW_REFRESH);
        } else {
            fontList_->Refresh(true);
        }
        return;
    }
    if (!ConfirmDiscardTags()) return;
    fontList_->SetHideMarlett(settings_.hideSystemFonts);
    fontList_->SetSourceKind(catalog::SourceKind::System);
    fontList_->Rebuild(false);
}

void TfrmMain::ShowSearchResults(std::vector<std::wstring> files) {
    fontList_->SetHideMarlett(settings_.hideSystemFonts);
    fontList_->Files = std::move(files);
    fontList_->SetSourceKind(catalog::SourceKind::FileList);
    fontList_->Rebuild(false);
}

void TfrmMain::SetBrowserVisible(bool visible) {
    if (dirTree_) {
        dirTree_->SetVisible(visible);
    } else {
        treeVisible_ = visible;
    }
}

void TfrmMain::OpenFavorite(int index) {
    if (index < 0 || index >= static_cast<int>(settings_.favorites.size())) return;
    const std::wstring folder = settings_.favorites[static_cast<std::size_t>(index)];
    if (!win::IsFolder(folder)) {
        ui::ShowMessage(window_, win::FormatRes(IDS_BROWSE_FOLDER_MISSING, {win::AsU16(folder)}),
                        MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    OpenFolder(folder, ControlKeyHeld && ControlKeyHeld(), true);
}

void TfrmMain::BrowseMultipleFolders() {
    TfrmMultiFolders dialog(*this);
    if (ui::CreateAndShowForm(dialog, window_, false, ui::kCenterOnOwner | ui::kShowModal) != IDOK) return;
    const std::vector<TFolderEntry> entries = dialog.Entries();
    PumpPendingMessages();  // the dialog's place is painted over before the search blocks

    TfrmProgress progress(win::LoadResString(IDS_BROWSE_SEARCHING));
    EnableWindow(window_, FALSE);
    // The window must come back whatever goes wrong.
    const win::ScopeExit enable([this] { EnableWindow(window_, TRUE); });
    progress.Show(window_);
    std::set<std::wstring, win::LessNoCase> found;  // file paths, one of each
    for (const TFolderEntry& entry : entries) {
        std::vector<std::wstring> files;
        catalog::FindFontFiles(entry.folder, catalog::kFontFilePatterns, entry.includeSubfolders, files);
        found.insert(files.begin(), files.end());
    }
    if (found.empty()) {
        ui::ShowInformation(window_, win::LoadResString(IDS_BROWSE_NOTHING_FOUND));
    } else {
        ShowSearchResults(std::vector<std::wstring>(found.begin(), found.end()));
        StoreFolderEntries(entries);
    }
}

void TfrmMain::FindNotInstalledFonts() {
    if (!ConfirmDiscardTags()) return;
    std::wstring folder;
    bool includeSubfolders = false;
    if (!BrowseForFolder(*this, window_, folder, win::LoadResString(IDS_BROWSE_INCLUDE_SUBFOLDERS), true,
                         includeSubfolders))
        return;
    std::vector<std::wstring> kept;
    {
        win::BusyCursor busy;
        std::vector<std::wstring> files;
        catalog::FindFontFiles(folder, catalog::kFontFilePatterns, includeSubfolders, files);
        for (const std::wstring& file : files) {
            catalog::TFontInfo info;
            if (!catalog::ReadFontInfo(file, info, where_.systemLanguageId)) continue;
            if (!catalog::IsInstalled(info.FullName, file, where_)) kept.push_back(file);
        }
    }
    if (kept.empty()) {
        ui::ShowInformation(window_, win::LoadResString(IDS_BROWSE_NOTHING_FOUND));
        return;
    }
    const std::wstring question =
        win::FormatRes(IDS_BROWSE_FOUND_COUNT, {static_cast<std::int64_t>(kept.size())});
    if (ui::ShowMessage(window_, question, MB_ICONQUESTION | MB_OKCANCEL) == IDOK) ShowSearchResults(std::move(kept));
}

}  // namespace typorama::app
