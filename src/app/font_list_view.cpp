// The font list: drawing its rows, mouse, keys and the sample size.
#include "app/main_window.h"

namespace typorama::app {

void TfrmMain::RegisterListViewCommands() {}

}  // namespace typorama::app
