#include "cli/cli.h"

#include <windows.h>

#include <algorithm>

#include "catalog/font_scan.h"
#include "win/folders.h"
#include "win/text_compare.h"
#include "win/wide.h"

namespace typorama::cli {
namespace {

constexpr char kUsage[] =
    "Usage: typorama-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  info PATH...   Reads each font file and prints one JSON object per line:\n"
    "                 {\"file\", \"ok\", \"copyright\", \"family\", \"subfamily\", \"uniqueId\",\n"
    "                  \"fullName\", \"version\", \"postScriptName\", \"weight\", \"italic\",\n"
    "                  \"embedding\"}\n"
    "                 A PATH that is a folder stands for every *.ttf, *.otf, *.ttc and\n"
    "                 *.otc file below it, sorted. A collection (.ttc, .otc) prints one\n"
    "                 line per face, with \"face\": its index after \"file\".\n"
    "                 \"ok\" is false when a file cannot be read as a font;\n"
    "                 its strings are then empty. Embedding: 0 unknown (no OS/2 table),\n"
    "                 1 restricted, 2 preview and print, 3 editable, 4 installable.\n"
    "  list [--subfolders] [--show-marlett] FOLDER|FILE...\n"
    "  list --system [--charset N | --family N] [--show-marlett]\n"
    "                 The font list as the main window shows it, one JSON object per font\n"
    "                 in list order: {\"name\", \"file\", \"size\", \"installed\",\n"
    "                 \"installedFromThisFile\", \"loadedByList\", \"embedding\", \"status\"}\n"
    "                 and, with --system, \"scripts\"; a face of a collection has \"face\"\n"
    "                 after \"file\". One FOLDER lists its font and collection files,\n"
    "                 a row per face; files, or several folders, make a file list. --subfolders:\n"
    "                 the files below each folder too. --system lists the fonts the\n"
    "                 system knows, filtered by character set (--charset 238) or family\n"
    "                 bits (--family 48).\n"
    "                 \"Marlett\" is left out unless --show-marlett. Fonts the list had to\n"
    "                 load for the listing are unloaded again before it exits.\n"
    "  status [--fonts-key KEY] PATH...\n"
    "                 Whether each font is installed and loaded, one JSON object per line:\n"
    "                 {\"file\", \"fullName\", \"installed\", \"installedFromThisFile\",\n"
    "                  \"registeredFile\", \"available\"}\n"
    "                 \"installed\": the installed-font list has an entry for the full name;\n"
    "                 \"installedFromThisFile\": that entry points at this file;\n"
    "                 \"registeredFile\": the entry's file as a full path, empty without one;\n"
    "                 \"available\": the system font table has the font now. For a file\n"
    "                 that cannot be read as a font the name is empty and the rest false.\n"
    "  load [--fonts-key KEY] PATH...       Loads each font not yet available.\n"
    "  unload [--fonts-key KEY] PATH...     Unloads each font file.\n"
    "  install [--fonts-key KEY] PATH...    Loads each font, then registers it where it is.\n"
    "  uninstall [--fonts-key KEY] PATH...  Unloads each font, then removes its entry if\n"
    "                 that entry points at this file; a font that is not loaded loses its\n"
    "                 entry too. For a file that is gone or has no usable full name, every\n"
    "                 entry pointing at the file is removed.\n"
    "                 One JSON object per file: {\"file\", \"fullName\", \"action\", \"ok\"},\n"
    "                 for uninstall also \"unloaded\" and \"removedEntries\" (value names).\n"
    "                 \"action\" with ok true: loaded, already-available, unloaded,\n"
    "                 installed, uninstalled, unregistered (entry removed, nothing was\n"
    "                 loaded); with ok false: unreadable, load-failed, unload-failed (in\n"
    "                 use; the entry stays), register-failed, unregister-failed,\n"
    "                 not-installed (no entry for this file), registered-elsewhere (the\n"
    "                 name's entry points at another file and stays), no-full-name,\n"
    "                 unusable-name (control characters, over 244 characters, or ending\n"
    "                 in \" (TrueType)\"), path-too-long (over 260 characters). Install\n"
    "                 loads nothing that it could not register.\n"
    "                 Every window is told once at the end that the fonts changed.\n"
    "                 Loaded fonts stay loaded after typorama-cli exits, until unloaded or\n"
    "                 the next logon (under Wine: while the wineserver runs). Installing\n"
    "                 into HKLM needs administrator rights; without them nothing is\n"
    "                 done (register-failed).\n"
    "  copy [--fonts-key KEY] [--on-clash WHAT] DEST FILE...\n"
    "  move [--fonts-key KEY] [--keep-installed] [--on-clash WHAT] DEST FILE...\n"
    "  delete [--fonts-key KEY] FILE...\n"
    "                 The Font menu's copy to, move to and delete, file by file in the\n"
    "                 order given (a folder stands for its font files). A move\n"
    "                 or delete unloads each font and removes its installed-font entry\n"
    "                 first; a file that then cannot be deleted keeps both. Read-only\n"
    "                 files are deleted too; deletion is final. --keep-installed: fonts\n"
    "                 installed from their old file are loaded and registered from the\n"
    "                 new one (only when DEST is on a fixed drive). --on-clash: what to\n"
    "                 do when DEST has a file of the same name: skip, overwrite, rename\n"
    "                 (the first free name2.ttf, name3.ttf, ...) or fail (the default).\n"
    "                 A file copied into its own folder is skipped. One JSON object per\n"
    "                 file: {\"file\", \"target\", \"action\", \"installed\", \"error\"};\n"
    "                 action: copied, moved, deleted, skipped, renamed, scheduled (in\n"
    "                 use: deleted at the next start of the system) or failed, with the\n"
    "                 system's reason in \"error\"; \"installed\": the installed-font\n"
    "                 list points at the file where it is now.\n"
    "  duplicates [--subfolders] [--fonts-key KEY] FOLDER...\n"
    "                 The duplicate finder: the font files of the folders (and below\n"
    "                 them, with --subfolders) whose fonts share a full name, letter\n"
    "                 case ignored; each face of a collection by its own name. One JSON\n"
    "                 object per group in name order:\n"
    "                 {\"fullName\", \"files\": [{\"file\", \"size\", \"crc32\", \"installed\"}]};\n"
    "                 \"crc32\" is eight hexadecimal digits, null for a file that could not\n"
    "                 be read whole; \"installed\": this (installed from this file),\n"
    "                 other (from another file) or no.\n"
    "  settings-export [--root KEY] FILE\n"
    "                 Writes the settings tree (HKCU\\SOFTWARE\\Halcyon Works\\Typorama\\1.0\\\n"
    "                 Settings, or KEY: HKCU\\..., HKLM\\..., HKCR\\... or HKU\\...) to FILE\n"
    "                 as the program's \"save settings to file\" command does: \"REGEDIT4\"\n"
    "                 in the ANSI code page when every text fits it, else \"Windows\n"
    "                 Registry Editor Version 5.00\" in UTF-16LE; both import with\n"
    "                 regedit. Prints {\"file\", \"root\", \"rootFound\", \"format\", \"ok\",\n"
    "                 \"error\", \"errorText\"}; a missing key gives a file with the header\n"
    "                 alone and \"rootFound\": false.\n"
    "  outline FILE CODEPOINT [--size PX] [--svg OUT.svg] [--emf OUT.emf]\n"
    "                 Loads FILE for this process only and converts the glyph of\n"
    "                 CODEPOINT (65, U+0041 or 0x41; up to U+FFFF) into straight\n"
    "                 segments as the character map's vector image does (10 per curve\n"
    "                 piece, quadratic or cubic), at a character height of PX pixels\n"
    "                 (1024). --svg writes the filled outline as an SVG path, --emf as an\n"
    "                 enhanced metafile. Prints {\"file\", \"codepoint\", \"contours\",\n"
    "                 \"points\", \"advance\"}: closed contours, segments (the polygons'\n"
    "                 vertices) and the advance width in pixels; a character without an\n"
    "                 outline (a space) has 0 contours and no metafile.\n"
    "  metrics FILE [--size PX] [--text]\n"
    "                 Loads FILE for this process only and prints the metrics the system\n"
    "                 reports for it at a character height of PX pixels (the system's\n"
    "                 default height without --size), as the text-metrics window shows\n"
    "                 them: one JSON object holding the objects \"TEXTMETRIC\", \"PANOSE\"\n"
    "                 and \"OUTLINETEXTMETRIC\", keyed by the report's labels (characters\n"
    "                 as their codes; \"FontBox\" and the sub/superscript pairs as\n"
    "                 arrays), or with --text the report's 55 lines exactly as the window\n"
    "                 shows them.\n"
    "  image [--text TEXT] [--title TITLE] [--size PX] [--width PX] [--format bmp|png]\n"
    "        [--out FOLDER] FILE...\n"
    "                 Saves the image export's picture of each font of the FILEs (a\n"
    "                 folder stands for its font files): the title (\"$TY_FACENAME -\n"
    "                 $TY_FILENAME\"; empty for none) above the sample TEXT (\\n breaks a\n"
    "                 line), drawn PX pixels high (27), as wide as the text or PX wide\n"
    "                 with --width (50 to 1000). Images go beside the font files, or into\n"
    "                 FOLDER, named after the font file, numbered when two fonts give\n"
    "                 one name. Prints {\"file\", \"image\", \"width\", \"height\"} per image.\n"
    "  sysinfo        Prints the system-information report (Windows, memory, drives,\n"
    "                 display, printers, file versions) as the Help menu copies it.\n"
    "  rename [--subfolders] [--undo] [--on-clash skip|delete-old|fail] [--log FILE]\n"
    "         [--fonts-key KEY] FOLDER\n"
    "                 The Tools menu's rename of the folder's *.ttf files to their fonts'\n"
    "                 full names (characters no file name may hold removed), or with\n"
    "                 --undo back to the names in the log. Fonts installed from a file\n"
    "                 stay installed and loaded under its new name. A name already taken\n"
    "                 is skipped, its file deleted first (delete-old) or reported as\n"
    "                 failed (fail). One JSON line per font file {\"file\", \"newName\",\n"
    "                 \"action\": renamed, unchanged, skipped or failed, \"installed\"},\n"
    "                 then {\"found\", \"renamed\", \"log\", \"logWritten\"}. The log is\n"
    "                 FILE, or Rename.log beside the program (in %APPDATA%\\Typorama\n"
    "                 when that folder cannot be written).\n"
    "  --fonts-key KEY  The installed-font list to use instead of the system's, as\n"
    "                 HKLM\\SUBKEY or HKCU\\SUBKEY (for example the per-user list\n"
    "                 HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts).\n"
    "  --help         Shows this text.\n"
    "\n"
    "Exit status: 0 when every file was read (or handled), 1 when any was not,\n"
    "2 on bad usage.\n"
    "Output is UTF-8; lines end with a bare LF.\n";

bool PathLess(const std::wstring& a, const std::wstring& b) {
    const int order = win::CompareNoCase(a, b);
    if (order != 0) return order < 0;
    return a < b;  // same but for letter case: keep a stable, total order
}

}  // namespace

void Output::Write(std::wstring_view text) { Write(win::WideToUtf8(text)); }

std::optional<long> ParseNumber(const std::wstring& text, long max) {
    int base = 10;
    std::size_t skip = 0;
    if (text.size() > 2 && (text.rfind(L"U+", 0) == 0 || text.rfind(L"u+", 0) == 0 || text.rfind(L"0x", 0) == 0 ||
                            text.rfind(L"0X", 0) == 0)) {
        base = 16;
        skip = 2;
    }
    if (skip >= text.size() || text.size() - skip > 8) return std::nullopt;
    long value = 0;
    for (std::size_t i = skip; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > max) return std::nullopt;
    }
    return value;
}

