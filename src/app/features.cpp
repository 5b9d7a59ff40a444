#include "app/features.h"

#include <memory>

#include "app/browsing.h"
#include "app/button_bar.h"
#include "app/current_font_commands.h"
#include "app/drop_feature.h"
#include "app/font_info_pane.h"
#include "app/font_list_view.h"
#include "app/keyboard_focus.h"
#include "app/main_window.h"
#include "app/run_programs.h"
#include "app/sample_strings.h"
#include "app/selection.h"
#include "app/tray_icon.h"
#include "app/window_commands.h"
#include "charmap/char_map_feature.h"
#include "charmap/metrics_feature.h"
#include "options/options_feature.h"
#include "output/export_images_feature.h"
#include "output/print_feature.h"
#include "tools/duplicates_feature.h"
#include "tools/file_ops_feature.h"
#include "tools/install_feature.h"
#include "tools/rename_feature.h"
#include "tools/repair_feature.h"

namespace typorama::app {

void AddFeatures(TfrmMain& host) {
    host.AddFeature(std::make_unique<FontListView>(host));
    host.AddFeature(std::make_unique<ButtonBar>(host));
    host.AddFeature(std::make_unique<WindowCommands>(host));
    host.AddFeature(std::make_unique<Browsing>(host));
    host.AddFeature(std::make_unique<Selection>(host));
    host.AddFeature(std::make_unique<TrayIcon>(host));
    host.AddFeature(std::make_unique<charmap::TextMetricsFeature>(host));
    host.AddFeature(std::make_unique<charmap::CharMapFeature>(host));
    host.AddFeature(std::make_unique<RunPrograms>(host));
    host.AddFeature(std::make_unique<KeyboardFocus>(host));
    host.AddFeature(std::make_unique<output::PrintFeature>(host));
    host.AddFeature(std::make_unique<tools::FileOps>(host));
    host.AddFeature(std::make_unique<FontInfoPane>(host));
    host.AddFeature(std::make_unique<CurrentFontCommands>(host));
    host.AddFeature(std::make_unique<SampleStrings>(host));
    host.AddFeature(std::make_unique<tools::InstallCommands>(host));
    host.AddFeature(std::make_unique<tools::RepairCommands>(host));
    host.AddFeature(std::make_unique<tools::RenameCommands>(host));
    host.AddFeature(std::make_unique<options::OptionsFeature>(host));
    host.AddFeature(std::make_unique<tools::DuplicatesFeature>(host));
    host.AddFeature(std::make_unique<DropFeature>(host));
    host.AddFeature(std::make_unique<output::ExportImagesFeature>(host));
}

}  // namespace typorama::app
