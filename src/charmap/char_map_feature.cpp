#include "charmap/char_map_feature.h"

#include "app/main_window.h"
#include "charmap/char_map_window.h"
#include "ui/resource.h"

namespace typorama::charmap {

CharMapFeature::CharMapFeature(app::TfrmMain& host) : host_(host) {
    host.Commands().Add(IDM_VIEW_CHARMAP, {[this] { OpenCharMap(); }, {}, {}});
    host.CurrentFontChanged += [this] { ShowCurrentFont(); };
    host.FontListRebuilt += [this] { ShowCurrentFont(); };
    host.ColorsChanged += [this] { ApplyColours(); };
    // Closed as the user would close it, so that it keeps its settings.
    host.Closing += [this] {
        if (TfrmCharMap* window = CharMapWindow()) SendMessageW(window->Hwnd(), WM_CLOSE, 0, 0);
    };
}

CharMapFeature::~CharMapFeature() = default;

TfrmCharMap* CharMapFeature::CharMapWindow() const { return window_ && window_->Hwnd() ? window_.get() : nullptr; }

void CharMapFeature::OpenCharMap() {
    if (!host_.RequireFonts(app::FontNeed::Current)) return;
    if (TfrmCharMap* window = CharMapWindow()) {
        if (IsIconic(window->Hwnd())) ShowWindow(window->Hwnd(), SW_RESTORE);
        SetForegroundWindow(window->Hwnd());
        BringWindowToTop(window->Hwnd());
        return;
    }
    window_ = std::make_unique<TfrmCharMap>();
    if (!window_->Create()) {
        window_.reset();
        return;
    }
    const HWND hwnd = window_->Hwnd();
    host_.AddModeless(hwnd);
    window_->OnDestroyed = [this, hwnd] { host_.RemoveModeless(hwnd); };
    window_->OnShowMain = [this] {
        const HWND main = host_.Handle();
        if (IsIconic(main) || !IsWindowVisible(main))
            host_.Restore();
        else
            SetForegroundWindow(main);
    };
    ApplyColours();
    ShowCurrentFont();
    window_->Show();
}

void CharMapFeature::ShowCurrentFont() {
    TfrmCharMap* window = CharMapWindow();
    if (!window) return;
    catalog::TFontListItem* item = host_.CurrentFont();
    if (!item) {
        window->ShowFont(nullptr, false);
        return;
    }
    // A folder's fonts are loaded when first needed: the font must be there
    // before the system is asked for its scripts and outlines.
    host_.FontList().PrepareToDraw(*item);
    CharMapFont font;
    font.name = item->Name;
    font.logFont = item->LogFont;
    font.file = item->FileName();
    font.fileSize = font.file.empty() ? 0 : item->FileSize();
    font.copyright = item->Copyright();
    window->ShowFont(&font, host_.FontList().Source() == catalog::SourceKind::System);
}

void CharMapFeature::ApplyColours() {
    TfrmCharMap* window = CharMapWindow();
    if (!window) return;
    const app::DisplayColors& colors = host_.Colors();
    const app::MainSettings& settings = host_.Settings();
    window->ApplyColours(colors.font, colors.back,
                         settings.useCustomColors ? settings.colorSelection : win::SystemColorValue(COLOR_ACTIVECAPTION));
}

}  // namespace typorama::charmap
