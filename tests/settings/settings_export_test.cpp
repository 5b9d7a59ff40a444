// Export of scratch keys as registry scripts, the file they are saved in read
// back byte for byte, and the file imported again by regedit.
#include "settings/settings_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/scratch.h"
#include "win/wide.h"

namespace typorama::settings {
namespace {

void SetRaw(HKEY key, const wchar_t* name, DWORD type, std::vector<std::uint8_t> data) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), 0);
}

std::vector<std::uint8_t> Utf16z(std::wstring_view text) {
    auto bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::vector<std::uint8_t> data(bytes, bytes + text.size() * sizeof(wchar_t));
    data.insert(data.end(), {0, 0});
    return data;
}

TEST(SettingsExport, WritesASettingsTreeByteForByte) {
    test::ScratchKey scratch(L"export-tree");
    test::ScratchFolder folder(L"export-tree");
    SettingsRoot root{HKEY_CURRENT_USER, scratch.SubKey()};
    TRegistryEx reg(root);
    ASSERT_TRUE(reg.OpenKey(L"", true) && reg.WriteInteger(L"FontSize", 36) &&
                reg.WriteString(L"LastUsedFolder", L"C:\\Fonts\\"));
    const std::wstring favorites[] = {L"D:\\Type"};
    ASSERT_TRUE(SaveList(root, kFavoritesKey, favorites));

    std::wstring file = folder.Path() + L"settings.reg";
    SettingsExport exported = ExportSettingsToFile(file, root);
    ASSERT_TRUE(exported.Saved());
    EXPECT_TRUE(exported.keyRead);
    EXPECT_FALSE(exported.unicode) << "every text fits the ANSI code page";
    std::string section = "[HKEY_CURRENT_USER\\" + win::WideToAnsi(scratch.SubKey());
    EXPECT_EQ(test::ReadFileBytes(file), "REGEDIT4\r\n\r\n" + section +
                                       "]\r\n\"FontSize\"=dword:00000024\r\n\"LastUsedFolder\"=\"C:\\\\Fonts\\\\\"\r\n\r\n" +
                                       section + "\\Favorites]\r\n\"0\"=\"D:\\\\Type\"\r\n\"Count\"=dword:00000001\r\n\r\n");
}

