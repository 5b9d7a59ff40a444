#include "output/print_feature.h"

#include "app/main_window.h"
#include "app/selection.h"
#include "output/print_dialog.h"
#include "ui/resource.h"
#include "win/window_text.h"

namespace typorama::output {

PrintFeature::PrintFeature(app::TfrmMain& host) : host_(host) {
    host.Commands().Add(IDM_FONT_PRINT, {[this] { OpenPrintDialog(); }, [&host] { return host.HasRows(); }, {}});
}

void PrintFeature::OpenPrintDialog() {
    if (!host_.HasRows()) return;
    PrintSource source;
    source.list = &host_.FontList();
    if (app::Selection* selection = host_.Feature<app::Selection>())
        selection->CollectSelectedFonts(source.selected, app::SelectMode::TaggedOrCurrent);
    source.userText = [this] { return win::WindowText(host_.UserStringBox()); };
    TfrmPrint dialog(std::move(source));
    ui::CreateAndShowForm(dialog, host_.Handle(), true, ui::kCenterOnOwner | ui::kShowModal);
}

}  // namespace typorama::output
