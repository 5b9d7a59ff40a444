#include "tools/install_rules.h"

#include <algorithm>
#include <utility>

namespace typorama::tools {
namespace {

template <typename F, typename... Args>
bool Call(const F& f, Args&&... args) {
    return f && f(std::forward<Args>(args)...);
}

bool DoFile(BatchOp op, const std::u16string& file, const BatchCalls& calls) {
    std::u16string fullName;
    std::u16string familyName;
    switch (op) {
        case BatchOp::Load:
            if (!Call(calls.readInfo, file, fullName, familyName)) return false;
            // A font the system has already is left alone: loading it again
            // would need a second unload to take it away.
            if (Call(calls.isAvailable, familyName, fullName)) return false;
            return Call(calls.load, file);
        case BatchOp::Install:
            return Call(calls.readInfo, file, fullName, familyName) && Call(calls.load, file) &&
                   Call(calls.registerFont, fullName, file);
        case BatchOp::Unload: return Call(calls.unload, file);
        case BatchOp::Uninstall:
            return Call(calls.readInfo, file, fullName, familyName) && Call(calls.unload, file) &&
                   Call(calls.unregisterFont, fullName, file);
    }
    return false;
}

}  // namespace

BatchCounts RunBatch(BatchOp op, const std::vector<std::u16string>& files, const BatchCalls& calls) {
    BatchCounts counts;
    counts.found = files.size();
    for (const std::u16string& file : files) {
        if (calls.cancelled && calls.cancelled()) {
            counts.cancelled = true;
            break;
        }
        if (DoFile(op, file, calls)) ++counts.succeeded;
        ++counts.processed;
        if (calls.progress) calls.progress(counts.processed);
    }
    return counts;
}

std::vector<std::u16string> OfferedFolders(std::size_t storedCount,
                                           const std::function<std::u16string(std::size_t)>& stored) {
    std::vector<std::u16string> folders;
    for (std::size_t i = 0; i < std::min(storedCount, kMaxOfferedFolders); ++i) {
        std::u16string folder = stored(i);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<std::u16string> FoldersToStore(std::vector<std::u16string> items, const std::u16string& text,
                                           const std::function<bool(const std::u16string&, const std::u16string&)>& sameFolder) {
    if (text.empty()) return items;
    for (const std::u16string& item : items)
        if (sameFolder(item, text)) return items;
    items.push_back(text);
    return items;
}

}  // namespace typorama::tools
