#include "settings/settings_export.h"

#include <optional>

#include "settings/reg_script.h"
#include "win/registry.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::settings {
namespace {

std::optional<RegHive> HiveOf(HKEY root) {
    if (root == HKEY_CLASSES_ROOT) return RegHive::ClassesRoot;
    if (root == HKEY_CURRENT_USER) return RegHive::CurrentUser;
    if (root == HKEY_LOCAL_MACHINE) return RegHive::LocalMachine;
    if (root == HKEY_USERS) return RegHive::Users;
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

std::wstring SettingsScript(const SettingsRoot& settings) {
    std::wstring text = win::ToWide(kRegScriptHeader);
    ExportRegistryKey(settings.root, settings.path, true, text);
    return text;
}

bool SaveTextToFile(std::wstring_view text, const std::wstring& fileName, DWORD* error) {
    std::string bytes = win::WideToAnsi(text);
    DWORD status = ERROR_SUCCESS;
    win::UniqueFile file(CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        status = GetLastError();
    } else {
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            status = GetLastError();
        else if (written != bytes.size())
            status = ERROR_WRITE_FAULT;
        file.reset();
    }
    if (error) *error = status;
    SetLastError(status);
    return status == ERROR_SUCCESS;
}

}  // namespace typorama::settings
