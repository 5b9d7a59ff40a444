#include "output/export_images_dialog.h"

#include <commdlg.h>
#include <dlgs.h>
#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "app/clipboard_text.h"
#include "app/program_dialogs.h"
#include "catalog/font_list.h"
#include "output/bmp_file.h"
#include "settings/setting_values.h"
#include "ui/color_dialog.h"
#include "ui/folder_check.h"
#include "ui/help.h"
#include "ui/help_topics.h"
#include "ui/message_box.h"
#include "ui/progress_bar_window.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/color_value.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
#include "win/wide.h"
#include "win/window_text.h"

namespace typorama::output {
namespace {

using settings::IntRange;
using settings::ValueSetting;

constexpr IntRange kSizeRange{10, 999};
constexpr IntRange kMarginRange{0, 999};
constexpr IntRange kWidthRange{50, 1000};

const std::array<ValueSetting<SaveImageSettings>, 16> kValues = {{
    {L"Title", &SaveImageSettings::title},
    {L"SampleText", &SaveImageSettings::sampleText},
    {L"FontSize", &SaveImageSettings::fontSize, kSizeRange},
    {L"Alignment", &SaveImageSettings::alignment, IntRange{0, 2}},
    {L"ColorText", &SaveImageSettings::colorText},
    {L"ColorBack", &SaveImageSettings::colorBack},
    {L"MarginLeft", &SaveImageSettings::marginLeft, kMarginRange},
    {L"MarginTop", &SaveImageSettings::marginTop, kMarginRange},
    {L"Width", &SaveImageSettings::width, kWidthRange},
    {L"AutoWidth", &SaveImageSettings::autoWidth},
    {L"OutputFolder", &SaveImageSettings::outputFolder},
    {L"OutputMode", &SaveImageSettings::outputMode, IntRange{0, 1}},
    {L"NamingMode", &SaveImageSettings::namingMode, IntRange{0, 1}},
    {L"Format", &SaveImageSettings::format, IntRange{0, 1}},
    {L"PreviewLeft", &SaveImageSettings::previewLeft},
    {L"PreviewTop", &SaveImageSettings::previewTop},
}};

constexpr std::wstring_view kTitleFontPrefix = L"TitleFont";

constexpr int kTextPage[] = {IDC_EXP_TITLE_GROUP, IDC_EXP_TITLE_LABEL, IDC_EXP_TITLE, IDC_EXP_TITLE_VAR,
                             IDC_EXP_TITLE_FONT_LABEL, IDC_EXP_TITLE_FONT_TEXT, IDC_EXP_TITLE_FONT,
                             IDC_EXP_SAMPLE_GROUP, IDC_EXP_SAMPLE_LABEL, IDC_EXP_SAMPLE, IDC_EXP_SAMPLE_VAR,
                             IDC_EXP_SIZE_LABEL, IDC_EXP_SIZE, IDC_EXP_SIZE_SPIN, IDC_EXP_COLOR_TEXT,
                             IDC_EXP_COLOR_BACK, IDC_EXP_ALIGN_GROUP, IDC_EXP_ALIGN_LEFT, IDC_EXP_ALIGN_CENTER,
                             IDC_EXP_ALIGN_RIGHT};
constexpr int kMarginsPage[] = {IDC_EXP_LEFT_LABEL, IDC_EXP_LEFT,       IDC_EXP_LEFT_SPIN,  IDC_EXP_TOP_LABEL,
                                IDC_EXP_TOP,        IDC_EXP_TOP_SPIN,   IDC_EXP_WIDTH_LABEL, IDC_EXP_WIDTH,
                                IDC_EXP_WIDTH_SPIN, IDC_EXP_AUTO_WIDTH};
constexpr int kNamingPage[] = {IDC_EXP_OUT_DEFAULT, IDC_EXP_OUT_FOLDER,   IDC_EXP_FOLDER,     IDC_EXP_BROWSE,
                               IDC_EXP_NAME_FILE,   IDC_EXP_NAME_FACE,    IDC_EXP_FORMAT_GROUP, IDC_EXP_FORMAT_BMP,
                               IDC_EXP_FORMAT_PNG};

bool OnTabPage(int id) {
    for (const auto& page : {std::span<const int>(kTextPage), std::span<const int>(kMarginsPage),
                             std::span<const int>(kNamingPage)})
        if (std::find(page.begin(), page.end(), id) != page.end()) return true;
    return false;
}

LOGFONTW SystemGuiFont() {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

std::wstring Trimmed(const std::wstring& text) {
    const std::u16string_view trimmed = settings::TrimmedText(win::AsU16(text));
    return std::wstring(trimmed.begin(), trimmed.end());
}

}  // namespace

void SaveImageSettings::SetDefaults() {
    const ImageLook defaults;
    const std::int32_t keptWidth = width;
    static_cast<ImageLook&>(*this) = defaults;
    width = keptWidth;
    titleFont = SystemGuiFont();
    outputMode = 0;
    namingMode = 0;
}

ImagePlacement SaveImageSettings::Placement() const {
    ImagePlacement placement;
    placement.otherFolder = outputMode == 1;
    placement.byFontName = namingMode == 1;
    const std::wstring folder = Trimmed(outputFolder);
    placement.folder.assign(folder.begin(), folder.end());
    placement.format = format == 1 ? ImageFormat::Png : ImageFormat::Bmp;
    return placement;
}

void ReadSaveImageSettings(SaveImageSettings& values, const settings::SettingsRoot& root) {
    settings::TRegistryEx reg(root);
    if (reg.OpenKeyReadOnly(kSaveImageKey)) {
        settings::ReadValues<SaveImageSettings>(reg, kValues, values);
        settings::FontSettings font;
        font.logFont = values.titleFont;
        font.color = values.titleColor;
        reg.ReadFontSettings(kTitleFontPrefix, font);
        values.titleFont = font.logFont;
        values.titleColor = font.color;
    }
    values.history = settings::LoadList(root, kSaveImageHistoryKey, kFolderHistoryCap);
}

settings::WriteOutcome WriteSaveImageSettings(const SaveImageSettings& values, const settings::SettingsRoot& root) {
    settings::WriteOutcome outcome;
    {
        settings::TRegistryEx reg(root);
        if (!reg.OpenKey(kSaveImageKey, true)) {
            outcome.Fail(reg.LastError());
            return outcome;
        }
        settings::WriteValues<SaveImageSettings>(reg, kValues, values, outcome);
        settings::FontSettings font;
        font.logFont = values.titleFont;
        font.color = values.titleColor;
        if (!reg.WriteFontSettings(kTitleFontPrefix, font)) outcome.Fail(reg.LastError());
    }
    DWORD error = ERROR_SUCCESS;
    if (!settings::SaveList(root, kSaveImageHistoryKey, values.history, &error)) outcome.Fail(error);
    return outcome;
}

void PutFolderFirst(std::vector<std::wstring>& history, const std::wstring& folder) {
    std::erase(history, folder);
    history.insert(history.begin(), folder);
    if (history.size() > kFolderHistoryCap) history.resize(kFolderHistoryCap);
}

// ---- the preview window

void TfrmPreviewImage::DescribeClass(WNDCLASSEXW& wc) { wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE); }

bool TfrmPreviewImage::Create(HWND owner, POINT at) {
    return CreateBound(WS_EX_TOOLWINDOW, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, at.x, at.y, 100, 100, owner,
                       nullptr) != nullptr;
}

void TfrmPreviewImage::Show(RenderedImage image) {
    if (!window_) return;
    image_ = std::move(image);
    RECT frame{0, 0, image_.width + 20, image_.height + 20};
    // The frame of the monitor the window is on, which may differ from the system's.
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), GetDpiForWindow(window_));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetWindowTextW(window_, win::FormatRes(IDS_EXP_PREVIEW_CAPTION, {std::int64_t{image_.width},
                                                                       std::int64_t{image_.height}})
                                .c_str());
    InvalidateRect(window_, nullptr, TRUE);
}

