// Browsing sources: the folder tree, the loaded fonts, favourites, several
// folders and the search for fonts that are not installed. Other features
// open sources through host.Feature<Browsing>().
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/feature.h"
#include "app/font_search.h"

namespace typorama::app {

class DirTree;
class TfrmMain;

class Browsing : public WindowFeature {
public:
    explicit Browsing(TfrmMain& host);
    ~Browsing() override;

    // Shows the fonts of `folder` (with its subfolders when asked); false when
    // the user keeps the tags or the folder does not exist. With selectInTree
    // the visible folder tree selects the folder without filling again.
    bool OpenFolder(const std::wstring& folder, bool includeSubfolders, bool selectInTree);
    // The loaded fonts: refreshed when shown already, else shown after the tags are confirmed.
    void ShowLoadedFonts();
    // Shows `files` as search results.
    void ShowSearchResults(std::vector<std::wstring> files);
    // Shows or hides the folder tree (the window width follows).
    void SetBrowserVisible(bool visible);
    DirTree* FolderTree() const { return dirTree_.get(); }
    // Favourite `index` as the favourites menu opens it.
    void OpenFavorite(int index);
    // The several-folders command and the search for fonts that are not installed.
    void BrowseMultipleFolders();
    void FindNotInstalledFonts();
    // Whether Ctrl is held while a folder is chosen (subfolders included);
    // the keyboard's state unless replaced (tests).
    std::function<bool()> ControlKeyHeld = [] { return GetKeyState(VK_CONTROL) < 0; };
    // Called each time a search's progress window shows new counts (tests).
    SearchProgressHook SearchProgressShown;

private:
    void RegisterCommands();

    TfrmMain& host_;
    std::unique_ptr<DirTree> dirTree_;
};

}  // namespace typorama::app
