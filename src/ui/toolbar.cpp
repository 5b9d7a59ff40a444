#include "ui/toolbar.h"

#include <algorithm>

namespace typorama::ui {
namespace {

// More entries than any catalogue holds: a stored list is not read past this.
constexpr std::size_t kLayoutCap = 200;

void CopyText(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    lstrcpynW(buffer, text.c_str(), capacity);
}

}  // namespace

std::wstring CaptionAsTip(const std::wstring& caption) {
    std::wstring text = caption.substr(0, caption.find(L'\t'));
    // "文件夹浏览器(&B)": the bracketed mnemonic goes as a whole.
    for (std::size_t at = text.find(L"(&"); at != std::wstring::npos; at = text.find(L"(&", at)) {
        if (at + 3 < text.size() && text[at + 3] == L')') {
            text.erase(at, 4);
        } else {
            at += 2;
        }
    }
    std::wstring tip;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 < text.size() && text[i + 1] == L'&') tip += text[++i];
            continue;
        }
        tip += text[i];
    }
    while (!tip.empty() && tip.back() == L' ') tip.pop_back();
    return tip;
}

Toolbar::Toolbar(const ToolbarArgs& args) : catalogue_(args.catalogue), defaultLayout_(args.defaultLayout) {
    if (!CreateControl(0, TOOLBARCLASSNAMEW,
                       WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_LIST | TBSTYLE_WRAPABLE |
                           CCS_TOP | CCS_ADJUSTABLE | CCS_NODIVIDER,
                       0, 0, 0, 0, args.parent, args.id))
        return;
    SendMessageW(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(window_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    if (args.font) SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    if (args.images) SendMessageW(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(args.images));
    if (const HWND tips = reinterpret_cast<HWND>(SendMessageW(window_, TB_GETTOOLTIPS, 0, 0)); tips && args.font)
        SendMessageW(tips, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    SetLayout(defaultLayout_);
}

Toolbar::~Toolbar() {
    // The bar usually goes with its parent; one made on its own goes here.
    if (window_) DestroyWindow(window_);
}

const ToolbarButton* Toolbar::Find(int command) const {
    const auto it = std::find_if(catalogue_.begin(), catalogue_.end(),
                                 [command](const ToolbarButton& b) { return b.command == command; });
    return it == catalogue_.end() ? nullptr : &*it;
}

bool Toolbar::Available(int command) const { return Find(command) && (!IsAvailable || IsAvailable(command)); }

std::wstring Toolbar::CaptionOf(int command) const { return Caption ? Caption(command) : std::wstring(); }

void Toolbar::SetLayout(const std::vector<int>& layout) {
    layout_.clear();
    for (int id : layout)
        if (id == 0 || (Find(id) && std::find(layout_.begin(), layout_.end(), id) == layout_.end()))
            layout_.push_back(id);
}

std::vector<int> Toolbar::WantedButtons() const {
    std::vector<int> buttons;
    bool separatorPending = false;
    for (int id : layout_) {
        if (id == 0) {
            separatorPending = !buttons.empty();
            continue;
        }
        if (!Available(id)) continue;
        if (separatorPending) buttons.push_back(0);
        separatorPending = false;
        buttons.push_back(id);
    }
    return buttons;
}

TBBUTTON Toolbar::MakeButton(const ToolbarButton& button) const {
    TBBUTTON b{};
    b.iBitmap = button.image;
    b.idCommand = button.command;
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = static_cast<BYTE>(BTNS_BUTTON | (button.dropDown ? BTNS_DROPDOWN : 0) |
                                  (button.showText ? BTNS_SHOWTEXT | BTNS_AUTOSIZE : 0));
    b.iString = -1;
    return b;
}

void Toolbar::Rebuild(const std::vector<int>& buttons) {
    if (!window_) return;
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    while (SendMessageW(window_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(window_, TB_DELETEBUTTON, 0, 0);
    std::vector<TBBUTTON> items;
    for (int id : buttons) {
        if (id == 0) {
            TBBUTTON separator{};
            separator.fsStyle = BTNS_SEP;
            items.push_back(separator);
        } else {
            items.push_back(MakeButton(*Find(id)));
        }
    }
    if (!items.empty())
        SendMessageW(window_, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
    for (const auto& [command, text] : texts_) SetText(command, text);
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
    InvalidateRect(window_, nullptr, TRUE);
    shown_ = buttons;
}

void Toolbar::Refresh() {
    if (!window_) return;
    const std::vector<int> wanted = WantedButtons();
    bool changed = false;
    if (wanted != shown_ || static_cast<std::size_t>(SendMessageW(window_, TB_BUTTONCOUNT, 0, 0)) != wanted.size()) {
        Rebuild(wanted);
        changed = true;
    }
    const bool visible = (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible == wanted.empty()) {
        ShowWindow(window_, wanted.empty() ? SW_HIDE : SW_SHOWNA);
        changed = true;
    }
    // Buttons wrap to the parent's width, which the bar learns when it sizes itself.
    if (changed) SendMessageW(window_, TB_AUTOSIZE, 0, 0);
    if (changed && OnChanged) OnChanged();
}

std::vector<int> Toolbar::ShownButtons() const {
    std::vector<int> buttons;
    if (!window_) return buttons;
    const auto count = static_cast<int>(SendMessageW(window_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        if (!SendMessageW(window_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b))) continue;
        buttons.push_back((b.fsStyle & BTNS_SEP) ? 0 : b.idCommand);
    }
    return buttons;
}

void Toolbar::SetState(int command, bool enabled, bool checked) {
    if (!window_) return;
    const LRESULT state = SendMessageW(window_, TB_GETSTATE, command, 0);
    if (state == -1) return;
    BYTE wanted = static_cast<BYTE>(state & ~(TBSTATE_ENABLED | TBSTATE_CHECKED));
    if (enabled) wanted |= TBSTATE_ENABLED;
    if (checked) wanted |= TBSTATE_CHECKED;
    if (wanted != static_cast<BYTE>(state)) SendMessageW(window_, TB_SETSTATE, command, MAKELONG(wanted, 0));
}

void Toolbar::SetText(int command, const std::wstring& text) {
    auto it = std::find_if(texts_.begin(), texts_.end(), [command](const auto& t) { return t.first == command; });
    if (it == texts_.end()) {
        texts_.emplace_back(command, text);
    } else {
        it->second = text;
    }
    if (!window_ || SendMessageW(window_, TB_COMMANDTOINDEX, command, 0) < 0) return;
    std::wstring buffer = text;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT;
    info.pszText = buffer.data();
    SendMessageW(window_, TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info));
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

void Toolbar::Customize() {
    if (!window_) return;
    SendMessageW(window_, TB_CUSTOMIZE, 0, 0);
    ReadBackLayout();
}

void Toolbar::ReadBackLayout() {
    const std::vector<int> shown = ShownButtons();
    if (shown == shown_) return;
    // What the user sees is the layout now; buttons that were unavailable go.
    layout_.clear();
    SetLayout(shown);
    shown_ = shown;
    for (const auto& [command, text] : texts_) SetText(command, text);
    if (OnChanged) OnChanged();
}

bool Toolbar::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY) return HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    if (message != WM_COMMAND) return false;
    if (OnClick) OnClick(LOWORD(wParam));
    result = 0;
    return true;
}

LRESULT Toolbar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The tooltip sends its requests to the bar, its tools' window: the tip
    // is the command's caption, whatever the bar would pass on.
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
        LRESULT result = 0;
        if (HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
    }
    return DefaultHandling(message, wParam, lParam);
}

bool Toolbar::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (!window_) return false;
    result = 0;
    if (header.code == TTN_GETDISPINFOW) {
        if (header.hwndFrom != reinterpret_cast<HWND>(SendMessageW(window_, TB_GETTOOLTIPS, 0, 0))) return false;
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        tipBuffer_ = CaptionOf(static_cast<int>(header.idFrom));
        info.lpszText = tipBuffer_.data();
        info.hinst = nullptr;
        return true;
    }
    if (header.hwndFrom != window_) return false;
    switch (header.code) {
        case TBN_GETINFOTIPW: {
            auto& tip = const_cast<NMTBGETINFOTIPW&>(reinterpret_cast<const NMTBGETINFOTIPW&>(header));
            CopyText(CaptionOf(tip.iItem), tip.pszText, tip.cchTextMax);
            return true;
        }
        case TBN_DROPDOWN: {
            const auto& bar = reinterpret_cast<const NMTOOLBARW&>(header);
            RECT button{};
            SendMessageW(window_, TB_GETRECT, bar.iItem, reinterpret_cast<LPARAM>(&button));
            POINT where{button.left, button.bottom};
            ClientToScreen(window_, &where);
            if (OnDropDown) OnDropDown(bar.iItem, where);
            result = TBDDRET_DEFAULT;
            return true;
        }
        case TBN_BEGINADJUST:
            customizing_ = true;
            return true;
        case TBN_ENDADJUST:
            customizing_ = false;
            ReadBackLayout();
            return true;
        case TBN_INITCUSTOMIZE:
            result = OnCustomizeHelp ? 0 : TBNRF_HIDEHELP;
            return true;
        case TBN_QUERYINSERT:
        case TBN_QUERYDELETE:
            result = TRUE;
            return true;
        case TBN_GETBUTTONINFOW: {
            // The dialog asks for the buttons it may offer, one index at a time.
            auto& info = const_cast<NMTOOLBARW&>(reinterpret_cast<const NMTOOLBARW&>(header));
            int index = 0;
            for (const ToolbarButton& button : catalogue_) {
                if (!Available(button.command)) continue;
                if (index++ != info.iItem) continue;
                info.tbButton = MakeButton(button);
                CopyText(CaptionOf(button.command), info.pszText, info.cchText);
                result = TRUE;
                return true;
            }
            result = FALSE;
            return true;
        }
        case TBN_TOOLBARCHANGE:
            ReadBackLayout();
            return true;
        case TBN_RESET:
            ResetLayout();
            Rebuild(WantedButtons());
            if (OnChanged) OnChanged();
            return true;
        case TBN_CUSTHELP:
            if (OnCustomizeHelp) OnCustomizeHelp();
            return true;
        default:
            return false;
    }
}

std::vector<std::wstring> Toolbar::LayoutEntries(const std::vector<int>& layout) {
    std::vector<std::wstring> entries;
    for (int id : layout) entries.push_back(id == 0 ? std::wstring(L"-") : std::to_wstring(id));
    return entries;
}

std::vector<int> Toolbar::ParseLayoutEntries(const std::vector<std::wstring>& entries) {
    std::vector<int> layout;
    for (const std::wstring& entry : entries) {
        if (entry == L"-") {
            layout.push_back(0);
            continue;
        }
        if (entry.empty() || entry.size() > 9 || entry.find_first_not_of(L"0123456789") != std::wstring::npos)
            continue;  // not one of ours: ignored
        const int id = std::stoi(entry);
        if (id != 0) layout.push_back(id);
    }
    return layout;
}

bool Toolbar::SaveLayout(const settings::SettingsRoot& root, std::wstring_view subKey, DWORD* error) const {
    settings::TRegistryEx reg(root);
    // Written even when empty: a bar the user emptied stays empty.
    const std::vector<std::wstring> entries = LayoutEntries(layout_);
    const bool saved = reg.DeleteKey(subKey) && reg.OpenKey(subKey, true) && settings::WriteListValues(reg, entries);
    if (!saved && error) *error = reg.LastError();
    return saved;
}

bool Toolbar::LoadLayout(const settings::SettingsRoot& root, std::wstring_view subKey) {
    settings::TRegistryEx reg(root);
    if (!reg.OpenKeyReadOnly(subKey) || !reg.ValueExists(settings::kCountValue)) return false;
    SetLayout(ParseLayoutEntries(settings::ReadListValues(reg, kLayoutCap)));
    return true;
}

}  // namespace typorama::ui
