#include "catalog/font_list.h"

#include <algorithm>
#include <exception>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "base/text_format.h"
#include "catalog/font_facts_cache.h"
#include "catalog/font_registry.h"
#include "catalog/font_scan.h"
#include "win/gdi.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::catalog {
namespace {

bool g_hideMarlett = true;

constexpr wchar_t kMarlett[] = L"Marlett";

// Fonts the list can draw and read: TrueType, and OpenType with either kind of
// outline. CFF-based OpenType fonts report the PostScript type, not TrueType, and
// only their ntmFlags tell them apart from raster and vector fonts.
bool IsOutlineFont(DWORD fontType, const NEWTEXTMETRICEXW& metric) {
    return (fontType & TRUETYPE_FONTTYPE) || (metric.ntmTm.ntmFlags & (NTM_PS_OPENTYPE | NTM_TT_OPENTYPE));
}

std::wstring FaceName(const LOGFONTW& font) {
    return std::wstring(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
}

std::wstring FullNameOf(const ENUMLOGFONTEXW& font) {
    return std::wstring(font.elfFullName, wcsnlen(font.elfFullName, LF_FULLFACESIZE));
}

std::wstring ScriptOf(const ENUMLOGFONTEXW& font) {
    return std::wstring(font.elfScript, wcsnlen(font.elfScript, LF_FACESIZE));
}

std::wstring FolderOf(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L"\\:");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

// Whether `text` begins with `prefix` as the user's language compares them,
// ignoring case in every script (so that a typed "é" finds "École").
bool StartsWithIgnoringCase(const std::wstring& text, const std::wstring& prefix) {
    if (prefix.empty()) return true;
    const int length = static_cast<int>(std::min(text.size(), prefix.size()));
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, text.c_str(), length, prefix.c_str(),
                           static_cast<int>(prefix.size()), nullptr, nullptr, 0) == CSTR_EQUAL;
}

std::wstring Lowered(std::wstring text) {
    if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

bool HideMarlettGlobal() { return g_hideMarlett; }

bool FontNameLess(const std::wstring& a, const std::wstring& b) {
    return CompareFoldedAscii(win::AsU16(a), win::AsU16(b)) < 0;
}

// ---- items ----

TFontListItem::~TFontListItem() = default;

const std::wstring& TFontListItem::FileName() {
    if (fileInDisplay_) return display_->file;
    if (fileName_.empty()) {
        std::wstring stored = LookupFileName(Name, *where_);
        if (!stored.empty()) fileName_ = CompleteRegisteredFile(stored, *where_);
    }
    return fileName_;
}

std::int64_t TFontListItem::FileSize() {
    if (fileSize_ == -1) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        const std::wstring& file = FileName();
        if (!file.empty() && GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data))
            fileSize_ = static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
        else
            fileSize_ = 0;
    }
    return fileSize_;
}

void TFontListItem::SetInfo(TFontInfo info) { SetInfo(std::make_shared<const TFontInfo>(std::move(info))); }

void TFontListItem::SetInfo(std::shared_ptr<const TFontInfo> info) {
    info_ = std::move(info);
    infoRead_ = true;
}

const TFontInfo& TFontListItem::Info() {
    static const TFontInfo kNone{};
    if (!infoRead_) {
        const std::wstring& file = FileName();
        if (!file.empty()) {
            // A system font found in a collection is the face of that name.
            FontFactsCache::Faces faces = FactsCache().ReadFaces(file, where_->systemLanguageId);
            auto named = std::find_if(faces.begin(), faces.end(), [this](const auto& f) { return f->FullName == Name; });
            if (named != faces.end()) info_ = *named;
            else if (!faces.empty()) info_ = faces.front();
        }
        infoRead_ = true;  // tried once, whatever came of it
    }
    return info_ ? *info_ : kNone;
}

std::wstring TFontListItem::EntryName() {
    if (!Face()) return Name;
    std::vector<TFontInfo> faces;
    for (const auto& face : FactsCache().ReadFaces(FileName(), where_->systemLanguageId)) faces.push_back(*face);
    return EntryNameOf(faces);
}

// ---- the list ----

// Raises OnBeginUpdate now and OnEndUpdate when the scope ends, also when an
// exception passes through.
class TFontList::UpdateScope {
public:
    explicit UpdateScope(const TFontList& list) : list_(list) {
        if (list_.OnBeginUpdate) list_.OnBeginUpdate();
    }
    ~UpdateScope() {
        if (!list_.OnEndUpdate) return;
        if (std::uncaught_exceptions() > exceptions_) {
            try {
                list_.OnEndUpdate();
            } catch (...) {
                // The first exception is the one to report.
            }
        } else {
            list_.OnEndUpdate();
        }
    }

private:
    const TFontList& list_;
    int exceptions_ = std::uncaught_exceptions();
};

