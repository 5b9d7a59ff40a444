// A font file loaded for this process only, for the commands that measure or
// draw one file: it is read, its family name checked, loaded privately, and
// the face the system then chooses by that name must be the file's own.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "catalog/font_file.h"

namespace typorama::cli {

class PrivateFont {
public:
    PrivateFont() = default;
    ~PrivateFont();
    PrivateFont(const PrivateFont&) = delete;
    PrivateFont& operator=(const PrivateFont&) = delete;

    // Loads `file`; on failure returns why (for the error line) and nothing
    // stays loaded.
    std::optional<std::wstring> Load(const std::wstring& file);

    const catalog::TFontInfo& Info() const { return info_; }
    // The file's logical font: its own family name as face name, any
    // character set, outline fonts preferred.
    const LOGFONTW& Font() const { return font_; }

private:
    std::wstring file_;  // loaded while not empty
    catalog::TFontInfo info_;
    LOGFONTW font_{};
};

}  // namespace typorama::cli
