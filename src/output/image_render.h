// The picture of one font that the image export saves, the preview shows, the
// clipboard receives and typorama-cli writes: an optional title line above a
// sample text drawn in the font, in chosen colours, size, alignment and
// margins. One routine for all of them, so that they never differ.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "output/image_naming.h"
#include "win/unique_handle.h"

namespace typorama::catalog {
class TFontListItem;
}

namespace typorama::output {

enum class ImageAlignment : std::int32_t { Left = 0, Center = 1, Right = 2 };

inline constexpr std::wstring_view kDefaultImageTitle = L"$TY_FACENAME - $TY_FILENAME";
inline constexpr std::wstring_view kDefaultImageSample =
    L"AaBbCcDdEeFfGgHhIiJj\r\n1234567890!?\r\nThe quick brown cat jumps over the lazy dog";

// What the picture looks like. Colours are program colour values
// (0x80000000 + n: system colour n).
struct ImageLook {
    std::wstring title{kDefaultImageTitle};        // template with command variables
    std::wstring sampleText{kDefaultImageSample};  // template, lines separated by CR LF
    std::int32_t fontSize = 27;                    // cell height of the sample font in pixels
    std::int32_t alignment = static_cast<std::int32_t>(ImageAlignment::Center);
    std::uint32_t colorText = 0;
    std::uint32_t colorBack = 0xFFFFFF;
    std::int32_t marginLeft = 10;  // left and right
    std::int32_t marginTop = 8;    // top and bottom
    std::int32_t width = 400;      // when not automatic
    bool autoWidth = true;
    LOGFONTW titleFont{};       // lfFaceName empty: the system's GUI font
    std::uint32_t titleColor = 0;
};

// The limits that keep one hostile name or a pasted novel from asking for a
// picture of gigabytes.
inline constexpr int kMaxImageTitleWidth = 2000;
inline constexpr int kMaxImageTitleHeight = 200;
inline constexpr int kMaxImageTextHeight = 1000;
inline constexpr int kMaxImageLineWidth = 2000;

// What was measured, for the layout's callers and tests.
struct ImageMeasures {
    bool hasTitle = false;
    int titleWidth = 0, titleHeight = 0;  // limited
    int titleBand = 0;                    // what the title takes above the text, or 2 - internal leading
    int internalLeading = 0;
    int lineHeight = 0;                   // height of "Wj" in the sample font
    int lineCount = 0;
    int textHeight = 0;                   // lines x line height, limited
    int widestLine = 0;                   // limited
};

struct RenderedImage {
    win::UniqueBitmap bitmap;  // a 24-bit DIB section, top-down
    void* bits = nullptr;      // its pixels, rows of BmpRowStride(width) bytes, top row first
    int width = 0, height = 0;
    ImageMeasures measures;
    explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// Renders `font` (already drawable: a listed font the list has prepared, or
// one loaded privately) with `look`; `fontsFolder` is what $TY_FOLDER_SYSFONTS
// gives. An empty image when the system could not make the bitmap.
RenderedImage RenderFontImage(catalog::TFontListItem& font, const ImageLook& look, const std::wstring& fontsFolder);

// Writes the image as an uncompressed 24-bit .bmp or, through the Windows
// Imaging Component, as a .png; replaces an existing file. False with the
// system's error code in *error when it could not.
bool SaveImageFile(const RenderedImage& image, const std::wstring& path, ImageFormat format, DWORD* error);

// The image as the bytes of a .bmp file (a packed DIB follows its 14-byte
// file header); empty for an empty image.
std::vector<std::uint8_t> ImageBmpBytes(const RenderedImage& image);

}  // namespace typorama::output
