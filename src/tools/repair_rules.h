// The rules of the repair wizard and the fonts-folder view that need no
// system: when an installed-font entry counts as invalid, the drive root a
// path lies on, and the edit of desktop.ini text that takes the fonts
// folder's special view away without losing the file's other entries.
// Pure code; the program reads and writes the file and asks the system.
#pragma once

#include <string>
#include <string_view>

namespace typorama::tools {

// The section and key of desktop.ini that give the fonts folder its special view.
inline constexpr char16_t kShellClassSection[] = u".ShellClassInfo";
inline constexpr char16_t kFontsViewKey[] = u"UICLSID";
inline constexpr char16_t kFontsFolderClass[] = u"{BD84B380-8CA2-1069-AB1D-08000948F534}";

// Where an entry's file lies, as far as validity is concerned.
enum class DriveKind { Fixed, Other };

// An entry is valid when its file exists; with `includeRemovable`, an entry
// of a file on any drive that is not a fixed disk is invalid even then, since
// the font is gone whenever the medium or the share is.
bool IsRegistrationValid(DriveKind drive, bool fileExists, bool includeRemovable);

// The root the system reports the drive kind of: "C:\" for "C:\x\y.ttf",
// "\\server\share\" for a UNC path ("\\?\" long forms included); empty for a
// relative path, whose drive is unknown.
std::u16string DriveRoot(std::u16string_view path);

// desktop.ini text without `key` of `section` (both compared without regard to
// ASCII letter case, around spaces); with `value`, only an entry holding that
// value goes. A section left without entries loses its header too. Everything
// else keeps its bytes and order.
struct IniEdit {
    std::u16string text;
    bool removed = false;  // the key was there
    bool empty = false;    // nothing but blank lines remains: the file can go
};
IniEdit RemoveIniEntry(std::u16string_view text, std::u16string_view section, std::u16string_view key,
                       std::u16string_view value = {});
// Without the fonts view: the entry this program writes (`UICLSID`), and the
// folder class naming the fonts folder (`CLSID` with that class), which turns
// the view on as well; other entries stay.
IniEdit RemoveFontsView(std::u16string_view text);

}  // namespace typorama::tools
