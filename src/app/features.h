// The features of the main window, made in the order of the list in
// features.cpp: a new part of the window adds one line there.
#pragma once

namespace typorama::app {

class TfrmMain;

// Makes every feature with `host` and hands it to the host.
void AddFeatures(TfrmMain& host);

}  // namespace typorama::app
