#include "app/selection.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "app/clipboard_text.h"
#include "app/find_dialog.h"
#include "app/main_window.h"
#include "base/text_format.h"
#include "ui/dialog.h"
#include "ui/message_box.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/resource_strings.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

struct FilterEntry {
    UINT command;
    BYTE value;
};

// The character-set commands by their index, with the character set each
// shows (1 = all), and the family commands with their Windows family value
// (1 = monospaced).
constexpr std::array<FilterEntry, 9> kCharsetFilters{{
    {IDM_CHARSET_ALL, DEFAULT_CHARSET},
    {IDM_CHARSET_SYMBOL, SYMBOL_CHARSET},
    {IDM_CHARSET_BALTIC, BALTIC_CHARSET},
    {IDM_CHARSET_CYRILLIC, RUSSIAN_CHARSET},
    {IDM_CHARSET_EAST_EUROPE, EASTEUROPE_CHARSET},
    {IDM_CHARSET_GREEK, GREEK_CHARSET},
    {IDM_CHARSET_TURKISH, TURKISH_CHARSET},
    {IDM_CHARSET_ARABIC, ARABIC_CHARSET},
    {IDM_CHARSET_HEBREW, HEBREW_CHARSET},
}};
constexpr std::array<FilterEntry, 6> kFamilyFilters{{
    {IDM_FAMILY_DECO, FF_DECORATIVE},
    {IDM_FAMILY_MONO, 1},
    {IDM_FAMILY_MODERN, FF_MODERN},
    {IDM_FAMILY_ROMAN, FF_ROMAN},
    {IDM_FAMILY_SCRIPT, FF_SCRIPT},
    {IDM_FAMILY_SWISS, FF_SWISS},
}};

constexpr MainValue kFilterValues[] = {
    {L"HideSystemFonts", &MainSettings::hideSystemFonts},
};

// The filter command for the list's filters; 0 when none matches.
UINT MatchingFilterCommand(BYTE charset, BYTE family) {
    if (charset == DEFAULT_CHARSET) {
        if (family == 0) return IDM_CHARSET_ALL;
        for (const FilterEntry& entry : kFamilyFilters)
            if (entry.value == family) return entry.command;
        return 0;
    }
    if (family != 0) return 0;
    for (const FilterEntry& entry : kCharsetFilters)
        if (entry.value == charset) return entry.command;
    return 0;
}

// Selects `row` as a click would (status text, command states, information
// pane). A row found off screen, or at the screen's edge, comes to the middle:
// the rows around it show where it is.
void MakeCurrent(TfrmMain& main, int row) {
    ui::ThVirtualListBox& list = main.ListBox();
    RECT client{};
    GetClientRect(list.Hwnd(), &client);
    const int rows = std::max(1, static_cast<int>(client.bottom) / std::max(1, list.ItemHeight()));
    const int context = std::min(2, (rows - 1) / 2);
    if (row >= 0 && (row < list.TopIndex() + context || row > list.TopIndex() + rows - 1 - context))
        list.SetTopIndex(std::max(0, row - (rows - 1) / 2));
    list.SetItemIndex(row);
}

// Puts the list position back however the rebuild between ends.
class RestorePositionOnExit {
public:
    explicit RestorePositionOnExit(Selection& selection) : selection_(selection) { selection_.SaveListPosition(); }
    explicit RestorePositionOnExit(TfrmMain& main) : RestorePositionOnExit(*main.Feature<Selection>()) {}
    ~RestorePositionOnExit() { selection_.RestoreListPosition(); }
    RestorePositionOnExit(const RestorePositionOnExit&) = delete;
    RestorePositionOnExit& operator=(const RestorePositionOnExit&) = delete;

private:
    Selection& selection_;
};

void ShowCheckBoxes(TfrmMain& main) {
    if (main.Settings().showCheckBoxes) return;
    // The view's own toggle also sets its button; without it the setting alone does.
    if (main.Commands().Has(IDM_VIEW_CHECKBOXES)) main.RunCommand(IDM_VIEW_CHECKBOXES);
    main.Settings().showCheckBoxes = true;
}

void TagFonts(TfrmMain& main, catalog::TagRule rule) {
    main.FontList().TagItems(rule);
    if (rule == catalog::TagRule::All) ShowCheckBoxes(main);
    if (main.Settings().showCheckBoxes) InvalidateRect(main.ListBox().Hwnd(), nullptr, FALSE);
    main.UpdateCommandStates();
    main.UpdateStatusPanels();
}

// A search that finds nothing beeps and says so where the row would have been named.
void NothingFound(TfrmMain& main, const std::wstring& text) {
    main.Beep();
    main.SetStatusText(StatusPanel::Message, text, true);
}

