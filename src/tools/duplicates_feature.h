// The Tools command that opens the duplicate finder: one window at most,
// restored and brought to the front when it is already open.
#pragma once

#include <memory>

#include "app/feature.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::tools {

class TfrmFindDuplicates;

class DuplicatesFeature : public app::WindowFeature {
public:
    explicit DuplicatesFeature(app::TfrmMain& host);
    ~DuplicatesFeature() override;

    // mnuToolsFindDuplicates.
    void Open();
    // The window while it is open, else null.
    TfrmFindDuplicates* Window() const;

private:
    app::TfrmMain& host_;
    std::unique_ptr<TfrmFindDuplicates> window_;
};

}  // namespace typorama::tools
