#include "app/font_selection.h"

#include <vector>

#include "ui/dialog.h"
#include "ui/font_listing_dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/folders.h"
#include "win/resource_strings.h"

namespace typorama::app {

bool FontFileExists(catalog::TFontListItem& font) {
    return win::IsFile(font.FileName());
}

int ForEachSelectedFont(const catalog::TFontList& list, int current, SelectMode mode, const FontAction& action,
                        bool checkFiles) {
    bool tagged = mode == SelectMode::Tagged;
    if (mode == SelectMode::TaggedOrCurrent) tagged = list.TaggedCount() > 0;
    if (!tagged) {
        catalog::TFontListItem* font = list.Item(current);
        if (!font || (checkFiles && !FontFileExists(*font))) return 0;
        action(*font);
        return 1;
    }
    int count = 0;
    for (int i = 0; i < list.Count(); ++i) {
        catalog::TFontListItem& font = list[i];
        if (!font.Tagged) continue;
        if (checkFiles && !FontFileExists(font)) continue;
        if (!action(font)) break;
        ++count;
    }
    return count;
}

void RemoveFontsWithoutFile(catalog::TWorkingList& list) {
    list.RemoveIf([](catalog::TFontListItem& font) { return !FontFileExists(font); });
}

bool ResolveFontFiles(HWND owner, catalog::TWorkingList& list, bool allowAutomatic,
                      const std::function<void()>& beep) {
    std::vector<std::wstring> missing;
    for (int i = 0; i < list.Count(); ++i)
        if (!FontFileExists(list[i])) missing.push_back(list[i].Name);
    if (missing.empty()) return true;
    if (static_cast<int>(missing.size()) == list.Count() && !allowAutomatic) {
        ui::ShowError(owner, win::LoadResString(IDS_SELECT_NO_FILE_LOCATION));
        return false;
    }
    if (beep) beep();
    ui::TfrmFontListing listing;
    listing.Caption = win::LoadResString(IDS_SELECT_INVALID_CAPTION);
    listing.TopText = win::LoadResString(IDS_SELECT_INVALID_TOP);
    listing.Names = std::move(missing);
    listing.BottomText = win::LoadResString(IDS_SELECT_INVALID_BOTTOM);
    listing.ButtonCaptions = {win::LoadResString(IDS_SELECT_BUTTON_AUTO), win::LoadResString(IDS_SELECT_BUTTON_SKIP),
                              win::LoadResString(IDS_SELECT_BUTTON_CANCEL)};
    listing.ButtonEnabled = {allowAutomatic, true, true};
    listing.CancelButton = 2;
    const INT_PTR choice = ui::CreateAndShowForm(listing, owner, false, ui::kCenterOnOwner | ui::kShowModal);
    if (choice == ui::TfrmFontListing::kButton1 && allowAutomatic) return true;  // the caller makes the names
    if (choice != ui::TfrmFontListing::kButton2) return false;
    RemoveFontsWithoutFile(list);
    if (list.Count() == 0) {
        ui::ShowInformation(owner, win::LoadResString(IDS_SELECT_NOTHING_LEFT));
        return false;
    }
    return true;
}

}  // namespace typorama::app
