// The button bar: a toolbar control docked at the top (hidden while none of
// its commands exists), its customise command and its stored layout.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/feature.h"

namespace typorama::ui {
class Toolbar;
}

namespace typorama::app {

class TfrmMain;

class ButtonBar : public WindowFeature {
public:
    explicit ButtonBar(TfrmMain& host);
    ~ButtonBar() override;

    // The bar's window; null when it could not be made.
    HWND Hwnd() const;
    // The buttons the bar holds until the user changes them: command ids, 0
    // for a separator.
    static const std::vector<UINT>& DefaultLayout();
    // The layout is kept in this subkey of the settings root.
    static constexpr wchar_t kSettingsKey[] = L"Toolbar";

private:
    void ShowCommandStates();

    TfrmMain& host_;
    std::unique_ptr<ui::Toolbar> toolbar_;
};

}  // namespace typorama::app
