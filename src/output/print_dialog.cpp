#include "output/print_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "base/text_format.h"
#include "ui/file_dialog.h"
#include "ui/message_box.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/file_source.h"
#include "win/gdi.h"
#include "win/printer.h"
#include "win/resource_strings.h"
#include "win/scope_exit.h"
#include "win/system_error.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::output {
namespace {

constexpr int kThumbWidth = 80;
constexpr int kThumbHeight = 100;
constexpr float kA4Width = 210.0f;
constexpr float kA4Height = 297.0f;
// A text loaded into a sample box: more than any sheet can show.
constexpr std::size_t kMaxTextFileBytes = 1 << 20;

// The controls of each tab page.
constexpr int kGeneralControls[] = {IDC_PRINT_SHEET_GROUP, IDC_PRINT_DESCRIPTION, IDC_PRINT_SELECTION, IDC_PRINT_ALL,
                                    IDC_PRINT_NOTE};
constexpr int kOptionControls[] = {
    IDC_PRINT_SHORT_LABEL, IDC_PRINT_SHORT_TEXT,  IDC_PRINT_PARAGRAPH_LABEL, IDC_PRINT_PARAGRAPH,
    IDC_PRINT_PARAGRAPH_BUTTON, IDC_PRINT_COPIES_LABEL, IDC_PRINT_COPIES,  IDC_PRINT_COPIES_SPIN,
    IDC_PRINT_PAUSE_LABEL, IDC_PRINT_PAUSE,      IDC_PRINT_PAUSE_SPIN,      IDC_PRINT_PAUSE_UNIT,
    IDC_PRINT_MARGIN_GROUP, IDC_PRINT_AUTO_MARGINS, IDC_PRINT_LEFT_LABEL,   IDC_PRINT_LEFT,
    IDC_PRINT_LEFT_SPIN,   IDC_PRINT_TOP_LABEL,   IDC_PRINT_TOP,             IDC_PRINT_TOP_SPIN};

// Labels, choices and frames of the tab pages; their edits (which a disabled
// state paints as labels do) are not among them.
bool OnTabPage(int id) {
    for (int edit : {IDC_PRINT_SHORT_TEXT, IDC_PRINT_PARAGRAPH, IDC_PRINT_COPIES, IDC_PRINT_PAUSE, IDC_PRINT_LEFT,
                     IDC_PRINT_TOP})
        if (id == edit) return false;
    for (int control : kGeneralControls)
        if (id == control) return true;
    for (int control : kOptionControls)
        if (id == control) return true;
    return false;
}

SheetTexts SheetWords(std::wstring shortText, std::wstring paragraphText) {
    SheetTexts texts;
    texts.shortText = std::u16string(win::AsU16(shortText));
    texts.paragraphText = std::u16string(win::AsU16(paragraphText));
    texts.scriptLabel = std::u16string(win::AsU16(win::LoadResString(IDS_PRINT_SCRIPT_LABEL)));
    texts.sizeLabel = std::u16string(win::AsU16(win::LoadResString(IDS_PRINT_SIZE_LABEL)));
    texts.footer = std::u16string(win::AsU16(win::LoadResString(IDS_PRINT_FOOTER)));
    texts.pageLabel = std::u16string(win::AsU16(win::LoadResString(IDS_PRINT_PAGE_LABEL)));
    return texts;
}

void DescribeItem(catalog::TFontList& list, catalog::TFontListItem& item, LOGFONTW& logFont, SheetFont& facts) {
    // A folder's fonts are loaded when first needed: the font must be there
    // before it is drawn.
    list.PrepareToDraw(item);
    logFont = item.LogFont;
    facts.name = win::AsU16(item.Name);
    facts.script = win::AsU16(catalog::FirstFontScript(item));
    const std::wstring& file = item.FileName();
    facts.filePath = win::AsU16(file);
    facts.fileLine = win::AsU16(win::FormatRes(
        IDS_PRINT_FILE_LINE, {win::AsU16(file), FormatByteSize(file.empty() ? -1 : item.FileSize())}));
    facts.copyright = win::AsU16(item.Copyright());
}

// A page of A4 paper `width` × `height` pixels drawn off screen and then put
// on `target` at (x, y) at once, so that a repaint does not flicker. (Drawing
// larger and shrinking with halftone loses hairlines under Wine, whose
// halftone stretch drops rows instead of averaging them.)
void DrawOffScreen(HDC target, int x, int y, int width, int height, const std::function<void(TPage&)>& draw) {
    win::UniqueDC memory(CreateCompatibleDC(target));
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    if (!memory || !bitmap) return;
    win::SelectedObject selected(memory.get(), bitmap.get());
    const RECT all{0, 0, width, height};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int dpi = std::max(1, static_cast<int>(height * 25.4f / kA4Height + 0.5f));
    TPage page;
    page.SetCanvas(memory.get(), {dpi, dpi, width, height, 0, 0, width, height});
    draw(page);
    BitBlt(target, x, y, width, height, memory.get(), 0, 0, SRCCOPY);
}

// The text of a file as it stands: UTF-8 or UTF-16 when it says so with a
// byte-order mark, else in the system's ANSI code page.
std::optional<std::wstring> ReadTextFile(const std::wstring& path) {
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file) return std::nullopt;
    const win::ScopeExit closeFile([file] { std::fclose(file); });
    std::string bytes(kMaxTextFileBytes, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return win::Utf8ToWide(bytes.substr(3));
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        std::copy_n(bytes.data() + 2, text.size() * 2, reinterpret_cast<char*>(text.data()));
        return text;
    }
    return win::AnsiToWide(bytes);
}

}  // namespace

