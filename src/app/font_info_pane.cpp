#include "app/font_info_pane.h"

#include <windowsx.h>

#include "app/main_window.h"
#include "base/current_font_rules.h"
#include "base/text_format.h"
#include "catalog/font_registry.h"
#include "ui/font_texts.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::app {

std::wstring FontInfoPaneText(catalog::TFontListItem* font, TfrmMain& host) {
    const auto text = [](UINT id) { return std::u16string(win::AsU16(win::LoadResString(id))); };
    const FontInfoPatterns patterns{text(IDS_INFO_NO_FONT), text(IDS_INFO_NO_FILE), text(IDS_INFO_FACTS)};
    if (!font) return win::ToWide(FontInfoText(patterns, nullptr));
    FontInfoPieces pieces;
    const std::wstring file = font->FileName();
    pieces.file = win::AsU16(file);
    // Without a file the facts are not read at all.
    if (!file.empty()) {
        pieces.size = FormatByteSize(font->FileSize());
        pieces.displayName = win::AsU16(font->Name);
        pieces.fullName = win::AsU16(font->FullName());
        pieces.version = win::AsU16(font->Version());
        pieces.embedding = win::AsU16(ui::EmbeddingText(font->Embedding()));
        pieces.scripts = win::AsU16(ui::ScriptsText(*font));
        pieces.status = win::AsU16(ui::FontStatusText(catalog::GetInstallState(font->Name, file, host.Where())));
        pieces.copyright = win::AsU16(font->Copyright());
    }
    return win::ToWide(FontInfoText(patterns, &pieces));
}

FontInfoPane::FontInfoPane(TfrmMain& host) : host_(host) {
    host.Commands().Add(IDM_VIEW_FONT_INFO, {[this] { SetVisible(!visible_); }, {}, [this] { return visible_; }});
    host.FontListRebuilt += [this] { Update(); };
    host.CurrentFontChanged += [this] { Update(); };
    GiveRoomForScrollBar();
    host.DpiChanged += [this] { GiveRoomForScrollBar(); };

    // A right click on a row with the left button held toggles the pane; the
    // list's own handling (selection, context menu) stays first.
    ui::ThVirtualListBox& list = host.ListBox();
    list.OnMessage = [this, previous = std::move(list.OnMessage)](UINT message, WPARAM wParam, LPARAM lParam,
                                                                    LRESULT& result) {
        const bool answered = previous && previous(message, wParam, lParam, result);
        if (message == WM_RBUTTONDOWN && (wParam & MK_LBUTTON)) {
            const int row = host_.ListBox().ItemAtPos(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, true);
            if (row >= 0 && row < host_.FontList().Count()) {
                SetVisible(!visible_);
                host_.UpdateCommandStates();
            }
        }
        return answered;
    };
}

void FontInfoPane::GiveRoomForScrollBar() {
    // The host sizes the pane for 8 lines; its horizontal scroll bar (long
    // paths and copyright notices are scrolled, not wrapped) takes its own row.
    const HWND pane = host_.FontInfoPane();
    if (!pane) return;
    RECT bounds{};
    GetWindowRect(pane, &bounds);
    SetWindowPos(pane, nullptr, 0, 0, bounds.right - bounds.left,
                 bounds.bottom - bounds.top + GetSystemMetricsForDpi(SM_CYHSCROLL, host_.Dpi()),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void FontInfoPane::SetVisible(bool visible) {
    visible_ = visible;
    const HWND pane = host_.FontInfoPane();
    if (!pane) return;
    if (visible) Update();
    ShowWindow(pane, visible ? SW_SHOWNA : SW_HIDE);
    host_.LayoutClient();
    // A pane that goes while it has the focus hands it to the list.
    if (!visible && GetFocus() == pane) SetFocus(host_.ListBox().Hwnd());
}

void FontInfoPane::Update() {
    const HWND pane = host_.FontInfoPane();
    if (!pane || !visible_) return;
    SetWindowTextW(pane, FontInfoPaneText(host_.CurrentFont(), host_).c_str());
}

}  // namespace typorama::app
