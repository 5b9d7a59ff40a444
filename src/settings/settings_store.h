// The settings store: where the program's settings tree lives, the registry
// accessor every window uses (reads that never fail, typed writes, font
// settings), and the convention for lists (a subkey with "Count" and the
// entries "0", "1", ... or "Title0", "CmdLine0", ...).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "win/unique_handle.h"

namespace typorama::settings {

// A registry key given as a hive (or any open key) and a path below it.
struct SettingsRoot {
    HKEY root = HKEY_CURRENT_USER;
    std::wstring path;

    // The key `subKey` below this one (this one itself for an empty subKey).
    SettingsRoot Below(std::wstring_view subKey) const;
};

// HKEY_CURRENT_USER\SOFTWARE\Halcyon Works\Typorama\1.0\Settings.
SettingsRoot DefaultSettingsRoot();
// HKEY_LOCAL_MACHINE\SOFTWARE\Halcyon Works\Typorama\1.0, the installation record.
SettingsRoot DefaultVersionKey();

// The settings root in force: the default unless replaced (tests point it at a
// scratch key). Every TRegistryEx made without a base opens below it.
const SettingsRoot& ActiveSettingsRoot();
void SetActiveSettingsRoot(SettingsRoot root);
// The installation record in force (tests point it at a scratch key too).
const SettingsRoot& ActiveVersionKey();
void SetActiveVersionKey(SettingsRoot key);

// Subkeys of the settings root that hold lists, and how many entries of each
// are loaded at most.
inline constexpr wchar_t kDestinationsKey[] = L"Destinations";
inline constexpr wchar_t kFavoritesKey[] = L"Favorites";
inline constexpr wchar_t kProgramsKey[] = L"Programs";
inline constexpr wchar_t kStringsKey[] = L"Strings";
inline constexpr std::size_t kDestinationsCap = 50;
inline constexpr std::size_t kFavoritesCap = 50;
inline constexpr std::size_t kStringsCap = 50;
inline constexpr std::size_t kProgramsCap = 25;
inline constexpr wchar_t kCountValue[] = L"Count";
inline constexpr wchar_t kStringsDefaultValue[] = L"Default";

// The values a stored integer may take. Every integer read names its range,
// so that a number someone put into the registry by hand (a FontSize near
// INT_MAX, a Count of millions) never reaches the program's arithmetic.
struct IntRange {
    std::int32_t min;
    std::int32_t max;
    std::int32_t Clamp(std::int32_t value) const { return std::clamp(value, min, max); }
};
// Every 32-bit value: for numbers whose every bit pattern means something,
// or that the caller checks itself right after the read.
inline constexpr IntRange kAnyInteger{INT32_MIN, INT32_MAX};
// A window coordinate or size in pixels: the window messages carry them as
// 16-bit signed numbers.
inline constexpr IntRange kCoordinateRange{-32768, 32767};
// A choice stored as a number from 0 to 255.
inline constexpr IntRange kByteRange{0, 255};
// Point sizes of stored fonts: what the system's font dialog accepts.
inline constexpr IntRange kPointSizeRange{1, 1638};
// The highest system colour index a stored colour may name (COLOR_MENUBAR).
inline constexpr std::uint32_t kMaxSystemColorIndex = 30;

// The outcome of a series of settings writes: the first failure's system
// error code, so that a save whose every write fails reports once.
struct WriteOutcome {
    DWORD error = ERROR_SUCCESS;
    // A write failed with `code`; only the first failure is kept.
    void Fail(DWORD code) {
        if (error == ERROR_SUCCESS) error = code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT;
    }
    void Add(const WriteOutcome& other) {
        if (other.Failed()) Fail(other.error);
    }
    bool Failed() const { return error != ERROR_SUCCESS; }
};

// A font as the settings keep it: the logical font that draws it, its colour
// (a program colour value, 0x80000000 + n for system colour n) and the
// resolution that relates the point size to lfHeight.
struct FontSettings {
    LOGFONTW logFont{};
    std::uint32_t color = 0;
    int pixelsPerInch = 96;

    std::wstring FaceName() const;
    void SetFaceName(std::wstring_view name);  // cut to LF_FACESIZE - 1 characters
    // Size in points, from and to the character height in lfHeight.
    int PointSize() const;
    void SetPointSize(int points);
    bool Bold() const { return logFont.lfWeight >= FW_BOLD; }
    bool Italic() const { return logFont.lfItalic != 0; }
};

// The registry accessor. It opens one key at a time below its base key; every
// path it takes is relative to the base ("" is the base itself). Reads never
// fail: they give the caller's default instead. Operations that can fail
// return false and leave the system's error code in LastError().
class TRegistryEx {
public:
    TRegistryEx() : TRegistryEx(ActiveSettingsRoot()) {}
    explicit TRegistryEx(SettingsRoot base) : base_(std::move(base)) {}

    const SettingsRoot& Base() const { return base_; }

    // Opens base\subKey for reading and writing, creating it when allowed.
    bool OpenKey(std::wstring_view subKey, bool canCreate);
    bool OpenKeyReadOnly(std::wstring_view subKey);
    void CloseKey();
    bool IsOpen() const { return static_cast<bool>(key_); }
    HKEY CurrentKey() const { return key_.get(); }
    const std::wstring& CurrentPath() const { return currentPath_; }
    DWORD LastError() const { return lastError_; }

