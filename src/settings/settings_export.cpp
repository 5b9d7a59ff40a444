#include "settings/settings_export.h"

#include <optional>

#include "win/registry.h"
#include "win/unique_handle.h"
#include "win/whole_file.h"
#include "win/wide.h"

namespace typorama::settings {
namespace {

std::optional<RegHive> HiveOf(HKEY root) {
    for (RegHive hive : {RegHive::ClassesRoot, RegHive::CurrentUser, RegHive::LocalMachine, RegHive::Users})
        if (root == HiveKey(hive)) return hive;
    return std::nullopt;
}

// A value's type and bytes as stored; nothing when its type or size cannot be
// read (it may also have vanished since its name was listed).
std::optional<RegValue> ReadValue(HKEY key, const std::wstring& name) {
    std::optional<win::RawValue> raw = win::ReadRawValue(key, name);
    if (!raw) return std::nullopt;
    return RegValue{std::u16string(win::AsU16(name)), raw->type, std::move(raw->data)};
}

// Reads root\keyPath into `node` (its name is set by the caller); false when
// the key cannot be opened.
bool ReadKeyTree(HKEY root, const std::wstring& keyPath, bool recursive, RegKeyNode& node) {
    TRegistryEx reg(SettingsRoot{root, L""});
    if (!reg.OpenKeyReadOnly(keyPath)) return false;
    for (const std::wstring& name : reg.GetValueNames())
        if (auto value = ReadValue(reg.CurrentKey(), name)) node.values.push_back(std::move(*value));
    if (!recursive) return true;
    std::vector<std::wstring> subkeys = reg.GetKeyNames();
    reg.CloseKey();
    for (const std::wstring& name : subkeys) {
        RegKeyNode child{std::u16string(win::AsU16(name)), {}, {}};
        if (!ReadKeyTree(root, keyPath + L'\\' + name, true, child)) break;
        node.subkeys.push_back(std::move(child));
    }
    return true;
}

}  // namespace

bool ExportRegistryKey(HKEY root, std::wstring_view keyPath, bool recursive, std::wstring& text) {
    std::optional<RegHive> hive = HiveOf(root);
    if (!hive) return false;
    RegKeyNode top{std::u16string(win::AsU16(keyPath)), {}, {}};
    if (!ReadKeyTree(root, std::wstring(keyPath), recursive, top)) return false;
    std::u16string script;
    AppendRegKeySections(script, *hive, top);
    text += win::ToWide(script);
    return true;
}

std::string RegFileBytes(std::wstring_view body) {
    if (auto ansi = win::WideToAnsiExact(win::ToWide(kRegScriptHeader) + std::wstring(body))) return *ansi;
    return RegScriptUnicodeBytes(win::AsU16(body));
}

bool SaveBytesToFile(std::string_view bytes, const std::wstring& fileName, DWORD* error) {
    const DWORD status =
        win::WriteWholeFile(fileName, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    if (error) *error = status;
    return status == ERROR_SUCCESS;
}

SettingsExport ExportSettingsToFile(const std::wstring& fileName, const SettingsRoot& settings) {
    SettingsExport result;
    std::wstring body;
    // The header stands even when the settings key cannot be read.
    result.keyRead = ExportRegistryKey(settings.root, settings.path, true, body);
    std::string bytes = RegFileBytes(body);
    result.unicode = bytes.rfind("\xFF\xFE", 0) == 0;  // a REGEDIT4 file begins with 'R'
    SaveBytesToFile(bytes, fileName, &result.error);
    return result;
}

HKEY HiveKey(RegHive hive) {
    switch (hive) {
        case RegHive::ClassesRoot: return HKEY_CLASSES_ROOT;
        case RegHive::CurrentUser: return HKEY_CURRENT_USER;
        case RegHive::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RegHive::Users: return HKEY_USERS;
    }
    return nullptr;
}

}  // namespace typorama::settings
