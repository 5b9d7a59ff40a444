// The export of sample images: one image per font, in list order, each saved
// where the placement says, with the questions of the run (cancel? the file
// could not be written: abort, retry or ignore?) asked through hooks that the
// dialog answers with windows and tests answer from a script.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "output/image_naming.h"
#include "output/image_render.h"

namespace typorama::catalog {
class TFontListItem;
}

namespace typorama::output {

enum class SaveFailureAnswer { Abort, Retry, Ignore };

struct ExportHooks {
    // Asked before each font; true ends the run as cancelled.
    std::function<bool()> cancelRequested;
    // An image could not be written to `path` (the system's error `error`).
    std::function<SaveFailureAnswer(const std::wstring& path, DWORD error)> saveFailed;
    // After each font, with the number done so far.
    std::function<void(int done)> advanced;
    // Makes the font drawable before it is rendered (the list loads fonts it
    // lists but the system does not know).
    std::function<void(catalog::TFontListItem&)> prepare;
};

struct ExportJob {
    ImageLook look;
    ImagePlacement placement;
    std::wstring fontsFolder;  // for $TY_FOLDER_SYSFONTS
};

struct ExportedImage {
    catalog::TFontListItem* font = nullptr;
    std::wstring path;
    int width = 0, height = 0;
};

struct ExportOutcome {
    bool cancelled = false;             // the user's cancel; an abort counts as finished
    int saved = 0;
    int renumbered = 0;                 // images that took a numbered name
    std::vector<ExportedImage> written;  // in order
};

ExportOutcome RunImageExport(std::span<catalog::TFontListItem* const> fonts, const ExportJob& job,
                             const ExportHooks& hooks);

}  // namespace typorama::output