TfrmPrint::TfrmPrint(PrintSource source, settings::SettingsRoot root)
    : Dialog(IDD_PRINT), source_(std::move(source)), root_(std::move(root)) {}

TfrmPrint::~TfrmPrint() = default;

void TfrmPrint::UsePrinter(const std::wstring& name) {
    printerName_ = name;
    devMode_.clear();
}

bool TfrmPrint::OnInitDialog() {
    values_ = ReadPrintSettings(root_);
    SetWindowTextW(Item(IDC_PRINT_SHORT_TEXT), values_.ShortText1.c_str());
    SetWindowTextW(Item(IDC_PRINT_PARAGRAPH), values_.ParagraphText1.c_str());
    shortText_.AttachEdit(Item(IDC_PRINT_SHORT_TEXT));
    shortText_.OnButtonClick = [this] { ShowTextMenu(Item(IDC_PRINT_SHORT_TEXT), nullptr); };

    const auto spin = [this](int id, int low, int high, int value) {
        SendMessageW(Item(id), UDM_SETRANGE32, low, high);
        SendMessageW(Item(id), UDM_SETPOS32, 0, std::clamp(value, low, high));
    };
    spin(IDC_PRINT_COPIES_SPIN, 1, 9999, 1);
    spin(IDC_PRINT_PAUSE_SPIN, 0, 9999, values_.PauseAfter);
    spin(IDC_PRINT_LEFT_SPIN, 0, 999, values_.LeftMargin);
    spin(IDC_PRINT_TOP_SPIN, 0, 999, values_.TopMargin);
    Button_SetCheck(Item(IDC_PRINT_AUTO_MARGINS), values_.AutoMargins ? BST_CHECKED : BST_UNCHECKED);

    const bool anySelected = source_.selected.Count() > 0;
    EnableWindow(Item(IDC_PRINT_SELECTION), anySelected);
    Button_SetCheck(Item(anySelected ? IDC_PRINT_SELECTION : IDC_PRINT_ALL), BST_CHECKED);

    for (int id : {IDS_PRINT_TAB_GENERAL, IDS_PRINT_TAB_OPTIONS}) {
        std::wstring caption = win::LoadResString(id);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption.data();
        TabCtrl_InsertItem(Item(IDC_PRINT_TABS), TabCtrl_GetItemCount(Item(IDC_PRINT_TABS)), &tab);
    }
    ShowPage(0);
    FillThumbnails();
    ChooseSheet(SheetKind::CharacterMap);
    RefreshMarginFields();
    return true;
}