void FindTagged(TfrmMain& main, bool forward) {
    catalog::TFontList& list = main.FontList();
    if (main.CurrentIndex() < 0) {
        if (list.Count() == 0) return;
        MakeCurrent(main, 0);
    }
    const int current = std::max(main.CurrentIndex(), 0);
    if (forward) {
        for (int i = current + 1; i < list.Count(); ++i)
            if (list[i].Tagged) return MakeCurrent(main, i);
    } else {
        for (int i = current - 1; i >= 0; --i)
            if (list[i].Tagged) return MakeCurrent(main, i);
    }
    NothingFound(main, win::LoadResString(IDS_SELECT_NO_MORE_TAGGED));
}

// Asks for a text (TfrmFind) and selects the first font whose name holds it
// or starts with it; the text and the choice are remembered for find next.
void FindFirst(TfrmMain& main, std::wstring& lastText, bool& lastFromStart) {
    TfrmFind find;
    find.Text = lastText;
    find.FromStart = lastFromStart;
    if (ui::CreateAndShowForm(find, main.Handle(), false, ui::kCenterOnOwner | ui::kShowModal) != IDOK) return;
    lastText = find.Text;
    lastFromStart = find.FromStart;
    main.UpdateCommandStates();  // find next follows the text
    const int row = main.FontList().FindFont(lastText, lastFromStart, false, -1);
    if (row < 0) return NothingFound(main, win::FormatRes(IDS_SELECT_NOT_FOUND, {win::AsU16(lastText)}));
    MakeCurrent(main, row);
}

// The next match after the current row; no wrap.
void FindNext(TfrmMain& main, const std::wstring& text, bool fromStart) {
    const int current = main.CurrentIndex();
    const int row = main.FontList().FindFont(text, fromStart, false, current);
    if (row > current) return MakeCurrent(main, row);
    NothingFound(main, win::FormatRes(IDS_SELECT_NOT_FOUND, {win::AsU16(text)}));
}

void ChooseCharsetFilter(TfrmMain& main, BYTE charset) {
    catalog::TFontList& list = main.FontList();
    // The filter in force already: nothing to ask, nothing to do.
    if (charset == list.CharsetFilter() && list.FamilyFilter() == 0) return;
    if (!main.ConfirmDiscardTags()) return;
    RestorePositionOnExit position(main);
    list.SetHideMarlett(main.Settings().hideSystemFonts);
    list.SetCharsetFilter(charset);
}

void ChooseFamilyFilter(TfrmMain& main, BYTE family) {
    catalog::TFontList& list = main.FontList();
    // Asked even when the family is in force already; then nothing changes.
    if (!main.ConfirmDiscardTags() || family == list.FamilyFilter()) return;
    RestorePositionOnExit position(main);
    list.SetHideMarlett(main.Settings().hideSystemFonts);
    list.SetFamilyFilter(family);
}

void ToggleOnlySelectedFiles(TfrmMain& main) {
    const bool on = !main.FontList().ShowTaggedOnly();
    RestorePositionOnExit position(main);
    main.FontList().SetShowTaggedOnly(on);
}

// Copies the names, or the file names, of the selected fonts, one per line.
void CopySelected(TfrmMain& main, bool fileNames) {
    if (!main.RequireFonts(FontNeed::TaggedOrCurrent)) return;
    win::BusyCursor busy;
    catalog::TWorkingList fonts;
    Selection& selection = *main.Feature<Selection>();
    if (!selection.CollectSelectedFonts(fonts)) return;
    if (fileNames && !selection.ResolveFontFiles(fonts, false)) return;
    std::wstring text;
    for (int i = 0; i < fonts.Count(); ++i) text += (fileNames ? fonts[i].FileName() : fonts[i].Name) + L"\r\n";
    CopyTextToClipboard(main.Handle(), text);  // a clipboard held elsewhere copies nothing, silently
}

void ShowSelectedSummary(TfrmMain& main) {
    std::int64_t total = 0;
    int count = 0;
    std::set<std::wstring, win::LessNoCase> collections;  // the faces of a collection share one file
    {
        win::BusyCursor busy;
        count = main.Feature<Selection>()->ForEachSelectedFont(SelectMode::TaggedOrCurrent, [&](catalog::TFontListItem& font) {
            if (font.Face() && !collections.insert(font.FileName()).second) return true;
            total += std::max<std::int64_t>(font.FileSize(), 0);
            return true;
        });
    }
    const std::u16string size = FormatByteSize(total);
    ui::ShowMessage(main.Handle(), win::FormatRes(IDS_SELECT_SUMMARY, {static_cast<std::int64_t>(count), size}), MB_OK);
}

}  // namespace

Selection::Selection(TfrmMain& host) : host_(host) {
    host.AddSettings(kFilterValues);
    host.SettingsApplied += [&host] { host.FontList().SetHideMarlett(host.Settings().hideSystemFonts); };
    RegisterCommands();
}

