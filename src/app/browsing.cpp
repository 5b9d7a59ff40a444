#include "app/browsing.h"

#include <optional>

#include "app/browse_folder_dialog.h"
#include "app/dir_tree.h"
#include "app/main_window.h"
#include "app/multi_folders_dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

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

// The source shown at start: 0 the loaded fonts, 1 the last used folder, 2 the fixed folder.
constexpr MainValue kStartupValues[] = {
    {L"StartupRestoreFolderType", &MainSettings::startupRestoreFolderType, settings::kByteRange},
    {L"StartupSpecialFolder", &MainSettings::startupSpecialFolder},
    {L"LastUsedFolder", &MainSettings::lastUsedFolder},
};

}  // namespace

Browsing::Browsing(TfrmMain& host) : host_(host) {
    host.AddSettings(kStartupValues);
    host.AddSettings(SettingsPart{
        [&host](const settings::TRegistryEx& reg) {
            host.Settings().favorites = settings::LoadList(reg.Base(), settings::kFavoritesKey, settings::kFavoritesCap);
        },
        [&host](settings::TRegistryEx& reg, settings::WriteOutcome& outcome) {
            DWORD error = ERROR_SUCCESS;
            if (!settings::SaveList(reg.Base(), settings::kFavoritesKey, host.Settings().favorites, &error))
                outcome.Fail(error);
        }});
    host.StartupFolder = [&host] {
        const MainSettings& settings = host.Settings();
        if (settings.startupRestoreFolderType == 1) return settings.lastUsedFolder;
        if (settings.startupRestoreFolderType == 2) return settings.startupSpecialFolder;
        return std::wstring();
    };
    dirTree_ = std::make_unique<DirTree>(host);
    host.ClientLaidOut += [this](const ClientLayout& layout) {
        if (dirTree_) dirTree_->Place(layout);
    };
    host.StartFolderOpened += [this] { SetBrowserVisible(true); };
    RegisterCommands();
}

Browsing::~Browsing() = default;

void Browsing::RegisterCommands() {
    TfrmMain& host = host_;
    CommandTable& commands = host.Commands();
    MainSettings& settings = host.Settings();

    commands.Add(IDM_VIEW_SCREEN_FONTS, {[this] { ShowLoadedFonts(); }, [&host] { return host.IsFolderSource(); }, {}});
    commands.Add(IDM_VIEW_BROWSER,
                  {[this] { SetBrowserVisible(!host_.TreeVisible()); }, {}, [&host] { return host.TreeVisible(); }});
    commands.Add(IDM_VIEW_MULTI_FOLDERS, {[this] { BrowseMultipleFolders(); }, {}, {}});
    commands.AddList(IDM_FAV_LIST, {[&settings] {
                                         std::vector<ListedItem> items;
                                         for (const std::wstring& folder : settings.favorites)
                                             items.push_back({folder, false, true});
                                         return items;
                                     },
                                     [this](int position) { OpenFavorite(position); }});
    commands.Add(IDM_FAV_SYS_FONTS, {[this] { OpenFolder(host_.Where().fontsFolder, false, true); }, {}, {}});
    commands.Add(IDM_FAV_ADD, {[&host, &settings] {
                                    const std::wstring folder = host.FontList().Folder();
                                    for (const std::wstring& favorite : settings.favorites)
                                        if (win::EqualFoldedAscii(favorite, folder)) return;
                                    settings.favorites.push_back(folder);
                                },
                                [&host] {
                                    const catalog::TFontList& fonts = host.FontList();
                                    return fonts.Source() == catalog::SourceKind::Folder && !fonts.Folder().empty();
                                },
                                {}});
    commands.Add(IDM_TOOLS_FIND_NOT_INSTALLED, {[this] { FindNotInstalledFonts(); }, {}, {}});
}

bool Browsing::OpenFolder(const std::wstring& folder, bool includeSubfolders, bool selectInTree) {
    if (!host_.ConfirmDiscardTags()) return false;
    if (!win::IsFolder(folder)) return false;
    host_.FontList().SetHideMarlett(host_.Settings().hideSystemFonts);
    host_.FontList().SetFolder(folder);
    host_.FontList().IncludeSubfolders = includeSubfolders;
    host_.FontList().SetSourceKind(catalog::SourceKind::Folder);
    host_.FontList().Rebuild(false);
    if (selectInTree && host_.TreeVisible() && dirTree_) dirTree_->SelectQuietly(folder);
    return true;
}

