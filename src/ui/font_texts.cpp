#include "ui/font_texts.h"

#include "base/text_format.h"
#include "ui/resource.h"
#include "win/resource_strings.h"
#include "win/wide.h"

namespace typorama::ui {

std::wstring EmbeddingText(int embedding) {
    if (embedding < 0 || embedding > 4) return {};
    return win::LoadResString(IDS_EMBEDDING_BASE + static_cast<UINT>(embedding));
}

std::wstring FontStatusText(const catalog::InstallState& state) {
    switch (state.Status()) {
        case catalog::InstallStatus::NotInstalled: return win::LoadResString(IDS_STATUS_NOT_INSTALLED);
        case catalog::InstallStatus::InstalledFromThisFile: return win::LoadResString(IDS_STATUS_INSTALLED);
        case catalog::InstallStatus::InstalledFromOtherFile: break;
    }
    return win::FormatRes(IDS_STATUS_INSTALLED_FROM, {win::AsU16(state.registeredFile)});
}

std::wstring StatusLine(catalog::TFontListItem& item) {
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

std::wstring ScriptsText(const catalog::TFontListItem& item) {
    std::wstring text;
    for (const std::wstring& script : catalog::FontScripts(item)) {
        if (!text.empty()) text += L", ";
        text += script;
    }
    return text;
}

}  // namespace typorama::ui