void TfrmPreviewImage::Destroy() {
    if (window_) DestroyWindow(window_);
    image_ = {};
}

LRESULT TfrmPreviewImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        win::PaintDC paint(window_);
        if (image_) {
            win::MemoryDC source(paint.get(), image_.bitmap.get());
            BitBlt(paint.get(), 10, 10, image_.width, image_.height, source.get(), 0, 0, SRCCOPY);
        }
        return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_CLOSE:
        if (OnClosed) OnClosed();
        return 0;
    case WM_DESTROY: {
        RECT place{};
        if (OnGone && GetWindowRect(window_, &place)) OnGone({place.left, place.top});
        return 0;
    }
    default: return DefaultHandling(message, wParam, lParam);
    }
}

// ---- the dialog

TfrmExportBitmap::TfrmExportBitmap(std::vector<catalog::TFontListItem*> fonts, std::wstring fontsFolder,
                                   settings::SettingsRoot root)
    : Dialog(IDD_EXPORT_BITMAP), fonts_(std::move(fonts)), fontsFolder_(std::move(fontsFolder)), root_(std::move(root)) {
    preview_.OnClosed = [this] { ClosePreview(); };
    preview_.OnGone = [this](POINT topLeft) {
        values_.previewLeft = topLeft.x;
        values_.previewTop = topLeft.y;
    };
}

