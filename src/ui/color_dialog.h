// The system's colour dialog over a program colour value.
#pragma once

#include <windows.h>

#include <cstdint>

namespace typorama::ui {

// Opens the colour dialog at `color` (a program colour value: a system colour
// opens at its current RGB value); after OK `color` is the RGB value chosen.
// The custom colours are kept for the program's run.
bool ChooseColorValue(HWND owner, std::uint32_t& color);

}  // namespace typorama::ui