TFontList::TFontList(const SystemLocations& where) : where_(where), hideMarlett_(g_hideMarlett) {}

TFontList::~TFontList() {
    items_.clear();
    hidden_.clear();
    ReleaseDisplayFonts();
}

TFontListItem* TFontList::Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

int TFontList::IndexOf(const TFontListItem* item) const {
    auto it = std::find_if(items_.begin(), items_.end(), [item](const auto& own) { return own.get() == item; });
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TFontListItem& TFontList::Add(std::unique_ptr<TFontListItem> item) { return *items_.emplace_back(std::move(item)); }

void TFontList::Clear() {
    items_.clear();
    ReleaseDisplayFonts();
}

void TFontList::ReleaseDisplayFonts() {
    // Items set aside for the only-selected view may still need theirs.
    if (!items_.empty() || !hidden_.empty()) return;
    for (const DisplayFont& font : displayFonts_)
        if (font.state == DisplayFont::State::Loaded) UnloadFont(font.Loaded(), where_, FontScope::Private);
    displayFonts_.clear();
    displayLoaded_ = 0;
}

void TFontList::PrepareToDraw(TFontListItem& item) {
    DisplayFont* font = item.display_;
    if (!font) return;
    font->lastNeeded = ++drawClock_;
    if (font->state != DisplayFont::State::Pending) return;
    font->state = DisplayFont::State::Failed;
    const std::size_t files = 1 + (font->otherFiles ? font->otherFiles->size() : 0);
    for (std::size_t i = font->loaded; i < files; ++i) {
        font->loaded = static_cast<std::uint16_t>(i);
        if (LoadFont(font->Loaded(), where_, FontScope::Private)) {
            font->state = DisplayFont::State::Loaded;
            break;
        }
        // One damaged file is no news; several mean the fonts are broken or
        // the system's font table is full.
        if (++loadFailures_ == 4 && OnLoadProblem) OnLoadProblem();
    }
    if (font->state == DisplayFont::State::Loaded && ++displayLoaded_ > DisplayLoadLimit) UnloadOldest();
}

void TFontList::UnloadOldest() {
    // A few at a time: each unload costs the system time in proportion to the
    // fonts it holds, and a screen drawn while many go at once stutters. A
    // thirty-second of the limit still makes this search come once every
    // sixteen loads. The fonts needed last (the rows on screen) stay.
    std::vector<DisplayFont*> loaded;
    for (DisplayFont& font : displayFonts_)
        if (font.state == DisplayFont::State::Loaded) loaded.push_back(&font);
    const int limit = std::max(0, DisplayLoadLimit);
    const auto keep = static_cast<std::size_t>(limit - std::max(1, limit / 32));
    if (loaded.size() <= keep) return;
    const auto oldest = loaded.end() - static_cast<std::ptrdiff_t>(keep);
    std::nth_element(loaded.begin(), oldest, loaded.end(),
                     [](const DisplayFont* a, const DisplayFont* b) { return a->lastNeeded < b->lastNeeded; });
    for (auto it = loaded.begin(); it != oldest; ++it) {
        // One still selected somewhere stays loaded until the list lets it go.
        if (UnloadFont((*it)->Loaded(), where_, FontScope::Private)) {
            (*it)->state = DisplayFont::State::Pending;
            --displayLoaded_;
        }
    }
}

void TFontList::Rebuild(bool keepTags) {
    UpdateScope update(*this);
    // Listing the source again makes new items of every font: rows set aside
    // for the only-selected view would come back beside their new copies.
    DropHidden(false);
    if (keepTags) {
        TaggedNames.clear();
        for (const auto& item : items_)
            if (item->Tagged) TaggedNames.push_back(item->Name);
    }
    Clear();
    switch (sourceKind_) {
        case SourceKind::System:
            FillFromSystem();
            break;
        case SourceKind::Folder:
            Files.clear();
            stamps_.clear();
            FindFontFiles(folder_, kFontFilePatterns, IncludeSubfolders, Files, {}, &stamps_);
            FillFromFiles();
            break;
        case SourceKind::FileList:
            stamps_.clear();  // the files were set from elsewhere
            SetFolder(Files.empty() ? std::wstring() : FolderOf(Files.front()));
            FillFromFiles();
            break;
    }
    if (keepTags && !TaggedNames.empty()) {
        std::unordered_set<std::wstring> tagged(TaggedNames.begin(), TaggedNames.end());
        for (const auto& item : items_)
            if (tagged.count(item->Name)) item->Tagged = true;
        TaggedNames.clear();
    }
}

void TFontList::Refresh(bool keepTags) {
    if (!showTaggedOnly_) {
        Rebuild(keepTags);
        return;
    }
    UpdateScope update(*this);
    HideUntagged();
}

void TFontList::HideUntagged() {
    auto untagged = std::stable_partition(items_.begin(), items_.end(), [](const auto& i) { return i->Tagged; });
    hidden_.insert(hidden_.end(), std::make_move_iterator(untagged), std::make_move_iterator(items_.end()));
    items_.erase(untagged, items_.end());
}

void TFontList::FillFromSystem() {
    LOGFONTW query{};
    query.lfCharSet = charsetFilter_;

    // Pass 1: the face names, each once whatever its letter case.
    std::set<std::wstring, win::LessNoCase> faces;
    win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW& metric, DWORD type) {
        if (!IsOutlineFont(type, metric)) return true;
        if (familyFilter_ != 0 && !(font.elfLogFont.lfPitchAndFamily & familyFilter_)) return true;
        std::wstring face = FaceName(font.elfLogFont);
        if (g_hideMarlett && face == kMarlett) return true;
        faces.insert(std::move(face));
        return true;
    });

    // Pass 2: one item per style. The enumeration repeats a style once for each
    // character set, not always one after the other: a full name listed
    // already is skipped wherever it comes again.
    std::unordered_set<std::wstring> listed;
    const InstalledFonts installed(where_);
    for (const std::wstring& face : faces) {
        face.copy(query.lfFaceName, LF_FACESIZE - 1);
        query.lfFaceName[std::min<std::size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
        win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW& metric, DWORD type) {
            if (!IsOutlineFont(type, metric)) return true;
            std::wstring fullName = FullNameOf(font);
            if (!listed.insert(fullName).second) return true;
            auto item = std::make_unique<TFontListItem>(where_);
            item->LogFont = font.elfLogFont;
            item->Name = std::move(fullName);
            item->Installed = installed.StateOf(item->Name, {}).installed;
            items_.push_back(std::move(item));
            return true;
        });
    }
    Sort();
}

