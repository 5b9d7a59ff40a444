#include "app/keyboard_focus.h"

#include <algorithm>

#include "app/browsing.h"
#include "app/dir_tree.h"
#include "app/main_window.h"
#include "ui/resource.h"

namespace typorama::app {
namespace {

bool Reachable(HWND window) { return window && IsWindowVisible(window) && IsWindowEnabled(window); }

// The part that holds `focus`: a combo box's edit is part of the box.
HWND PartOf(const std::vector<HWND>& parts, HWND focus) {
    for (HWND part : parts)
        if (focus == part || IsChild(part, focus)) return part;
    return nullptr;
}

}  // namespace

KeyboardFocus::KeyboardFocus(TfrmMain& host) : host_(host) {
    host.Commands().Add(IDM_MAIN_FOCUS_NEXT, {[this] { Move(true); }, {}, {}});
    host.Commands().Add(IDM_MAIN_FOCUS_PREVIOUS, {[this] { Move(false); }, {}, {}});
    host.AddShortcut(ACCEL{FVIRTKEY, VK_TAB, IDM_MAIN_FOCUS_NEXT});
    host.AddShortcut(ACCEL{FVIRTKEY | FSHIFT, VK_TAB, IDM_MAIN_FOCUS_PREVIOUS});
    host.AddMessageHandler(
        [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return OnMessage(message, wParam, lParam, result); });
}

std::vector<HWND> KeyboardFocus::Order() const {
    std::vector<HWND> parts;
    if (Browsing* browsing = host_.Feature<Browsing>(); browsing && browsing->FolderTree())
        parts.push_back(browsing->FolderTree()->Tree().Hwnd());
    parts.push_back(host_.ListBox().Hwnd());
    parts.push_back(host_.UserStringBox());
    parts.push_back(host_.FontInfoPane());
    std::erase_if(parts, [](HWND part) { return !Reachable(part); });
    return parts;
}

void KeyboardFocus::Move(bool forward) {
    const std::vector<HWND> parts = Order();
    if (parts.empty()) return;
    const HWND current = PartOf(parts, GetFocus());
    auto at = std::find(parts.begin(), parts.end(), current);
    std::size_t next = 0;
    if (at == parts.end())
        next = forward ? 0 : parts.size() - 1;
    else
        next = (static_cast<std::size_t>(at - parts.begin()) + (forward ? 1 : parts.size() - 1)) % parts.size();
    SetFocus(parts[next]);
}

bool KeyboardFocus::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_ACTIVATE) {
        if (LOWORD(wParam) == WA_INACTIVE) {
            saved_ = PartOf(Order(), GetFocus());
            return false;
        }
        if (HIWORD(wParam)) return false;  // minimised: nothing to give the focus to
        Restore();
        result = 0;
        return true;  // the default would give the focus to the frame
    }
    if (message == WM_SETFOCUS) {
        Restore();
        result = 0;
        return true;
    }
    return false;
}

void KeyboardFocus::Restore() {
    const std::vector<HWND> parts = Order();
    const bool savedReachable = std::find(parts.begin(), parts.end(), saved_) != parts.end();
    const HWND target = savedReachable ? saved_ : host_.ListBox().Hwnd();
    if (Reachable(target)) SetFocus(target);
}

}  // namespace typorama::app
