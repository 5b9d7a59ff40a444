#include "cli/private_font.h"

#include <cwchar>

#include "catalog/entry_name.h"
#include "win/gdi.h"
#include "win/text_compare.h"
#include "win/unique_handle.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

// The family name the file gives itself, if the system can be asked for it
// by that name: one line of text that fits a logical font's face name.
std::optional<std::wstring> UsableFaceName(const std::wstring& family) {
    const catalog::EntryName checked = catalog::CheckEntryName(win::AsU16(family));
    if (!checked.usable() || checked.name.size() >= LF_FACESIZE) return std::nullopt;
    return win::ToWide(checked.name);
}

// The face the system really chose for `font`: a loaded file whose face the
// system does not take must not be answered by another font of the system.
std::wstring ChosenFace(const LOGFONTW& font) {
    win::UniqueFont handle(CreateFontIndirectW(&font));
    win::MemoryDC dc(nullptr, nullptr);
    if (!handle || !dc.get()) return {};
    win::SelectedObject selected(dc.get(), handle.get());
    wchar_t face[LF_FACESIZE] = L"";
    return GetTextFaceW(dc.get(), LF_FACESIZE, face) > 0 ? std::wstring(face) : std::wstring();
}

}  // namespace

PrivateFont::~PrivateFont() {
    if (!file_.empty()) RemoveFontResourceExW(file_.c_str(), FR_PRIVATE, nullptr);
}

std::optional<std::wstring> PrivateFont::Load(const std::wstring& file) {
    if (!catalog::ReadFontInfo(file, info_)) return L"cannot be read as a font";
    const std::optional<std::wstring> face = UsableFaceName(info_.FamilyName);
    if (!face) return L"the font has no usable family name";

    // Privately: no other program sees the font, and it goes with this process.
    if (AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr) == 0) return L"the system does not load the font";
    file_ = file;

    font_ = info_.LogFont;
    std::wcsncpy(font_.lfFaceName, face->c_str(), LF_FACESIZE - 1);
    font_.lfFaceName[LF_FACESIZE - 1] = L'\0';
    font_.lfCharSet = DEFAULT_CHARSET;
    font_.lfOutPrecision = OUT_TT_PRECIS;
    if (!win::EqualNoCase(ChosenFace(font_), *face)) {
        RemoveFontResourceExW(file_.c_str(), FR_PRIVATE, nullptr);
        file_.clear();
        return L"the system does not select the font by its family name";
    }
    return std::nullopt;
}

}  // namespace typorama::cli