void TfrmPrint::FillThumbnails() {
    HWND list = Item(IDC_PRINT_THUMBS);
    thumbnails_.reset(ImageList_Create(kThumbWidth, kThumbHeight, ILC_COLOR32, 3, 0));
    // Each thumbnail is its layout drawn in Arial.
    LOGFONTW arial{};
    wcscpy_s(arial.lfFaceName, L"Arial");
    arial.lfCharSet = DEFAULT_CHARSET;
    const SheetTexts texts = SheetWords(win::LoadResString(IDS_PRINT_DEFAULT_SHORT),
                                        win::LoadResString(IDS_PRINT_DEFAULT_PARAGRAPH));
    const DescribeFont describe = [&](int, LOGFONTW& logFont, SheetFont& facts) {
        logFont = arial;
        facts.name = u"Arial";
    };
    HDC screen = GetDC(nullptr);
    const win::ScopeExit releaseScreen([screen] { ReleaseDC(nullptr, screen); });
    for (SheetKind kind : {SheetKind::CharacterMap, SheetKind::SampleSheet, SheetKind::Listing1}) {
        win::UniqueDC memory(CreateCompatibleDC(screen));
        win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, kThumbWidth, kThumbHeight));
        if (!memory || !bitmap) continue;
        {
            win::SelectedObject selected(memory.get(), bitmap.get());
            DrawOffScreen(memory.get(), 0, 0, kThumbWidth, kThumbHeight, [&](TPage& page) {
                ApplyMargins(page, kind, true, 0, 0);
                DrawFirstPage(page, kind, Sheet(kind).FontsPerPage, describe, texts);
            });
        }
        ImageList_Add(thumbnails_.get(), bitmap.get(), nullptr);
    }
    ListView_SetImageList(list, thumbnails_.get(), LVSIL_NORMAL);
    // Room for the four side by side.
    RECT client{};
    GetClientRect(list, &client);
    const int spacing = std::max<int>(kThumbWidth + 4, std::min<int>(kThumbWidth + 20, (client.right - client.left - GetSystemMetrics(SM_CXVSCROLL)) / kSheetKinds));
    ListView_SetIconSpacing(list, spacing, kThumbHeight + 2 * GetSystemMetrics(SM_CYMENU));
    for (int index = 0; index < kSheetKinds; ++index) {
        std::wstring name = win::LoadResString(IDS_PRINT_SHEET_NAME_FIRST + index);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = name.data();
        item.iImage = kSheets[static_cast<std::size_t>(index)].ImageIndex;
        ListView_InsertItem(list, &item);
    }
}

void TfrmPrint::ShowPage(int tab) {
    for (int id : kGeneralControls) ShowWindow(Item(id), tab == 0 ? SW_SHOW : SW_HIDE);
    for (int id : kOptionControls) ShowWindow(Item(id), tab == 1 ? SW_SHOW : SW_HIDE);
}

