#include "ui/color_dialog.h"

#include <commdlg.h>

#include "win/color_value.h"

namespace typorama::ui {

bool ChooseColorValue(HWND owner, std::uint32_t& color) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = win::ResolveColorValue(color);
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&choose)) return false;
    color = choose.rgbResult & 0x00FFFFFF;
    return true;
}

}  // namespace typorama::ui