void Browsing::ShowLoadedFonts() {
    if (host_.FontList().Source() == catalog::SourceKind::System) {
        // Shown already: the refresh of the view menu, with the list's position kept.
        if (host_.Commands().Has(IDM_VIEW_REFRESH)) {
            host_.RunCommand(IDM_VIEW_REFRESH);
        } else {
            host_.FontList().Refresh(true);
        }
        return;
    }
    if (!host_.ConfirmDiscardTags()) return;
    host_.FontList().SetHideMarlett(host_.Settings().hideSystemFonts);
    host_.FontList().SetSourceKind(catalog::SourceKind::System);
    host_.FontList().Rebuild(false);
}

void Browsing::ShowSearchResults(std::vector<std::wstring> files) {
    host_.FontList().SetHideMarlett(host_.Settings().hideSystemFonts);
    host_.FontList().Files = std::move(files);
    host_.FontList().SetSourceKind(catalog::SourceKind::FileList);
    host_.FontList().Rebuild(false);
}

void Browsing::SetBrowserVisible(bool visible) {
    if (dirTree_) {
        dirTree_->SetVisible(visible);
    } else {
        host_.SetTreeVisible(visible);
    }
}

void Browsing::OpenFavorite(int index) {
    if (index < 0 || index >= static_cast<int>(host_.Settings().favorites.size())) return;
    const std::wstring folder = host_.Settings().favorites[static_cast<std::size_t>(index)];
    if (!win::IsFolder(folder)) {
        ui::ShowMessage(host_.Handle(), win::FormatRes(IDS_BROWSE_FOLDER_MISSING, {win::AsU16(folder)}),
                        MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    OpenFolder(folder, ControlKeyHeld && ControlKeyHeld(), true);
}

void Browsing::BrowseMultipleFolders() {
    // The results replace the list: the tags go with it, so ask first.
    if (!host_.ConfirmDiscardTags()) return;
    TfrmMultiFolders dialog(host_);
    if (ui::CreateAndShowForm(dialog, host_.Handle(), false, ui::kCenterOnOwner | ui::kShowModal) != IDOK) return;
    const std::vector<TFolderEntry> entries = dialog.Entries();
    PumpPendingMessages();  // the dialog's place is painted over before the search starts

    std::optional<std::vector<std::wstring>> found = RunSearch(
        host_.Handle(), win::LoadResString(IDS_BROWSE_SEARCHING), false,
        [&entries](std::stop_token stop, SearchProgress& progress) {
            return FindFilesOfFolders(entries, stop, progress);
        },
        SearchProgressShown);
    if (!found) return;  // cancelled or failed: the list stays as it was
    if (found->empty()) {
        ui::ShowInformation(host_.Handle(), win::LoadResString(IDS_BROWSE_NOTHING_FOUND));
        return;
    }
    ShowSearchResults(std::move(*found));
    StoreFolderEntries(entries);
}

void Browsing::FindNotInstalledFonts() {
    if (!host_.ConfirmDiscardTags()) return;
    std::wstring folder;
    bool includeSubfolders = false;
    if (!BrowseForFolder(host_, host_.Handle(), folder, win::LoadResString(IDS_BROWSE_INCLUDE_SUBFOLDERS), true,
                         includeSubfolders))
        return;
    // The worker gets copies: nothing it reads is shared with the window's thread.
    std::optional<std::vector<std::wstring>> kept = RunSearch(
        host_.Handle(), win::LoadResString(IDS_BROWSE_SEARCHING), true,
        [folder, includeSubfolders, where = host_.Where()](std::stop_token stop, SearchProgress& progress) {
            return FindNotInstalledFiles(folder, includeSubfolders, where, stop, progress);
        },
        SearchProgressShown);
    if (!kept) return;  // cancelled or failed: the list stays as it was
    if (kept->empty()) {
        ui::ShowInformation(host_.Handle(), win::LoadResString(IDS_BROWSE_NOTHING_FOUND));
        return;
    }
    const std::wstring question =
        win::FormatRes(IDS_BROWSE_FOUND_COUNT, {static_cast<std::int64_t>(kept->size())});
    if (ui::ShowMessage(host_.Handle(), question, MB_ICONQUESTION | MB_OKCANCEL) == IDOK) ShowSearchResults(std::move(*kept));
}

}  // namespace typorama::app
