#include "catalog/font_list.h"

#include <algorithm>
#include <exception>
#include <set>
#include <unordered_set>

#include "base/text_format.h"
#include "catalog/font_registry.h"
#include "catalog/font_scan.h"
#include "ui/resource.h"
#include "win/busy_cursor.h"
#include "win/gdi.h"
#include "win/resource_strings.h"
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

TFontListItem::~TFontListItem() {
    if (LoadedByList) UnloadFont(fileName_, *where_);
}

const std::wstring& TFontListItem::FileName() {
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

void TFontListItem::SetInfo(const TFontInfo& info) {
    info_ = info;
    infoRead_ = true;
}

const TFontInfo& TFontListItem::Info() {
    if (!infoRead_) {
        TFontInfo read;
        const std::wstring& file = FileName();
        if (!file.empty() && ReadFontInfo(file, read, where_->systemLanguageId)) SetInfo(read);
        infoRead_ = true;  // tried once, whatever came of it
    }
    return info_;
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

TFontList::TFontList(const SystemLocations& where)
    : Beep([] { MessageBeep(MB_OK); }), where_(where), hideMarlett_(g_hideMarlett) {}

TFontList::~TFontList() {
    if (OwnsItems)
        for (TFontListItem* item : items_) Destroy(item);
    for (TFontListItem* item : hidden_) Destroy(item);
}

void TFontList::Destroy(TFontListItem* item) const { delete item; }

TFontListItem* TFontList::Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

int TFontList::IndexOf(const TFontListItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TFontList::Add(TFontListItem* item) { items_.push_back(item); }

void TFontList::Clear() {
    // A list that borrows its items must not free them: they belong to the main list.
    if (OwnsItems)
        for (TFontListItem* item : items_) Destroy(item);
    items_.clear();
}

void TFontList::Rebuild(bool keepTags) {
    win::BusyCursor busy;
    UpdateScope update(*this);
    if (keepTags) {
        TaggedNames.clear();
        for (TFontListItem* item : items_)
            if (item->Tagged) TaggedNames.push_back(item->Name);
    }
    Clear();
    switch (sourceKind_) {
        case SourceKind::System:
            FillFromSystem();
            break;
        case SourceKind::Folder:
            Files.clear();
            FindFontFiles(folder_, kFontFilePatterns, IncludeSubfolders, Files);
            FillFromFiles();
            break;
        case SourceKind::FileList:
            SetFolder(Files.empty() ? std::wstring() : FolderOf(Files.front()));
            FillFromFiles();
            break;
    }
    if (keepTags && !TaggedNames.empty()) {
        std::unordered_set<std::wstring> tagged(TaggedNames.begin(), TaggedNames.end());
        for (TFontListItem* item : items_)
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
    auto untagged = std::stable_partition(items_.begin(), items_.end(), [](auto* i) { return i->Tagged; });
    hidden_.insert(hidden_.end(), untagged, items_.end());
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
    // character set; consecutive repeats of a full name are skipped.
    std::wstring lastAdded;
    for (const std::wstring& face : faces) {
        face.copy(query.lfFaceName, LF_FACESIZE - 1);
        query.lfFaceName[std::min<std::size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
        win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW& metric, DWORD type) {
            if (!IsOutlineFont(type, metric)) return true;
            std::wstring fullName = FullNameOf(font);
            if (fullName == lastAdded) return true;
            lastAdded = fullName;
            auto item = std::make_unique<TFontListItem>(where_);
            item->LogFont = font.elfLogFont;
            item->Name = std::move(fullName);
            item->Installed = IsInstalled(item->Name, {}, where_);
            items_.push_back(item.release());
            return true;
        });
    }
    Sort();
}

void TFontList::FillFromFiles() {
    win::BusyCursor busy;
    int failures = 0;
    items_.reserve(Files.size());
    for (const std::wstring& file : Files) {
        TFontInfo info;
        if (!ReadFontInfo(file, info, where_.systemLanguageId)) continue;
        if (g_hideMarlett && info.FullName == kMarlett) continue;
        auto item = std::make_unique<TFontListItem>(where_);
        if (!IsFontAvailable(info.FamilyName, info.FullName)) {
            if (LoadFont(file, where_))
                item->LoadedByList = true;
            else
                ++failures;
        }
        item->SetFile(file);
        item->Name = info.FullName;
        item->LogFont = info.LogFont;
        InstallState state = GetInstallState(info.FullName, file, where_);
        item->Installed = state.installed;
        item->InstalledFromThisFile = state.fromThisFile;
        item->SetInfo(info);
        items_.push_back(item.release());
    }
    Sort();
    // One damaged file is no news; several mean the fonts are broken or the
    // system's font table is full.
    if (failures - 1 > 2 && OnLoadProblem) OnLoadProblem();
}

void TFontList::Sort() {
    std::stable_sort(items_.begin(), items_.end(),
                     [](const TFontListItem* a, const TFontListItem* b) { return FontNameLess(a->Name, b->Name); });
}

void TFontList::SetCharsetFilter(BYTE value) {
    if (value == charsetFilter_ && familyFilter_ == 0) return;
    charsetFilter_ = value;
    familyFilter_ = 0;
    DropHidden(false);  // the rows set aside belong to the old list
    Rebuild(false);
}

void TFontList::SetFamilyFilter(BYTE value) {
    if (value == familyFilter_) return;
    familyFilter_ = value;
    charsetFilter_ = DEFAULT_CHARSET;
    DropHidden(false);  // the rows set aside belong to the old list
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
        items_.insert(items_.end(), hidden_.begin(), hidden_.end());
        hidden_.clear();
        Sort();
    }
}

void TFontList::DropHidden(bool value) {
    if (showTaggedOnly_) {
        for (TFontListItem* item : hidden_) Destroy(item);
        hidden_.clear();
    }
    showTaggedOnly_ = value;
}

void TFontList::SetHideMarlett(bool value) {
    hideMarlett_ = value;
    g_hideMarlett = value;
}

void TFontList::TagItems(TagRule rule) {
    for (TFontListItem* item : items_) {
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
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](auto* i) { return i->Tagged; }));
}