void TFontList::FillFromFiles() {
    loadFailures_ = 0;
    // What the system knows, asked once for the whole folder. The fonts of
    // this listing join it as they are listed: a second file of the same font
    // is not the list's to answer for, and its row is drawn with the first.
    const std::unordered_set<std::wstring> known = AvailableFontKeys();
    const InstalledFonts installed(where_);
    std::unordered_map<std::wstring, DisplayFont*> listed;
    items_.reserve(Files.size());
    FontFactsCache& cache = FactsCache();
    cache.BeginListing();
    for (std::size_t i = 0; i < Files.size(); ++i) {
        const std::wstring& file = Files[i];
        const FontFactsCache::Faces faces =
            stamps_.size() == Files.size() ? cache.ReadFaces(file, stamps_[i], where_.systemLanguageId)
                                           : cache.ReadFaces(file, where_.systemLanguageId);
        if (faces.empty()) continue;
        // A collection is installed under the names of all its faces, and loaded
        // whole: its faces share one entry and one font loaded for drawing.
        const bool collection = faces.front()->Face.has_value();
        std::wstring entryName;
        if (collection) {
            std::vector<TFontInfo> all;
            for (const auto& face : faces) all.push_back(*face);
            entryName = EntryNameOf(all);
        }
        for (const auto& read : faces) {
            const TFontInfo& info = *read;
            if (g_hideMarlett && info.FullName == kMarlett) continue;
            auto item = std::make_unique<TFontListItem>(where_);
            item->SetFile(file);
            std::wstring key = AvailableFontKey(info.FamilyName, info.FullName);
            if (!known.contains(key)) {
                // One key for the whole file: its faces load and unload together.
                if (collection) key = L"\n" + file;
                auto [entry, first] = listed.try_emplace(std::move(key), nullptr);
                if (first) {
                    entry->second = &displayFonts_.emplace_back();
                    entry->second->file = file;
                    item->LoadedByList = true;
                } else if (DisplayFont& font = *entry->second; font.file != file) {
                    // A file listed twice is tried once.
                    if (!font.otherFiles) font.otherFiles = std::make_unique<std::vector<std::wstring>>();
                    if (std::find(font.otherFiles->begin(), font.otherFiles->end(), file) == font.otherFiles->end() &&
                        font.otherFiles->size() < UINT16_MAX - 1)
                        font.otherFiles->push_back(file);
                } else if (collection) {
                    item->LoadedByList = true;  // the other faces of the file the list loads
                }
                item->display_ = entry->second;
                if (item->display_->file == file) {
                    // Kept once, for the items and the list.
                    item->fileName_.clear();
                    item->fileInDisplay_ = true;
                }
            }
            item->Name = info.FullName;
            item->LogFont = info.LogFont;
            InstallState state = installed.StateOf(collection ? entryName : info.FullName, file);
            item->Installed = state.installed;
            item->InstalledFromThisFile = state.fromThisFile;
            item->SetInfo(read);
            items_.push_back(std::move(item));
        }
    }
    Sort();
}

