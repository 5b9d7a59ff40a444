#include "settings/settings_store.h"

#include <algorithm>
#include <utility>

#include "settings/setting_values.h"
#include "win/registry.h"

namespace typorama::settings {
namespace {

constexpr wchar_t kSettingsPath[] = L"SOFTWARE\\Halcyon Works\\Typorama\\1.0\\Settings";
constexpr wchar_t kVersionPath[] = L"SOFTWARE\\Halcyon Works\\Typorama\\1.0";

SettingsRoot& Active() {
    static SettingsRoot active = DefaultSettingsRoot();
    return active;
}

std::wstring JoinPath(std::wstring_view base, std::wstring_view sub) {
    std::wstring path(base);
    if (!path.empty() && !sub.empty()) path += L'\\';
    path += sub;
    return path;
}

}  // namespace

namespace {

SettingsRoot& ActiveVersion() {
    static SettingsRoot key = DefaultVersionKey();
    return key;
}

}  // namespace

SettingsRoot SettingsRoot::Below(std::wstring_view subKey) const { return {root, JoinPath(path, subKey)}; }

SettingsRoot DefaultSettingsRoot() { return {HKEY_CURRENT_USER, kSettingsPath}; }
SettingsRoot DefaultVersionKey() { return {HKEY_LOCAL_MACHINE, kVersionPath}; }

const SettingsRoot& ActiveSettingsRoot() { return Active(); }
void SetActiveSettingsRoot(SettingsRoot root) { Active() = std::move(root); }

const SettingsRoot& ActiveVersionKey() { return ActiveVersion(); }
void SetActiveVersionKey(SettingsRoot key) { ActiveVersion() = std::move(key); }

// --- FontSettings ---

std::wstring FontSettings::FaceName() const {
    const wchar_t* name = logFont.lfFaceName;
    return {name, std::find(name, name + LF_FACESIZE, L'\0')};
}

void FontSettings::SetFaceName(std::wstring_view name) {
    std::size_t n = std::min<std::size_t>(name.size(), LF_FACESIZE - 1);
    std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0');
    std::copy_n(name.data(), n, logFont.lfFaceName);
}

int FontSettings::PointSize() const { return -MulDiv(logFont.lfHeight, 72, pixelsPerInch); }

void FontSettings::SetPointSize(int points) { logFont.lfHeight = -MulDiv(points, pixelsPerInch, 72); }

// --- TRegistryEx: keys ---

bool TRegistryEx::Fail(LSTATUS status) const {
    lastError_ = static_cast<DWORD>(status);
    return status == ERROR_SUCCESS;
}

bool TRegistryEx::OpenKey(std::wstring_view subKey, bool canCreate) {
    return Open(subKey, KEY_READ | KEY_WRITE, canCreate);
}

bool TRegistryEx::OpenKeyReadOnly(std::wstring_view subKey) { return Open(subKey, KEY_READ, false); }

bool TRegistryEx::Open(std::wstring_view subKey, REGSAM access, bool canCreate) {
    CloseKey();
    std::wstring path = JoinPath(base_.path, subKey);
    win::OpenedKey opened =
        win::OpenKey(base_.root, path, access, canCreate ? win::KeyMode::CreateIfMissing : win::KeyMode::OpenExisting);
    if (!Fail(opened.error)) return false;
    key_ = std::move(opened.key);
    currentPath_ = std::move(path);
    return true;
}

void TRegistryEx::CloseKey() {
    key_.reset();
    currentPath_.clear();
}

bool TRegistryEx::CreateKey(std::wstring_view subKey) {
    return Fail(win::OpenKey(base_.root, JoinPath(base_.path, subKey), KEY_READ, win::KeyMode::CreateIfMissing).error);
}

bool TRegistryEx::KeyExists(std::wstring_view subKey) const {
    return win::KeyExists(base_.root, JoinPath(base_.path, subKey));
}

bool TRegistryEx::DeleteKey(std::wstring_view subKey) {
    std::wstring path = JoinPath(base_.path, subKey);
    // An empty path would empty the whole hive.
    if (path.empty()) return Fail(ERROR_INVALID_PARAMETER);
    LSTATUS status = win::DeleteTree(base_.root, path);
    return Fail(status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status);
}

std::vector<std::wstring> TRegistryEx::GetValueNames() const { return win::ValueNames(key_.get()); }

std::vector<std::wstring> TRegistryEx::GetKeyNames() const { return win::SubkeyNames(key_.get()); }

bool TRegistryEx::ValueExists(std::wstring_view name) const {
    return key_ && win::QueryValue(key_.get(), name).has_value();
}

bool TRegistryEx::DeleteValue(std::wstring_view name) { return Fail(win::DeleteValue(key_.get(), name)); }

// --- TRegistryEx: writes ---

bool TRegistryEx::SetValue(std::wstring_view name, DWORD type, const void* data, DWORD size) {
    return Fail(win::WriteValue(key_.get(), name, type, data, size));
}

bool TRegistryEx::WriteInteger(std::wstring_view name, std::int32_t value) {
    DWORD data = static_cast<DWORD>(value);
    return SetValue(name, REG_DWORD, &data, sizeof data);
}

bool TRegistryEx::WriteColor(std::wstring_view name, std::uint32_t value) {
    return WriteInteger(name, static_cast<std::int32_t>(value));
}

bool TRegistryEx::WriteBool(std::wstring_view name, bool value) { return WriteInteger(name, value ? 1 : 0); }

bool TRegistryEx::WriteString(std::wstring_view name, std::wstring_view value) {
    return Fail(win::WriteString(key_.get(), name, value));
}

bool TRegistryEx::WriteBinaryData(std::wstring_view name, std::span<const std::uint8_t> data) {
    return SetValue(name, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
}

// --- TRegistryEx: reads that never fail ---

namespace {

// The first four bytes of a value whatever its type, zero-extended.
std::optional<std::uint32_t> ReadDword(HKEY key, std::wstring_view name) {
    if (!key) return std::nullopt;
    std::optional<win::RawValue> raw = win::ReadRawValue(key, name, sizeof(DWORD));
    if (!raw) return std::nullopt;
    DWORD data = 0;
    std::copy(raw->data.begin(), raw->data.end(), reinterpret_cast<std::uint8_t*>(&data));
    return data;
}

}  // namespace

std::int32_t TRegistryEx::ReadIntegerDef(std::wstring_view name, std::int32_t def, IntRange range) const {
    const std::optional<std::uint32_t> data = ReadDword(key_.get(), name);
    // Only what was stored is suspect; the caller's default is its own business.
    return data ? range.Clamp(static_cast<std::int32_t>(*data)) : def;
}

std::uint32_t TRegistryEx::ReadColorDef(std::wstring_view name, std::uint32_t def) const {
    const std::optional<std::uint32_t> data = ReadDword(key_.get(), name);
    if (!data) return def;
    const bool rgb = (*data & 0xFF000000u) == 0;
    const bool systemColor = (*data & 0xFF000000u) == 0x80000000u && (*data & 0x00FFFFFFu) <= kMaxSystemColorIndex;
    return rgb || systemColor ? *data : def;
}

bool TRegistryEx::ReadBoolDef(std::wstring_view name, bool def) const {
    const std::optional<std::uint32_t> data = ReadDword(key_.get(), name);
    return data ? (*data & 0xFF) != 0 : def;
}

std::wstring TRegistryEx::ReadStringDef(std::wstring_view name, std::wstring_view def) const {
    if (!key_) return std::wstring(def);
    // A value stored without any bytes counts as missing, unlike a stored empty text.
    std::optional<win::ValueInfo> info = win::QueryValue(key_.get(), name);
    if (!info || info->size == 0) return std::wstring(def);
    // The bytes of a number or a binary value are no text in UTF-16.
    std::optional<std::wstring> text =
        win::ReadString(key_.get(), name, win::kAnyLength, win::kStringTypes | RRF_RT_REG_MULTI_SZ);
    return text ? std::move(*text) : std::wstring(def);
}

std::optional<std::vector<std::uint8_t>> TRegistryEx::ReadBinaryData(std::wstring_view name) const {
    if (!key_) return std::nullopt;
    std::optional<win::RawValue> raw = win::ReadRawValue(key_.get(), name);
    if (!raw) return std::nullopt;
    return std::move(raw->data);
}

// --- Font settings ---

namespace {
constexpr wchar_t kFontName[] = L"名称";
constexpr wchar_t kFontSize[] = L"字号";
constexpr wchar_t kFontColor[] = L"颜色";
constexpr wchar_t kFontBold[] = L"粗体";
constexpr wchar_t kFontItalic[] = L"斜体";

std::wstring Named(std::wstring_view prefix, const wchar_t* suffix) { return std::wstring(prefix) + suffix; }
}  // namespace

bool TRegistryEx::WriteFontSettings(std::wstring_view prefix, const FontSettings& font) {
    return WriteString(Named(prefix, kFontName), font.FaceName()) &&
           WriteInteger(Named(prefix, kFontSize), font.PointSize()) &&
           WriteColor(Named(prefix, kFontColor), font.color) && WriteBool(Named(prefix, kFontBold), font.Bold()) &&
           WriteBool(Named(prefix, kFontItalic), font.Italic());
}

void TRegistryEx::ReadFontSettings(std::wstring_view prefix, FontSettings& font) const {
    font.SetFaceName(ReadStringDef(Named(prefix, kFontName), font.FaceName()));
    // Only a different size touches lfHeight, so that a font given by its cell
    // height (positive lfHeight) keeps it when nothing was stored.
    int points = ReadIntegerDef(Named(prefix, kFontSize), font.PointSize(), kPointSizeRange);
    if (points != font.PointSize()) font.SetPointSize(points);
    font.color = ReadColorDef(Named(prefix, kFontColor), font.color);
    if (ReadBoolDef(Named(prefix, kFontBold), font.Bold()) && !font.Bold()) font.logFont.lfWeight = FW_BOLD;
    if (ReadBoolDef(Named(prefix, kFontItalic), font.Italic())) font.logFont.lfItalic = TRUE;
}

// --- Lists ---

namespace {

std::size_t CountWithin(const TRegistryEx& reg, std::size_t cap) {
    const auto most = static_cast<std::int32_t>(std::min<std::size_t>(cap, INT32_MAX));
    return static_cast<std::size_t>(reg.ReadIntegerDef(kCountValue, 0, IntRange{0, most}));
}

}  // namespace

std::vector<std::wstring> ReadListValues(const TRegistryEx& reg, std::size_t cap) {
    std::vector<std::wstring> entries;
    const std::size_t n = CountWithin(reg, cap);
    entries.reserve(n);
    for (std::size_t i = 0; i < n; ++i) entries.push_back(reg.ReadStringDef(std::to_wstring(i), L""));
    return entries;
}

std::vector<std::vector<std::wstring>> ReadRecordListValues(const TRegistryEx& reg,
                                                            std::span<const std::wstring_view> fields,
                                                            std::size_t cap) {
    std::vector<std::vector<std::wstring>> records;
    const std::size_t n = CountWithin(reg, cap);
    records.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<std::wstring>& record = records.emplace_back();
        for (std::wstring_view field : fields)
            record.push_back(reg.ReadStringDef(std::wstring(field) + std::to_wstring(i), L""));
    }
    return records;
}

bool WriteListValues(TRegistryEx& reg, std::span<const std::wstring> entries) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!reg.WriteString(std::to_wstring(i), entries[i])) return false;
    return reg.WriteInteger(kCountValue, static_cast<std::int32_t>(entries.size()));
}

