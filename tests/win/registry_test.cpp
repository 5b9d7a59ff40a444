// The registry module against a scratch key: opening with the reason of a
// failure, the typed string reads and their limits, raw reads, names.
#include "win/registry.h"

#include <gtest/gtest.h>

#include "support/scratch.h"

namespace typorama::win {
namespace {

// Writes exactly these bytes. The system counts a string's NUL when the caller
// left it out but it follows in memory, so the copy is followed by others.
void SetRaw(HKEY key, const wchar_t* name, DWORD type, std::vector<std::uint8_t> data) {
    const auto size = static_cast<DWORD>(data.size());
    data.insert(data.end(), {0xFF, 0xFF});
    ASSERT_EQ(WriteValue(key, name, type, data.data(), size), ERROR_SUCCESS);
}

std::vector<std::uint8_t> Utf16Bytes(std::wstring_view text) {
    auto bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return {bytes, bytes + text.size() * sizeof(wchar_t)};
}

TEST(Registry, OpensOrCreatesKeysAndSaysWhyNot) {
    test::ScratchKey scratch(L"registry-open");
    OpenedKey missing = OpenKey(scratch.Get(), L"A\\B", KEY_READ);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(scratch.Get(), L"A\\B"));

    OpenedKey made = OpenKey(scratch.Get(), L"A\\B", KEY_READ | KEY_WRITE, KeyMode::CreateIfMissing);
    ASSERT_TRUE(made);
    EXPECT_EQ(made.error, ERROR_SUCCESS);
    EXPECT_TRUE(KeyExists(scratch.Get(), L"A\\B")) << "the keys along the path are made";
    EXPECT_EQ(WriteString(made.get(), L"Text", L"x"), ERROR_SUCCESS);

    OpenedKey readOnly = OpenKey(scratch.Get(), L"A\\B", KEY_READ);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(WriteString(readOnly.get(), L"Text", L"y"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(WriteString(nullptr, L"Text", L"y"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(ReadString(readOnly.get(), L"Text"), L"x");

    EXPECT_EQ(DeleteTree(scratch.Get(), L"A"), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(scratch.Get(), L"A"));
}

TEST(Registry, ReadsStringsOfTheAskedTypesAsStored) {
    test::ScratchKey scratch(L"registry-strings");
    HKEY key = scratch.Get();
    SetRaw(key, L"Expand", REG_EXPAND_SZ, Utf16Bytes(std::wstring(L"%WINDIR%\\Fonts", 15)));
    SetRaw(key, L"Unterminated", REG_SZ, Utf16Bytes(L"abc"));
    SetRaw(key, L"Embedded", REG_SZ, Utf16Bytes(std::wstring(L"ab\0cd\0", 6)));
    SetRaw(key, L"Multi", REG_MULTI_SZ, Utf16Bytes(std::wstring(L"one\0two\0\0", 9)));
    SetRaw(key, L"Number", REG_DWORD, {1, 0, 0, 0});
    SetRaw(key, L"NoBytes", REG_SZ, {});

    EXPECT_EQ(ReadString(key, L"Expand"), L"%WINDIR%\\Fonts") << "never expanded";
    EXPECT_EQ(ReadString(key, L"Unterminated"), L"abc");
    EXPECT_EQ(ReadString(key, L"Embedded"), L"ab") << "cut at the first NUL";
    EXPECT_EQ(ReadString(key, L"Missing"), std::nullopt);
    EXPECT_EQ(ReadString(key, L"Number"), std::nullopt) << "a number is no text";
    EXPECT_EQ(ReadString(key, L"Multi"), std::nullopt) << "not asked for";
    EXPECT_EQ(ReadString(key, L"Multi", kAnyLength, kStringTypes | RRF_RT_REG_MULTI_SZ), L"one");
    EXPECT_EQ(ReadString(key, L"NoBytes"), L"");

    // The limit counts the text and its NUL, stored or not.
    EXPECT_EQ(ReadString(key, L"Unterminated", 4), L"abc");
    EXPECT_EQ(ReadString(key, L"Unterminated", 3), std::nullopt);
    ASSERT_EQ(WriteString(key, L"Terminated", L"abc"), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(key, L"Terminated", 4), L"abc");
    EXPECT_EQ(ReadString(key, L"Terminated", 3), std::nullopt);
    const std::wstring longText(40000, L'x');
    ASSERT_EQ(WriteString(key, L"Long", longText), ERROR_SUCCESS);
    EXPECT_EQ(ReadString(key, L"Long"), longText) << "no limit unless asked";

    // What the type and size queries and the raw read see: the bytes as stored.
    ASSERT_TRUE(QueryValue(key, L"NoBytes"));
    EXPECT_EQ(QueryValue(key, L"NoBytes")->size, 0u);
    EXPECT_EQ(QueryValue(key, L"Terminated")->size, 8u);
    EXPECT_EQ(QueryValue(key, L"Number")->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_FALSE(QueryValue(key, L"Missing"));
    auto raw = ReadRawValue(key, L"Unterminated");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw->data, Utf16Bytes(L"abc")) << "no NUL added";
    SetRaw(key, L"Link", REG_LINK, {1, 2});
    ASSERT_TRUE(ReadRawValue(key, L"Link"));
    EXPECT_EQ(ReadRawValue(key, L"Link")->type, static_cast<DWORD>(REG_LINK)) << "any type";
    EXPECT_EQ(ReadRawValue(key, L"Number", 4)->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_FALSE(ReadRawValue(key, L"Terminated", 4)) << "larger than asked";
}

TEST(Registry, ListsTheNamesOfValuesAndSubkeys) {
    test::ScratchKey scratch(L"registry-names");
    HKEY key = scratch.Get();
    EXPECT_TRUE(ValueNames(key).empty());
    const std::wstring longName(300, L'n');
    ASSERT_EQ(WriteString(key, longName, L""), ERROR_SUCCESS);
    ASSERT_EQ(WriteString(key, L"b", L""), ERROR_SUCCESS);
    ASSERT_TRUE(OpenKey(key, L"Sub", KEY_READ, KeyMode::CreateIfMissing));
    EXPECT_EQ(ValueNames(key), (std::vector<std::wstring>{L"b", longName}));
    EXPECT_EQ(SubkeyNames(key), std::vector<std::wstring>{L"Sub"});
    EXPECT_EQ(DeleteValue(key, L"b"), ERROR_SUCCESS);
    EXPECT_EQ(DeleteValue(key, L"b"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ValueNames(key), std::vector<std::wstring>{longName});
    EXPECT_TRUE(ValueNames(nullptr).empty());
}

}  // namespace
}  // namespace typorama::win
