// The font list: the fonts the main window shows, from the system's font table,
// a folder of font files or a list of files, sorted by name, with tags and
// installation flags. Fonts of a folder that the system does not know are
// loaded, for this program only, when their rows are first drawn, and
// unloaded when their items go or when many others have been drawn since. The
// list reports states; the texts shown for them are built where they are shown.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalog/font_file.h"
#include "catalog/font_scan.h"
#include "catalog/system_locations.h"

namespace typorama::catalog {

enum class SourceKind : std::uint8_t { System = 0, Folder = 1, FileList = 2 };

enum class TagRule : int {
    All = 0,
    None = 1,
    Invert = 2,
    NotInstalledOrLoaded = 3,  // fonts only the list loaded or knows of
    Installed = 4,
    InstalledFromThisFile = 5,
};

// A font the list loads, for this program only, to draw it while the system
// does not know it; one for all the items of the same font.
struct DisplayFont {
    enum class State : std::uint8_t { Pending, Loaded, Failed };
    // The files of the font in listing order: the first that loads is used.
    std::wstring file;
    std::unique_ptr<std::vector<std::wstring>> otherFiles;  // rare: null for a font listed once
    std::uint32_t lastNeeded = 0;  // when the list last needed it, for unloading the oldest
    std::uint16_t loaded = 0;      // 0: file, n: otherFiles[n - 1]
    State state = State::Pending;
    const std::wstring& Loaded() const { return loaded == 0 ? file : (*otherFiles)[loaded - 1u]; }
};

class TFontListItem {
public:
    explicit TFontListItem(const SystemLocations& where) : where_(&where) {}
    ~TFontListItem();
    TFontListItem(const TFontListItem&) = delete;
    TFontListItem& operator=(const TFontListItem&) = delete;

    std::wstring Name;  // full name: what is shown, sorted, found and tagged
    LOGFONTW LogFont{};
    bool Tagged = false;
    bool Installed = false;
    // The system did not know the font when the list was filled: the list
    // loads it to draw it and unloads it again (set also before the first
    // draw, so that what it says does not depend on scrolling).
    bool LoadedByList = false;
    bool InstalledFromThisFile = false;

    // The font file; for system fonts looked up in the installed-font list on
    // first request (again at the next request while it stays unknown).
    const std::wstring& FileName();
    // Size in bytes, read once; 0 when the file cannot be found, -1 before.
    std::int64_t FileSize();

    // Name strings and embedding class, read from the file on first request
    // unless the list gave them.
    const std::wstring& Copyright() { return Info().Copyright; }
    const std::wstring& FamilyName() { return Info().FamilyName; }
    const std::wstring& SubfamilyName() { return Info().SubfamilyName; }
    const std::wstring& UniqueId() { return Info().UniqueId; }
    const std::wstring& FullName() { return Info().FullName; }
    const std::wstring& Version() { return Info().Version; }
    const std::wstring& PostScriptName() { return Info().PostScriptName; }
    BYTE Embedding() { return Info().Embedding; }
    bool InfoRead() const { return infoRead_; }
    // The face's index when its file is a collection of several fonts; the
    // file, its size and its installed entry then belong to every face of it.
    std::optional<std::uint32_t> Face() { return Info().Face; }
    // The name of the font's installed-font entry: its full name, or for a
    // face of a collection the full names of all the file's faces joined as
    // Windows joins them ("SimSun & NSimSun"). Still to be checked with
    // CheckEntryName by whoever writes it.
    std::wstring EntryName();

    // Filled by the list when it read the file itself.
    void SetFile(std::wstring fileName) {
        fileName_ = std::move(fileName);
        fileInDisplay_ = false;
    }
    void SetInfo(TFontInfo info);
    void SetInfo(std::shared_ptr<const TFontInfo> info);

private:
    friend class TFontList;
    const TFontInfo& Info();

    const SystemLocations* where_;
    std::wstring fileName_;
    std::int64_t fileSize_ = -1;
    // The font loaded to draw the item, owned by the list; null when the
    // system knew the font. The first item of a font keeps its file name there.
    DisplayFont* display_ = nullptr;
    bool fileInDisplay_ = false;
    bool infoRead_ = false;
    // The facts of the file, shared with the facts cache; null until read
    // (and when the file could not be read).
    std::shared_ptr<const TFontInfo> info_;
};

class TFontList {
public:
    explicit TFontList(const SystemLocations& where = Locations());
    ~TFontList();
    TFontList(const TFontList&) = delete;
    TFontList& operator=(const TFontList&) = delete;

    // Items, by index 0..Count()-1.
    int Count() const { return static_cast<int>(items_.size()); }
    TFontListItem& operator[](int index) const { return *items_[static_cast<std::size_t>(index)]; }
    TFontListItem* Item(int index) const;
    int IndexOf(const TFontListItem* item) const;
    // Appends an item made elsewhere; the list owns it from now on.
    TFontListItem& Add(std::unique_ptr<TFontListItem> item);

