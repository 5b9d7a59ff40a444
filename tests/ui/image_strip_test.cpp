// The pictures compiled into the programs load the way the windows use them.
#include "ui/image_strip.h"

#include <gtest/gtest.h>

#include "ui/resource.h"

namespace typorama::ui {
namespace {

struct Bitmap {
    explicit Bitmap(HANDLE h) : handle(static_cast<HBITMAP>(h)) {}
    ~Bitmap() {
        if (handle) DeleteObject(handle);
    }
    HBITMAP handle;
};

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

TEST(ImageStripTest, ToolbarStripIsARowOfSixteenPixelImagesOnMagenta) {
    Bitmap strip(LoadImageW(GetModuleHandleW(nullptr), kToolbarBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(strip.handle, nullptr) << "BMP_TOOLBAR_ENABLED is linked in, error " << GetLastError();
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(strip.handle, sizeof info, &info));
    EXPECT_EQ(info.bmHeight, kImageSize);
    EXPECT_EQ(info.bmWidth % kImageSize, 0);
    EXPECT_GE(info.bmWidth, (kImageSmallArrowDown + 1) * kImageSize) << "image 36 exists";
    EXPECT_EQ(info.bmWidth / kImageSize, kImageCount);

    // The corners of the marks are transparent and their middles are drawn.
    for (int image : {kImageCheckEmpty, kImageCheckTicked, kImageBadgeBlue, kImageBadgePurple, kImageBadgeGreen}) {
        EXPECT_EQ(PixelOf(strip.handle, image * kImageSize, 0), kImageTransparent) << "image " << image;
        EXPECT_NE(PixelOf(strip.handle, image * kImageSize + 8, 8), kImageTransparent) << "image " << image;
    }
    EXPECT_NE(PixelOf(strip.handle, kImageCheckEmpty * kImageSize + 8, 8),
              PixelOf(strip.handle, kImageCheckTicked * kImageSize + 8, 8))
        << "the ticked box differs from the empty one in its middle";
    // The three badges differ in colour.
    const COLORREF blue = PixelOf(strip.handle, kImageBadgeBlue * kImageSize + 4, 8);
    const COLORREF purple = PixelOf(strip.handle, kImageBadgePurple * kImageSize + 4, 8);
    const COLORREF green = PixelOf(strip.handle, kImageBadgeGreen * kImageSize + 4, 8);
    EXPECT_NE(blue, purple);
    EXPECT_NE(purple, green);
    EXPECT_NE(blue, green);
    // The drop-down mark sits in the image's top left, where the status bar expects it.
    EXPECT_NE(PixelOf(strip.handle, kImageSmallArrowDown * kImageSize + 3, 1), kImageTransparent);
    EXPECT_EQ(PixelOf(strip.handle, kImageSmallArrowDown * kImageSize + 10, 10), kImageTransparent);
}

TEST(ImageStripTest, ProgramIconAndAboutPictureLoad) {
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAINICON), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size << " px, error " << GetLastError();
        ICONINFO parts{};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP colour{};
        ASSERT_TRUE(GetObjectW(parts.hbmColor, sizeof colour, &colour));
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
    Bitmap about(LoadImageW(GetModuleHandleW(nullptr), kAboutBitmap, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(about.handle, nullptr);
    BITMAP info{};
    ASSERT_TRUE(GetObjectW(about.handle, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 240);
}

}  // namespace
}  // namespace typorama::ui