void TfrmPrint::ChooseSheet(SheetKind kind) {
    sheet_ = kind;
    const int index = static_cast<int>(kind);
    HWND list = Item(IDC_PRINT_THUMBS);
    if (ListView_GetNextItem(list, -1, LVNI_SELECTED) != index) {
        ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    RefreshSheetTexts();
}

void TfrmPrint::RefreshSheetTexts() {
    const int index = static_cast<int>(sheet_);
    const std::wstring name = win::LoadResString(IDS_PRINT_SHEET_NAME_FIRST + index);
    const std::wstring description = win::LoadResString(IDS_PRINT_SHEET_DESC_FIRST + index);
    SetWindowTextW(Item(IDC_PRINT_DESCRIPTION),
                   win::FormatRes(IDS_PRINT_SHEET_CAPTION, {win::AsU16(name), win::AsU16(description)}).c_str());
    const int perPage = Sheet(sheet_).FontsPerPage;
    const auto caption = [&](int id, int fonts) {
        SetWindowTextW(Item(id == IDS_PRINT_SELECTION ? IDC_PRINT_SELECTION : IDC_PRINT_ALL),
                       win::FormatRes(id, {std::int64_t{fonts}, std::int64_t{PageCount(fonts, perPage)}}).c_str());
    };
    caption(IDS_PRINT_SELECTION, source_.selected.Count());
    caption(IDS_PRINT_ALL, source_.list ? source_.list->Count() : 0);
    InvalidateRect(Item(IDC_PRINT_PREVIEW), nullptr, FALSE);
}

void TfrmPrint::RefreshMarginFields() {
    const bool automatic = Button_GetCheck(Item(IDC_PRINT_AUTO_MARGINS)) == BST_CHECKED;
    for (int id : {IDC_PRINT_LEFT_LABEL, IDC_PRINT_LEFT, IDC_PRINT_LEFT_SPIN, IDC_PRINT_TOP_LABEL, IDC_PRINT_TOP,
                   IDC_PRINT_TOP_SPIN})
        EnableWindow(Item(id), !automatic);
    InvalidateRect(Item(IDC_PRINT_PREVIEW), nullptr, FALSE);
}

int TfrmPrint::SpinValue(int id) const {
    BOOL failed = FALSE;
    const int value = static_cast<int>(SendMessageW(GetDlgItem(Handle(), id), UDM_GETPOS32, 0,
                                                    reinterpret_cast<LPARAM>(&failed)));
    return value;
}

PrintSettings TfrmPrint::ValuesFromControls() const {
    PrintSettings values = values_;
    values.ShortText1 = win::WindowText(GetDlgItem(Handle(), IDC_PRINT_SHORT_TEXT));
    values.ParagraphText1 = win::WindowText(GetDlgItem(Handle(), IDC_PRINT_PARAGRAPH));
    values.AutoMargins = Button_GetCheck(GetDlgItem(Handle(), IDC_PRINT_AUTO_MARGINS)) == BST_CHECKED;
    values.LeftMargin = SpinValue(IDC_PRINT_LEFT_SPIN);
    values.TopMargin = SpinValue(IDC_PRINT_TOP_SPIN);
    values.PauseAfter = SpinValue(IDC_PRINT_PAUSE_SPIN);
    return values;
}

DescribeFont TfrmPrint::Describer(bool selection) {
    catalog::TFontList* list = source_.list;
    if (selection) {
        return [this, list](int index, LOGFONTW& logFont, SheetFont& facts) {
            DescribeItem(*list, source_.selected[index], logFont, facts);
        };
    }
    return [list](int index, LOGFONTW& logFont, SheetFont& facts) {
        DescribeItem(*list, (*list)[index], logFont, facts);
    };
}

void TfrmPrint::ShowTextMenu(HWND box, HWND button) {
    win::UniqueMenu menu(CreatePopupMenu());
    for (int id : {IDS_PRINT_MENU_DEFAULT, IDS_PRINT_MENU_USER, IDS_PRINT_MENU_FILE})
        AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(id - IDS_PRINT_MENU_DEFAULT + IDC_PRINT_MENU_DEFAULT),
                    win::LoadResString(id).c_str());
    RECT below{};
    if (button) {
        GetWindowRect(button, &below);
    } else {
        below = shortText_.ButtonRect();
    }
    const int chosen = static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                       below.left, below.bottom, 0, Handle(), nullptr));
    const bool paragraph = box == Item(IDC_PRINT_PARAGRAPH);
    std::optional<std::wstring> text;
    switch (chosen) {
    case IDC_PRINT_MENU_DEFAULT:
        text = paragraph ? PrintSettings::Defaults().ParagraphText1 : PrintSettings::Defaults().ShortText1;
        break;
    case IDC_PRINT_MENU_USER:
        if (source_.userText) text = source_.userText();
        break;
    case IDC_PRINT_MENU_FILE: {
        ui::SaveFileRequest request;
        request.filter = win::LoadResString(IDS_PRINT_TEXT_FILTER);
        request.defaultExtension = L"txt";
        if (const auto file = ui::AskOpenFileName(Handle(), request)) text = ReadTextFile(*file);
        break;
    }
    default: break;
    }
    if (text) SetWindowTextW(box, text->c_str());
}

bool TfrmPrint::LoadPrinterDefaults() {
    if (printerName_.empty()) {
        DWORD size = 0;
        GetDefaultPrinterW(nullptr, &size);
        if (size == 0) return false;
        std::wstring name(size, L'\0');
        if (!GetDefaultPrinterW(name.data(), &size)) return false;
        name.resize(wcsnlen(name.c_str(), name.size()));
        printerName_ = name;
    }
    if (!devMode_.empty()) return true;
    win::UniquePrinter printer;
    if (!OpenPrinterW(printerName_.data(), printer.put(), nullptr)) return false;
    const LONG size = DocumentPropertiesW(Handle(), printer.get(), printerName_.data(), nullptr, nullptr, 0);
    if (size <= 0) return false;
    devMode_.assign(static_cast<std::size_t>(size), 0);
    if (DocumentPropertiesW(Handle(), printer.get(), printerName_.data(),
                            reinterpret_cast<DEVMODEW*>(devMode_.data()), nullptr, DM_OUT_BUFFER) != IDOK) {
        devMode_.clear();
        return false;
    }
    return true;
}