bool WriteRecordListValues(TRegistryEx& reg, std::span<const std::wstring_view> fields,
                           std::span<const std::vector<std::wstring>> records) {
    for (std::size_t i = 0; i < records.size(); ++i)
        for (std::size_t f = 0; f < fields.size(); ++f) {
            std::wstring_view text = f < records[i].size() ? std::wstring_view(records[i][f]) : std::wstring_view();
            if (!reg.WriteString(std::wstring(fields[f]) + std::to_wstring(i), text)) return false;
        }
    return reg.WriteInteger(kCountValue, static_cast<std::int32_t>(records.size()));
}

std::vector<std::wstring> LoadList(const SettingsRoot& root, std::wstring_view subKey, std::size_t cap) {
    TRegistryEx reg(root);
    if (!reg.OpenKeyReadOnly(subKey)) return {};
    return ReadListValues(reg, cap);
}

std::vector<std::vector<std::wstring>> LoadRecordList(const SettingsRoot& root, std::wstring_view subKey,
                                                      std::span<const std::wstring_view> fields, std::size_t cap) {
    TRegistryEx reg(root);
    if (!reg.OpenKeyReadOnly(subKey)) return {};
    return ReadRecordListValues(reg, fields, cap);
}

namespace {

// The result of a save; on failure the registry's error code goes to `error`.
bool Saved(bool ok, const TRegistryEx& reg, DWORD* error) {
    if (!ok && error) *error = reg.LastError() != ERROR_SUCCESS ? reg.LastError() : ERROR_INVALID_PARAMETER;
    return ok;
}

}  // namespace

