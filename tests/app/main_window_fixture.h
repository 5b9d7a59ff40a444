// What the tests of the main window share: a scratch settings root and
// installation record, scripted answers to message boxes, the message pump,
// and the real main window opened hidden.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "settings/settings_store.h"
#include "support/scratch.h"
#include "ui/dialog.h"
#include "ui/message_box.h"

namespace typorama::test {

inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Waits until `window` is the only main window on the desktop, so that a
// second start cannot pick another test's window.
inline bool OnlyMainWindow(HWND window) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND first = FindWindowExW(nullptr, nullptr, app::kMainWindowClass, nullptr);
        if (first == window && !FindWindowExW(nullptr, first, app::kMainWindowClass, nullptr)) return true;
        Sleep(100);
    }
    return false;
}

// Answers every message box with `answer`, keeping the texts and flags asked.
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(int answer) {
        ui::SetMessageAnswerer([this, answer](const std::wstring& text, const std::wstring&, UINT boxFlags) {
            asked.push_back(text);
            flags.push_back(boxFlags);
            return answer;
        });
    }
    ~ScriptedAnswers() { ui::SetMessageAnswerer({}); }
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;
    std::vector<std::wstring> asked;
    std::vector<UINT> flags;
};

// Each test reads and writes its settings and installation record under
// scratch keys of its own (<name>-settings, <name>-version); the answerers
// it may have left are taken back at its end.
class MainWindowFixture : public ::testing::Test {
protected:
    explicit MainWindowFixture(const std::wstring& name)
        : settingsKey_(name + L"-settings"), versionKey_(name + L"-version") {
        settings::SetActiveSettingsRoot(SettingsRoot());
        settings::SetActiveVersionKey({HKEY_CURRENT_USER, versionKey_.SubKey()});
    }
    ~MainWindowFixture() override {
        ui::SetModalHook({});
        ui::SetMessageAnswerer({});
        settings::SetActiveSettingsRoot(settings::DefaultSettingsRoot());
        settings::SetActiveVersionKey(settings::DefaultVersionKey());
    }

    settings::SettingsRoot SettingsRoot() const { return {HKEY_CURRENT_USER, settingsKey_.SubKey()}; }
    // The settings key opened (and created) for reading and writing.
    settings::TRegistryEx Settings(std::wstring_view subKey = L"") const {
        settings::TRegistryEx reg(SettingsRoot());
        reg.OpenKey(subKey, true);
        return reg;
    }

    // The real main window on `folder` (empty: the loaded fonts), hidden;
    // null when it could not be created.
    static std::unique_ptr<app::TfrmMain> OpenHidden(const std::wstring& folder = L"",
                                                     const catalog::SystemLocations& where = catalog::Locations()) {
        auto main = std::make_unique<app::TfrmMain>(where);
        main->QuitOnDestroy = false;
        if (!main->Create(folder, SW_HIDE)) return nullptr;
        return main;
    }
    // Closes without the question about tags.
    static void CloseUntagged(std::unique_ptr<app::TfrmMain>& main) {
        if (!main) return;
        for (int i = 0; i < main->FontList().Count(); ++i) main->FontList()[i].Tagged = false;
        main.reset();
    }

    ScratchKey settingsKey_;
    ScratchKey versionKey_;
};

// Hands each modal dialog of the program to `answer` and counts them; the hook
// goes at the end of the scope.
class ModalAnswers {
public:
    explicit ModalAnswers(std::function<void(ui::Dialog&)> answer) {
        ui::SetModalHook([this, answer = std::move(answer)](ui::Dialog& dialog) {
            ++shown;
            answer(dialog);
            // A failed assertion left the dialog open: end it, or the test would hang.
            if (::testing::Test::HasFatalFailure()) PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        });
    }
    ~ModalAnswers() { ui::SetModalHook({}); }
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;
    int shown = 0;
};

}  // namespace typorama::test