TfrmExportBitmap::~TfrmExportBitmap() = default;

bool TfrmExportBitmap::OnInitDialog() {
    SetWindowTextW(window_, win::FormatRes(IDS_EXP_CAPTION, {static_cast<std::int64_t>(fonts_.size())}).c_str());
    for (int id : {IDS_EXP_TAB_TEXT, IDS_EXP_TAB_MARGINS, IDS_EXP_TAB_NAMING}) {
        std::wstring caption = win::LoadResString(id);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption.data();
        TabCtrl_InsertItem(Item(IDC_EXP_TABS), TabCtrl_GetItemCount(Item(IDC_EXP_TABS)), &tab);
    }
    SendMessageW(Item(IDC_EXP_SIZE_SPIN), UDM_SETRANGE32, kSizeRange.min, kSizeRange.max);
    SendMessageW(Item(IDC_EXP_LEFT_SPIN), UDM_SETRANGE32, kMarginRange.min, kMarginRange.max);
    SendMessageW(Item(IDC_EXP_TOP_SPIN), UDM_SETRANGE32, kMarginRange.min, kMarginRange.max);
    SendMessageW(Item(IDC_EXP_WIDTH_SPIN), UDM_SETRANGE32, kWidthRange.min, kWidthRange.max);
    for (int id : {IDC_EXP_COLOR_TEXT, IDC_EXP_COLOR_BACK})
        SetWindowSubclass(Item(id), &TfrmExportBitmap::ColorButtonProc, 1, reinterpret_cast<DWORD_PTR>(this));
    ShowPage(0);
    values_.SetDefaults();
    ReadSaveImageSettings(values_, root_);
    FillControls();
    ready_ = true;
    return true;
}

void TfrmExportBitmap::ShowPage(int page) {
    for (int id : kTextPage) ShowWindow(Item(id), page == 0 ? SW_SHOW : SW_HIDE);
    for (int id : kMarginsPage) ShowWindow(Item(id), page == 1 ? SW_SHOW : SW_HIDE);
    for (int id : kNamingPage) ShowWindow(Item(id), page == 2 ? SW_SHOW : SW_HIDE);
}