TEST(SettingsExport, WritesEachValueKindInItsOwnForm) {
    test::ScratchKey scratch(L"export-kinds");
    HKEY key = scratch.Get();
    SetRaw(key, L"Text", REG_SZ, Utf16z(L"a\\b\"c\r\nd\\n"));
    SetRaw(key, L"Back\\slash\"Name", REG_SZ, Utf16z(L"x"));
    SetRaw(key, L"", REG_SZ, Utf16z(L"unnamed"));
    SetRaw(key, L"Expand", REG_EXPAND_SZ, Utf16z(L"%SystemRoot%\\Fonts"));
    SetRaw(key, L"Dword", REG_DWORD, {0xFF, 0, 0, 0});
    SetRaw(key, L"Colour", REG_DWORD, {0x0F, 0, 0, 0x80});
    SetRaw(key, L"ShortDword", REG_DWORD, {0x34, 0x12});
    SetRaw(key, L"Bin", REG_BINARY, {0x01, 0xAB, 0x00});
    SetRaw(key, L"EmptyBin", REG_BINARY, {});
    SetRaw(key, L"Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});
    SetRaw(key, L"None", REG_NONE, {0x05});
    SetRaw(key, L"Resource", REG_RESOURCE_REQUIREMENTS_LIST, {0xC0, 0xDE});
    SetRaw(key, L"Qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    std::vector<std::uint8_t> big(300, 0x7E);
    SetRaw(key, L"Long", REG_BINARY, big);

    std::wstring text;
    ASSERT_TRUE(ExportRegistryKey(HKEY_CURRENT_USER, scratch.SubKey(), false, text));
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, crlf; (crlf = text.find(L"\r\n", start)) != std::wstring::npos; start = crlf + 2)
        lines.push_back(text.substr(start, crlf - start));
    std::wstring longLine = L"\"Long\"=hex:7E";
    for (int i = 1; i < 300; ++i) longLine += L",7E";  // one line however long: no continuation
    const std::wstring expected[] = {
        L"[HKEY_CURRENT_USER\\" + scratch.SubKey() + L"]",
        L"\"Text\"=\"a\\\\b\\\"c\\r\\nd\\\\n\"",
        L"\"Back\\\\slash\"Name\"=\"x\"",  // only the backslash of a name is escaped
        L"@=\"unnamed\"",
        L"\"Expand\"=\"%SystemRoot%\\\\Fonts\"",
        L"\"Dword\"=dword:000000FF",
        L"\"Colour\"=dword:8000000F",
        L"\"ShortDword\"=hex(4):34,12",  // "dword:" could not give the two bytes back
        L"\"Bin\"=hex:01,AB,00",
        L"\"EmptyBin\"=hex:",
        L"\"Multi\"=hex(7):61,00,00,00,00,00",
        L"\"None\"=hex(0):05",
        L"\"Resource\"=hex(10):C0,DE",
        longLine,
        L"",
    };
    EXPECT_EQ(lines.size(), std::size(expected)) << "the QWORD is left out:\n" << win::WideToUtf8(text);
    for (const std::wstring& line : expected)
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << "missing " << win::WideToUtf8(line);
    EXPECT_EQ(lines.front(), expected[0]);
    EXPECT_EQ(lines.back(), L"");
}

TEST(SettingsExport, WalksSubkeysDepthFirstAndSkipsMissingKeys) {
    test::ScratchKey scratch(L"export-depth");
    test::ScratchFolder folder(L"export-depth");
    const std::wstring path = scratch.SubKey();
    const std::wstring prefix = L"[HKEY_CURRENT_USER\\" + path;
    TRegistryEx reg({HKEY_CURRENT_USER, path});

    std::wstring text = L"kept";
    ASSERT_TRUE(ExportRegistryKey(HKEY_CURRENT_USER, path, true, text));
    EXPECT_EQ(text, L"kept" + prefix + L"]\r\n\r\n") << "an empty key: its section and one empty line";

    ASSERT_TRUE(reg.OpenKey(L"B\\D", true) && reg.WriteInteger(L"InD", 3));
    ASSERT_TRUE(reg.CreateKey(L"C\\E") && reg.OpenKey(L"", false) && reg.WriteInteger(L"Top", 1));
    reg.CloseKey();
    text.clear();
    ASSERT_TRUE(ExportRegistryKey(HKEY_CURRENT_USER, path, true, text));
    EXPECT_EQ(text, prefix + L"]\r\n\"Top\"=dword:00000001\r\n\r\n" + prefix + L"\\B]\r\n\r\n" + prefix +
                        L"\\B\\D]\r\n\"InD\"=dword:00000003\r\n\r\n" + prefix + L"\\C]\r\n\r\n" + prefix +
                        L"\\C\\E]\r\n\r\n");
    text.clear();
    ASSERT_TRUE(ExportRegistryKey(HKEY_CURRENT_USER, path, false, text));
    EXPECT_EQ(text, prefix + L"]\r\n\"Top\"=dword:00000001\r\n\r\n");

    text = L"kept";
    EXPECT_FALSE(ExportRegistryKey(HKEY_CURRENT_USER, path + L"\\Missing", true, text));
    EXPECT_FALSE(ExportRegistryKey(HKEY_CURRENT_CONFIG, L"Software", false, text));
    EXPECT_FALSE(ExportRegistryKey(scratch.Get(), L"", false, text)) << "an open key is no hive";
    EXPECT_EQ(text, L"kept");
    SettingsExport missing = ExportSettingsToFile(folder.Path() + L"m.reg", {HKEY_CURRENT_USER, path + L"\\Missing"});
    EXPECT_TRUE(missing.Saved());
    EXPECT_FALSE(missing.keyRead);
    EXPECT_EQ(test::ReadFileBytes(folder.Path() + L"m.reg"), "REGEDIT4\r\n\r\n") << "the header even for a missing key";
}

TEST(SettingsExport, WritesUnicodeOnlyWhenTheAnsiCodePageWouldLoseText) {
    const std::wstring fits = L"\"Caf\u00E9\"=\"Cr\u00E8me\"\r\n";
    EXPECT_EQ(RegFileBytes(fits), "REGEDIT4\r\n\r\n" + win::WideToAnsi(fits));

    // An emoji is in no ANSI code page; Chinese is not in 1252 and a letter that
    // 1252 would give as a look-alike ("a" for "\u0101") is lost all the same.
    std::vector<std::wstring> lossy = {L"\"0\"=\"Sample \U0001F600\"\r\n"};
    if (GetACP() == 1252) lossy.insert(lossy.end(), {L"\"0\"=\"D:\\\\\u5B57\u4F53\"\r\n", L"\"0\"=\"\u0101\"\r\n"});
    for (const std::wstring& body : lossy) {
        std::string bytes = RegFileBytes(body);
        std::wstring script = L"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n" + body;
        EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(script.data()), script.size() * sizeof(wchar_t)))
            << "UTF-16LE with a byte-order mark for " << win::WideToUtf8(body);
    }

    test::ScratchFolder folder(L"export-bytes");
    std::wstring file = folder.Path() + L"x.reg";
    folder.Write(L"x.reg", std::vector<std::uint8_t>(500, 'x'));
    ASSERT_TRUE(SaveBytesToFile("abc", file));
    EXPECT_EQ(test::ReadFileBytes(file), "abc") << "an existing longer file is cut to the new bytes";
    DWORD error = 0;
    EXPECT_FALSE(SaveBytesToFile("x", folder.Path() + L"no such folder\\x.reg", &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// Every value below `path` as "subkey\name" -> type and bytes, read with the
// plain registry API rather than the exporter under test.
using Snapshot = std::map<std::wstring, std::pair<DWORD, std::vector<std::uint8_t>>>;
void TakeSnapshot(const std::wstring& path, const std::wstring& below, Snapshot& out) {
    win::UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (path + below).c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    out[below + L"\\"] = {};  // the key itself, so that empty keys count too
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        DWORD type = 0;
        std::vector<std::uint8_t> data(1 << 16);
        DWORD size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        data.resize(size);
        out[below + L"\\" + std::wstring(name, nameLength)] = {type, data};
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(key.get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        TakeSnapshot(path, below + L"\\" + std::wstring(name, nameLength), out);
    }
}

std::string Describe(const std::pair<DWORD, std::vector<std::uint8_t>>& value) {
    const auto& [type, data] = value;
    if (type == REG_SZ)
        return "\"" + win::WideToUtf8({reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2}) + "\"";
    std::string text = "type " + std::to_string(type) + ":";
    for (std::uint8_t b : data) text += " " + std::to_string(b);
    return text;
}

TEST(SettingsExport, RegeditImportsTheFileWithEveryValueIntact) {
    for (bool unicode : {false, true}) {
        test::ScratchKey scratch(unicode ? L"export-import-unicode" : L"export-import-ansi");
        test::ScratchFolder folder(L"export-import");
        SettingsRoot root{HKEY_CURRENT_USER, scratch.SubKey()};
        HKEY key = scratch.Get();
        SetRaw(key, L"FontSize", REG_DWORD, {0x24, 0, 0, 0});
        SetRaw(key, L"ListColor", REG_DWORD, {0x0F, 0, 0, 0x80});
        SetRaw(key, L"LastUsedFolder", REG_SZ, Utf16z(L"C:\\Fonts\\"));
        SetRaw(key, L"Odd \\ name", REG_SZ, Utf16z(L"quote \" back \\ lines\r\nend"));
        SetRaw(key, L"Layout", REG_BINARY, {0x01, 0xAB, 0x00, 0xFF});
        SetRaw(key, L"Empty", REG_SZ, Utf16z(L""));
        std::vector<std::wstring> favorites = {L"D:\\Type", L"C:\\Users\\Public\\Fonts"};
        std::vector<std::wstring> strings = {L"The quick brown fox", L"\u00C0 bient\u00F4t"};
        if (unicode) {
            // A favourite folder and a sample string that no ANSI code page holds.
            favorites.push_back(L"D:\\\u5B57\u4F53 \u0101 \U0001F600");
            strings.push_back(L"\u6392\u7248 \u0413\u043B\u0438\u0444 \U0001F98A");
        }
        ASSERT_TRUE(SaveList(root, kFavoritesKey, favorites));
        ASSERT_TRUE(SaveList(root, kStringsKey, strings));
        TRegistryEx reg(root);
        ASSERT_TRUE(reg.CreateKey(L"Toolbar\\Empty"));
        reg.CloseKey();
        Snapshot before;
        TakeSnapshot(scratch.SubKey(), L"", before);

        std::wstring file = folder.Path() + L"settings.reg";
        SettingsExport exported = ExportSettingsToFile(file, root);
        ASSERT_TRUE(exported.Saved());
        EXPECT_EQ(exported.unicode, unicode);
        ASSERT_EQ(RegDeleteTreeW(key, nullptr), ERROR_SUCCESS);
        Snapshot emptied;
        TakeSnapshot(scratch.SubKey(), L"", emptied);
        ASSERT_EQ(emptied.size(), 1u) << "the scratch key is empty before the import";

        test::ProcessResult imported = test::RunProcess(L"regedit /S " + test::QuoteArgument(file));
        EXPECT_EQ(imported.exitCode, 0) << imported.err;
        Snapshot after;
        TakeSnapshot(scratch.SubKey(), L"", after);
        EXPECT_EQ(after.size(), before.size()) << (unicode ? "Unicode file" : "REGEDIT4 file");
        for (const auto& [name, value] : before) {
            auto found = after.find(name);
            ASSERT_NE(found, after.end()) << "lost " << win::WideToUtf8(name);
            EXPECT_EQ(found->second, value) << win::WideToUtf8(name) << ": " << Describe(found->second)
                                            << " instead of " << Describe(value);
        }
    }
}

}  // namespace
}  // namespace typorama::settings
