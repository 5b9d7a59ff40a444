// Export of scratch keys as registry scripts and the ANSI file they are saved
// in, read back byte for byte.
#include "settings/settings_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "win/wide.h"

namespace typorama::settings {
namespace {

std::string ReadFileBytes(const std::wstring& path) {
    win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes(file ? GetFileSize(file.get(), nullptr) : 0, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
        return "<cannot read>";
    return bytes;
}

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
    ASSERT_TRUE(SaveTextToFile(SettingsScript(root), file));
    std::string section = "[HKEY_CURRENT_USER\\" + win::WideToAnsi(scratch.SubKey());
    EXPECT_EQ(ReadFileBytes(file), "REGEDIT4\r\n\r\n" + section +
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
    ASSERT_TRUE(SaveTextToFile(SettingsScript({HKEY_CURRENT_USER, path + L"\\Missing"}), folder.Path() + L"m.reg"));
    EXPECT_EQ(ReadFileBytes(folder.Path() + L"m.reg"), "REGEDIT4\r\n\r\n") << "the header even for a missing key";
}

TEST(SettingsExport, SavesTextInTheAnsiCodePage) {
    test::ScratchFolder folder(L"export-ansi");
    const std::wstring text = L"\"Café\"=\"Crème 宋体\"\r\n";
    std::wstring file = folder.Path() + L"ansi.reg";
    folder.Write(L"ansi.reg", std::vector<std::uint8_t>(500, 'x'));
    ASSERT_TRUE(SaveTextToFile(text, file));
    std::string bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes, win::WideToAnsi(text)) << "an existing longer file is cut to the new text";
    if (GetACP() == 1252) {
        EXPECT_EQ(bytes, "\"Caf\xE9\"=\"Cr\xE8me ??\"\r\n") << "one byte a letter, '?' for what it lacks";
    } else if (GetACP() == 936) {
        EXPECT_NE(bytes.find("\xCB\xCE\xCC\xE5"), std::string::npos) << "宋体 in GBK";
    }

    DWORD error = 0;
    EXPECT_FALSE(SaveTextToFile(L"x", folder.Path() + L"no such folder\\x.reg", &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace typorama::settings
