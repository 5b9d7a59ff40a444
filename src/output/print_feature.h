// The main window's "打印(&P)..." command (Ctrl+P): the print dialog over the
// listed fonts and the selection.
#pragma once

#include "app/feature.h"

namespace typorama::app {
class TfrmMain;
}

namespace typorama::output {

class PrintFeature : public app::WindowFeature {
public:
    explicit PrintFeature(app::TfrmMain& host);

    // Opens the print dialog modally; nothing when the list is empty.
    void OpenPrintDialog();

private:
    app::TfrmMain& host_;
};

}  // namespace typorama::output
