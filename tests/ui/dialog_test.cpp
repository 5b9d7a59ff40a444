// The dialog base: binding, the modal hook tests answer through, the result
// of the buttons and of closing, and the placement of CreateAndShowForm.
#include "ui/dialog.h"

#include <gtest/gtest.h>

#include <string>

namespace typorama::ui {
namespace {

constexpr UINT kTestDialog = 9000;
constexpr int kEdit = 100;

class NameDialog : public Dialog {
public:
    NameDialog() : Dialog(kTestDialog) {}
    std::wstring initialText;
    std::wstring acceptedText;
    int initCalls = 0;
    bool destroyed = false;

protected:
    bool OnInitDialog() override {
        ++initCalls;
        SetDlgItemTextW(Handle(), kEdit, initialText.c_str());
        return true;
    }
    bool OnCommand(int id, int, HWND) override {
        if (id != IDOK) return false;
        wchar_t text[64]{};
        GetDlgItemTextW(Handle(), kEdit, text, 64);
        acceptedText = text;
        End(IDOK);
        return true;
    }
    void OnDestroyed() override { destroyed = true; }
    bool HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        if (message == kAskResult) {
            result = 1234;
            return true;
        }
        if (message == WM_CTLCOLOREDIT) {
            result = reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
            return true;
        }
        return false;
    }

public:
    static constexpr UINT kAskResult = WM_APP + 5;
};

class HookGuard {
public:
    explicit HookGuard(ModalHook hook) { SetModalHook(std::move(hook)); }
    ~HookGuard() { SetModalHook({}); }
};

TEST(DialogTest, ModalDialogsAreAnsweredThroughTheHook) {
    NameDialog dialog;
    dialog.initialText = L"before";
    std::wstring seen;
    HookGuard hook([&](Dialog& shown) {
        wchar_t text[64]{};
        GetDlgItemTextW(shown.Handle(), kEdit, text, 64);
        seen = text;
        SetDlgItemTextW(shown.Handle(), kEdit, L"after");
        PostMessageW(shown.Handle(), WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(CreateAndShowForm(dialog, nullptr, true, kCenterOnScreen | kShowModal), IDOK);
    EXPECT_EQ(seen, L"before") << "the hook runs once the dialog is initialised";
    EXPECT_EQ(dialog.acceptedText, L"after");
    EXPECT_EQ(dialog.initCalls, 1);
    EXPECT_TRUE(dialog.destroyed);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogTest, CancelAndClosingEndWithCancel) {
    for (UINT message : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
        NameDialog dialog;
        HookGuard hook([message](Dialog& shown) {
            PostMessageW(shown.Handle(), message, message == WM_COMMAND ? IDCANCEL : 0, 0);
        });
        EXPECT_EQ(dialog.ShowModal(nullptr), IDCANCEL) << message;
        EXPECT_TRUE(dialog.acceptedText.empty());
    }
}

TEST(DialogTest, ModelessFormsAreCentredOnTheScreenOrTheOwner) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    auto centreOf = [](const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };

    NameDialog onScreen;
    EXPECT_EQ(CreateAndShowForm(onScreen, nullptr, false, kCenterOnScreen | kShowModeless), 0);
    ASSERT_NE(onScreen.Handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(onScreen.Handle()));
    RECT bounds{};
    GetWindowRect(onScreen.Handle(), &bounds);
    EXPECT_NEAR(centreOf(bounds).x, centreOf(work).x, 1);
    EXPECT_NEAR(centreOf(bounds).y, centreOf(work).y, 1);

    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 40, 30, 600, 500, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    NameDialog onOwner;
    CreateAndShowForm(onOwner, owner, false, kCenterOnOwner | kShowModeless);
    GetWindowRect(onOwner.Handle(), &bounds);
    EXPECT_NEAR(centreOf(bounds).x, 40 + 300, 1);
    EXPECT_NEAR(centreOf(bounds).y, 30 + 250, 1);

    // A handler gives the message's own result; the dialog base returns it
    // the way the dialog manager expects for each message.
    EXPECT_EQ(SendMessageW(onOwner.Handle(), NameDialog::kAskResult, 0, 0), 1234);
    EXPECT_EQ(SendMessageW(onOwner.Handle(), WM_CTLCOLOREDIT, 0, 0),
              reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH)));

    onOwner.End(IDOK);
    EXPECT_EQ(onOwner.Handle(), nullptr) << "ending a modeless dialog destroys it";
    EXPECT_TRUE(onOwner.destroyed);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace typorama::ui