bool TFontList::AnyInstalled(bool fromThisFile) const {
    return std::any_of(items_.begin(), items_.end(),
                       [&](auto* i) { return fromThisFile ? i->InstalledFromThisFile : i->Installed; });
}

int TFontList::FindFont(const std::wstring& text, bool prefixOnly, bool wrap, int startIndex) const {
    std::wstring needle = prefixOnly ? text : Lowered(text);
    auto matches = [&](const TFontListItem* item) {
        if (prefixOnly) return StartsWithFoldedAscii(win::AsU16(item->Name), win::AsU16(needle));
        // An empty text occurs in no name.
        return !needle.empty() && Lowered(item->Name).find(needle) != std::wstring::npos;
    };
    for (int i = std::max(startIndex + 1, 0); i < Count(); ++i)
        if (matches(items_[static_cast<std::size_t>(i)])) return i;
    if (!wrap) return -1;
    if (Beep) Beep();
    for (int i = 0; i < Count(); ++i)
        if (matches(items_[static_cast<std::size_t>(i)])) return i;
    return -1;
}

// ---- text builders ----

std::wstring ScriptsText(TFontListItem& item) {
    LOGFONTW query = item.LogFont;
    query.lfCharSet = DEFAULT_CHARSET;
    query.lfPitchAndFamily = 0;
    std::set<std::wstring> scripts;  // sorted, each once
    win::EnumerateFonts(query, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
        std::wstring script = ScriptOf(font);
        if (FullNameOf(font) == item.Name && !script.empty()) scripts.insert(std::move(script));
        return true;
    });
    std::wstring text;
    for (const std::wstring& script : scripts) {
        if (!text.empty()) text += L", ";
        text += script;
    }
    return text;
}

std::wstring ScriptText(TFontListItem& item) {
    std::wstring script;
    win::EnumerateFonts(item.LogFont, [&](const ENUMLOGFONTEXW& font, const NEWTEXTMETRICEXW&, DWORD) {
        if (FullNameOf(font) == item.Name) script = ScriptOf(font);
        return false;  // the first font reported decides
    });
    return script;
}

std::wstring FontStatusText(const std::wstring& name, const std::wstring& file, const SystemLocations& where) {
    InstallState state = GetInstallState(name, file, where);
    if (!state.installed) return win::LoadResString(IDS_STATUS_NOT_INSTALLED);
    if (state.fromThisFile) return win::LoadResString(IDS_STATUS_INSTALLED);
    return win::FormatRes(IDS_STATUS_INSTALLED_FROM, {win::AsU16(RegisteredFile(name, where))});
}

std::wstring StatusLine(TFontListItem& item) {
    std::wstring line = item.Name + L" - ";
    const std::wstring& file = item.FileName();
    if (file.empty()) return line + win::LoadResString(IDS_STATUS_NOT_INSTALLED);
    return line + file + L" (" + win::ToWide(FormatByteSize(item.FileSize())) + L")";
}

std::wstring FilterText(BYTE charsetFilter, BYTE familyFilter) {
    if (familyFilter != 0) {
        std::wstring family = win::LoadResString(IDS_FAMILY_BASE + familyFilter);
        if (!family.empty()) return family;
    }
    return win::LoadResString(IDS_CHARSET_BASE + charsetFilter);
}

}  // namespace typorama::catalog
