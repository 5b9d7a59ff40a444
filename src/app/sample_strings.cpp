#include "app/sample_strings.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/main_window.h"
#include "base/current_font_rules.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/unique_handle.h"
#include "win/window_text.h"
#include "win/wide.h"

namespace typorama::app {
namespace {

constexpr int kMaxStringLength = 30;
constexpr int kDropDownRows = 10;

}  // namespace

TfrmEditString::TfrmEditString(std::wstring text) : Dialog(IDD_EDIT_STRING), text_(std::move(text)) {}

bool TfrmEditString::OnInitDialog() {
    SendMessageW(Item(IDC_EDIT_STRING_TEXT), EM_LIMITTEXT, kMaxStringLength, 0);
    SetDlgItemTextW(Handle(), IDC_EDIT_STRING_TEXT, text_.c_str());
    return true;
}

bool TfrmEditString::OnCommand(int id, int code, HWND control) {
    (void)code, (void)control;
    if (id != IDOK) return false;
    text_ = win::WindowText(Item(IDC_EDIT_STRING_TEXT));
    End(IDOK);
    return true;
}

bool EditSampleString(HWND owner, std::wstring& text) {
    TfrmEditString dialog(text);
    dialog.CenterOver(owner);
    if (dialog.ShowModal(owner) != IDOK) return false;
    text = dialog.Text();
    return true;
}

SampleStrings::SampleStrings(TfrmMain& host) : host_(host) {
    MainSettings& settings = host.Settings();
    host.Commands().Add(IDM_VIEW_USER_STRING, {[this, &settings] { SetVisible(!settings.showUserString); }, {},
                                               [&settings] { return settings.showUserString; }});
    host.AddMessageHandler(
        [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return OnMessage(message, wParam, lParam, result); });
    const HWND box = host.UserStringBox();
    if (!box) return;
    SendMessageW(box, CB_SETMINVISIBLE, kDropDownRows, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(box, &info)) edit_ = info.hwndItem;
    // The edit field's own menu and Enter are the box's: they go through here.
    if (edit_) SetWindowSubclass(edit_, EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

SampleStrings::~SampleStrings() {
    if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, EditProc, 0);
}

LRESULT CALLBACK SampleStrings::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<SampleStrings*>(data);
    switch (message) {
        case WM_CONTEXTMENU: {
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (point.x == -1 && point.y == -1) {  // from the keyboard: at the field
                point = {0, 0};
                ClientToScreen(edit, &point);
            }
            self->ShowMenu(point);
            return 0;
        }
        case WM_KEYUP:
            if (wParam == VK_RETURN) {
                self->AddCurrentText();
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == VK_RETURN) return 0;  // no beep: Enter adds the text
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

bool SampleStrings::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_COMMAND || reinterpret_cast<HWND>(lParam) != host_.UserStringBox() || !lParam) return false;
    const HWND box = host_.UserStringBox();
    switch (HIWORD(wParam)) {
        case CBN_EDITCHANGE:
            RepaintList();
            break;
        case CBN_SELCHANGE: {
            // The edit field gets the chosen item only after this notification.
            const LRESULT index = SendMessageW(box, CB_GETCURSEL, 0, 0);
            const LRESULT length = index >= 0 ? SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) : -1;
            if (length >= 0) {
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
                text.resize(static_cast<std::size_t>(length));
                SetWindowTextW(box, text.c_str());
            }
            RepaintList();
            break;
        }
        default:
            return false;
    }
    result = 0;
    return true;
}

void SampleStrings::RepaintList() const {
    if (const HWND list = host_.ListBox().Hwnd()) InvalidateRect(list, nullptr, FALSE);
}

void SampleStrings::SetVisible(bool visible) {
    host_.Settings().showUserString = visible;
    const HWND box = host_.UserStringBox();
    if (!box) return;
    ShowWindow(box, visible ? SW_SHOWNA : SW_HIDE);
    host_.LayoutClient();
    RepaintList();
    if (!host_.StartingUp()) SetFocus(visible ? box : host_.ListBox().Hwnd());
}

bool SampleStrings::AddCurrentText() {
    const HWND box = host_.UserStringBox();
    if (!box) return false;
    std::vector<std::wstring>& items = host_.Settings().sampleStrings.items;
    std::vector<std::u16string> stored;
    stored.reserve(items.size());
    for (const std::wstring& item : items) stored.emplace_back(win::AsU16(item));
    const std::optional<std::u16string> added = SampleStringToAdd(stored, win::AsU16(win::WindowText(box)));
    if (!added) return false;
    items.push_back(win::ToWide(*added));
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items.back().c_str()));
    return true;
}

bool SampleStrings::MenuCommandEnabled(UINT id) const {
    const HWND box = host_.UserStringBox();
    switch (id) {
        case IDM_USER_STRING_COPY: {
            DWORD start = 0, end = 0;
            SendMessageW(box, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            return end > start;
        }
        case IDM_USER_STRING_PASTE: return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
        case IDM_USER_STRING_ADD: return !TrimSample(win::AsU16(win::WindowText(box))).empty();
        case IDM_USER_STRING_EDIT_LIST: return host_.Commands().Has(IDM_USER_STRING_EDIT_LIST);
        default: return true;
    }
}

void SampleStrings::RunMenuCommand(UINT id) {
    if (!MenuCommandEnabled(id)) return;
    const HWND box = host_.UserStringBox();
    switch (id) {
        case IDM_USER_STRING_COPY: SendMessageW(edit_ ? edit_ : box, WM_COPY, 0, 0); break;
        case IDM_USER_STRING_PASTE: SendMessageW(edit_ ? edit_ : box, WM_PASTE, 0, 0); break;
        case IDM_USER_STRING_ADD: AddCurrentText(); break;
        // The options dialog keeps the stored strings on its sample-text page.
        case IDM_USER_STRING_EDIT_LIST: host_.RunCommand(IDM_USER_STRING_EDIT_LIST); break;
        case IDM_USER_STRING_HIDE:
            SetVisible(false);
            host_.UpdateCommandStates();
            break;
        default: break;
    }
}

void SampleStrings::ShowMenu(POINT screenPoint) {
    win::UniqueMenu menu(CreatePopupMenu());
    if (!menu) return;
    for (UINT id : std::initializer_list<UINT>{IDM_USER_STRING_COPY, IDM_USER_STRING_PASTE, 0, IDM_USER_STRING_ADD,
                                               IDM_USER_STRING_EDIT_LIST, 0, IDM_USER_STRING_HIDE}) {
        if (id == 0) {
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption = win::LoadResString(id);
        AppendMenuW(menu.get(), MF_STRING | (MenuCommandEnabled(id) ? MF_ENABLED : MF_GRAYED), id, caption.c_str());
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                                           screenPoint.y, host_.Handle(), nullptr));
    if (chosen != 0) RunMenuCommand(chosen);
}

}  // namespace typorama::app
