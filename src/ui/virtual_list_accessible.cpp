#include "ui/virtual_list_accessible.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "ui/virtual_list_box.h"

namespace typorama::ui {
namespace {

// The interface ids come from __uuidof: MinGW's libuuid and liboleacc both
// define IID_IAccessible, and naming it would link both.

// One object per query. It holds the window, not the control: a reader may
// keep it after the list is gone, and then every call answers "disconnected".
class ListAccessible final : public IAccessible {
public:
    explicit ListAccessible(HWND list) : list_(list) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: readers use the IAccessible methods; there is no type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!List()) return RPC_E_DISCONNECTED;
        return AccessibleObjectFromWindow(list_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        const ThVirtualListBox* list = List();
        if (!list) return RPC_E_DISCONNECTED;
        *count = list->ItemCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        int index = 0;
        const HRESULT valid = Check(child, index);
        if (valid != S_OK) return valid;
        // Items are simple elements of the list, not objects of their own.
        return index >= 0 ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        int index = 0;
        const HRESULT valid = Check(child, index);
        if (valid != S_OK) return valid;
        const ThVirtualListBox* list = List();
        if (index < 0) return S_FALSE;  // the list is named by its label, which the window layer gives
        if (!list->OnItemName) return S_FALSE;
        // The owner's text may fail to come (out of memory): the reader hears nothing.
        const std::wstring text = GuardSystemCall([&] { return list->OnItemName(index); }, [] { return std::wstring(); });
        *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return NoText(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override { return NoText(child, text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        VariantInit(role);
        int index = 0;
        const HRESULT valid = Check(child, index);
        if (valid != S_OK) return valid;
        role->vt = VT_I4;
        role->lVal = index < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        VariantInit(state);
        int index = 0;
        const HRESULT valid = Check(child, index);
        if (valid != S_OK) return valid;
        const ThVirtualListBox* list = List();
        const bool focused = GetFocus() == list_;
        LONG bits = STATE_SYSTEM_FOCUSABLE;
        if (!IsWindowVisible(list_)) bits |= STATE_SYSTEM_INVISIBLE;
        if (!IsWindowEnabled(list_)) bits |= STATE_SYSTEM_UNAVAILABLE;
        if (index < 0) {
            if (focused) bits |= STATE_SYSTEM_FOCUSED;
        } else {
            bits |= STATE_SYSTEM_SELECTABLE;
            if (index == list->ItemIndex()) bits |= STATE_SYSTEM_SELECTED;
            if (focused && index == list->CaretIndex()) bits |= STATE_SYSTEM_FOCUSED;
            RECT row = list->ItemRect(index);
            RECT client{};
            GetClientRect(list_, &client);
            if (!IntersectRect(&row, &row, &client)) bits |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        }
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return NoText(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override { return NoText(child, keys); }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        const ThVirtualListBox* list = List();
        if (!list) return RPC_E_DISCONNECTED;
        if (GetFocus() != list_) return S_FALSE;
        focus->vt = VT_I4;
        focus->lVal = list->CaretIndex() >= 0 ? list->CaretIndex() + 1 : CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        const ThVirtualListBox* list = List();
        if (!list) return RPC_E_DISCONNECTED;
        if (list->ItemIndex() < 0) return S_FALSE;
        selection->vt = VT_I4;
        selection->lVal = list->ItemIndex() + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return NoText(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        int index = 0;
        const HRESULT valid = Check(child, index);
        if (valid != S_OK) return valid;
        ThVirtualListBox* list = List();
        if (flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) return E_INVALIDARG;
        if (flags & SELFLAG_TAKEFOCUS) SetFocus(list_);
        if ((flags & SELFLAG_TAKESELECTION) && index >= 0) list->SetItemIndex(index);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        int index = 0;
        const HRESULT valid = Check(child, index);
        if (valid != S_OK) return valid;
        RECT rect{};
        if (index < 0) {
            GetClientRect(list_, &rect);
        } else {
            rect = List()->ItemRect(index);
        }
        MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        int index = 0;
        const HRESULT valid = Check(start, index);
        if (valid != S_OK) return valid;
        const int count = List()->ItemCount();
        int to = -1;
        if (index < 0) {
            // From the list itself only into its items; its siblings are the window layer's.
            if (direction == NAVDIR_FIRSTCHILD) to = 0;
            if (direction == NAVDIR_LASTCHILD) to = count - 1;
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
            to = index + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
            to = index - 1;
        }
        if (to < 0 || to >= count) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to + 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (!child) return E_POINTER;
        VariantInit(child);
        const ThVirtualListBox* list = List();
        if (!list) return RPC_E_DISCONNECTED;
        POINT point{x, y};
        ScreenToClient(list_, &point);
        RECT client{};
        GetClientRect(list_, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        const int row = list->ItemAtPos(point, true);
        child->vt = VT_I4;
        child->lVal = row >= 0 ? row + 1 : CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~ListAccessible() = default;

    ThVirtualListBox* List() const { return dynamic_cast<ThVirtualListBox*>(BoundWindow::FromHandle(list_)); }

    // S_OK with index -1 for the list itself or the item's row; an error otherwise.
    HRESULT Check(const VARIANT& child, int& index) const {
        const ThVirtualListBox* list = List();
        if (!list) return RPC_E_DISCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) {
            index = -1;
            return S_OK;
        }
        if (child.lVal < 1 || child.lVal > list->ItemCount()) return E_INVALIDARG;
        index = static_cast<int>(child.lVal) - 1;
        return S_OK;
    }

    HRESULT NoText(const VARIANT& child, BSTR* text) const {
        if (!text) return E_POINTER;
        *text = nullptr;
        int index = 0;
        const HRESULT valid = Check(child, index);
        return valid == S_OK ? S_FALSE : valid;
    }

    HWND list_;
    LONG references_ = 1;
};

}  // namespace

LRESULT AnswerAccessibleQuery(HWND list, WPARAM wParam) {
    auto* object = new (std::nothrow) ListAccessible(list);
    if (!object) return 0;
    // LresultFromObject holds its own reference for the reader.
    const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return result < 0 ? 0 : result;
}

}  // namespace typorama::ui
