#include "charmap/char_map.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>
#include <optional>

#include "win/gdi.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::charmap {
namespace {


// The code page of the character set the font in `dc` really got; the ANSI
// code page when the system cannot say.
UINT CodePageOfFont(HDC dc) {
    const int charset = GetTextCharset(dc);
    CHARSETINFO info{};
    if (charset != DEFAULT_CHARSET &&
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<DWORD_PTR>(charset)), &info, TCI_SRCCHARSET))
        return info.ciACP;
    return CP_ACP;
}

void FillWith(HDC dc, const RECT& rect, COLORREF color) {
    win::UniqueBrush brush(CreateSolidBrush(color));
    if (brush) FillRect(dc, &rect, brush.get());
}

void DrawCentred(HDC dc, const std::wstring& text, RECT rect) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

win::UniqueFont CharFontOfHeight(LOGFONTW font, int size) {
    // A positive height is the font's cell height: the whole character,
    // accents included, fits the cell.
    font.lfHeight = size - size / 6;
    font.lfWidth = 0;
    return win::UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

void ThCharMap::DescribeClass(WNDCLASSEXW& wc) {
    // No background brush: the paint covers the whole client area.
    wc.style |= CS_DBLCLKS;
    wc.hbrBackground = nullptr;
}

ThCharMap::ThCharMap(const CharMapArgs& args) {
    geometry_.SetCellWidth(args.cellWidth);
    geometry_.SetCellHeight(args.cellHeight);
    const GridSize size = geometry_.Size();
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS;
    if (args.visible) style |= WS_VISIBLE;
    CreateBound(0, L"", style, args.x, args.y, size.width, size.height, args.parent, ui::ControlId(args.id));
}

ThCharMap::~ThCharMap() {
    if (window_) DestroyWindow(window_);
}

void ThCharMap::SetCellWidth(int width) {
    if (!geometry_.SetCellWidth(width)) return;
    const GridSize size = geometry_.Size();
    if (window_) SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void ThCharMap::SetCellHeight(int height) {
    if (!geometry_.SetCellHeight(height)) return;
    const GridSize size = geometry_.Size();
    if (window_) SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void ThCharMap::SetFirstCode(int code) {
    if (code < 0 || code == firstCode_) return;
    firstCode_ = code;
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void ThCharMap::SetCurrentCell(int column, int row) {
    const GridCell cell = CharGridGeometry::Clamp(column, row);
    if (cell == current_) return;
    previous_ = current_;
    current_ = cell;
    InvalidateCell(current_);
    InvalidateCell(previous_);
    if (OnCharChange) OnCharChange(GetCurrentChar());
}

UINT ThCharMap::CodePage() const {
    win::MemoryDC dc(nullptr, nullptr);
    win::UniqueFont font = CharFontOfHeight(charFont_, std::min(geometry_.CellWidth(), geometry_.CellHeight()));
    if (!dc.get() || !font) return CP_ACP;
    win::SelectedObject selected(dc.get(), font.get());
    return CodePageOfFont(dc.get());
}

std::wstring ThCharMap::CharacterText(int code) const { return TextOfCode(code, CodePage()); }

std::wstring ThCharMap::GetAltKeyText() const { return win::ToWide(AltKeyText(GetCurrentChar())); }

void ThCharMap::AnnounceCurrentChar() {
    if (OnCharChange) OnCharChange(GetCurrentChar());
}

void ThCharMap::InvalidateCell(GridCell cell) {
    if (!window_) return;
    const CellRect r = geometry_.DrawRect(cell);
    const RECT rect{r.left, r.top, r.right, r.bottom};
    InvalidateRect(window_, &rect, FALSE);
}

std::wstring ThCharMap::TextOfCode(int code, UINT codePage) const {
    if (CodeText) return CodeText(code);
    if (code < 0 || code > 255) return {};
    const char byte = static_cast<char>(code);
    wchar_t text[2] = {};
    // A lead byte of a double-byte code page is no character on its own:
    // such a cell stays empty.
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, text, 2);
    return n > 0 ? std::wstring(text, static_cast<std::size_t>(n)) : std::wstring();
}

LRESULT ThCharMap::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE:
            // The characters too: the owner's keys (Space collects the
            // character) must not be taken for mnemonics by the dialog manager.
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            win::PaintDC paint(window_);
            if (!paint.get()) return 0;
            if (buffered_) {
                buffered_ = false;
                PaintOffScreen(paint.get());
            } else {
                PaintTo(paint.get());
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintTo(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateCell(current_);
            break;
        case WM_KEYDOWN: {
            std::optional<GridMove> move;
            if (wParam == VK_LEFT) move = GridMove::Left;
            if (wParam == VK_UP) move = GridMove::Up;
            if (wParam == VK_RIGHT) move = GridMove::Right;
            if (wParam == VK_DOWN) move = GridMove::Down;
            if (move) {
                const GridCell to = CharGridGeometry::Moved(current_, *move);
                SetCurrentCell(to.column, to.row);
                if (OnInput) OnInput(message, wParam, lParam);
                return 0;
            }
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            ButtonDown(message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK, wParam, GET_X_LPARAM(lParam),
                       GET_Y_LPARAM(lParam));
            if (OnInput) OnInput(message, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            MouseMove(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (OnInput) OnInput(message, wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            ButtonUp();
            if (OnInput) OnInput(message, wParam, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a menu, a message box): the
            // button's release will never come here.
            if (reinterpret_cast<HWND>(lParam) != window_) ButtonUp();
            return 0;
        default:
            break;
    }
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    if (OnInput && ((message >= WM_KEYFIRST && message <= WM_KEYLAST))) OnInput(message, wParam, lParam);
    return result;
}

void ThCharMap::ButtonDown(bool leftButton, WPARAM keys, int x, int y) {
    SetFocus(window_);
    const GridCell cell = CellFromPoint(x, y);
    SetCurrentCell(cell.column, cell.row);
    buttonDown_ = true;
    tracked_ = current_;
    // The cell follows a drag outside the control too.
    SetCapture(window_);
    if (leftButton && !(keys & MK_CONTROL)) {
        bigChar_ = true;
        if (drawBigChar_) RepaintNow();
    }
}

void ThCharMap::MouseMove(WPARAM keys, int x, int y) {
    if (bigChar_) {
        const GridCell cell = CellFromPoint(x, y);
        SetCurrentCell(cell.column, cell.row);
    }
    if (current_ != tracked_) {
        tracked_ = current_;
        if (bigChar_ && drawBigChar_ && (keys & MK_LBUTTON)) RepaintNow();
    }
}

void ThCharMap::ButtonUp() {
    if (!buttonDown_) return;
    buttonDown_ = false;
    bigChar_ = false;
    if (GetCapture() == window_) ReleaseCapture();
    if (drawBigChar_) RepaintNow();
}

void ThCharMap::RepaintNow() {
    if (!window_ || !IsWindowVisible(window_)) return;
    win::WindowDC dc(window_);
    if (!dc.get()) return;
    PaintOffScreen(dc.get());
    // Everything is drawn: the cells invalidated on the way need no paint.
    ValidateRect(window_, nullptr);
}

void ThCharMap::PaintOffScreen(HDC target) {
    RECT client{};
    GetClientRect(window_, &client);
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
    win::MemoryDC memory(target, bitmap.get());
    if (!bitmap || !memory) {
        PaintTo(target);
        return;
    }
    PaintTo(memory.get());
    BitBlt(target, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void ThCharMap::PaintTo(HDC dc) {
    if (!window_ || !dc) return;
    win::SavedDC saved(dc);
    const COLORREF text = win::ResolveColorValue(fontColor_);
    const COLORREF back = win::ResolveColorValue(backColor_);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF selection = win::ResolveColorValue(selColor_);
    RECT client{};
    GetClientRect(window_, &client);

    const int cellWidth = geometry_.CellWidth(), cellHeight = geometry_.CellHeight();
    win::UniqueFont cellFont = CharFontOfHeight(charFont_, std::min(cellWidth, cellHeight));
    LOGFONTW label{};
    label.lfHeight = -MulDiv(7, GetDeviceCaps(dc, LOGPIXELSY), 72);
    label.lfWeight = FW_NORMAL;
    label.lfCharSet = DEFAULT_CHARSET;
    label.lfQuality = NONANTIALIASED_QUALITY;
    std::wcscpy(label.lfFaceName, L"Arial");
    win::UniqueFont labelFont(CreateFontIndirectW(&label));

    FillWith(dc, client, back);

    {
        win::UniquePen pen(CreatePen(PS_SOLID, 1, face));
        win::SelectedObject selectedPen(dc, pen.get());
        // LineTo leaves out its end point: the lines end exactly at the grid's edge.
        for (int k = 0; k <= CharGridGeometry::kColumns; ++k) {
            MoveToEx(dc, k * cellWidth, 0, nullptr);
            LineTo(dc, k * cellWidth, CharGridGeometry::kRows * cellHeight + 1);
        }
        for (int k = 0; k <= CharGridGeometry::kRows; ++k) {
            MoveToEx(dc, 0, k * cellHeight, nullptr);
            LineTo(dc, CharGridGeometry::kColumns * cellWidth, k * cellHeight);
        }
    }

    const bool hasFocus = GetFocus() == window_;
    const bool dimmed = drawBigChar_ && bigChar_;
    const bool labels = labelMode_ != CodeLabelMode::None && cellWidth > CharGridGeometry::kMaxCellWidthWithoutLabels;
    SetBkMode(dc, TRANSPARENT);
    // The code page belongs to the font the system really chose.
    UINT codePage = CP_ACP;
    {
        win::SelectedObject probe(dc, cellFont.get());
        codePage = CodePageOfFont(dc);
    }
    for (int row = 1; row <= CharGridGeometry::kRows; ++row) {
        for (int column = 1; column <= CharGridGeometry::kColumns; ++column) {
            const GridCell cell{column, row};
            const CellRect r = geometry_.DrawRect(cell);
            const RECT rect{r.left, r.top, r.right, r.bottom};
            const bool isCurrent = cell == current_;
            if (isCurrent) FillWith(dc, rect, !hasFocus || dimmed ? face : selection);
            const int code = CharGridGeometry::CodeOf(cell, firstCode_);
            const std::wstring character = TextOfCode(code, codePage);
            if (labels) {
                SetTextColor(dc, isCurrent ? back : face);
                win::SelectedObject selected(dc, labelFont.get());
                const std::wstring labelText = labelMode_ == CodeLabelMode::Character
                                                   ? character
                                                   : win::ToWide(CodeLabelText(code, labelMode_));
                TextOutW(dc, rect.left + 1, rect.top + 1, labelText.c_str(), static_cast<int>(labelText.size()));
            }
            SetTextColor(dc, isCurrent ? back : dimmed ? face : text);
            win::SelectedObject selected(dc, cellFont.get());
            DrawCentred(dc, character, rect);
        }
    }

    if (dimmed) {
        win::UniqueFont bigFont =
            CharFontOfHeight(charFont_, std::min<int>(client.right - client.left, client.bottom - client.top));
        win::SelectedObject selected(dc, bigFont.get());
        SetTextColor(dc, text);
        DrawCentred(dc, TextOfCode(GetCurrentChar(), codePage), client);
    }
}

}  // namespace typorama::charmap
