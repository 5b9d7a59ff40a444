// System locations that point the catalogue at a scratch installed-font key.
#pragma once

#include <string>

#include "catalog/system_locations.h"
#include "support/scratch.h"

namespace typorama::catalog {

inline SystemLocations ScratchLocations(const test::ScratchKey& key, std::wstring fontsFolder) {
    SystemLocations where;
    where.fontsRoot = HKEY_CURRENT_USER;
    where.fontsKey = key.SubKey();
    where.fontsFolder = std::move(fontsFolder);
    return where;
}

}  // namespace typorama::catalog
