// Selection, search and filters.
#include "app/main_window.h"

namespace typorama::app {

void TfrmMain::RegisterSelectionCommands() {}

}  // namespace typorama::app
