// The window base: binding for the window's life, the one place exceptions
// stop, and notifications reflected to the control's own object.
#include "ui/window_base.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "support/parent_window.h"

namespace typorama::ui {
namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;
constexpr int kButtonId = 12;

class ThrowingWindow : public Window<ThrowingWindow> {
public:
    static constexpr wchar_t kClassName[] = L"TyporamaWindowBaseTest";
    static void DescribeClass(WNDCLASSEXW&) {}

    ThrowingWindow() { CreateBound(0, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr); }
    ~ThrowingWindow() override {
        if (window_) DestroyWindow(window_);
    }
    HWND Handle() const { return window_; }
    std::vector<UINT> seen;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == kThrow) throw std::runtime_error("handler failed");
        if (message == kAnswer) return 42;
        return DefaultHandling(message, wParam, lParam);
    }
};

// A push button bound by subclassing: it keeps what it was handed.
class BoundButton : public SubclassedWindow {
public:
    explicit BoundButton(HWND parent) {
        Attach(CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 20, 20, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), nullptr, nullptr));
    }
    HWND Handle() const { return window_; }
    bool AttachAgain(HWND control) { return Attach(control); }
    std::vector<UINT> reflected;
    std::vector<UINT> own;

private:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) override {
        reflected.push_back(message);
        // Clicks are the button's; focus notifications stay with the parent.
        if (message == WM_COMMAND && HIWORD(wParam) != BN_CLICKED) return false;
        result = 7;
        return true;
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        own.push_back(message);
        return DefaultHandling(message, wParam, lParam);
    }
};

TEST(WindowBaseTest, WindowsAreBoundForTheirWholeLifeAndExceptionsStopAtTheProcedure) {
    ThrowingWindow first;
    ThrowingWindow second;  // the class is registered once for both
    ASSERT_TRUE(first.Handle());
    ASSERT_TRUE(second.Handle());
    ASSERT_GE(first.seen.size(), 2u);
    EXPECT_EQ(first.seen[0], static_cast<UINT>(WM_NCCREATE)) << "bound from the first message that can carry it";
    EXPECT_EQ(BoundWindow::FromHandle(first.Handle()), &first);

    EXPECT_EQ(SendMessageW(first.Handle(), kThrow, 0, 0), 0) << "the default handling answers a failed message";
    EXPECT_EQ(SendMessageW(first.Handle(), kAnswer, 0, 0), 42) << "the window keeps working";

    const HWND gone = first.Handle();
    DestroyWindow(gone);
    EXPECT_EQ(first.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(first.Handle(), nullptr);
    EXPECT_EQ(BoundWindow::FromHandle(gone), nullptr);
    EXPECT_EQ(BoundWindow::FromHandle(second.Handle()), &second);
}

TEST(WindowBaseTest, ParentsReflectNotificationsToTheControlsObject) {
    test::ParentWindow parent;
    ASSERT_TRUE(parent.get());
    BoundButton button(parent.get());
    ASSERT_TRUE(button.Handle());
    EXPECT_FALSE(button.AttachAgain(button.Handle())) << "one object per control";

    parent.Received.clear();
    const auto from = reinterpret_cast<LPARAM>(button.Handle());
    EXPECT_EQ(SendMessageW(parent.get(), WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), from), 7);
    EXPECT_TRUE(parent.Received.empty()) << "the control answered: the parent never sees it";
    SendMessageW(parent.get(), WM_COMMAND, MAKEWPARAM(kButtonId, BN_SETFOCUS), from);
    SendMessageW(parent.get(), WM_COMMAND, MAKEWPARAM(5, 0), 0);
    EXPECT_EQ(parent.Received, (std::vector<UINT>{WM_COMMAND, WM_COMMAND}))
        << "what the control leaves, and menu commands, are the parent's";

    // The control's own messages reach its object until the control goes.
    button.own.clear();
    SendMessageW(button.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(button.own, (std::vector<UINT>{WM_SETTEXT}));
    const HWND control = button.Handle();
    DestroyWindow(control);
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(BoundWindow::FromHandle(control), nullptr);
}

}  // namespace
}  // namespace typorama::ui
