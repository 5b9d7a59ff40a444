#include "cli/fonts_key_option.h"

#include "settings/settings_export.h"
#include "win/wide.h"

namespace typorama::cli {

bool ApplyFontsKeyOption(const std::wstring& text, catalog::SystemLocations& where) {
    auto key = settings::ParseRegKeyPath(win::AsU16(text));
    if (!key || (key->first != settings::RegHive::LocalMachine && key->first != settings::RegHive::CurrentUser))
        return false;
    where.fontsRoot = settings::HiveKey(key->first);
    where.fontsKey = win::ToWide(key->second);
    where.userFontsKey.clear();  // the list given is the only one
    return true;
}

}  // namespace typorama::cli