std::vector<std::wstring> ExpandFontPaths(const std::vector<std::wstring>& paths, bool includeSubfolders) {
    std::vector<std::wstring> files;
    for (const std::wstring& path : paths) {
        if (!win::IsFolder(path)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::wstring> found;
        catalog::FindFontFiles(path, catalog::kFontFilePatterns, includeSubfolders, found);
        std::sort(found.begin(), found.end(), PathLess);
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

int Run(const std::vector<std::wstring>& args, Output& out, Output& err) {
    if (args.empty()) {
        err.Write(kUsage);
        return kExitUsage;
    }
    const std::wstring& command = args.front();
    std::vector<std::wstring> rest(args.begin() + 1, args.end());
    if (command == L"--help" || command == L"-h" || command == L"help") {
        out.Write(kUsage);
        return kExitOk;
    }
    if (command == L"info") return RunInfo(rest, out, err);
    if (command == L"list") return RunList(rest, out, err);
    if (command == L"status") return RunStatus(rest, out, err);
    if (command == L"load") return RunLoad(rest, out, err);
    if (command == L"unload") return RunUnload(rest, out, err);
    if (command == L"install") return RunInstall(rest, out, err);
    if (command == L"uninstall") return RunUninstall(rest, out, err);
    if (command == L"settings-export") return RunSettingsExport(rest, out, err);
    if (command == L"outline") return RunOutline(rest, out, err);
    if (command == L"metrics") return RunMetrics(rest, out, err);
    if (command == L"sysinfo") return RunSysinfo(rest, out, err);
    if (command == L"copy") return RunCopy(rest, out, err);
    if (command == L"move") return RunMove(rest, out, err);
    if (command == L"delete") return RunDelete(rest, out, err);
    if (command == L"rename") return RunRename(rest, out, err);
    if (command == L"duplicates") return RunDuplicates(rest, out, err);
    if (command == L"image") return RunImage(rest, out, err);
    err.Write(L"typorama-cli: unknown command '" + command + L"'\n\n");
    err.Write(kUsage);
    return kExitUsage;
}

}  // namespace typorama::cli