int Selection::ForEachSelectedFont(SelectMode mode, const FontAction& action, bool checkFiles) {
    return app::ForEachSelectedFont(host_.FontList(), host_.CurrentIndex(), mode, action, checkFiles);
}

bool Selection::CollectSelectedFonts(catalog::TWorkingList& list, SelectMode mode, bool checkFiles) {
    const int before = list.Count();
    ForEachSelectedFont(
        mode,
        [&list](catalog::TFontListItem& font) {
            list.Add(font);
            return true;
        },
        checkFiles);
    return list.Count() > before;
}

bool Selection::ResolveFontFiles(catalog::TWorkingList& list, bool allowAutomatic) {
    return app::ResolveFontFiles(host_.Handle(), list, allowAutomatic, host_.Beep);
}

void Selection::SaveListPosition() { listPosition_ = app::SaveListPosition(host_.FontList(), host_.ListBox()); }

void Selection::RestoreListPosition() { app::RestoreListPosition(listPosition_, host_.FontList(), host_.ListBox()); }

void Selection::RefreshFontList() {
    RestorePositionOnExit position(*this);
    host_.FontList().SetHideMarlett(host_.Settings().hideSystemFonts);
    host_.FontList().Refresh(true);
}

UINT Selection::FilterCommandInForce() {
    if (const UINT match = MatchingFilterCommand(host_.FontList().CharsetFilter(), host_.FontList().FamilyFilter()))
        checkedFilterCommand_ = match;
    return checkedFilterCommand_;
}

void Selection::RegisterCommands() {
    TfrmMain& host = host_;
    CommandTable& commands = host.Commands();
    const auto hasRows = [&host] { return host.HasRows(); };
    const auto fontCommands = [&host] { return host.FontCommandsAllowed(); };

    const std::pair<UINT, catalog::TagRule> tags[] = {
        {IDM_TAG_ALL, catalog::TagRule::All},
        {IDM_TAG_NONE, catalog::TagRule::None},
        {IDM_TAG_INVERT, catalog::TagRule::Invert},
        {IDM_TAG_LOADED, catalog::TagRule::NotInstalledOrLoaded},
        {IDM_TAG_INSTALLED, catalog::TagRule::Installed},
        {IDM_TAG_INSTALLED_THIS_FILE, catalog::TagRule::InstalledFromThisFile},
    };
    for (const auto& [id, rule] : tags) commands.Add(id, {[&host, rule] { TagFonts(host, rule); }, hasRows, {}});

    commands.Add(IDM_FIND_FIND, {[this] { FindFirst(host_, lastSearchText_, lastSearchFromStart_); }, hasRows, {}});
    commands.Add(IDM_FIND_NEXT, {[this] { FindNext(host_, lastSearchText_, lastSearchFromStart_); },
                                  [this] { return !lastSearchText_.empty(); }, {}});
    commands.Add(IDM_FIND_PREV_CHECKED, {[&host] { FindTagged(host, false); }, hasRows, {}});
    commands.Add(IDM_FIND_NEXT_CHECKED, {[&host] { FindTagged(host, true); }, hasRows, {}});

    // The fifteen filters are one radio group; they filter the loaded fonts only.
    const auto loadedFonts = [&host] { return !host.IsFolderSource(); };
    for (const FilterEntry& entry : kCharsetFilters)
        commands.Add(entry.command, {[&host, charset = entry.value] { ChooseCharsetFilter(host, charset); }, loadedFonts,
                                      [this, id = entry.command] { return FilterCommandInForce() == id; }});
    for (const FilterEntry& entry : kFamilyFilters)
        commands.Add(entry.command, {[&host, family = entry.value] { ChooseFamilyFilter(host, family); }, loadedFonts,
                                      [this, id = entry.command] { return FilterCommandInForce() == id; }});
    commands.Add(IDM_FILTER_SELECTED_FILES,
                  {[&host] { ToggleOnlySelectedFiles(host); }, {}, [&host] { return host.FontList().ShowTaggedOnly(); }});

    commands.Add(IDM_VIEW_REFRESH, {[this] { RefreshFontList(); }, {}, {}});
    host.OnFontChangeMessage = [this] { RefreshFontList(); };

    commands.Add(IDM_FONT_COPY_NAMES, {[&host] { CopySelected(host, false); }, fontCommands, {}});
    commands.Add(IDM_FONT_COPY_FILENAMES, {[&host] { CopySelected(host, true); }, fontCommands, {}});
    commands.Add(IDM_TOOLS_SHOW_BYTES, {[&host] { ShowSelectedSummary(host); }, {}, {}});
}

}  // namespace typorama::app