    SourceKind Source() const { return sourceKind_; }
    BYTE CharsetFilter() const { return charsetFilter_; }
    BYTE FamilyFilter() const { return familyFilter_; }
    const std::wstring& Folder() const { return folder_; }
    bool ShowTaggedOnly() const { return showTaggedOnly_; }
    bool HideMarlett() const { return hideMarlett_; }
    int HiddenCount() const { return static_cast<int>(hidden_.size()); }

    bool IncludeSubfolders = false;
    std::vector<std::wstring> Files;
    std::vector<std::wstring> TaggedNames;

    // Raised around every change of the item set. A rebuild reads the system
    // or every file of a folder: views show the busy cursor in between.
    std::function<void()> OnBeginUpdate;
    std::function<void()> OnEndUpdate;
    // Raised once per filling of the list, when the fourth of its fonts could
    // not be loaded for drawing (that is known as rows are drawn: a view must
    // not open a window from within its painting).
    std::function<void()> OnLoadProblem;

    // Makes sure the item's font can be drawn: loads it, for this program
    // only, when the list needs to load it and has not yet. At most
    // DisplayLoadLimit such fonts stay loaded; beyond that the ones needed
    // longest ago are unloaded, a few at a time (the limit must exceed the
    // rows a screen can show).
    void PrepareToDraw(TFontListItem& item);
    int DisplayLoadLimit = 512;
    // The fonts loaded for drawing now, and those that could not be loaded
    // since the list was last filled.
    int DisplayLoadedCount() const { return displayLoaded_; }
    int LoadFailureCount() const { return loadFailures_; }

    // Lists the source again; the only-selected view ends with the old items.
    void Rebuild(bool keepTags);
    // Only hides what is no longer tagged while the only-selected view is on;
    // otherwise a rebuild.
    void Refresh(bool keepTags);
    void SetCharsetFilter(BYTE value);
    void SetFamilyFilter(BYTE value);
    void SetFolder(const std::wstring& path);
    void SetSourceKind(SourceKind kind);
    void SetShowTaggedOnly(bool value);
    void DropHidden(bool value);
    void SetHideMarlett(bool value);

    void TagItems(TagRule rule);
    int TaggedCount() const;
    bool AnyInstalled(bool fromThisFile) const;
    // The next item after startIndex whose name starts with (prefixOnly) or
    // contains text, letter case ignored in every script; -1 when none. With
    // wrap, starts over at 0 once, and says so in *wrapped (the view beeps).
    int FindFont(const std::wstring& text, bool prefixOnly, bool wrap, int startIndex,
                 bool* wrapped = nullptr) const;
    // Destroys the items (unloading the fonts the list loaded) and empties the list.
    void Clear();

private:
    class UpdateScope;
    void FillFromSystem();
    void FillFromFiles();
    void Sort();
    void HideUntagged();
    void UnloadOldest();
    // Unloads every font loaded for drawing once no item needs one any more.
    void ReleaseDisplayFonts();

    const SystemLocations& where_;
    std::vector<FileStamp> stamps_;  // of Files, when a folder listing found them
    std::vector<std::unique_ptr<TFontListItem>> items_;
    std::vector<std::unique_ptr<TFontListItem>> hidden_;  // untagged items while ShowTaggedOnly
    SourceKind sourceKind_ = SourceKind::System;
    BYTE charsetFilter_ = DEFAULT_CHARSET;
    BYTE familyFilter_ = 0;
    std::wstring folder_;
    bool showTaggedOnly_ = false;
    bool hideMarlett_ = true;
    std::deque<DisplayFont> displayFonts_;  // the fonts the items may need loaded; stable addresses
    std::uint32_t drawClock_ = 0;
    int displayLoaded_ = 0;
    int loadFailures_ = 0;
};

// The fonts a command works on: items of a TFontList, borrowed. It cannot free
// them, and it must not outlive a rebuild of the list they belong to.
class TWorkingList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TFontListItem& operator[](int index) const { return *items_[static_cast<std::size_t>(index)]; }
    void Add(TFontListItem& item) { items_.push_back(&item); }
    // Takes out, in their order, the items for which `drop` is true.
    void RemoveIf(const std::function<bool(TFontListItem&)>& drop);
    // Keeps the first tagged face of each collection file and takes out the
    // others: commands on files (install, load, copy, move, delete) act on a
    // collection once, whichever and however many of its faces were tagged.
    void KeepOneFacePerCollection();

private:
    std::vector<TFontListItem*> items_;
};

// The process-wide "hide Marlett" flag that the system enumeration reads.
bool HideMarlettGlobal();

// Name order of the list: A-Z folded to a-z, everything else by code unit.
bool FontNameLess(const std::wstring& a, const std::wstring& b);

// The scripts the system reports for the item's font (its full name, every
// character set), sorted, each once.
std::vector<std::wstring> FontScripts(const TFontListItem& item);
// The script of the first font the system reports for the item's logical font,
// when that font is the item's; empty otherwise.
std::wstring FirstFontScript(const TFontListItem& item);

}  // namespace typorama::catalog
