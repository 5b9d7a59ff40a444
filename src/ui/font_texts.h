// The texts shown for the states the catalogue reports: embedding classes,
// installation status, the status line of a row, the filter names and the
// scripts of a font. Used by the windows and by the console companion.
#pragma once

#include <windows.h>

#include <string>

#include "catalog/font_list.h"
#include "catalog/font_registry.h"

namespace typorama::ui {

// "信息不可用", "受限", "可打印", "可编辑", "安装型" for 0..4; empty otherwise.
std::wstring EmbeddingText(int embedding);
// "未安装", "已永久安装", or "同样的字体被安装自 "<registered file>"".
std::wstring FontStatusText(const catalog::InstallState& state);
// "<name> - <file> (<size>)", or "<name> - 未安装" when no file is known.
std::wstring StatusLine(catalog::TFontListItem& item);
// Name of a charset filter value, replaced by the family filter's name when that
// is set and has one; empty for values without a name.
std::wstring FilterText(BYTE charsetFilter, BYTE familyFilter);
// The scripts of the item's font, joined with ", ".
std::wstring ScriptsText(const catalog::TFontListItem& item);

}  // namespace typorama::ui
