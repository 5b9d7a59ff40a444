// ThOptionTree: a tree view of option items under top-level groups, always
// fully expanded. Items are switches (check boxes, radio buttons), colours
// and texts; clicking an item's image (or a text item's text) or pressing
// Space on it acts on it, and acting on a disabled item beeps. An item below
// a switch is enabled only while that switch is on.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/window_base.h"
#include "win/unique_handle.h"

namespace typorama::options {

class ThOptionTree;

class ThGenericOptionItem {
public:
    ThGenericOptionItem(ThOptionTree& tree, ThGenericOptionItem* parent, std::wstring caption)
        : tree_(tree), parent_(parent), caption_(std::move(caption)) {}
    virtual ~ThGenericOptionItem() = default;
    ThGenericOptionItem(const ThGenericOptionItem&) = delete;
    ThGenericOptionItem& operator=(const ThGenericOptionItem&) = delete;

    const std::wstring& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    ThGenericOptionItem* Parent() const { return parent_; }
    HTREEITEM Node() const { return node_; }
    ThOptionTree& Tree() const { return tree_; }

    // Whether items below it are enabled (switches: while they are on).
    virtual bool EnablesChildren() const { return true; }
    // The image list index shown, or -1 for none.
    virtual int Image() const { return -1; }
    // The node's text.
    virtual std::wstring Text() const { return caption_; }
    // Whether a click on the node's text acts too (text items).
    virtual bool ActsOnText() const { return false; }
    // What a click or Space does on an enabled item.
    virtual void Act() {}

protected:
    // Shows a changed value (image and text) and the enabled states it drives.
    void Changed();

private:
    friend class ThOptionTree;
    ThOptionTree& tree_;
    ThGenericOptionItem* parent_;
    std::wstring caption_;
    HTREEITEM node_ = nullptr;
    bool enabled_ = true;
};

// A top-level node.
class ThOptionGroup : public ThGenericOptionItem {
public:
    using ThGenericOptionItem::ThGenericOptionItem;
};

class ThCheckOptionItem : public ThGenericOptionItem {
public:
    ThCheckOptionItem(ThOptionTree& tree, ThGenericOptionItem* parent, std::wstring caption, bool checked)
        : ThGenericOptionItem(tree, parent, std::move(caption)), checked_(checked) {}
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool EnablesChildren() const override { return checked_; }
    int Image() const override { return Enabled() ? (checked_ ? 1 : 0) : (checked_ ? 5 : 4); }
    void Act() override { SetChecked(!checked_); }

private:
    bool checked_;
};

class ThRadioOptionItem : public ThGenericOptionItem {
public:
    ThRadioOptionItem(ThOptionTree& tree, ThGenericOptionItem* parent, std::wstring caption, bool checked)
        : ThGenericOptionItem(tree, parent, std::move(caption)), checked_(checked) {}
    bool Checked() const { return checked_; }
    // Selecting clears every other radio item under the same parent.
    void Select();
    bool EnablesChildren() const override { return checked_; }
    int Image() const override { return Enabled() ? (checked_ ? 3 : 2) : (checked_ ? 7 : 6); }
    void Act() override { Select(); }

private:
    friend class ThOptionTree;
    bool checked_;
};

class ThColorOptionItem : public ThGenericOptionItem {
public:
    ThColorOptionItem(ThOptionTree& tree, ThGenericOptionItem* parent, std::wstring caption, std::uint32_t color)
        : ThGenericOptionItem(tree, parent, std::move(caption)), color_(color) {}
    // A colour value (0x80000000 + n: system colour n).
    std::uint32_t Color() const { return color_; }
    void SetColor(std::uint32_t color);
    int Image() const override { return image_; }
    void Act() override;

private:
    friend class ThOptionTree;
    std::uint32_t color_;
    int image_ = -1;  // its own swatch in the image list
};

class ThTextOptionItem : public ThGenericOptionItem {
public:
    ThTextOptionItem(ThOptionTree& tree, ThGenericOptionItem* parent, std::wstring caption, std::wstring value)
        : ThGenericOptionItem(tree, parent, std::move(caption)), value_(std::move(value)) {}
    const std::wstring& Value() const { return value_; }
    void SetValue(std::wstring value);
    std::wstring Text() const override { return Caption() + L" " + value_; }
    bool ActsOnText() const override { return true; }
    void Act() override;

private:
    std::wstring value_;
};

class ThOptionTree : public ui::SubclassedWindow {
public:
    // The images of the switches, then one blank image.
    static constexpr int kBlankImage = 8;

    ThOptionTree() = default;
    ~ThOptionTree() override;

    // Takes over a tree view of a dialog and gives it its images.
    bool Attach(HWND tree);
    HWND Hwnd() const { return window_; }

    // Items are added in order; a group at the top, the others under a group
    // or an item. They belong to the tree.
    template <typename Item, typename... Args>
    Item& Add(ThGenericOptionItem* parent, Args&&... args) {
        auto item = std::make_unique<Item>(*this, parent, std::forward<Args>(args)...);
        Item& added = *item;
        Insert(std::move(item));
        return added;
    }
    // Expands every node and shows the first; called once filled.
    void FullExpand();
    // Re-computes the enabled states and redraws every node.
    void Refresh();

    // Acts on `item` as a click would: beep when it is disabled.
    void ActOn(ThGenericOptionItem& item);
    // The item of a node (null for none).
    ThGenericOptionItem* ItemOf(HTREEITEM node) const;
    // Where a click on `item` acts: its image square, 3 pixels left of the
    // text, and for a text item the text too (client coordinates).
    RECT ImageRect(const ThGenericOptionItem& item) const;
    RECT TextRect(const ThGenericOptionItem& item) const;

    std::function<void(ThColorOptionItem&)> OnEditColor;
    std::function<void(ThTextOptionItem&)> OnEditText;
    std::function<void()> Beep = [] { MessageBeep(MB_OK); };

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class ThGenericOptionItem;
    friend class ThRadioOptionItem;
    friend class ThColorOptionItem;
    void Insert(std::unique_ptr<ThGenericOptionItem> item);
    void Show(ThGenericOptionItem& item);
    // The colour item's swatch, made anew for its colour and state.
    void PaintSwatch(ThColorOptionItem& item);
    bool OnClick(POINT point);

    std::vector<std::unique_ptr<ThGenericOptionItem>> items_;
    win::UniqueImageList images_;
};

}  // namespace typorama::options
