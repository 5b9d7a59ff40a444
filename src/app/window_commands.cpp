// The main window's own commands: the button bar, about, help and web pages, settings export.
#include "app/main_window.h"

namespace typorama::app {

void TfrmMain::RegisterWindowCommands() {}

}  // namespace typorama::app
