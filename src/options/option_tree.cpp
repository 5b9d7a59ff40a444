#include "options/option_tree.h"

#include <windowsx.h>

#include "win/color_value.h"
#include "win/gdi.h"

namespace typorama::options {
namespace {

constexpr int kImageSize = 16;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
// The space between an item's image and its text.
constexpr int kImageGap = 3;

// A 16x16 bitmap filled with the transparent colour, drawn on by `draw`.
template <typename Draw>
win::UniqueBitmap MakeImage(Draw draw) {
    win::WindowDC screen;
    win::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), kImageSize, kImageSize));
    win::MemoryDC dc(screen.get(), bitmap.get());
    if (!dc) return {};
    win::UniqueBrush back(CreateSolidBrush(kTransparent));
    const RECT all{0, 0, kImageSize, kImageSize};
    FillRect(dc.get(), &all, back.get());
    draw(dc.get());
    return bitmap;
}

void AddImage(HIMAGELIST images, const win::UniqueBitmap& bitmap) {
    if (bitmap) ImageList_AddMasked(images, bitmap.get(), kTransparent);
}

}  // namespace

void ThGenericOptionItem::Changed() { tree_.Refresh(); }

void ThCheckOptionItem::SetChecked(bool checked) {
    checked_ = checked;
    Changed();
}

void ThRadioOptionItem::Select() {
    for (const auto& item : Tree().items_)
        if (auto* radio = dynamic_cast<ThRadioOptionItem*>(item.get()); radio && radio->Parent() == Parent())
            radio->checked_ = radio == this;
    Changed();
}

void ThColorOptionItem::SetColor(std::uint32_t color) {
    color_ = color;
    Changed();
}

void ThColorOptionItem::Act() {
    if (Tree().OnEditColor) Tree().OnEditColor(*this);
}

void ThTextOptionItem::SetValue(std::wstring value) {
    value_ = std::move(value);
    Changed();
}

void ThTextOptionItem::Act() {
    if (Tree().OnEditText) Tree().OnEditText(*this);
}

ThOptionTree::~ThOptionTree() {
    // The tree view keeps the image list's handle until it goes.
    if (window_) TreeView_SetImageList(window_, nullptr, TVSIL_NORMAL);
}

bool ThOptionTree::Attach(HWND tree) {
    if (!SubclassedWindow::Attach(tree)) return false;
    images_.reset(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 16, 8));
    // Unchecked, checked, radio off, radio on; then the same disabled.
    for (const UINT state : {0u, static_cast<UINT>(DFCS_INACTIVE)})
        for (const UINT kind : {DFCS_BUTTONCHECK, DFCS_BUTTONRADIO})
            for (const UINT checked : {0u, static_cast<UINT>(DFCS_CHECKED)})
                AddImage(images_.get(), MakeImage([&](HDC dc) {
                             RECT box{2, 2, 15, 15};
                             DrawFrameControl(dc, &box, DFC_BUTTON, kind | checked | state | DFCS_FLAT);
                         }));
    AddImage(images_.get(), MakeImage([](HDC) {}));
    TreeView_SetImageList(window_, images_.get(), TVSIL_NORMAL);
    return true;
}

void ThOptionTree::Insert(std::unique_ptr<ThGenericOptionItem> item) {
    ThGenericOptionItem& added = *item;
    items_.push_back(std::move(item));
    if (auto* color = dynamic_cast<ThColorOptionItem*>(&added)) {
        AddImage(images_.get(), MakeImage([](HDC) {}));
        color->image_ = ImageList_GetImageCount(images_.get()) - 1;
    }
    TVINSERTSTRUCTW insert{};
    insert.hParent = added.Parent() ? added.Parent()->Node() : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    const std::wstring text = added.Text();
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(&added);
    insert.item.stateMask = TVIS_BOLD;
    insert.item.state = added.Parent() ? 0 : TVIS_BOLD;
    added.node_ = TreeView_InsertItem(window_, &insert);
    Refresh();
}

void ThOptionTree::Refresh() {
    // Items come after their parents, so one pass settles every state.
    for (const auto& item : items_) {
        const ThGenericOptionItem* parent = item->Parent();
        item->enabled_ = !parent || (parent->Enabled() && parent->EnablesChildren());
    }
    for (const auto& item : items_) Show(*item);
}

void ThOptionTree::Show(ThGenericOptionItem& item) {
    if (auto* color = dynamic_cast<ThColorOptionItem*>(&item)) PaintSwatch(*color);
    const int image = item.Image() >= 0 ? item.Image() : kBlankImage;
    const std::wstring text = item.Text();
    TVITEMW node{};
    node.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    node.hItem = item.Node();
    node.pszText = const_cast<wchar_t*>(text.c_str());
    node.iImage = node.iSelectedImage = image;
    TreeView_SetItem(window_, &node);
    RECT area{};
    if (TreeView_GetItemRect(window_, item.Node(), &area, FALSE)) InvalidateRect(window_, &area, TRUE);
}

