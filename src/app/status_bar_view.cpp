#include "app/status_bar_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/main_window.h"
#include "ui/image_strip.h"
#include "ui/resource.h"
#include "win/gdi.h"
#include "win/unique_handle.h"

namespace typorama::app {
namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

RECT ToRect(const SlotRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    if (!text.empty()) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

StatusBarView::StatusBarView(TfrmMain& main) : main_(main) { Attach(main.StatusBar()); }

StatusSlots StatusBarView::Layout(HDC dc, const RECT& panel) const {
    RECT client{};
    GetClientRect(window_, &client);
    StatusSlotInput in;
    in.barClientWidth = client.right;
    in.panelLeft = panel.left;
    in.panelTop = panel.top;
    in.panelHeight = panel.bottom - panel.top;
    in.margin = GetSystemMetrics(SM_CXVSCROLL) + 3;  // clear of the size grip
    for (int slot = 0; slot < 4; ++slot) {
        const std::wstring text = main_.StatusText(static_cast<StatusPanel>(slot));
        in.empty[static_cast<std::size_t>(slot)] = text.empty();
        in.textWidths[static_cast<std::size_t>(slot)] = TextWidth(dc, text);
    }
    return ComputeStatusSlots(in);
}

StatusSlots StatusBarView::Layout() const {
    if (!window_) return {};
    RECT panel{};
    SendMessageW(window_, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&panel));
    win::WindowDC dc(window_);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    win::SelectedObject selected(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    return Layout(dc.get(), panel);
}

void StatusBarView::Draw(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    win::SavedDC saved(dc);
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
    if (font) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const StatusSlots slots = Layout(dc, item.rcItem);
    const bool folder = main_.IsFolderSource();

    for (int slot = 3; slot >= 1; --slot) {
        const auto i = static_cast<std::size_t>(slot);
        if (!slots.shown[i]) continue;
        RECT r = ToRect(slots.slots[i]);
        DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT);
        // The filter means nothing for a folder: its slot is greyed there.
        const bool greyed = slot == 2 && folder;
        SetTextColor(dc, GetSysColor(greyed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        RECT textRect = r;
        textRect.left += 2;
        if (slot >= 2) textRect.right -= 7;
        const std::wstring text = main_.StatusText(static_cast<StatusPanel>(slot));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, kTextFormat | DT_CENTER);
        if (slot >= 2 && main_.Images()) {
            const int x = r.right - 12;
            const int y = r.top + (r.bottom - r.top) / 2 - 2;
            if (greyed) {
                const win::UniqueIcon arrow(ImageList_GetIcon(main_.Images(), ui::kImageSmallArrowDown, ILD_NORMAL));
                if (arrow)
                    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(arrow.get()), 0, x, y, ui::kImageSize,
                               ui::kImageSize, DST_ICON | DSS_DISABLED);
            } else {
                ImageList_Draw(main_.Images(), ui::kImageSmallArrowDown, dc, x, y, ILD_TRANSPARENT);
            }
        }
    }

    RECT message = ToRect(slots.slots[0]);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    std::wstring text = main_.StatusText(StatusPanel::Message);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &message, kTextFormat | DT_LEFT | DT_PATH_ELLIPSIS);
}

bool StatusBarView::MouseDown(bool rightButton, POINT client) {
    const int slot = SlotAt(client);
    POINT screen = client;
    ClientToScreen(window_, &screen);
    if (slot == 2) {
        if (main_.IsFolderSource()) {
            main_.Beep();  // a folder has no filter to choose
        } else if (rightButton) {
            main_.RunCommand(IDM_CHARSET_ALL);
        } else {
            main_.TrackPopup(FilterMenuStructure(), screen);
        }
        return true;
    }
    if (slot == 3 && !rightButton) {
        main_.TrackPopup(TagMenuStructure(), screen);
        return true;
    }
    return false;
}

bool StatusBarView::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    if (message != WM_DRAWITEM) return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

LRESULT StatusBarView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) &&
        MouseDown(message == WM_RBUTTONDOWN, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
        return 0;
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace typorama::app
