// Browsing sources: the folder tree, the loaded fonts, favourites and several folders.
#include "app/main_window.h"

namespace typorama::app {

void TfrmMain::RegisterBrowsingCommands() {}

}  // namespace typorama::app