bool SaveList(const SettingsRoot& root, std::wstring_view subKey, std::span<const std::wstring> entries,
              DWORD* error) {
    TRegistryEx reg(root);
    if (subKey.empty() || !reg.DeleteKey(subKey)) return Saved(false, reg, error);
    if (entries.empty()) return true;
    return Saved(reg.OpenKey(subKey, true) && WriteListValues(reg, entries), reg, error);
}

bool SaveRecordList(const SettingsRoot& root, std::wstring_view subKey, std::span<const std::wstring_view> fields,
                    std::span<const std::vector<std::wstring>> records, DWORD* error) {
    TRegistryEx reg(root);
    if (subKey.empty() || !reg.DeleteKey(subKey)) return Saved(false, reg, error);
    if (records.empty()) return true;
    return Saved(reg.OpenKey(subKey, true) && WriteRecordListValues(reg, fields, records), reg, error);
}

SampleStrings LoadSampleStrings(const SettingsRoot& root, std::wstring_view defaultCurrent) {
    TRegistryEx reg(root);
    if (!reg.OpenKey(kStringsKey, true)) return {std::wstring(defaultCurrent), {}};
    return {reg.ReadStringDef(kStringsDefaultValue, defaultCurrent), ReadListValues(reg, kStringsCap)};
}

bool SaveSampleStrings(const SettingsRoot& root, const SampleStrings& strings, DWORD* error) {
    TRegistryEx reg(root);
    return Saved(reg.DeleteKey(kStringsKey) && reg.OpenKey(kStringsKey, true) &&
                     reg.WriteString(kStringsDefaultValue, strings.current) && WriteListValues(reg, strings.items),
                 reg, error);
}

void ReadTextValue(const TRegistryEx& reg, std::wstring_view name, std::wstring& field) {
    field = reg.ReadStringDef(name, field);
}

bool WriteTextValue(TRegistryEx& reg, std::wstring_view name, const std::wstring& field) {
    return reg.WriteString(name, field);
}

}  // namespace typorama::settings
