#include "catalog/font_file.h"

#include <algorithm>

#include "catalog/entry_name.h"
#include "catalog/sfnt_facts.h"
#include "catalog/system_locations.h"
#include "win/file_source.h"
#include "win/wide.h"

namespace typorama::catalog {
namespace {

std::u16string DecodeAnsi(std::string_view bytes) {
    std::wstring text = win::AnsiToWide(bytes);
    return std::u16string(win::AsU16(text));
}

}  // namespace

void TFontInfo::Clear() {
    *this = TFontInfo{};
    LogFont.lfCharSet = DEFAULT_CHARSET;
}

bool ReadFontInfo(const std::wstring& fileName, TFontInfo& info) {
    return ReadFontInfo(fileName, info, Locations().systemLanguageId);
}

bool ReadFontInfo(const std::wstring& fileName, TFontInfo& info, std::uint32_t preferredLanguageId) {
    return ReadFontFile(fileName, info, preferredLanguageId) == FontFileRead::Read;
}

FontFileRead ReadFontFile(const std::wstring& fileName, TFontInfo& info, std::uint32_t preferredLanguageId) {
    info.Clear();
    std::vector<TFontInfo> faces;
    const FontFileRead outcome = ReadFontFaces(fileName, faces, preferredLanguageId);
    if (outcome == FontFileRead::Read) info = std::move(faces.front());
    return outcome;
}

FontFileRead ReadFontFaces(const std::wstring& fileName, std::vector<TFontInfo>& faces,
                           std::uint32_t preferredLanguageId) {
    faces.clear();
    win::FileByteSource file(fileName);
    if (!file.IsOpen()) return FontFileRead::NotOpened;
    std::optional<std::vector<SfntFacts>> read = ReadSfntFaces(file, preferredLanguageId, &DecodeAnsi);
    if (!read) return FontFileRead::NotAFont;
    for (const SfntFacts& facts : *read) faces.push_back(FontInfoFromFacts(facts));
    return FontFileRead::Read;
}

std::wstring EntryNameOf(const std::vector<TFontInfo>& faces) {
    if (faces.empty()) return {};
    if (!faces.front().Face) return faces.front().FullName;
    std::vector<std::u16string> names;
    for (const TFontInfo& face : faces) names.emplace_back(win::AsU16(face.FullName));
    return win::ToWide(CollectionEntryName(names));
}

TFontInfo FontInfoFromFacts(const SfntFacts& facts) {
    TFontInfo info;
    info.Clear();
    std::wstring* fields[kNameSlotCount] = {&info.Copyright, &info.FamilyName, &info.SubfamilyName,
                                            &info.UniqueId,  &info.FullName,   &info.Version,
                                            &info.PostScriptName};
    for (int i = 0; i < kNameSlotCount; ++i) *fields[i] = win::ToWide(facts.names[i]);

    info.LogFont.lfWeight = facts.weight;
    info.LogFont.lfItalic = facts.italic ? TRUE : FALSE;
    info.Embedding = facts.embedding;
    info.Face = facts.face;

    // The face name field holds 31 characters and a NUL. A longer family is cut,
    // never in the middle of a surrogate pair.
    std::size_t n = std::min<std::size_t>(info.FamilyName.size(), LF_FACESIZE - 1);
    if (n > 0 && n < info.FamilyName.size() && IS_HIGH_SURROGATE(info.FamilyName[n - 1])) --n;
    std::copy_n(info.FamilyName.begin(), n, info.LogFont.lfFaceName);
    info.LogFont.lfFaceName[n] = L'\0';
    return info;
}

SfntFacts FactsFromFontInfo(const TFontInfo& info) {
    SfntFacts facts;
    const std::wstring* fields[kNameSlotCount] = {&info.Copyright, &info.FamilyName, &info.SubfamilyName,
                                                  &info.UniqueId,  &info.FullName,   &info.Version,
                                                  &info.PostScriptName};
    for (int i = 0; i < kNameSlotCount; ++i) facts.names[i] = std::u16string(win::AsU16(*fields[i]));
    facts.weight = info.LogFont.lfWeight;
    facts.italic = info.LogFont.lfItalic != 0;
    facts.embedding = info.Embedding;
    facts.face = info.Face;
    return facts;
}

}  // namespace typorama::catalog
