#include "tools/list_set_aside.h"

namespace typorama::tools {

ListSetAside::ListSetAside(catalog::TFontList& list) : list_(list) {
    cleared_ = list.Source() != catalog::SourceKind::System;
    if (!cleared_) return;
    for (int i = 0; i < list.Count(); ++i)
        if (list[i].Tagged) tagged_.insert(list[i].Name);
    // The untagged fonts the only-selected view sets aside hold their loads
    // too: they go with the rest, and the view comes back with the list.
    taggedOnly_ = list.ShowTaggedOnly();
    list.DropHidden(false);
    list.Clear();
}

void ListSetAside::Restore() {
    if (restored_) return;
    restored_ = true;
    if (!cleared_) {
        list_.Refresh(true);
        return;
    }
    list_.Rebuild(false);
    for (int i = 0; i < list_.Count(); ++i)
        if (tagged_.count(list_[i].Name)) list_[i].Tagged = true;
    if (taggedOnly_) list_.SetShowTaggedOnly(true);
}

}  // namespace typorama::tools
