// The window's own commands: help, web pages, about, settings export, close.
#pragma once

#include "app/feature.h"

namespace typorama::app {

class TfrmMain;

class WindowCommands : public WindowFeature {
public:
    explicit WindowCommands(TfrmMain& host);

    // "保存设置到文件...": exports the settings tree to a .reg file the user picks.
    void SaveSettingsToFile();

private:
    TfrmMain& host_;
};

}  // namespace typorama::app