void ThOptionTree::PaintSwatch(ThColorOptionItem& item) {
    const bool enabled = item.Enabled();
    // The swatch: a square with a 2-pixel border, the rest transparent
    // (black in the image, white in the mask, as the image list wants it).
    const auto square = [](HDC dc, COLORREF border, COLORREF fill) {
        win::UniquePen pen(CreatePen(PS_SOLID, 2, border));
        win::UniqueBrush brush(CreateSolidBrush(fill));
        win::SelectedObject usePen(dc, pen.get());
        win::SelectedObject useBrush(dc, brush.get());
        Rectangle(dc, 3, 3, 15, 15);
    };
    win::WindowDC screen;
    win::UniqueBitmap image(CreateCompatibleBitmap(screen.get(), kImageSize, kImageSize));
    win::UniqueBitmap mask(CreateBitmap(kImageSize, kImageSize, 1, 1, nullptr));
    const RECT all{0, 0, kImageSize, kImageSize};
    {
        win::MemoryDC dc(screen.get(), image.get());
        if (!dc) return;
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        square(dc.get(), enabled ? RGB(0, 0, 0) : RGB(0x80, 0x80, 0x80),
               enabled ? win::ResolveColorValue(item.Color()) : RGB(0xC0, 0xC0, 0xC0));
    }
    {
        win::MemoryDC dc(screen.get(), mask.get());
        if (!dc) return;
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        square(dc.get(), RGB(0, 0, 0), RGB(0, 0, 0));
    }
    ImageList_Replace(images_.get(), item.image_, image.get(), mask.get());
}

void ThOptionTree::FullExpand() {
    for (const auto& item : items_) TreeView_Expand(window_, item->Node(), TVE_EXPAND);
    if (!items_.empty()) TreeView_EnsureVisible(window_, items_.front()->Node());
}

ThGenericOptionItem* ThOptionTree::ItemOf(HTREEITEM node) const {
    if (!node) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_HANDLE | TVIF_PARAM;
    item.hItem = node;
    if (!TreeView_GetItem(window_, &item)) return nullptr;
    return reinterpret_cast<ThGenericOptionItem*>(item.lParam);
}

RECT ThOptionTree::TextRect(const ThGenericOptionItem& item) const {
    RECT text{};
    TreeView_GetItemRect(window_, item.Node(), &text, TRUE);
    return text;
}

RECT ThOptionTree::ImageRect(const ThGenericOptionItem& item) const {
    const RECT text = TextRect(item);
    const int right = text.left - kImageGap;
    const int top = text.top + (text.bottom - text.top - kImageSize) / 2;
    return {right - kImageSize, top, right, top + kImageSize};
}

void ThOptionTree::ActOn(ThGenericOptionItem& item) {
    if (!item.Enabled()) {
        Beep();
        return;
    }
    item.Act();
}

bool ThOptionTree::OnClick(POINT point) {
    TVHITTESTINFO hit{};
    hit.pt = point;
    ThGenericOptionItem* item = ItemOf(TreeView_HitTest(window_, &hit));
    if (!item) return false;
    TreeView_SelectItem(window_, item->Node());
    const RECT image = ImageRect(*item);
    const RECT text = TextRect(*item);
    const bool onImage = item->Image() >= 0 && PtInRect(&image, point);
    const bool onText = item->ActsOnText() && PtInRect(&text, point);
    if (!onImage && !onText) return false;
    ActOn(*item);
    return true;
}

LRESULT ThOptionTree::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(window_);
            OnClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            // The tree's own click handling would start a drag or an edit.
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                if (ThGenericOptionItem* item = ItemOf(TreeView_GetSelection(window_))) ActOn(*item);
                return 0;
            }
            // The keys that would close an open node. Windows lets the
            // TVN_ITEMEXPANDING answer refuse that, Wine does not: Left goes
            // to the parent as it does on a closed node, minus does nothing.
            if (wParam == VK_LEFT || wParam == VK_SUBTRACT) {
                const HTREEITEM selected = TreeView_GetSelection(window_);
                if (selected && TreeView_GetChild(window_, selected)) {
                    if (const HTREEITEM parent = TreeView_GetParent(window_, selected); parent && wParam == VK_LEFT)
                        TreeView_SelectItem(window_, parent);
                    return 0;
                }
            }
            break;
        case WM_CHAR:
            if (wParam == L' ') return 0;  // no beep for the Space handled above
            break;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

bool ThOptionTree::OnReflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == NM_CUSTOMDRAW) {
        // Disabled items show their text greyed, as their images are.
        auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYITEMDRAW;
        } else {
            const auto* item = reinterpret_cast<const ThGenericOptionItem*>(draw->nmcd.lItemlParam);
            if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && item && !item->Enabled() &&
                !(draw->nmcd.uItemState & CDIS_SELECTED))
                draw->clrText = GetSysColor(COLOR_GRAYTEXT);
            result = CDRF_DODEFAULT;
        }
        return true;
    }
    if (header->code == TVN_ITEMEXPANDINGW) {
        const auto* expanding = reinterpret_cast<const NMTREEVIEWW*>(lParam);
        // The tree cannot be collapsed.
        result = (expanding->action & TVE_COLLAPSE) ? TRUE : FALSE;
        return true;
    }
    return false;
}

}  // namespace typorama::options