    // Keys below the base, whether or not a key is open.
    bool CreateKey(std::wstring_view subKey);
    bool KeyExists(std::wstring_view subKey) const;
    bool DeleteKey(std::wstring_view subKey);  // with everything below it; a missing key counts as deleted

    // The open key's values and subkeys (empty when no key is open).
    std::vector<std::wstring> GetValueNames() const;
    std::vector<std::wstring> GetKeyNames() const;
    bool ValueExists(std::wstring_view name) const;
    bool DeleteValue(std::wstring_view name);

    bool WriteInteger(std::wstring_view name, std::int32_t value);
    bool WriteColor(std::wstring_view name, std::uint32_t value);
    bool WriteBool(std::wstring_view name, bool value);  // 1 or 0
    bool WriteString(std::wstring_view name, std::wstring_view value);
    bool WriteBinaryData(std::wstring_view name, std::span<const std::uint8_t> data);

    // The first four bytes of the value whatever its type, kept within
    // `range`; `def` when the value is missing or longer than four bytes.
    std::int32_t ReadIntegerDef(std::wstring_view name, std::int32_t def, IntRange range) const;
    // A program colour: an RGB value (0x00BBGGRR) or 0x80000000 + a system
    // colour index up to kMaxSystemColorIndex; `def` for anything else.
    std::uint32_t ReadColorDef(std::wstring_view name, std::uint32_t def) const;
    // As ReadIntegerDef; true when the lowest byte is not 0 (256 reads as false).
    bool ReadBoolDef(std::wstring_view name, bool def) const;
    // A string value's text up to its first NUL; `def` when the value is
    // missing, empty (no bytes at all) or not a string.
    std::wstring ReadStringDef(std::wstring_view name, std::wstring_view def) const;
    std::optional<std::vector<std::uint8_t>> ReadBinaryData(std::wstring_view name) const;

    // prefix + "名称" face name, "字号" size in points, "颜色" colour, "粗体"
    // bold, "斜体" italic, written in that order. Underline and strike-out are
    // not kept.
    bool WriteFontSettings(std::wstring_view prefix, const FontSettings& font);
    // Each value defaults to the font's own attribute; bold and italic are only
    // ever added (a stored false leaves a style the font already has). The
    // size is kept within kPointSizeRange.
    void ReadFontSettings(std::wstring_view prefix, FontSettings& font) const;

private:
    bool Open(std::wstring_view subKey, REGSAM access, bool canCreate);
    bool Fail(LSTATUS status) const;
    bool SetValue(std::wstring_view name, DWORD type, const void* data, DWORD size);

    SettingsRoot base_;
    win::UniqueKey key_;
    std::wstring currentPath_;
    mutable DWORD lastError_ = ERROR_SUCCESS;
};

// Lists in the open key of `reg`. A missing or non-positive Count is an empty
// list, a missing entry an empty string, entries beyond `cap` are not read.
// (`cap` also bounds the work: no more than `cap` values are ever asked for.)
std::vector<std::wstring> ReadListValues(const TRegistryEx& reg, std::size_t cap);
// Records: one value per field and entry, named field + index; each record
// holds its fields in the order of `fields`.
std::vector<std::vector<std::wstring>> ReadRecordListValues(const TRegistryEx& reg,
                                                            std::span<const std::wstring_view> fields,
                                                            std::size_t cap);
// Writes "0", "1", ... then Count.
bool WriteListValues(TRegistryEx& reg, std::span<const std::wstring> entries);
// Writes, entry by entry, each field + index in the order of `fields`, then Count.
bool WriteRecordListValues(TRegistryEx& reg, std::span<const std::wstring_view> fields,
                           std::span<const std::vector<std::wstring>> records);

// Whole list subkeys below `root`. Loading opens the subkey without creating
// it; a subkey that cannot be opened is an empty list.
std::vector<std::wstring> LoadList(const SettingsRoot& root, std::wstring_view subKey, std::size_t cap);
std::vector<std::vector<std::wstring>> LoadRecordList(const SettingsRoot& root, std::wstring_view subKey,
                                                      std::span<const std::wstring_view> fields, std::size_t cap);
// Saving deletes the subkey and writes it anew, so removed entries vanish; an
// empty list leaves no subkey at all. A failure leaves the system's error
// code in `error` when given.
bool SaveList(const SettingsRoot& root, std::wstring_view subKey, std::span<const std::wstring> entries,
              DWORD* error = nullptr);
bool SaveRecordList(const SettingsRoot& root, std::wstring_view subKey, std::span<const std::wstring_view> fields,
                    std::span<const std::vector<std::wstring>> records, DWORD* error = nullptr);

// The sample strings are the exception: their subkey also holds "Default" (the
// current text), is opened with creation when loading and is always written,
// with Count 0 when the list is empty.
struct SampleStrings {
    std::wstring current;
    std::vector<std::wstring> items;
};
SampleStrings LoadSampleStrings(const SettingsRoot& root, std::wstring_view defaultCurrent);
bool SaveSampleStrings(const SettingsRoot& root, const SampleStrings& strings, DWORD* error = nullptr);

}  // namespace typorama::settings
