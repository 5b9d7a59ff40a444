// The rules of the install commands that need no system: the batch table the
// Tools folder commands run over a folder's font files, and the remembered
// folders of the install and uninstall dialogs. Pure code; the program binds
// the batch's calls to the system font table and the installed-font list.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace typorama::tools {

enum class BatchOp { Load, Install, Unload, Uninstall };

// What the batch needs of a font file and of the system, per file.
struct BatchCalls {
    // The file's full and family names; false when the file cannot be read.
    std::function<bool(const std::u16string& file, std::u16string& fullName, std::u16string& familyName)> readInfo;
    std::function<bool(const std::u16string& familyName, const std::u16string& fullName)> isAvailable;
    std::function<bool(const std::u16string& file)> load;
    std::function<bool(const std::u16string& file)> unload;
    std::function<bool(const std::u16string& fullName, const std::u16string& file)> registerFont;
    std::function<bool(const std::u16string& fullName, const std::u16string& file)> unregisterFont;
    // Asked before each file; true stops the run there.
    std::function<bool()> cancelled;
    // After each file, with the number of files done so far.
    std::function<void(std::size_t done)> progress;
};

struct BatchCounts {
    std::size_t found = 0;      // files given
    std::size_t processed = 0;  // files gone through before the end or a cancel
    std::size_t succeeded = 0;  // files whose operation did what it is for
    bool cancelled = false;
};

// Per file, in order:
//   Load:      readable and not yet available: load
//   Install:   readable and loaded: register under the full name (the file stays where it is)
//   Unload:    unload
//   Uninstall: readable and unloaded: unregister
// A font that cannot be loaded is not registered; one that cannot be unloaded
// keeps its entry. Missing calls count as failing.
BatchCounts RunBatch(BatchOp op, const std::vector<std::u16string>& files, const BatchCalls& calls);

// The remembered folders of a dialog's folder box.
inline constexpr std::size_t kMaxOfferedFolders = 10;

// The stored folders offered: the first kMaxOfferedFolders of the stored
// count, skipping empty ones. `stored(i)` reads Folder<i>.
std::vector<std::u16string> OfferedFolders(std::size_t storedCount,
                                           const std::function<std::u16string(std::size_t)>& stored);

// The items to store when the dialog closes: the offered ones, and the box's
// text as a new last item when it is not empty and not among them (letter case
// ignored by `sameFolder`).
std::vector<std::u16string> FoldersToStore(std::vector<std::u16string> items, const std::u16string& text,
                                           const std::function<bool(const std::u16string&, const std::u16string&)>& sameFolder);

}  // namespace typorama::tools