void TfrmPrint::ChoosePrinter() {
    LoadPrinterDefaults();
    PRINTDLGW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = Handle();
    request.Flags = PD_PRINTSETUP;
    if (!devMode_.empty()) {
        request.hDevMode = GlobalAlloc(GMEM_MOVEABLE, devMode_.size());
        if (request.hDevMode) {
            win::LockedGlobal locked(request.hDevMode);
            if (locked.get()) std::copy(devMode_.begin(), devMode_.end(), static_cast<unsigned char*>(locked.get()));
        }
    }
    const bool chosen = PrintDlgW(&request) != FALSE;
    win::UniqueGlobal mode(request.hDevMode);
    win::UniqueGlobal names(request.hDevNames);
    if (!chosen) return;
    if (names) {
        win::LockedGlobal locked(names.get());
        if (const auto* devNames = static_cast<const DEVNAMES*>(locked.get()))
            printerName_ = reinterpret_cast<const wchar_t*>(devNames) + devNames->wDeviceOffset;
    }
    if (mode) {
        win::LockedGlobal locked(mode.get());
        if (const auto* data = static_cast<const unsigned char*>(locked.get())) {
            const auto* devMode = reinterpret_cast<const DEVMODEW*>(data);
            devMode_.assign(data, data + devMode->dmSize + devMode->dmDriverExtra);
        }
    }
    InvalidateRect(Item(IDC_PRINT_PREVIEW), nullptr, FALSE);
}

void TfrmPrint::Print() {
    const bool selection = Button_GetCheck(Item(IDC_PRINT_SELECTION)) == BST_CHECKED;
    const int fontCount = selection ? source_.selected.Count() : (source_.list ? source_.list->Count() : 0);
    if (fontCount == 0 || !source_.list) {
        End(IDCANCEL);
        return;
    }
    if (PrintWith(fontCount, Describer(selection))) End(IDOK);
}

bool TfrmPrint::PrintWith(int fontCount, const DescribeFont& describe) {
    const PrintSettings values = ValuesFromControls();
    win::BusyCursor busy;
    if (!LoadPrinterDefaults()) {
        ui::ShowError(Handle(), win::LoadResString(IDS_PRINT_NO_PRINTER));
        return false;
    }
    std::vector<unsigned char> devMode = devMode_;
    auto* mode = devMode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(devMode.data());
    if (mode && (mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE) {
        const int answer = ui::ShowMessage(Handle(), win::LoadResString(IDS_PRINT_LANDSCAPE),
                                           MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES) {
            mode->dmOrientation = DMORIENT_PORTRAIT;
            reinterpret_cast<DEVMODEW*>(devMode_.data())->dmOrientation = DMORIENT_PORTRAIT;
        }
    }
    if (mode) {
        mode->dmCopies = static_cast<short>(std::clamp(SpinValue(IDC_PRINT_COPIES_SPIN), 1, 9999));
        mode->dmFields |= DM_COPIES;
    }
    win::UniqueDC printer(CreateDCW(L"WINSPOOL", printerName_.c_str(), nullptr, mode));
    if (!printer) {
        ui::ShowError(Handle(), win::FormatRes(IDS_PRINT_FAILED, {win::AsU16(win::SystemErrorText(GetLastError()))}));
        return false;
    }

    PrintJob job;
    job.printer = printer.get();
    job.sheet = sheet_;
    job.fontCount = fontCount;
    job.describe = describe;
    job.texts = SheetWords(values.ShortText1, values.ParagraphText1);
    job.autoMargins = values.AutoMargins;
    job.leftMargin = static_cast<float>(values.LeftMargin);
    job.topMargin = static_cast<float>(values.TopMargin);
    job.pauseAfter = values.PauseAfter;
    job.outputFile = OutputFile;

    ui::TfrmProgressBar progress(win::LoadResString(IDS_PRINT_PROGRESS));
    progress.Show(Handle());
    progress.SetRange(fontCount);
    EnableWindow(Handle(), FALSE);
    printing_ = true;
    PrintEvents events;
    events.cancelled = [] { return ui::ProgressCancelRequested(); };
    events.resumeAfterPause = [&](int pages) {
        return ui::ShowMessage(progress.Handle(), win::FormatRes(IDS_PRINT_PAUSED, {std::int64_t{pages}}),
                               MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
    };
    events.progress = [&](int done) {
        progress.SetPosition(done);
        ui::PumpWaitingMessages(progress.Handle());
    };
    lastRun_ = PrintSheets(job, events);
    printing_ = false;
    EnableWindow(Handle(), TRUE);
    progress.Close();
    SetForegroundWindow(Handle());
    if (lastRun_.outcome == PrintOutcome::Failed) {
        ui::ShowError(Handle(), win::FormatRes(IDS_PRINT_FAILED, {win::AsU16(win::SystemErrorText(lastRun_.error))}));
    }
    return lastRun_.outcome == PrintOutcome::Printed;
}

void TfrmPrint::DrawPreview(const DRAWITEMSTRUCT& item) {
    const RECT& area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_APPWORKSPACE));
    const int room = 6;
    int width = area.right - area.left - 2 * room;
    int height = static_cast<int>(width * kA4Height / kA4Width);
    if (height > area.bottom - area.top - 2 * room) {
        height = area.bottom - area.top - 2 * room;
        width = static_cast<int>(height * kA4Width / kA4Height);
    }
    if (width <= 0 || height <= 0) return;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    const PrintSettings values = ValuesFromControls();
    const bool selection = Button_GetCheck(Item(IDC_PRINT_SELECTION)) == BST_CHECKED;
    const int fontCount = selection ? source_.selected.Count() : (source_.list ? source_.list->Count() : 0);
    const SheetTexts texts = SheetWords(values.ShortText1, values.ParagraphText1);
    DrawOffScreen(item.hDC, x, y, width, height, [&](TPage& page) {
        ApplyMargins(page, sheet_, values.AutoMargins, static_cast<float>(values.LeftMargin),
                     static_cast<float>(values.TopMargin));
        if (fontCount > 0 && source_.list) DrawFirstPage(page, sheet_, fontCount, Describer(selection), texts);
    });
    const RECT paper{x, y, x + width, y + height};
    FrameRect(item.hDC, &paper, GetSysColorBrush(COLOR_WINDOWFRAME));
}

