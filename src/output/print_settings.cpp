#include "output/print_settings.h"

#include <array>

#include "settings/setting_values.h"
#include "ui/resource.h"
#include "win/resource_strings.h"

namespace typorama::output {
namespace {

using settings::IntRange;
using settings::ValueSetting;

const std::array<ValueSetting<PrintSettings>, 6> kValues = {{
    {L"ShortText1", &PrintSettings::ShortText1},
    {L"ParagraphText1", &PrintSettings::ParagraphText1},
    {L"AutoMargins", &PrintSettings::AutoMargins},
    {L"LeftMargin", &PrintSettings::LeftMargin, IntRange{0, 999}},
    {L"TopMargin", &PrintSettings::TopMargin, IntRange{0, 999}},
    {L"PauseAfter", &PrintSettings::PauseAfter, IntRange{0, 9999}},
}};

}  // namespace

PrintSettings PrintSettings::Defaults() {
    PrintSettings values;
    values.ShortText1 = win::LoadResString(IDS_PRINT_DEFAULT_SHORT);
    values.ParagraphText1 = win::LoadResString(IDS_PRINT_DEFAULT_PARAGRAPH);
    return values;
}

PrintSettings ReadPrintSettings(const settings::SettingsRoot& root) {
    PrintSettings values = PrintSettings::Defaults();
    settings::TRegistryEx reg(root);
    if (reg.OpenKeyReadOnly(kPrintSettingsKey)) settings::ReadValues<PrintSettings>(reg, kValues, values);
    return values;
}

settings::WriteOutcome WritePrintSettings(const PrintSettings& values, const settings::SettingsRoot& root) {
    settings::WriteOutcome outcome;
    settings::TRegistryEx reg(root);
    if (!reg.OpenKey(kPrintSettingsKey, true)) {
        outcome.Fail(reg.LastError());
        return outcome;
    }
    settings::WriteValues<PrintSettings>(reg, kValues, values, outcome);
    return outcome;
}

}  // namespace typorama::output
