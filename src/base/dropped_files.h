// What the program does with paths it is handed: dropped on the window, given
// on the command line, or passed on by a second start of the program. The
// paths come from outside (another process writes the second start's list),
// so the list read back from a message is checked before anything opens it.
// Pure code.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace typorama {

// Whether the file name of `path` (what follows the last '\' or '/') matches
// one of the ';'-separated wildcard patterns ("*.ttf;*.otf"): '*' any run of
// characters, '?' one character, letters A-Z in either case.
bool MatchesPatterns(std::u16string_view path, std::u16string_view patterns);

// What the file system says a handed path is.
enum class PathKind { Missing, Folder, File };

struct HandedPath {
    std::u16string path;
    PathKind kind = PathKind::Missing;
};

// What a drop opens: its font files as a list of files when it has any (each
// file once), otherwise its first folder. Everything else in the drop (other
// files, folders beside fonts or after the first, paths that are gone) is
// left out and counted.
struct DropPlan {
    std::vector<std::u16string> fontFiles;
    std::u16string folder;  // empty when font files are shown or nothing can be
    int ignored = 0;
};
DropPlan PlanDrop(const std::vector<HandedPath>& paths, std::u16string_view fontPatterns);

// The list a second start hands to the first: each path followed by a NUL,
// then one more NUL. Only full paths travel (a drive or a UNC share first), at
// most kMaxHandedFiles of them, none longer than the system's longest path.
inline constexpr std::size_t kMaxHandedFiles = 1000;
inline constexpr std::size_t kMaxHandedPathChars = 32767;
// The identifier in COPYDATASTRUCT::dwData that says the data is such a list.
inline constexpr unsigned long kHandedFilesTag = 0x54594631;  // "TYF1"

// A full path: "X:\..." or "\\server\share...", without control characters.
bool IsHandedPath(std::u16string_view path);
// The list to send; nullopt when a path is not one that may travel or there
// are too many (the second start then only brings the first to the front).
std::optional<std::u16string> EncodeHandedFiles(const std::vector<std::u16string>& paths);
// The list read back from `bytes` bytes of another process: nullopt unless
// it is whole (an even size, the closing double NUL), not empty, and every
// path is one EncodeHandedFiles would have sent.
std::optional<std::vector<std::u16string>> DecodeHandedFiles(const void* data, std::size_t bytes);

}  // namespace typorama