bool TfrmPrint::OnCommand(int id, int code, HWND control) {
    (void)control;
    switch (id) {
    case IDOK:
        if (!printing_) Print();
        return true;
    case IDCANCEL:
        if (printing_) return true;
        return false;
    case IDC_PRINT_PRINTER:
        ChoosePrinter();
        return true;
    case IDC_PRINT_PARAGRAPH_BUTTON:
        ShowTextMenu(Item(IDC_PRINT_PARAGRAPH), Item(IDC_PRINT_PARAGRAPH_BUTTON));
        return true;
    case IDC_PRINT_AUTO_MARGINS:
        RefreshMarginFields();
        return true;
    case IDC_PRINT_SELECTION:
    case IDC_PRINT_ALL:
        InvalidateRect(Item(IDC_PRINT_PREVIEW), nullptr, FALSE);
        return true;
    case IDC_PRINT_SHORT_TEXT:
    case IDC_PRINT_PARAGRAPH:
    case IDC_PRINT_LEFT:
    case IDC_PRINT_TOP:
        if (code == EN_CHANGE) InvalidateRect(Item(IDC_PRINT_PREVIEW), nullptr, FALSE);
        return true;
    default: return false;
    }
}

bool TfrmPrint::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_PRINT_TABS && header->code == TCN_SELCHANGE) {
            ShowPage(TabCtrl_GetCurSel(Item(IDC_PRINT_TABS)));
            return true;
        }
        if (header->idFrom == IDC_PRINT_THUMBS) {
            if (header->code == LVN_ITEMCHANGED) {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
                if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED) &&
                    change->iItem >= 0 && change->iItem < kSheetKinds && change->iItem != static_cast<int>(sheet_))
                    ChooseSheet(static_cast<SheetKind>(change->iItem));
                return true;
            }
            if (header->code == NM_CLICK || header->code == NM_DBLCLK) {
                // A click beside the thumbnails leaves none selected: the
                // chosen sheet stays chosen.
                if (ListView_GetNextItem(Item(IDC_PRINT_THUMBS), -1, LVNI_SELECTED) < 0) ChooseSheet(sheet_);
                return true;
            }
        }
        return false;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam != IDC_PRINT_PREVIEW) return false;
        DrawPreview(*item);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnTabPage(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) &&
               ui::ColorLikeTabPane(reinterpret_cast<HDC>(wParam), result);
    case WM_DESTROY: {
        const settings::WriteOutcome written = WritePrintSettings(ValuesFromControls(), root_);
        (void)written;  // a read-only settings key only loses this dialog's values
        return false;
    }
    default: return false;
    }
}

}  // namespace typorama::output
