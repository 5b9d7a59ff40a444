#include "tools/file_ops_feature.h"

#include <shlobj.h>

#include "app/browse_folder_dialog.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "catalog/font_registry.h"
#include "tools/confirm_overwrite_dialog.h"
#include "ui/font_listing_dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/resource_strings.h"
#include "win/system_error.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::tools {
namespace {

std::u16string_view U16(const std::wstring& text) { return win::AsU16(text); }

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring ShellDesktopFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Desktop, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

std::wstring FailureText(const FileOpFailure& failure) {
    const std::wstring reason = win::SystemErrorText(failure.error);
    switch (failure.kind) {
        case FileOpFailure::Kind::Copy:
            return win::FormatRes(IDS_FOP_COPY_FAILED, {U16(failure.source), U16(failure.destinationFolder), U16(reason)});
        case FileOpFailure::Kind::DeleteAfterCopy:
            return win::FormatRes(IDS_FOP_MOVE_DELETE_FAILED,
                                  {U16(failure.source), U16(failure.destinationFolder), U16(reason)});
        case FileOpFailure::Kind::Delete:
            return win::FormatRes(IDS_FOP_DELETE_FAILED, {U16(failure.source), U16(reason)});
    }
    return {};
}

OverwriteAnswer DialogQuestions::ConfirmOverwrite(const std::wstring& target, const std::wstring& source,
                                                  std::wstring& newName) {
    TfrmConfirmOverwrite dialog(target, source, where_);
    const INT_PTR result = ui::CreateAndShowForm(dialog, owner_, false, ui::kCenterOnOwner | ui::kShowModal);
    newName = dialog.NewName();
    return TfrmConfirmOverwrite::AnswerFor(result);
}

FailureAnswer DialogQuestions::ReportFailure(const FileOpFailure& failure) {
    switch (ui::ShowMessage(owner_, FailureText(failure), MB_ICONERROR | MB_ABORTRETRYIGNORE | MB_DEFBUTTON2)) {
        case IDRETRY: return FailureAnswer::Retry;
        case IDIGNORE: return FailureAnswer::Ignore;
        default: return FailureAnswer::Abort;
    }
}

void DialogQuestions::ReportScheduled(int count) {
    ui::ShowInformation(owner_, win::FormatRes(IDS_FOP_SCHEDULED, {static_cast<std::int64_t>(count)}));
}

KeepInstalledAnswer DialogQuestions::AskKeepInstalled() {
    switch (ui::ShowMessage(owner_, win::LoadResString(IDS_FOP_KEEP_INSTALLED),
                            MB_ICONQUESTION | MB_YESNOCANCEL | MB_DEFBUTTON2)) {
        case IDYES: return KeepInstalledAnswer::Yes;
        case IDNO: return KeepInstalledAnswer::No;
        default: return KeepInstalledAnswer::Cancel;
    }
}

bool IsSystemFontsFolder(const std::wstring& folder, const catalog::SystemLocations& where) {
    return !where.fontsFolder.empty() && win::EqualNoCase(WithBackslash(folder), where.fontsFolder);
}

bool IsWholeDrive(const std::wstring& folder) {
    std::wstring bare = folder;
    while (bare.size() > 1 && bare.back() == L'\\') bare.pop_back();
    return bare.size() == 2 && bare[1] == L':';
}

bool ConfirmSystemFontsFolder(HWND owner, const std::wstring& folder, const catalog::SystemLocations& where) {
    if (!IsSystemFontsFolder(folder, where)) return true;
    return ui::ShowMessage(owner, win::LoadResString(IDS_FOP_SYSTEM_FOLDER_WARNING),
                           MB_ICONWARNING | MB_OKCANCEL | MB_DEFBUTTON2) == IDOK;
}

bool ConfirmWholeDrive(HWND owner, const std::wstring& folder) {
    if (!IsWholeDrive(folder)) return true;
    return ui::ShowMessage(owner, win::FormatRes(IDS_FOP_WHOLE_DRIVE_WARNING, {U16(folder)}),
                           MB_ICONWARNING | MB_OKCANCEL) == IDOK;
}

bool ConfirmRemovableMedia(HWND owner, const std::wstring& path) {
    if (IsOnFixedDrive(path)) return true;
    return ui::ShowMessage(owner, win::LoadResString(IDS_FOP_REMOVABLE_WARNING),
                           MB_ICONWARNING | MB_OKCANCEL | MB_DEFBUTTON2) == IDOK;
}

FileOps::FileOps(app::TfrmMain& host) : DesktopFolder(ShellDesktopFolder), host_(host) {
    app::CommandTable& commands = host.Commands();
    auto allowed = [&host] { return host.FontCommandsAllowed(); };
    commands.Add(IDM_FONT_COPY_BROWSE, {[this] { BrowseAndRun(FileOp::Copy); }, allowed, {}});
    commands.Add(IDM_FONT_MOVE_BROWSE, {[this] { BrowseAndRun(FileOp::Move); }, allowed, {}});
    commands.Add(IDM_FONT_COPY_DESKTOP, {[this] { RunFileOperation(FileOp::Copy, DesktopFolder()); }, allowed, {}});
    commands.Add(IDM_FONT_MOVE_DESKTOP, {[this] { RunFileOperation(FileOp::Move, DesktopFolder()); }, allowed, {}});
    commands.Add(IDM_FONT_COPY_SYSFOLDER,
                 {[this, &host] { RunFileOperation(FileOp::Copy, host.Where().fontsFolder); }, allowed, {}});
    commands.Add(IDM_FONT_MOVE_SYSFOLDER,
                 {[this, &host] { RunFileOperation(FileOp::Move, host.Where().fontsFolder); }, allowed, {}});
    commands.Add(IDM_FONT_DELETE, {[this] { ConfirmAndDelete(); }, allowed, {}});
    for (auto [placeholder, op] : {std::pair{IDM_FONT_COPY_DESTINATIONS, FileOp::Copy},
                                   std::pair{IDM_FONT_MOVE_DESTINATIONS, FileOp::Move}}) {
        commands.AddList(placeholder, {[&host, allowed] {
                                           std::vector<app::ListedItem> items;
                                           for (const std::wstring& folder : host.Settings().destinations)
                                               items.push_back({folder, false, allowed()});
                                           return items;
                                       },
                                       [this, &host, op = op](int position) {
                                           const auto& destinations = host.Settings().destinations;
                                           if (position < 0 || position >= static_cast<int>(destinations.size()))
                                               return;
                                           // A copy: the run may change the list.
                                           const std::wstring folder = destinations[static_cast<std::size_t>(position)];
                                           if (host.RequireFonts(app::FontNeed::TaggedOrCurrent))
                                               RunFileOperation(op, folder);
                                       }});
    }
}

void FileOps::BrowseAndRun(FileOp op) {
    if (!host_.RequireFonts(app::FontNeed::TaggedOrCurrent)) return;
    std::wstring folder = host_.FontList().Folder();
    bool add = false;
    if (!app::BrowseForFolder(host_, host_.Handle(), folder, win::LoadResString(IDS_FOP_ADD_TO_DESTINATIONS), true,
                              add) ||
        folder.empty())
        return;
    if (add) {
        auto& destinations = host_.Settings().destinations;
        bool known = false;
        for (const std::wstring& destination : destinations) known = known || win::EqualNoCase(destination, folder);
        if (!known) destinations.push_back(folder);
    }
    RunFileOperation(op, folder);
}

void FileOps::ConfirmAndDelete() {
    if (!host_.RequireFonts(app::FontNeed::TaggedOrCurrent)) return;
    ui::TfrmFontListing listing;
    listing.Caption = win::LoadResString(IDS_FOP_DELETE_CAPTION);
    listing.TopText = win::LoadResString(IDS_FOP_DELETE_TOP);
    listing.BottomText = win::LoadResString(IDS_FOP_DELETE_BOTTOM);
    listing.ButtonCaptions = {win::LoadResString(IDS_FOP_YES), win::LoadResString(IDS_FOP_CANCEL), L""};
    listing.CancelButton = 1;
    host_.Feature<app::Selection>()->ForEachSelectedFont(app::SelectMode::TaggedOrCurrent,
                                                         [&listing](catalog::TFontListItem& font) {
                                                             listing.Names.push_back(font.Name);
                                                             return true;
                                                         });
    if (ui::CreateAndShowForm(listing, host_.Handle(), false, ui::kCenterOnOwner | ui::kShowModal) !=
        ui::TfrmFontListing::kButton1)
        return;
    RunFileOperation(FileOp::Delete, L"");
}

void FileOps::RunFileOperation(FileOp op, const std::wstring& destination) {
    if (op != FileOp::Delete && destination.empty()) return;
    app::Selection& selection = *host_.Feature<app::Selection>();
    DialogQuestions questions(host_.Handle(), host_.Where());
    {
        win::BusyCursor busy;
        catalog::TWorkingList fonts;
        if (!selection.CollectSelectedFonts(fonts)) return;
        if (!selection.ResolveFontFiles(fonts, false)) return;
        // A collection's faces share one file: it is copied, moved or deleted once.
        fonts.KeepOneFacePerCollection();
        TFileOpData data;
        data.destination = destination;
        if (op == FileOp::Move) {
            const bool systemSource = host_.FontList().Source() == catalog::SourceKind::System;
            const std::optional<bool> keep = DecideKeepInstalled(fonts, systemSource, destination, questions);
            if (!keep) return;
            data.keepInstalled = *keep;
        }
        FileOperation(fonts, op, data, questions, {host_.Where()});
    }
    if (op == FileOp::Copy) return;  // the listed files are all still there
    catalog::BroadcastFontChange();
    host_.FontList().DropHidden(false);
    selection.RefreshFontList();
}

}  // namespace typorama::tools
