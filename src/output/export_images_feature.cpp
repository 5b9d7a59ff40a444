#include "output/export_images_feature.h"

#include "app/browse_folder_dialog.h"
#include "app/font_search.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "catalog/font_list.h"
#include "catalog/font_scan.h"
#include "output/export_images_dialog.h"
#include "tools/file_ops_feature.h"
#include "tools/install_feature.h"
#include "tools/list_set_aside.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/resource_strings.h"

namespace typorama::output {

ExportImagesFeature::ExportImagesFeature(app::TfrmMain& host) : host_(host) {
    host.Commands().Add(IDM_FONT_SAVE_IMAGE, {[this] { SaveSelected(); }, [&host] { return host.HasRows(); }, {}});
    host.Commands().Add(IDM_TOOLS_EXPORT_BITMAP, {[this] { SaveFolder(); }, {}, {}});
}

void ExportImagesFeature::OpenDialog(std::vector<catalog::TFontListItem*> fonts, catalog::TFontList& list) {
    if (fonts.empty()) return;
    TfrmExportBitmap dialog(std::move(fonts), host_.Where().fontsFolder);
    dialog.Prepare = [&list](catalog::TFontListItem& font) { list.PrepareToDraw(font); };
    dialog.BrowseFolder = [this](HWND owner, std::wstring& folder) {
        bool checked = false;
        return app::BrowseForFolder(host_, owner, folder, L"", false, checked);
    };
    ui::CreateAndShowForm(dialog, host_.Handle(), true, ui::kCenterOnOwner | ui::kShowModal);
}

void ExportImagesFeature::SaveSelected() {
    if (!host_.RequireFonts(app::FontNeed::TaggedOrCurrent)) return;
    app::Selection* selection = host_.Feature<app::Selection>();
    if (!selection) return;
    catalog::TWorkingList selected;
    selection->CollectSelectedFonts(selected, app::SelectMode::TaggedOrCurrent);
    if (!selection->ResolveFontFiles(selected, false)) return;
    std::vector<catalog::TFontListItem*> fonts;
    for (int i = 0; i < selected.Count(); ++i) fonts.push_back(&selected[i]);
    OpenDialog(std::move(fonts), host_.FontList());
}

void ExportImagesFeature::SaveFolder(std::wstring folder, bool includeSubfolders) {
    HWND owner = host_.Handle();
    tools::InstallCommands* install = host_.Feature<tools::InstallCommands>();
    if (folder.empty()) {
        folder = install ? install->LastFolder() : std::wstring();
        if (!install || !install->PickFolder(owner, folder, &includeSubfolders)) return;
    }
    if (folder.empty()) return;
    if (includeSubfolders && !tools::ConfirmWholeDrive(owner, folder)) return;
    if (install) install->LastFolder() = folder;

    // A whole drive takes a while: the search runs beside the window, and Cancel ends the command.
    std::optional<std::vector<std::wstring>> found =
        app::RunSearch(owner, win::LoadResString(IDS_INS_SEARCHING), false,
                       [folder, includeSubfolders](std::stop_token stop, SearchProgress& searched) {
                           return app::FindFilesOfFolder(folder, catalog::kFontFilePatterns, includeSubfolders,
                                                         stop, searched);
                       });
    if (!found) return;
    // The folder's fonts are loaded for drawing by a list of their own; the
    // main list lets go of its loads meanwhile.
    tools::ListSetAside setAside(host_.FontList());
    catalog::TFontList list(host_.Where());
    {
        win::BusyCursor busy;
        list.Files = std::move(*found);
        list.SetSourceKind(catalog::SourceKind::FileList);
        list.Rebuild(false);
    }
    if (list.Count() == 0) {
        ui::ShowInformation(owner, win::LoadResString(IDS_INS_NONE_FOUND));
        return;
    }
    std::vector<catalog::TFontListItem*> fonts;
    for (int i = 0; i < list.Count(); ++i) fonts.push_back(&list[i]);
    OpenDialog(std::move(fonts), list);
    list.Clear();
}

}  // namespace typorama::output
