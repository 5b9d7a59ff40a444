// The installed-font entries of a font as they were, so that a step that
// changes them and then fails can put them back exactly.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "catalog/system_locations.h"
#include "win/registry.h"

namespace typorama::tools {

// The entries of a font in the machine's list and the per-user one, each with
// its value name and stored text whatever their form (uninstalling removes
// each form that points at the file).
struct SavedEntries {
    struct Saved {
        HKEY root;
        std::wstring key;
        std::wstring name;
        win::RawValue value;
    };
    std::vector<Saved> values;

    static SavedEntries Read(const std::wstring& name, const catalog::SystemLocations& where) {
        SavedEntries saved;
        const std::wstring forms[4] = {name + L" (TrueType)", name + L" (True Type)", name + L" (OpenType)", name};
        for (const auto& [root, path] : {std::pair{where.fontsRoot, where.fontsKey},
                                         std::pair{where.userFontsRoot, where.userFontsKey}}) {
            if (path.empty()) continue;
            win::OpenedKey key = win::OpenKey(root, path, KEY_QUERY_VALUE);
            if (!key) continue;
            for (const std::wstring& form : forms)
                if (auto raw = win::ReadRawValue(key.get(), form, 64 * 1024))
                    saved.values.push_back({root, path, form, std::move(*raw)});
        }
        return saved;
    }

    // Writes back every saved entry that is gone now; false when one could not be.
    bool Restore() const {
        bool all = true;
        for (const Saved& entry : values) {
            win::OpenedKey key = win::OpenKey(entry.root, entry.key, KEY_QUERY_VALUE | KEY_SET_VALUE);
            if (!key) {
                all = false;
                continue;
            }
            if (win::ReadRawValue(key.get(), entry.name, 64 * 1024)) continue;
            all = win::WriteValue(key.get(), entry.name, entry.value.type, entry.value.data.data(),
                                  static_cast<DWORD>(entry.value.data.size())) == ERROR_SUCCESS &&
                  all;
        }
        return all;
    }
};

}  // namespace typorama::tools
