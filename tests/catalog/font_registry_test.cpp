// The installed-font list on a scratch key standing in for the system's, and the
// system font table with fonts made for the test (each family name is used by
// one test only: Wine quietly ignores a second load of a loaded family).
#include "catalog/font_registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

#include "catalog/font_file.h"
#include "catalog/scratch_locations.h"
#include "support/font_builder.h"
#include "support/scratch.h"

namespace typorama::catalog {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;
using test::ScratchKey;

// Writes a value exactly as given: `bytes` may leave out the terminating NUL.
void SetRaw(const ScratchKey& key, const std::wstring& name, DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(RegSetValueExW(key.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
}

void Set(const ScratchKey& key, const std::wstring& name, const std::wstring& data) {
    SetRaw(key, name, REG_SZ, data.c_str(), static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

bool HasValue(const ScratchKey& key, const std::wstring& name) {
    return RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// The stored data of a value including any NULs, as the registry holds it.
std::wstring Stored(const ScratchKey& key, const std::wstring& name) {
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return L"<no string value>";
    return std::wstring(buffer, size / sizeof(wchar_t));
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// A font file in the folder, not loaded by anything a failed earlier run left
// behind in the same Wine session.
std::wstring WriteFont(const ScratchFolder& dir, const std::wstring& fileName, const FontSpec& fontSpec) {
    std::wstring path = dir.Write(fileName, BuildFont(fontSpec));
    for (int i = 0; i < 10 && RemoveFontResourceW(path.c_str()); ++i) {
    }
    return path;
}

TEST(FontRegistryLookup, AcceptsTheThreeNameFormsInOrder) {
    ScratchKey key(L"registry-forms");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");
    Set(key, L"Alpha (True Type)", L"alpha.ttf");
    Set(key, L"Beta", L"D:\\Other\\beta.ttf");

    EXPECT_TRUE(IsInstalled(L"Alpha", L"", where));
    EXPECT_TRUE(IsInstalled(L"Alpha", L"c:\\FONTS\\ALPHA.ttf", where)) << "completed, compared ignoring case";
    EXPECT_FALSE(IsInstalled(L"Alpha", L"C:\\Fonts\\other.ttf", where));
    EXPECT_FALSE(IsInstalled(L"Alpha", L"alpha.ttf", where)) << "compared as completed, not as stored";
    EXPECT_EQ(RegisteredFile(L"Alpha", where), L"C:\\Fonts\\alpha.ttf");
    EXPECT_EQ(LookupFileName(L"Alpha", where), L"alpha.ttf") << "the stored text, not completed";

    EXPECT_TRUE(IsInstalled(L"Beta", L"", where));
    EXPECT_TRUE(IsInstalled(L"Beta", L"d:\\other\\Beta.TTF", where));
    EXPECT_EQ(RegisteredFile(L"Beta", where), L"D:\\Other\\beta.ttf");
    EXPECT_EQ(LookupFileName(L"Beta", where), L"") << "the bare name form is not a system font's file";

    EXPECT_FALSE(IsInstalled(L"Gamma", L"", where));
    EXPECT_EQ(RegisteredFile(L"Gamma", where), L"");
    Set(key, L"Gamma", L"g3.ttf");
    Set(key, L"Gamma (True Type)", L"g2.ttf");
    Set(key, L"Gamma (TrueType)", L"g1.ttf");
    EXPECT_EQ(RegisteredFile(L"Gamma", where), L"C:\\Fonts\\g1.ttf");
    EXPECT_EQ(LookupFileName(L"Gamma", where), L"g1.ttf");
    Set(key, L"Long", std::wstring(MAX_PATH + 5, L'x'));
    InstallState state = GetInstallState(L"Gamma", L"C:\\Fonts\\g2.ttf", where);
    EXPECT_TRUE(state.installed);
    EXPECT_FALSE(state.fromThisFile) << "only the first form found counts";
    // The list read once answers as the registry does, for every form and case.
    const InstalledFonts read(where);
    for (const wchar_t* name : {L"Alpha", L"ALPHA", L"Beta", L"Gamma", L"Delta", L"Long"})
        for (const wchar_t* file : {L"", L"C:\\Fonts\\g1.ttf", L"C:\\Fonts\\g2.ttf", L"c:\\fonts\\alpha.TTF"}) {
            const InstallState direct = GetInstallState(name, file, where);
            const InstallState cached = read.StateOf(name, file);
            EXPECT_EQ(cached.installed, direct.installed) << name << " " << file;
            EXPECT_EQ(cached.fromThisFile, direct.fromThisFile) << name << " " << file;
            EXPECT_EQ(cached.registeredFile, direct.registeredFile) << name << " " << file;
        }
    EXPECT_FALSE(read.StateOf(L"Long", L"").installed) << "a value too long to be a file is no entry";
    ASSERT_EQ(RegDeleteValueW(key.Get(), L"Gamma (TrueType)"), ERROR_SUCCESS);
    EXPECT_EQ(RegisteredFile(L"Gamma", where), L"C:\\Fonts\\g2.ttf");
    EXPECT_TRUE(GetInstallState(L"Gamma", L"C:\\Fonts\\g2.ttf", where).fromThisFile);
    ASSERT_EQ(RegDeleteValueW(key.Get(), L"Gamma (True Type)"), ERROR_SUCCESS);
    EXPECT_EQ(RegisteredFile(L"Gamma", where), L"C:\\Fonts\\g3.ttf");
    EXPECT_EQ(LookupFileName(L"Gamma", where), L"");
}

TEST(FontRegistryLookup, FindsAFaceInTheEntryOfItsCollection) {
    ScratchKey key(L"registry-collection");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");
    Set(key, L"SimSun & NSimSun (TrueType)", L"simsun.ttc");
    Set(key, L"Black & White", L"bw.ttf");

    EXPECT_TRUE(IsInstalled(L"NSimSun", L"C:\\Fonts\\simsun.ttc", where));
    EXPECT_EQ(LookupFileName(L"SimSun", where), L"simsun.ttc");
    EXPECT_EQ(LookupFileName(L"Sim", where), L"") << "a whole face name only";
    EXPECT_TRUE(IsInstalled(L"SimSun & NSimSun", L"", where)) << "the collection's own name";
    EXPECT_FALSE(IsInstalled(L"White", L"", where)) << "a bare name with an ampersand is one font";
    const InstalledFonts installed(where);
    EXPECT_TRUE(installed.StateOf(L"nsimsun", L"C:\\Fonts\\simsun.ttc").fromThisFile);
    EXPECT_FALSE(installed.StateOf(L"White", L"").installed);
}

TEST(FontRegistryLookup, CompletesOnlyValuesWithoutAFolderPart) {
    ScratchKey key(L"registry-complete");
    SystemLocations where = ScratchLocations(key, L"C:\\Windows\\Fonts\\");
    EXPECT_EQ(CompleteRegisteredFile(L"a.ttf", where), L"C:\\Windows\\Fonts\\a.ttf");
    EXPECT_EQ(CompleteRegisteredFile(L"sub\\a.ttf", where), L"sub\\a.ttf");
    EXPECT_EQ(CompleteRegisteredFile(L"D:a.ttf", where), L"D:a.ttf") << "a colon ends a folder part too";
    EXPECT_EQ(CompleteRegisteredFile(L"\\\\server\\share\\a.ttf", where), L"\\\\server\\share\\a.ttf");

    // Without a fonts folder a bare value stays a bare file name.
    SystemLocations noFolder = ScratchLocations(key, L"");
    Set(key, L"Bare (TrueType)", L"bare.ttf");
    EXPECT_EQ(RegisteredFile(L"Bare", noFolder), L"bare.ttf");
    EXPECT_TRUE(IsInstalled(L"Bare", L"BARE.TTF", noFolder));
}

TEST(FontRegistryLookup, ReadsTextUpToTheFirstNulAndTreatsOverlongValuesAsMissing) {
    ScratchKey key(L"registry-buffer");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");

    const wchar_t unterminated[] = {L'n', L'o', L'n', L'u', L'l', L'.', L't', L't', L'f'};
    SetRaw(key, L"NoNul (TrueType)", REG_SZ, unterminated, sizeof unterminated);
    EXPECT_EQ(LookupFileName(L"NoNul", where), L"nonul.ttf");
    const wchar_t embedded[] = L"first.ttf\0second.ttf";
    SetRaw(key, L"Embedded (TrueType)", REG_SZ, embedded, sizeof embedded);
    EXPECT_EQ(LookupFileName(L"Embedded", where), L"first.ttf");
    EXPECT_EQ(RegisteredFile(L"Embedded", where), L"C:\\Fonts\\first.ttf");

    // MAX_PATH characters are the most a stored file may have.
    std::wstring longest = L"D:\\" + std::wstring(MAX_PATH - 7, L'a') + L".ttf";
    ASSERT_EQ(longest.size(), std::size_t{MAX_PATH});
    Set(key, L"Longest (TrueType)", longest);
    EXPECT_EQ(RegisteredFile(L"Longest", where), longest);
    EXPECT_TRUE(IsInstalled(L"Longest", longest, where));

    std::wstring overlong = longest + L"x";
    Set(key, L"Overlong (TrueType)", overlong);
    EXPECT_FALSE(IsInstalled(L"Overlong", L"", where));
    EXPECT_EQ(RegisteredFile(L"Overlong", where), L"");
    EXPECT_EQ(LookupFileName(L"Overlong", where), L"");
    SetRaw(key, L"Unterminated (TrueType)", REG_SZ, overlong.data(),
           static_cast<DWORD>(overlong.size() * sizeof(wchar_t)));
    EXPECT_EQ(LookupFileName(L"Unterminated", where), L"") << "too long even without its NUL";
    Set(key, L"Huge (TrueType)", std::wstring(600, L'h'));
    EXPECT_FALSE(IsInstalled(L"Huge", L"", where));

    // A form that counts as missing lets the lookup go on to the next one.
    Set(key, L"Overlong (True Type)", L"short.ttf");
    EXPECT_EQ(RegisteredFile(L"Overlong", where), L"C:\\Fonts\\short.ttf");

    DWORD number = 5;
    SetRaw(key, L"Number (TrueType)", REG_DWORD, &number, sizeof number);
    EXPECT_FALSE(IsInstalled(L"Number", L"", where)) << "not a file name";
}

TEST(FontRegistryWrite, StoresJustTheNameOfAFileInTheFontsFolder) {
    ScratchKey key(L"registry-register");
    SystemLocations where = ScratchLocations(key, L"C:\\Windows\\Fonts\\");

    EXPECT_TRUE(RegisterFont(L"Inside", L"c:\\WINDOWS\\fonts\\inside.ttf", where));
    EXPECT_EQ(Stored(key, L"Inside (TrueType)"), std::wstring(L"inside.ttf\0", 11)) << "a string ending in a NUL";
    EXPECT_EQ(RegisteredFile(L"Inside", where), L"C:\\Windows\\Fonts\\inside.ttf");
    EXPECT_TRUE(IsInstalled(L"Inside", L"c:\\WINDOWS\\fonts\\inside.ttf", where));

    EXPECT_TRUE(RegisterFont(L"Below", L"C:\\Windows\\Fonts\\Sub\\below.ttf", where));
    EXPECT_EQ(LookupFileName(L"Below", where), L"C:\\Windows\\Fonts\\Sub\\below.ttf");
    EXPECT_TRUE(RegisterFont(L"Elsewhere", L"D:\\Fonts\\elsewhere.ttf", where));
    EXPECT_EQ(LookupFileName(L"Elsewhere", where), L"D:\\Fonts\\elsewhere.ttf");
    EXPECT_TRUE(RegisterFont(L"Prefix", L"C:\\Windows\\FontsX\\prefix.ttf", where));
    EXPECT_EQ(LookupFileName(L"Prefix", where), L"C:\\Windows\\FontsX\\prefix.ttf");

    EXPECT_TRUE(RegisterFont(L"Elsewhere", L"d:\\fonts\\ELSEWHERE.ttf", where)) << "the same file again";
    EXPECT_EQ(LookupFileName(L"Elsewhere", where), L"d:\\fonts\\ELSEWHERE.ttf");
    EXPECT_FALSE(HasValue(key, L"Elsewhere (True Type)"));
    EXPECT_FALSE(HasValue(key, L"Elsewhere"));
}

// A font's full name as a crafted file gives it, read the way install reads it.
std::wstring FullNameOf(const ScratchFolder& dir, const std::wstring& fileName, const std::u16string& fullName) {
    FontSpec fontSpec = FontSpec::Named(u"Typorama Registry Crafted");
    for (auto& entry : fontSpec.names)
        if (entry.nameId == 4 && entry.platformId == 3) entry.text = fullName;
    if (fullName.empty()) fontSpec.names.clear();
    TFontInfo info;
    EXPECT_TRUE(ReadFontInfo(dir.Write(fileName, BuildFont(fontSpec)), info));
    return info.FullName;
}

TEST(FontRegistryWrite, NamesFromFilesNeverReachAnotherFilesEntry) {
    ScratchFolder dir(L"registry-hostile");
    ScratchKey key(L"registry-hostile");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");
    const std::wstring mine = L"D:\\Mine\\mine.ttf";
    Set(key, L"Victim (TrueType)", L"victim.ttf");
    Set(key, L"Spaced (True Type)", L"spaced.ttf");

    // Cut at the NUL, its bare lookup form is the victim's entry.
    std::wstring suffixed = FullNameOf(dir, L"suffixed.ttf", std::u16string(u"Victim (TrueType)\0x", 19));
    ASSERT_EQ(suffixed.size(), 19u) << "the reader keeps the NUL";
    EXPECT_EQ(RegisterFont(suffixed, mine, where).status, EntryStatus::UnusableName);
    EXPECT_EQ(UnregisterFont(suffixed, L"C:\\Fonts\\victim.ttf", where).status, EntryStatus::UnusableName);
    EXPECT_EQ(UnregisterFont(suffixed, L"", where).status, EntryStatus::UnusableName);
    EXPECT_FALSE(IsInstalled(suffixed, L"", where)) << "the lookup does not take the victim's entry for it either";

    // Cut at the NUL, it is the victim's name: the entry belongs to another file.
    std::wstring impostor = FullNameOf(dir, L"impostor.ttf", std::u16string(u"Victim\0evil", 11));
    EXPECT_EQ(RegisterFont(impostor, mine, where).status, EntryStatus::OtherFilesEntry);
    EXPECT_EQ(CanRegisterFont(impostor, mine, where).status, EntryStatus::OtherFilesEntry);
    EXPECT_EQ(UnregisterFont(impostor, mine, where).status, EntryStatus::OtherFilesEntry);
    EXPECT_EQ(RegisterFont(L"Spaced", mine, where).status, EntryStatus::OtherFilesEntry) << "under any form";
    EXPECT_EQ(Stored(key, L"Victim (TrueType)"), std::wstring(L"victim.ttf\0", 11));
    EXPECT_EQ(Stored(key, L"Spaced (True Type)"), std::wstring(L"spaced.ttf\0", 11));
    EXPECT_FALSE(HasValue(key, L"Spaced (TrueType)"));

    // A trailing NUL: registered with its suffix, found and removed by the same name.
    std::wstring trailing = FullNameOf(dir, L"trailing.ttf", std::u16string(u"Trail\0", 6));
    EntryResult written = RegisterFont(trailing, mine, where);
    EXPECT_TRUE(written);
    EXPECT_EQ(written.valueName, L"Trail (TrueType)");
    EXPECT_FALSE(HasValue(key, L"Trail"));
    EXPECT_TRUE(IsInstalled(trailing, mine, where));
    EXPECT_TRUE(UnregisterFont(trailing, mine, where));
    EXPECT_FALSE(HasValue(key, L"Trail (TrueType)"));

    // No name at all: refused, and nothing is written under the bare suffix.
    std::wstring nameless = FullNameOf(dir, L"nameless.ttf", u"");
    EXPECT_EQ(nameless, L"");
    EXPECT_EQ(RegisterFont(nameless, mine, where).status, EntryStatus::NoFullName);
    EXPECT_EQ(RegisterFont(std::wstring(L"\0Hidden", 7), mine, where).status, EntryStatus::NoFullName);
    EXPECT_EQ(UnregisterFont(nameless, L"", where).status, EntryStatus::NoFullName);
    EXPECT_FALSE(HasValue(key, L" (TrueType)"));
}

TEST(FontRegistryWrite, WritesOnlyWhatTheLookupReadsBackAndRemovesLongerEntries) {
    ScratchKey key(L"registry-long-path");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");
    std::wstring longest = L"D:\\" + std::wstring(MAX_PATH - 7, L'a') + L".ttf";
    std::wstring overlong = L"D:\\" + std::wstring(MAX_PATH - 6, L'a') + L".ttf";
    ASSERT_EQ(overlong.size(), std::size_t{MAX_PATH + 1});

    EXPECT_TRUE(RegisterFont(L"Longest", longest, where));
    EXPECT_TRUE(IsInstalled(L"Longest", longest, where));
    EXPECT_EQ(RegisterFont(L"Overlong", overlong, where).status, EntryStatus::PathTooLong);
    EXPECT_EQ(CanRegisterFont(L"Overlong", overlong, where).status, EntryStatus::PathTooLong);
    EXPECT_FALSE(HasValue(key, L"Overlong (TrueType)"));

    // Written by someone else: invisible to the lookup, yet neither taken over
    // nor beyond removal by the file it names.
    Set(key, L"Overlong (TrueType)", overlong);
    EXPECT_FALSE(IsInstalled(L"Overlong", L"", where));
    EXPECT_EQ(RegisterFont(L"Overlong", L"D:\\short.ttf", where).status, EntryStatus::OtherFilesEntry);
    EXPECT_EQ(UnregisterFont(L"Overlong", L"D:\\short.ttf", where).status, EntryStatus::OtherFilesEntry);
    EXPECT_TRUE(UnregisterFont(L"Overlong", overlong, where));
    EXPECT_FALSE(HasValue(key, L"Overlong (TrueType)"));

    // Skipped by the lookup, the long entry does not hide the one behind it.
    Set(key, L"Skip (TrueType)", overlong);
    Set(key, L"Skip (True Type)", L"skip.ttf");
    EXPECT_TRUE(UnregisterFont(L"Skip", L"C:\\Fonts\\skip.ttf", where));
    EXPECT_FALSE(HasValue(key, L"Skip (True Type)"));
    EXPECT_TRUE(HasValue(key, L"Skip (TrueType)"));

    // By file: every entry that points at it, under whatever name.
    Set(key, L" (TrueType)", L"gone.ttf");
    Set(key, L"Gone (TrueType)", L"c:\\FONTS\\Gone.ttf");
    Set(key, L"Kept (TrueType)", L"kept.ttf");
    std::vector<std::wstring> removed = UnregisterFile(overlong, where);
    EXPECT_EQ(removed, (std::vector<std::wstring>{L"Skip (TrueType)"}));
    removed = UnregisterFile(L"C:\\Fonts\\gone.ttf", where);
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::wstring>{L" (TrueType)", L"Gone (TrueType)"}));
    EXPECT_TRUE(HasValue(key, L"Kept (TrueType)"));
}

TEST(FontRegistryWrite, UnregistersOnlyAnEntryPointingAtTheFile) {
    ScratchKey key(L"registry-unregister");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");

    Set(key, L"Spaced (True Type)", L"spaced.ttf");
    EXPECT_FALSE(UnregisterFont(L"Spaced", L"D:\\Copies\\spaced.ttf", where));
    EXPECT_TRUE(HasValue(key, L"Spaced (True Type)")) << "an entry for another file stays";
    EXPECT_TRUE(UnregisterFont(L"Spaced", L"c:\\fonts\\SPACED.TTF", where));
    EXPECT_FALSE(HasValue(key, L"Spaced (True Type)")) << "deleted under the name it was found by";

    Set(key, L"Bare", L"D:\\bare.ttf");
    EXPECT_TRUE(UnregisterFont(L"Bare", L"d:\\Bare.ttf", where));
    EXPECT_FALSE(HasValue(key, L"Bare"));
    EXPECT_FALSE(UnregisterFont(L"Bare", L"d:\\Bare.ttf", where)) << "nothing left to delete";

    // Every form pointing at the file goes, and only those: one left behind
    // would bring the font back at the next logon.
    Set(key, L"Both (TrueType)", L"new.ttf");
    Set(key, L"Both (True Type)", L"old.ttf");
    Set(key, L"Both (OpenType)", L"C:\\Fonts\\OLD.ttf");
    Set(key, L"Both", L"old.ttf");
    Set(key, L"Both Bold (TrueType)", L"old.ttf");
    EntryResult both = UnregisterFont(L"Both", L"C:\\Fonts\\old.ttf", where);
    EXPECT_TRUE(both);
    EXPECT_EQ(both.valueName, L"Both (True Type)");
    EXPECT_TRUE(HasValue(key, L"Both (TrueType)"));
    EXPECT_FALSE(HasValue(key, L"Both (True Type)"));
    EXPECT_FALSE(HasValue(key, L"Both (OpenType)"));
    EXPECT_FALSE(HasValue(key, L"Both"));
    EXPECT_TRUE(HasValue(key, L"Both Bold (TrueType)")) << "another font's entry";

    // Without a file only the program's own form goes, without any lookup.
    Set(key, L"Foreign (True Type)", L"foreign.ttf");
    Set(key, L"Foreign", L"foreign.ttf");
    EXPECT_FALSE(UnregisterFont(L"Foreign", L"", where));
    EXPECT_TRUE(HasValue(key, L"Foreign (True Type)"));
    EXPECT_TRUE(HasValue(key, L"Foreign"));
    Set(key, L"Foreign (TrueType)", L"D:\\anything.ttf");
    EXPECT_TRUE(UnregisterFont(L"Foreign", L"", where));
    EXPECT_FALSE(HasValue(key, L"Foreign (TrueType)"));
    EXPECT_TRUE(HasValue(key, L"Foreign (True Type)"));
    EXPECT_TRUE(HasValue(key, L"Foreign"));
}

TEST(FontRegistryRead, OpenTypeEntriesAndThePerUserListAreInstalledFonts) {
    ScratchKey machine(L"registry-machine");
    ScratchKey user(L"registry-user");
    SystemLocations where = ScratchLocations(machine, L"C:\\Fonts\\");
    where.userFontsKey = user.SubKey();
    where.userFontsFolder = L"C:\\Users\\me\\Fonts\\";

    Set(machine, L"Cff Sans (OpenType)", L"cffsans.otf");
    Set(user, L"Mine Serif (TrueType)", L"C:\\Users\\me\\Fonts\\mine.ttf");
    Set(user, L"Cff Sans (TrueType)", L"D:\\shadowed.otf");
    InstalledFonts listed(where);
    for (const InstallState& state : {GetInstallState(L"Cff Sans", L"C:\\Fonts\\cffsans.otf", where),
                                      listed.StateOf(L"Cff Sans", L"C:\\Fonts\\cffsans.otf")}) {
        EXPECT_TRUE(state.fromThisFile) << "the machine's entry wins";
        EXPECT_EQ(state.registeredFile, L"C:\\Fonts\\cffsans.otf");
    }
    for (const InstallState& state : {GetInstallState(L"Mine Serif", L"C:\\Users\\me\\Fonts\\mine.ttf", where),
                                      listed.StateOf(L"Mine Serif", L"C:\\Users\\me\\Fonts\\mine.ttf")})
        EXPECT_TRUE(state.fromThisFile);
    EXPECT_EQ(LookupFileName(L"Cff Sans", where), L"cffsans.otf");
    EXPECT_EQ(RegisteredFile(L"Mine Serif", where), L"C:\\Users\\me\\Fonts\\mine.ttf");
    EXPECT_EQ(RegisterFont(L"Mine Serif", L"D:\\other.ttf", where).status, EntryStatus::OtherFilesEntry)
        << "a per-user entry is not taken over either";

    // The machine's list can be written here: it gets the new entry.
    EXPECT_TRUE(CanWriteMachineFontList(where));
    EXPECT_EQ(InstallFontsFolder(where), L"C:\\Fonts\\");
    EXPECT_TRUE(RegisterFont(L"Both Lists", L"C:\\Fonts\\both.ttf", where));
    EXPECT_EQ(Stored(machine, L"Both Lists (TrueType)"), std::wstring(L"both.ttf\0", 9));

    // Uninstall finds the file's entries in both lists.
    Set(user, L"Both Lists (OpenType)", L"C:\\Fonts\\both.ttf");
    EXPECT_TRUE(UnregisterFont(L"Both Lists", L"C:\\Fonts\\both.ttf", where));
    EXPECT_FALSE(HasValue(machine, L"Both Lists (TrueType)"));
    EXPECT_FALSE(HasValue(user, L"Both Lists (OpenType)"));
    EXPECT_EQ(UnregisterFile(L"C:\\Users\\me\\Fonts\\mine.ttf", where),
              (std::vector<std::wstring>{L"Mine Serif (TrueType)"}));

    // A machine list this user cannot open for writing: the per-user list,
    // with the full path even for a file in the fonts folder.
    where.fontsKey = machine.SubKey() + L"\\Locked";
    EXPECT_FALSE(CanWriteMachineFontList(where));
    EXPECT_EQ(InstallFontsFolder(where), L"C:\\Users\\me\\Fonts\\");
    EXPECT_TRUE(RegisterFont(L"Per User", L"C:\\Fonts\\peruser.ttf", where));
    EXPECT_EQ(Stored(user, L"Per User (TrueType)"), std::wstring(L"C:\\Fonts\\peruser.ttf\0", 21));
    EXPECT_TRUE(IsInstalled(L"Per User", L"C:\\Fonts\\peruser.ttf", where));
}

TEST(FontRegistryWrite, AKeyThatCannotBeOpenedHasNoEntriesAndTakesNone) {
    ScratchKey key(L"registry-nokey");
    SystemLocations where = ScratchLocations(key, L"C:\\Fonts\\");
    where.fontsKey += L"\\Missing";

    EXPECT_FALSE(IsInstalled(L"Any", L"", where));
    InstallState state = GetInstallState(L"Any", L"C:\\Fonts\\any.ttf", where);
    EXPECT_FALSE(state.installed);
    EXPECT_FALSE(state.fromThisFile);
    EXPECT_EQ(RegisteredFile(L"Any", where), L"");
    EXPECT_EQ(LookupFileName(L"Any", where), L"");
    EXPECT_FALSE(RegisterFont(L"Any", L"C:\\Fonts\\any.ttf", where));
    EXPECT_FALSE(UnregisterFont(L"Any", L"C:\\Fonts\\any.ttf", where));
    EXPECT_FALSE(UnregisterFont(L"Any", L"", where));

    win::UniqueKey missing;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, where.fontsKey.c_str(), 0, KEY_READ, missing.put()), ERROR_SUCCESS)
        << "registering does not create the key";
}

TEST(FontTable, ALoadedFontIsAvailableUntilItIsUnloaded) {
    ScratchFolder dir(L"registry-available");
    ScratchKey key(L"registry-available");
    SystemLocations where = ScratchLocations(key, L"C:\\NoSuchFonts\\");
    const std::wstring family = L"Typorama Registry Available";
    std::wstring regular = WriteFont(dir, L"regular.ttf", FontSpec::Named(u"Typorama Registry Available"));
    std::wstring bold = WriteFont(dir, L"bold.ttf", FontSpec::Named(u"Typorama Registry Available", u"Bold"));

    EXPECT_FALSE(IsFontAvailable(family, family));
    ASSERT_TRUE(LoadFont(regular, where));
    ASSERT_TRUE(LoadFont(bold, where));
    EXPECT_TRUE(IsFontAvailable(family, family));
    EXPECT_TRUE(IsFontAvailable(family, family + L" Bold"));
    EXPECT_FALSE(IsFontAvailable(family, family + L" Italic")) << "the full name must match exactly";
    EXPECT_FALSE(IsFontAvailable(family, L"typorama registry available")) << "letter case counts";
    EXPECT_FALSE(IsFontAvailable(L"Typorama Registry Elsewhere", family)) << "looked for in its family only";

    EXPECT_TRUE(UnloadFont(bold, where));
    EXPECT_FALSE(IsFontAvailable(family, family + L" Bold"));
    EXPECT_TRUE(IsFontAvailable(family, family));
    EXPECT_TRUE(UnloadFont(regular, where));
    EXPECT_FALSE(IsFontAvailable(family, family));
    EXPECT_FALSE(UnloadFont(regular, where)) << "unloaded already";
}

TEST(FontTable, CutsAFamilyNameToTheFaceNameField) {
    ScratchFolder dir(L"registry-long-family");
    ScratchKey key(L"registry-long-family");
    SystemLocations where = ScratchLocations(key, L"");
    const std::wstring family = L"Typorama Registry Family Name Beyond Thirty-One";
    ASSERT_GT(family.size(), std::size_t{LF_FACESIZE - 1});
    std::wstring file =
        WriteFont(dir, L"long.ttf", FontSpec::Named(u"Typorama Registry Family Name Beyond Thirty-One"));
    ASSERT_TRUE(LoadFont(file, where));
    EXPECT_TRUE(IsFontAvailable(family, family));
    EXPECT_TRUE(UnloadFont(file, where));
}

TEST(FontTable, UnloadingAFileThatIsNotLoadedFails) {
    ScratchFolder dir(L"registry-not-loaded");
    ScratchKey key(L"registry-not-loaded");
    SystemLocations where = ScratchLocations(key, L"C:\\NoSuchFonts\\");
    std::wstring file = WriteFont(dir, L"idle.ttf", FontSpec::Named(u"Typorama Registry Idle"));
    EXPECT_FALSE(UnloadFont(file, where));
    EXPECT_FALSE(UnloadFont(dir.Path() + L"missing.ttf", where));
    EXPECT_FALSE(LoadFont(dir.Path() + L"missing.ttf", where));
}

// A bare file name is looked for by the system in its own fonts folder, not in
// the scratch folder standing in for it: the font loads only when the full path
// is passed, which shows which of the two LoadFont and UnloadFont gave.
TEST(FontTable, PassesTheBareFileNameOnlyForTheFontsFolderSpelledExactly) {
    ScratchFolder dir(L"registry-fonts-folder");
    ScratchKey key(L"registry-fonts-folder");
    const std::wstring family = L"Typorama Registry Folder Case";
    std::wstring file = WriteFont(dir, L"TyporamaFolderCase.ttf", FontSpec::Named(u"Typorama Registry Folder Case"));
    SystemLocations exact = ScratchLocations(key, dir.Path());
    SystemLocations otherCase = ScratchLocations(key, Upper(dir.Path()));
    ASSERT_NE(otherCase.fontsFolder, dir.Path());

    EXPECT_FALSE(LoadFont(file, exact)) << "only the file name was passed";
    EXPECT_FALSE(IsFontAvailable(family, family));
    ASSERT_TRUE(LoadFont(file, otherCase)) << "the folder differs in letter case: the full path was passed";
    EXPECT_TRUE(IsFontAvailable(family, family));
    EXPECT_FALSE(UnloadFont(file, exact));
    EXPECT_TRUE(IsFontAvailable(family, family));
    EXPECT_TRUE(UnloadFont(file, otherCase));
    EXPECT_FALSE(IsFontAvailable(family, family));
}

}  // namespace
}  // namespace typorama::catalog
