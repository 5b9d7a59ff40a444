// The image export dialog and its preview window (5800..5999, dialogs 460..479).
#pragma once

#define IDR_EXPORT_FIRST 5800
#define IDR_EXPORT_LAST 5999
#define IDD_EXPORT_FIRST 460
#define IDD_EXPORT_LAST 479

#define IDD_EXPORT_BITMAP 460

#define IDS_EXP_CAPTION 5800          // %d fonts
#define IDS_EXP_TAB_TEXT 5801
#define IDS_EXP_TAB_MARGINS 5802
#define IDS_EXP_TAB_NAMING 5803
#define IDS_EXP_NO_SAMPLE 5804
#define IDS_EXP_PROGRESS 5805
#define IDS_EXP_SAVE_FAILED 5806      // %s the image's full path
#define IDS_EXP_PREVIEW_CAPTION 5807  // %d width, %d height
#define IDS_EXP_FONT_TEXT 5808        // %s face name with styles, %d points
#define IDS_EXP_BOLD 5809
#define IDS_EXP_ITALIC 5810

#define IDC_EXP_TABS 5900
#define IDC_EXP_TITLE_GROUP 5901
#define IDC_EXP_TITLE_LABEL 5902
#define IDC_EXP_TITLE 5903
#define IDC_EXP_TITLE_VAR 5904
#define IDC_EXP_TITLE_FONT_LABEL 5905
#define IDC_EXP_TITLE_FONT_TEXT 5906
#define IDC_EXP_TITLE_FONT 5907
#define IDC_EXP_SAMPLE_GROUP 5908
#define IDC_EXP_SAMPLE_LABEL 5909
#define IDC_EXP_SAMPLE 5910
#define IDC_EXP_SAMPLE_VAR 5911
#define IDC_EXP_SIZE_LABEL 5912
#define IDC_EXP_SIZE 5913
#define IDC_EXP_SIZE_SPIN 5914
#define IDC_EXP_COLOR_TEXT 5915
#define IDC_EXP_COLOR_BACK 5916
#define IDC_EXP_ALIGN_GROUP 5917
#define IDC_EXP_ALIGN_LEFT 5918
#define IDC_EXP_ALIGN_CENTER 5919
#define IDC_EXP_ALIGN_RIGHT 5920
#define IDC_EXP_LEFT_LABEL 5921
#define IDC_EXP_LEFT 5922
#define IDC_EXP_LEFT_SPIN 5923
#define IDC_EXP_TOP_LABEL 5924
#define IDC_EXP_TOP 5925
#define IDC_EXP_TOP_SPIN 5926
#define IDC_EXP_WIDTH_LABEL 5927
#define IDC_EXP_WIDTH 5928
#define IDC_EXP_WIDTH_SPIN 5929
#define IDC_EXP_AUTO_WIDTH 5930
#define IDC_EXP_OUT_DEFAULT 5931
#define IDC_EXP_OUT_FOLDER 5932
#define IDC_EXP_FOLDER 5933
#define IDC_EXP_BROWSE 5934
#define IDC_EXP_NAME_FILE 5935
#define IDC_EXP_NAME_FACE 5936
#define IDC_EXP_FORMAT_GROUP 5937
#define IDC_EXP_FORMAT_BMP 5938
#define IDC_EXP_FORMAT_PNG 5939
#define IDC_EXP_PREVIEW 5940
#define IDC_EXP_CLIP 5941
#define IDC_EXP_SAVE 5942
#define IDC_EXP_DEFAULTS 5943
#define IDC_EXP_HELP 5944

#ifndef RC_INVOKED
#include "ui/resource_range.h"
static_assert(typorama::ui::resource_ids::Within(IDR_EXPORT_FIRST, IDR_EXPORT_LAST,
                                                 {IDS_EXP_CAPTION, IDS_EXP_ITALIC, IDC_EXP_TABS, IDC_EXP_HELP}),
              "image export ids out of range");
static_assert(typorama::ui::resource_ids::Within(IDD_EXPORT_FIRST, IDD_EXPORT_LAST, {IDD_EXPORT_BITMAP}),
              "image export dialogs out of range");
#endif
