// The print dialog's values under the settings root's subkey "Print": read
// when the dialog opens, written whenever it closes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "settings/settings_store.h"

namespace typorama::output {

inline constexpr std::wstring_view kPrintSettingsKey = L"Print";

struct PrintSettings {
    std::wstring ShortText1;      // one-line sample text
    std::wstring ParagraphText1;  // paragraph sample text
    bool AutoMargins = true;      // centre the sheet on the paper
    std::int32_t LeftMargin = 20;  // mm, when not centred
    std::int32_t TopMargin = 10;
    std::int32_t PauseAfter = 0;  // pages; 0 never

    // The defaults, the two texts from the string table.
    static PrintSettings Defaults();
};

// The saved values; a missing or unusable one keeps its default.
PrintSettings ReadPrintSettings(const settings::SettingsRoot& root = settings::ActiveSettingsRoot());
settings::WriteOutcome WritePrintSettings(const PrintSettings& values,
                                          const settings::SettingsRoot& root = settings::ActiveSettingsRoot());

}  // namespace typorama::output
