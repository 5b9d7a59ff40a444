// The system's list of installed fonts (registry values of the fonts key, one per
// font: "<full name> (TrueType)" = file) and the system font table (fonts loaded
// for this logon). Every call opens the key for that one call: nothing is cached,
// since other programs change both at any time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "catalog/system_locations.h"
#include "win/text_compare.h"

namespace typorama::catalog {

// What became of a change to the installed-font list.
enum class EntryStatus {
    Done,
    NoFullName,       // nothing before the name's first NUL: "no full name in the file"
    UnusableName,     // refused by CheckEntryName (catalog/entry_name.h)
    PathTooLong,      // longer than the lookup reads back (MAX_PATH characters)
    OtherFilesEntry,  // an entry for the name points at another file: left alone
    NoEntry,          // nothing to remove
    NeedsAdministrator,  // the list can only be changed with administrator rights
    Failed,           // the key cannot be opened or the system refused
};

// True only for Done, so that a refusal never reads as success.
struct EntryResult {
    EntryStatus status = EntryStatus::Failed;
    std::wstring valueName = {};  // the entry written or removed, when Done
    explicit operator bool() const { return status == EntryStatus::Done; }
};

// Whether a font is installed, and from which file.
enum class InstallStatus {
    NotInstalled,
    InstalledFromThisFile,
    InstalledFromOtherFile,  // an entry points at another file (or no file was asked about)
};

struct InstallState {
    bool installed = false;       // an entry exists under any of the four name forms
    bool fromThisFile = false;    // ... and it points at the file asked about
    std::wstring registeredFile = {};  // the entry's file as a full path, when installed

    InstallStatus Status() const {
        if (!installed) return InstallStatus::NotInstalled;
        return fromThisFile ? InstallStatus::InstalledFromThisFile : InstallStatus::InstalledFromOtherFile;
    }
};

// Names are passed through CheckEntryName: a name it refuses has no entry.
// A name with no entry of its own is also looked for among the faces of
// collections' entries ("SimSun" in "SimSun & NSimSun (TrueType)").
// Entry lookup tries "<name> (TrueType)", "<name> (True Type)", "<name> (OpenType)"
// (the system's form for fonts with PostScript outlines), then "<name>"; in
// the machine's list first, then in the per-user one.
bool IsInstalled(const std::wstring& name, const std::wstring& file = {},
                 const SystemLocations& where = Locations());
InstallState GetInstallState(const std::wstring& name, const std::wstring& file,
                             const SystemLocations& where = Locations());

// The installed-font list read once, for asking about many fonts in a row (a
// folder of thousands) without going to the registry for each; it does not
// see changes made after it was read.
class InstalledFonts {
public:
    explicit InstalledFonts(const SystemLocations& where = Locations());
    // What GetInstallState answers, from the entries as they were read.
    InstallState StateOf(const std::wstring& name, const std::wstring& file) const;

private:
    const SystemLocations& where_;
    // Per list, the machine's first: value name to stored text, and the
    // faces of collections' entries to their value names.
    std::vector<std::map<std::wstring, std::wstring, win::LessNoCase>> lists_;
    std::vector<std::map<std::wstring, std::wstring, win::LessNoCase>> collectionFaces_;
};
// The entry's file as a full path (a bare file name completed with the fonts
// folder), or empty when there is no entry.
std::wstring RegisteredFile(const std::wstring& name, const SystemLocations& where = Locations());
// The stored text of the entry under one of the suffixed forms, unchanged (not
// the bare name form); empty when there is none.
std::wstring LookupFileName(const std::wstring& name, const SystemLocations& where = Locations());
// A bare file name completed with the fonts folder; a path is returned as it is.
std::wstring CompleteRegisteredFile(const std::wstring& stored, const SystemLocations& where = Locations());

// Whether this user may change the machine's installed-font list: asked by
// opening it for writing, which is what a change needs.
bool CanWriteMachineFontList(const SystemLocations& where = Locations());
// Where an install copies files to: the fonts folder, or the per-user one
// when the machine's list cannot be written.
std::wstring InstallFontsFolder(const SystemLocations& where = Locations());

// Writes "<name> (TrueType)" = file (just the file name for a file directly in
// the fonts folder) into the machine's list, or, when this user cannot write
// that, into the per-user list with the full path (NeedsAdministrator when
// there is no per-user list). Refused for a name CheckEntryName refuses, for a stored text
// the lookup could not read back, and while any entry for the name points at
// another file: installing a font never takes over another file's registration.
EntryResult RegisterFont(const std::wstring& name, const std::wstring& file,
                         const SystemLocations& where = Locations());
// The checks of RegisterFont without the write, for callers that load the font
// first and must not load what cannot be registered.
EntryResult CanRegisterFont(const std::wstring& name, const std::wstring& file,
                            const SystemLocations& where = Locations());
// With a file: removes every entry for the name, under any form and in both
// lists, that points at that file (also one too long for the lookup); the
// result names the first one removed. Without a file: removes "<name>
// (TrueType)" only. Callers that know the file pass it, so that another
// file's entry stays. NeedsAdministrator when an entry could not be removed
// for want of rights and none was.
EntryResult UnregisterFont(const std::wstring& name, const std::wstring& file,
                           const SystemLocations& where = Locations());
// Removes every entry of both lists that points at the file, whatever its
// name. Returns the value names removed.
std::vector<std::wstring> UnregisterFile(const std::wstring& file, const SystemLocations& where = Locations());

// Who sees a loaded font: every program of this logon, or this program only
// (for fonts loaded just to be shown, which must not turn up in other
// programs' font menus). A font is removed with the scope it was added with.
enum class FontScope : std::uint8_t { Public, Private };

// Adds or removes a font file to or from the system font table for this logon.
bool LoadFont(const std::wstring& file, const SystemLocations& where = Locations(),
              FontScope scope = FontScope::Public);
bool UnloadFont(const std::wstring& file, const SystemLocations& where = Locations(),
                FontScope scope = FontScope::Public);

// Whether the system font table has a font of this family with this full name.
bool IsFontAvailable(const std::wstring& familyName, const std::wstring& fullName);

// The same question for many fonts at once: the fonts the table holds now,
// read in one pass, as keys made by AvailableFontKey.
std::unordered_set<std::wstring> AvailableFontKeys();
// The key of a family and full name: the family as the system matches face
// names (its first 31 characters, letter case ignored), and the full name as it is.
std::wstring AvailableFontKey(std::wstring_view familyName, std::wstring_view fullName);

// Tells every top-level window that the fonts changed; once per batch.
void BroadcastFontChange();

}  // namespace typorama::catalog
