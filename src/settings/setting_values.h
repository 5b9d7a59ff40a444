// Plain settings values declared once: a table of (name, field, range) per
// owner of the values. Reading (kept to the range), writing and anything else
// that lists the values go through the table, so a value is never named twice.
// The default of a value is its field's initial value: reads keep the field as
// it is when the value is missing or unusable.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "settings/settings_store.h"

namespace typorama::settings {

// One plain value of the open key: its registry name, the field of `Owner`
// that holds it (its type gives the registry type: REG_DWORD 1/0 for bool,
// REG_DWORD for numbers (std::int32_t) and for program colours (std::uint32_t,
// see TRegistryEx::ReadColorDef), REG_SZ for text) and, for numbers, the
// values it may take.
template <typename Owner>
struct ValueSetting {
    using Field = std::variant<bool Owner::*, std::int32_t Owner::*, std::uint32_t Owner::*, std::wstring Owner::*>;
    std::wstring_view name;
    Field field;
    IntRange range = kAnyInteger;
};

// The text branch of the two loops below, kept out of line: every owner's
// loop has one, also an owner without text fields, and the compiler would
// otherwise warn about string code it cannot prove is never reached there.
void ReadTextValue(const TRegistryEx& reg, std::wstring_view name, std::wstring& field);
bool WriteTextValue(TRegistryEx& reg, std::wstring_view name, const std::wstring& field);

// Reads every value of `values` from the open key of `reg` into `owner`.
template <typename Owner>
void ReadValues(const TRegistryEx& reg, std::span<const ValueSetting<Owner>> values, Owner& owner) {
    for (const ValueSetting<Owner>& value : values) {
        std::visit(
            [&](auto member) {
                auto& field = owner.*member;
                using T = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<T, bool>) {
                    field = reg.ReadBoolDef(value.name, field);
                } else if constexpr (std::is_same_v<T, std::int32_t>) {
                    field = reg.ReadIntegerDef(value.name, field, value.range);
                } else if constexpr (std::is_same_v<T, std::uint32_t>) {
                    field = reg.ReadColorDef(value.name, field);
                } else {
                    ReadTextValue(reg, value.name, field);
                }
            },
            value.field);
    }
}

// Writes every value of `values` to the open key of `reg`, in table order;
// a failed write does not stop the rest and is noted in `outcome`.
template <typename Owner>
void WriteValues(TRegistryEx& reg, std::span<const ValueSetting<Owner>> values, const Owner& owner,
                 WriteOutcome& outcome) {
    for (const ValueSetting<Owner>& value : values) {
        const bool written = std::visit(
            [&](auto member) {
                const auto& field = owner.*member;
                using T = std::remove_cvref_t<decltype(field)>;
                if constexpr (std::is_same_v<T, bool>) {
                    return reg.WriteBool(value.name, field);
                } else if constexpr (std::is_same_v<T, std::int32_t>) {
                    return reg.WriteInteger(value.name, field);
                } else if constexpr (std::is_same_v<T, std::uint32_t>) {
                    return reg.WriteColor(value.name, field);
                } else {
                    return WriteTextValue(reg, value.name, field);
                }
            },
            value.field);
        if (!written) outcome.Fail(reg.LastError());
    }
}

}  // namespace typorama::settings