void TFontList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const auto& a, const auto& b) { return FontNameLess(a->Name, b->Name); });
}

void TFontList::SetCharsetFilter(BYTE value) {
    if (value == charsetFilter_ && familyFilter_ == 0) return;
    charsetFilter_ = value;
    familyFilter_ = 0;
    Rebuild(false);
}

void TFontList::SetFamilyFilter(BYTE value) {
    if (value == familyFilter_) return;
    familyFilter_ = value;
    charsetFilter_ = DEFAULT_CHARSET;
    Rebuild(false);
}

void TFontList::SetFolder(const std::wstring& path) {
    if (path == folder_) return;
    folder_ = path;
    DropHidden(false);  // the rows set aside belong to the old list
}

void TFontList::SetSourceKind(SourceKind kind) {
    if (kind == sourceKind_) return;
    sourceKind_ = kind;
    DropHidden(false);  // the rows set aside belong to the old list
}

void TFontList::SetShowTaggedOnly(bool value) {
    if (value == showTaggedOnly_) return;
    UpdateScope update(*this);
    showTaggedOnly_ = value;
    if (value) {
        HideUntagged();
    } else {
        items_.insert(items_.end(), std::make_move_iterator(hidden_.begin()),
                      std::make_move_iterator(hidden_.end()));
        hidden_.clear();
        Sort();
    }
}

void TFontList::DropHidden(bool value) {
    if (showTaggedOnly_) {
        hidden_.clear();
        ReleaseDisplayFonts();
    }
    showTaggedOnly_ = value;
}

void TFontList::SetHideMarlett(bool value) {
    hideMarlett_ = value;
    g_hideMarlett = value;
}

void TFontList::TagItems(TagRule rule) {
    for (const auto& item : items_) {
        switch (rule) {
            case TagRule::All: item->Tagged = true; break;
            case TagRule::None: item->Tagged = false; break;
            case TagRule::Invert: item->Tagged = !item->Tagged; break;
            case TagRule::NotInstalledOrLoaded: item->Tagged = !(item->Installed || item->LoadedByList); break;
            case TagRule::Installed: item->Tagged = item->Installed; break;
            case TagRule::InstalledFromThisFile:
                item->Tagged = sourceKind_ == SourceKind::System ? item->Installed : item->InstalledFromThisFile;
                break;
        }
    }
}

int TFontList::TaggedCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const auto& i) { return i->Tagged; }));
}

bool TFontList::AnyInstalled(bool fromThisFile) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](const auto& i) { return fromThisFile ? i->InstalledFromThisFile : i->Installed; });
}

int TFontList::FindFont(const std::wstring& text, bool prefixOnly, bool wrap, int startIndex, bool* wrapped) const {
    if (wrapped) *wrapped = false;
    std::wstring needle = prefixOnly ? text : Lowered(text);
    auto matches = [&](int index) {
        const std::wstring& name = (*this)[index].Name;
        if (prefixOnly) return StartsWithIgnoringCase(name, needle);
        // An empty text occurs in no name.
        return !needle.empty() && Lowered(name).find(needle) != std::wstring::npos;
    };
    for (int i = std::max(startIndex + 1, 0); i < Count(); ++i)
        if (matches(i)) return i;
    if (!wrap) return -1;
    if (wrapped) *wrapped = true;
    for (int i = 0; i < Count(); ++i)
        if (matches(i)) return i;
    return -1;
}

// ---- working lists ----

void TWorkingList::RemoveIf(const std::function<bool(TFontListItem&)>& drop) {
    std::erase_if(items_, [&](TFontListItem* item) { return drop(*item); });
}

void TWorkingList::KeepOneFacePerCollection() {
    // File names compared as the file system compares them.
    std::set<std::wstring, win::LessNoCase> files;
    RemoveIf([&files](TFontListItem& item) {
        if (!item.Face()) return false;
        return !files.insert(item.FileName()).second;
    });
}

// ---- scripts ----

std::vector<std::wstring> FontScripts(const TFontListItem& item) {
    LOGFONTW query = item.LogFont;
    query.lfCharSet = DEFAULT_CHARSET;
    query.lfPitchAndFamily = 0;
    std::set<std::wstring> scripts;  // sorted, each once
    win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
        std::wstring script = ScriptOf(font);
        if (FullNameOf(font) == item.Name && !script.empty()) scripts.insert(std::move(script));
        return true;
    });
    return {scripts.begin(), scripts.end()};
}

std::wstring FirstFontScript(const TFontListItem& item) {
    std::wstring script;
    win::EnumerateFonts(item.LogFont, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
        if (FullNameOf(font) == item.Name) script = ScriptOf(font);
        return false;  // the first font reported decides
    });
    return script;
}

}  // namespace typorama::catalog
