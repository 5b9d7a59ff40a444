// A folder command that loads, unloads or moves font files runs with the font
// list set aside: the list's own loads for drawing hold the files open and
// would get in the way.
#pragma once

#include <string>
#include <unordered_set>

#include "catalog/font_list.h"

namespace typorama::tools {

class ListSetAside {
public:
    // Empties a folder or file list, remembering its tags by font name; the
    // system's list draws with installed fonts and stays.
    explicit ListSetAside(catalog::TFontList& list);
    ~ListSetAside() { Restore(); }
    ListSetAside(const ListSetAside&) = delete;
    ListSetAside& operator=(const ListSetAside&) = delete;

    // Fills the list again as it now is on disk, with the tags it had; once.
    void Restore();

private:
    catalog::TFontList& list_;
    bool cleared_ = false;
    bool taggedOnly_ = false;  // the only-selected view was on
    bool restored_ = false;
    std::unordered_set<std::wstring> tagged_;
};

}  // namespace typorama::tools
