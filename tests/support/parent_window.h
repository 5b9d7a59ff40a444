// A hidden window of the program's window base, as a parent for controls
// under test: it reflects its controls' notifications as every window of the
// program does, and keeps the messages that reach its own handler.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/window_base.h"

namespace typorama::test {

class ParentWindow : public ui::Window<ParentWindow> {
public:
    static constexpr wchar_t kClassName[] = L"TyporamaTestParent";
    static void DescribeClass(WNDCLASSEXW& wc) { wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW); }

    explicit ParentWindow(DWORD style = WS_POPUP, int width = 300, int height = 300) {
        CreateBound(WS_EX_TOOLWINDOW, L"test parent", style, 0, 0, width, height, nullptr, nullptr);
    }
    ~ParentWindow() override {
        if (window_) DestroyWindow(window_);
    }
    HWND get() const { return window_; }

    // Messages that reached the parent's own handler.
    std::vector<UINT> Received;
    // Answers a message instead of the default handling when it returns true.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> OnMessage;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        Received.push_back(message);
        LRESULT result = 0;
        if (OnMessage && OnMessage(message, wParam, lParam, result)) return result;
        return DefaultHandling(message, wParam, lParam);
    }
};

}  // namespace typorama::test
