// Fixed indices of the 16x16 image strip BMP_TOOLBAR_ENABLED (drawn by
// scripts/make-artwork.py; magenta is the transparent colour). An index keeps
// its meaning for good: new pictures take free indices.
#pragma once

#include <windows.h>

namespace typorama::ui {

inline constexpr wchar_t kToolbarBitmap[] = L"BMP_TOOLBAR_ENABLED";
inline constexpr wchar_t kAboutBitmap[] = L"BMP_ABOUT";
inline constexpr int kImageSize = 16;
inline constexpr int kImageCount = 40;
inline constexpr COLORREF kImageTransparent = RGB(255, 0, 255);

// Marks drawn in the font list's rows.
inline constexpr int kImageCheckEmpty = 0;
inline constexpr int kImageCheckTicked = 1;
inline constexpr int kImageBadgeBlue = 3;    // this file is the installed one
inline constexpr int kImageBadgePurple = 4;  // a font of this name is installed from another file
inline constexpr int kImageBadgeGreen = 5;   // not installed

// Toolbar pictures.
inline constexpr int kImageFolderBrowser = 6;
inline constexpr int kImageLoadedFonts = 7;
inline constexpr int kImageCharacterMap = 8;
inline constexpr int kImagePrint = 9;
inline constexpr int kImageInstall = 10;
inline constexpr int kImageUninstall = 11;
inline constexpr int kImageDelete = 12;
inline constexpr int kImageOnlySelectedFiles = 13;
inline constexpr int kImageCheckBoxes = 14;
inline constexpr int kImageInstalledMarks = 15;
inline constexpr int kImageNameLine = 16;
inline constexpr int kImageSampleText = 17;
inline constexpr int kImageFontInformation = 18;

// The status bar's drop-down mark (five pixels wide at the image's top left).
inline constexpr int kImageSmallArrowDown = 36;

}  // namespace typorama::ui