void TfrmExportBitmap::FillControls() {
    const bool wasReady = std::exchange(ready_, false);
    SetDlgItemTextW(window_, IDC_EXP_TITLE, values_.title.c_str());
    SetDlgItemTextW(window_, IDC_EXP_SAMPLE, values_.sampleText.c_str());
    SendMessageW(Item(IDC_EXP_SIZE_SPIN), UDM_SETPOS32, 0, values_.fontSize);
    SendMessageW(Item(IDC_EXP_LEFT_SPIN), UDM_SETPOS32, 0, values_.marginLeft);
    SendMessageW(Item(IDC_EXP_TOP_SPIN), UDM_SETPOS32, 0, values_.marginTop);
    SendMessageW(Item(IDC_EXP_WIDTH_SPIN), UDM_SETPOS32, 0, values_.width);
    Button_SetCheck(Item(IDC_EXP_AUTO_WIDTH), values_.autoWidth ? BST_CHECKED : BST_UNCHECKED);
    const int align = std::clamp(values_.alignment, 0, 2);
    for (int i = 0; i < 3; ++i) Button_SetCheck(Item(IDC_EXP_ALIGN_LEFT + i), i == align ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(Item(IDC_EXP_OUT_DEFAULT), values_.outputMode == 0 ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(Item(IDC_EXP_OUT_FOLDER), values_.outputMode == 1 ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(Item(IDC_EXP_NAME_FILE), values_.namingMode == 0 ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(Item(IDC_EXP_NAME_FACE), values_.namingMode == 1 ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(Item(IDC_EXP_FORMAT_BMP), values_.format == 0 ? BST_CHECKED : BST_UNCHECKED);
    Button_SetCheck(Item(IDC_EXP_FORMAT_PNG), values_.format == 1 ? BST_CHECKED : BST_UNCHECKED);
    HWND folders = Item(IDC_EXP_FOLDER);
    ComboBox_ResetContent(folders);
    for (const std::wstring& folder : values_.history) ComboBox_AddString(folders, folder.c_str());
    SetWindowTextW(folders, values_.outputFolder.c_str());
    ShowTitleFont();
    UpdateWidthField();
    InvalidateRect(Item(IDC_EXP_COLOR_TEXT), nullptr, TRUE);
    InvalidateRect(Item(IDC_EXP_COLOR_BACK), nullptr, TRUE);
    ready_ = wasReady;
}

int TfrmExportBitmap::SpinValue(int id) const {
    BOOL failed = FALSE;
    const auto value = static_cast<int>(SendMessageW(Item(id), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return value;
}

void TfrmExportBitmap::ReadControls() {
    values_.title = win::WindowText(Item(IDC_EXP_TITLE));
    values_.sampleText = win::WindowText(Item(IDC_EXP_SAMPLE));
    values_.fontSize = SpinValue(IDC_EXP_SIZE_SPIN);
    values_.marginLeft = SpinValue(IDC_EXP_LEFT_SPIN);
    values_.marginTop = SpinValue(IDC_EXP_TOP_SPIN);
    values_.width = SpinValue(IDC_EXP_WIDTH_SPIN);
    values_.autoWidth = Button_GetCheck(Item(IDC_EXP_AUTO_WIDTH)) == BST_CHECKED;
    for (int i = 0; i < 3; ++i)
        if (Button_GetCheck(Item(IDC_EXP_ALIGN_LEFT + i)) == BST_CHECKED) values_.alignment = i;
    values_.outputMode = Button_GetCheck(Item(IDC_EXP_OUT_FOLDER)) == BST_CHECKED ? 1 : 0;
    values_.namingMode = Button_GetCheck(Item(IDC_EXP_NAME_FACE)) == BST_CHECKED ? 1 : 0;
    values_.format = Button_GetCheck(Item(IDC_EXP_FORMAT_PNG)) == BST_CHECKED ? 1 : 0;
    values_.outputFolder = win::WindowText(Item(IDC_EXP_FOLDER));
}

void TfrmExportBitmap::UpdateWidthField() {
    const bool manual = Button_GetCheck(Item(IDC_EXP_AUTO_WIDTH)) != BST_CHECKED;
    EnableWindow(Item(IDC_EXP_WIDTH), manual);
    EnableWindow(Item(IDC_EXP_WIDTH_SPIN), manual);
}

void TfrmExportBitmap::ShowTitleFont() {
    settings::FontSettings font;
    font.logFont = values_.titleFont;
    // In the font dialog's points: it sizes fonts at the screen's dpi.
    if (const int dpi = GetDeviceCaps(win::WindowDC().get(), LOGPIXELSY); dpi > 0) font.pixelsPerInch = dpi;
    std::wstring face = font.FaceName();
    if (font.Bold()) face += win::LoadResString(IDS_EXP_BOLD);
    if (font.Italic()) face += win::LoadResString(IDS_EXP_ITALIC);
    SetDlgItemTextW(window_, IDC_EXP_TITLE_FONT_TEXT,
                    win::FormatRes(IDS_EXP_FONT_TEXT, {win::AsU16(face), std::int64_t{font.PointSize()}}).c_str());
}

RenderedImage TfrmExportBitmap::RenderFirst() {
    if (fonts_.empty()) return {};
    if (Prepare) Prepare(*fonts_.front());
    return RenderFontImage(*fonts_.front(), values_, fontsFolder_);
}

void TfrmExportBitmap::Changed() {
    if (!ready_) return;
    ReadControls();
    if (preview_.Handle()) preview_.Show(RenderFirst());
}

void TfrmExportBitmap::TogglePreview() {
    if (preview_.Handle()) {
        ClosePreview();
        return;
    }
    // Off the screen the window would be lost: it then opens by the dialog.
    RECT dialog{};
    GetWindowRect(window_, &dialog);
    POINT at{values_.previewLeft, values_.previewTop};
    if (at.x < 0 || at.x > GetSystemMetrics(SM_CXSCREEN)) at.x = dialog.left;
    if (at.y < 0 || at.y > GetSystemMetrics(SM_CYSCREEN)) at.y = dialog.bottom;
    if (!preview_.Create(window_, at)) return;
    Button_SetCheck(Item(IDC_EXP_PREVIEW), BST_CHECKED);
    ReadControls();
    preview_.Show(RenderFirst());
}

void TfrmExportBitmap::ClosePreview() {
    preview_.Destroy();  // its place is kept as it goes
    Button_SetCheck(Item(IDC_EXP_PREVIEW), BST_UNCHECKED);
}

void TfrmExportBitmap::CopyToClipboard() {
    win::BusyCursor busy;
    ReadControls();
    const RenderedImage image = RenderFirst();
    const std::vector<std::uint8_t> file = ImageBmpBytes(image);
    if (file.size() <= kBmpFileHeaderSize) return;
    // CF_DIB is the file without its file header; the system offers it as CF_BITMAP too.
    const std::size_t bytes = file.size() - kBmpFileHeaderSize;
    win::UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return;
    {
        win::LockedGlobal locked(memory.get());
        if (!locked.get()) return;
        std::memcpy(locked.get(), file.data() + kBmpFileHeaderSize, bytes);
    }
    app::ClipboardGuard clipboard(window_);
    if (!clipboard.IsOpen() || !EmptyClipboard()) return;
    if (SetClipboardData(CF_DIB, memory.get())) memory.release();
}

void TfrmExportBitmap::Save() {
    ReadControls();
    if (settings::TrimmedText(win::AsU16(values_.sampleText)).empty()) {
        ui::ShowError(window_, win::LoadResString(IDS_EXP_NO_SAMPLE));
        SetFocus(Item(IDC_EXP_SAMPLE));
        return;
    }
    const bool someWithoutFile = std::any_of(fonts_.begin(), fonts_.end(), [](catalog::TFontListItem* font) {
        const std::wstring& file = font->FileName();
        return file.empty() || GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
    });
    if (values_.outputMode == 1 || someWithoutFile) {
        std::wstring folder = values_.outputFolder;
        if (!ui::CheckFolder(window_, folder)) {
            SetFocus(Item(IDC_EXP_FOLDER));
            return;
        }
        values_.outputFolder = folder;
    }

    ExportJob job;
    job.look = values_;
    job.placement = values_.Placement();
    job.fontsFolder = fontsFolder_;
    {
        const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
        EnableWindow(window_, FALSE);
        ui::TfrmProgressBar progress(win::LoadResString(IDS_EXP_PROGRESS));
        progress.Show(window_);
        progress.SetRange(static_cast<int>(fonts_.size()));
        ExportHooks hooks;
        hooks.prepare = Prepare;
        hooks.cancelRequested = [] { return ui::ProgressCancelRequested(); };
        hooks.advanced = [this, &progress](int done) {
            progress.SetPosition(done);
            if (OnImageDone) OnImageDone(done);
            ui::PumpWaitingMessages(progress.Handle());
        };
        hooks.saveFailed = [&progress](const std::wstring& path, DWORD) {
            MessageBeep(MB_OK);
            switch (ui::ShowMessage(progress.Handle(), win::FormatRes(IDS_EXP_SAVE_FAILED, {win::AsU16(path)}),
                                    MB_ICONERROR | MB_ABORTRETRYIGNORE | MB_DEFBUTTON2)) {
            case IDRETRY: return SaveFailureAnswer::Retry;
            case IDIGNORE: return SaveFailureAnswer::Ignore;
            default: return SaveFailureAnswer::Abort;
            }
        };
        lastRun_ = RunImageExport(fonts_, job, hooks);
        EnableWindow(window_, TRUE);
        progress.Close();
        SetCursor(previous);
    }
    if (lastRun_.cancelled) return;
    const std::wstring folder = Trimmed(values_.outputFolder);
    if (!folder.empty()) {
        PutFolderFirst(values_.history, folder);
        values_.outputFolder = folder;
    }
    End(IDOK);
}

void TfrmExportBitmap::ApplyTitleFont(const LOGFONTW& font, COLORREF color) {
    values_.titleFont = font;
    values_.titleColor = color & 0x00FFFFFF;
    ShowTitleFont();
    Changed();
}

UINT_PTR CALLBACK TfrmExportBitmap::FontDialogHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hook, DWLP_USER, static_cast<LONG_PTR>(reinterpret_cast<const CHOOSEFONTW*>(lParam)->lCustData));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == psh3) {  // Apply: take the font at once
        auto* self = reinterpret_cast<TfrmExportBitmap*>(GetWindowLongPtrW(hook, DWLP_USER));
        LOGFONTW font{};
        SendMessageW(hook, WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(&font));
        // The colour box of the effects group holds the colour as its item data.
        HWND colors = GetDlgItem(hook, cmb4);
        const auto color = static_cast<COLORREF>(ComboBox_GetItemData(colors, ComboBox_GetCurSel(colors)));
        if (self) self->ApplyTitleFont(font, color);
        return TRUE;
    }
    return FALSE;
}

void TfrmExportBitmap::ChooseTitleFont() {
    LOGFONTW font = values_.titleFont;
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = window_;
    choose.lpLogFont = &font;
    choose.rgbColors = win::ResolveColorValue(values_.titleColor);
    // Fonts that exist, in ANSI character sets, with effects, at most 12 points.
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST | CF_SCRIPTSONLY | CF_EFFECTS |
                   CF_LIMITSIZE | CF_APPLY | CF_ENABLEHOOK;
    choose.nSizeMin = 1;
    choose.nSizeMax = 12;
    choose.lpfnHook = &TfrmExportBitmap::FontDialogHook;
    choose.lCustData = reinterpret_cast<LPARAM>(this);
    if (ChooseFontW(&choose)) ApplyTitleFont(font, choose.rgbColors);
}

void TfrmExportBitmap::PickColor(int id, bool reset) {
    std::uint32_t& color = id == IDC_EXP_COLOR_TEXT ? values_.colorText : values_.colorBack;
    if (reset) color = id == IDC_EXP_COLOR_TEXT ? 0 : 0xFFFFFF;
    else if (!ui::ChooseColorValue(window_, color)) return;
    InvalidateRect(Item(id), nullptr, TRUE);
    Changed();
}

LRESULT CALLBACK TfrmExportBitmap::ColorButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                   DWORD_PTR self) {
    if (message == WM_RBUTTONUP) {  // a right click puts the colour back to its default
        reinterpret_cast<TfrmExportBitmap*>(self)->PickColor(GetDlgCtrlID(button), true);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(button, &TfrmExportBitmap::ColorButtonProc, 1);
    return DefSubclassProc(button, message, wParam, lParam);
}

void TfrmExportBitmap::DrawColorButton(const DRAWITEMSTRUCT& item) {
    RECT box = item.rcItem;
    DrawFrameControl(item.hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONPUSH | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
    const int side = box.bottom - box.top - 8;
    RECT swatch{box.left + 4, box.top + 4, box.left + 4 + side, box.bottom - 4};
    const std::uint32_t color = item.CtlID == IDC_EXP_COLOR_TEXT ? values_.colorText : values_.colorBack;
    win::UniqueBrush brush(CreateSolidBrush(win::ResolveColorValue(color)));
    FillRect(item.hDC, &swatch, brush.get());
    FrameRect(item.hDC, &swatch, GetSysColorBrush(COLOR_BTNTEXT));
    RECT text{swatch.right + 4, box.top, box.right - 2, box.bottom};
    const std::wstring caption = win::WindowText(item.hwndItem);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = box;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

bool TfrmExportBitmap::OnCommand(int id, int code, HWND) {
    switch (id) {
    case IDC_EXP_TITLE:
    case IDC_EXP_SAMPLE:
    case IDC_EXP_SIZE:
    case IDC_EXP_LEFT:
    case IDC_EXP_TOP:
    case IDC_EXP_WIDTH:
        if (code == EN_CHANGE) Changed();
        return true;
    case IDC_EXP_ALIGN_LEFT:
    case IDC_EXP_ALIGN_CENTER:
    case IDC_EXP_ALIGN_RIGHT: Changed(); return true;
    case IDC_EXP_AUTO_WIDTH:
        UpdateWidthField();
        Changed();
        return true;
    case IDC_EXP_TITLE_VAR:
    case IDC_EXP_SAMPLE_VAR:
        app::InsertVariable(window_, Item(id == IDC_EXP_TITLE_VAR ? IDC_EXP_TITLE : IDC_EXP_SAMPLE),
                            settings::kImageTextSet);
        return true;
    case IDC_EXP_TITLE_FONT: ChooseTitleFont(); return true;
    case IDC_EXP_COLOR_TEXT:
    case IDC_EXP_COLOR_BACK: PickColor(id, false); return true;
    case IDC_EXP_BROWSE: {
        std::wstring folder = Trimmed(win::WindowText(Item(IDC_EXP_FOLDER)));
        if (BrowseFolder && BrowseFolder(window_, folder) && !folder.empty()) {
            SetWindowTextW(Item(IDC_EXP_FOLDER), folder.c_str());
            Button_SetCheck(Item(IDC_EXP_OUT_DEFAULT), BST_UNCHECKED);
            Button_SetCheck(Item(IDC_EXP_OUT_FOLDER), BST_CHECKED);
        }
        return true;
    }
    case IDC_EXP_PREVIEW: TogglePreview(); return true;
    case IDC_EXP_CLIP: CopyToClipboard(); return true;
    case IDC_EXP_SAVE: Save(); return true;
    case IDC_EXP_DEFAULTS:
        ReadControls();
        values_.SetDefaults();
        FillControls();
        Changed();
        return true;
    case IDC_EXP_HELP: ui::ShowHelpTopic(window_, ui::kSaveImagesHelpTopic); return true;
    default: return false;
    }
}

bool TfrmExportBitmap::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_EXP_TABS && header->code == TCN_SELCHANGE) {
            ShowPage(TabCtrl_GetCurSel(Item(IDC_EXP_TABS)));
            return true;
        }
        return false;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != IDC_EXP_COLOR_TEXT && item->CtlID != IDC_EXP_COLOR_BACK) return false;
        DrawColorButton(*item);
        result = TRUE;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnTabPage(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) &&
               ui::ColorLikeTabPane(reinterpret_cast<HDC>(wParam), result);
    case WM_DESTROY: {
        ClosePreview();
        ReadControls();
        const settings::WriteOutcome written = WriteSaveImageSettings(values_, root_);
        (void)written;  // a read-only settings key only loses this dialog's values
        return false;
    }
    default: return false;
    }
}

}  // namespace typorama::output
