#include "output/image_naming.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/file_name_rules.h"
#include "output/bmp_file.h"

namespace typorama::output {
namespace {

TEST(ImageNaming, ByFileNameBesideTheFontOrInTheOtherFolder) {
    ImagePlacement beside;
    EXPECT_EQ(ImagePath(u"Courier Bold Italic", u"C:\\Fonts\\courbi.ttf", beside), u"C:\\Fonts\\courbi.bmp");
    beside.format = ImageFormat::Png;
    EXPECT_EQ(ImagePath(u"X", u"C:\\Fonts\\v1.2.font.otf", beside), u"C:\\Fonts\\v1.2.font.png");

    ImagePlacement other{true, false, u"D:\\Out", ImageFormat::Bmp};
    EXPECT_EQ(ImagePath(u"X", u"C:\\Fonts\\courbi.ttf", other), u"D:\\Out\\courbi.bmp");
    other.byFontName = true;
    EXPECT_EQ(ImagePath(u"Courier Bold Italic", u"C:\\Fonts\\courbi.ttf", other), u"D:\\Out\\Courier Bold Italic.bmp");
}

TEST(ImageNaming, AFontWithoutFileGoesByNameIntoTheOtherFolder) {
    const ImagePlacement besideByFile{false, false, u"D:\\Out\\", ImageFormat::Bmp};
    EXPECT_EQ(ImagePath(u"Ghost Sans", u"", besideByFile), u"D:\\Out\\Ghost Sans.bmp");
}

TEST(ImageNaming, HostileFontNamesGiveAFileOfTheirOwnInTheFolder) {
    const ImagePlacement byName{true, true, u"D:\\Out\\", ImageFormat::Bmp};
    EXPECT_EQ(ImagePath(u"Ratio 16:9", u"", byName), u"D:\\Out\\Ratio 169.bmp");
    EXPECT_EQ(ImagePath(u"..\\..\\Windows\\evil", u"", byName), u"D:\\Out\\....Windowsevil.bmp");
    EXPECT_EQ(ImagePath(std::u16string(u"Good\0..\\bad", 11), u"", byName), u"D:\\Out\\Good.bmp");
    EXPECT_EQ(ImagePath(u"CON", u"", byName), u"D:\\Out\\CON_.bmp");      // not the console
    EXPECT_EQ(ImagePath(u"lpt1 ", u"", byName), u"D:\\Out\\lpt1_.bmp");
    EXPECT_EQ(ImagePath(u"NUL.Sans", u"", byName), u"D:\\Out\\NUL_.Sans.bmp");  // a device up to the first dot
    EXPECT_EQ(ImagePath(u"com1 .x", u"", byName), u"D:\\Out\\com1_ .x.bmp");
    EXPECT_EQ(ImagePath(u"Dots...", u"", byName), u"D:\\Out\\Dots.bmp");  // not "Dots....bmp" renamed by the system
    EXPECT_EQ(ImagePath(u"<>:|?*", u"", byName), u"D:\\Out\\Font.bmp");
    EXPECT_EQ(ImagePath(u"", u"", byName), u"D:\\Out\\Font.bmp");

    // A long name is cut so that the whole file name fits, never in half a pair.
    std::u16string longName(252, u'a');
    longName += u"\U0001F600\U0001F600";
    const std::u16string path = ImagePath(longName, u"", byName);
    const std::u16string name = path.substr(std::strlen("D:\\Out\\"));
    EXPECT_LE(name.size(), kMaxFileNameChars);
    EXPECT_TRUE(CheckFileName(name).usable());
    EXPECT_NE(name[name.size() - 5], u'\xD83D');
}

TEST(ImageNaming, TheLaterOfTwoFontsMappingToOneFileGetsANumberedName) {
    const ImagePlacement beside{};
    ImagePathClaims claims;
    EXPECT_EQ(claims.Claim(ImagePath(u"A", u"C:\\F\\Name.ttf", beside)), u"C:\\F\\Name.bmp");
    EXPECT_EQ(claims.Claim(ImagePath(u"B", u"C:\\F\\Name.otf", beside)), u"C:\\F\\Name (2).bmp");
    EXPECT_EQ(claims.Claim(ImagePath(u"C", u"C:\\F\\NAME.TTC", beside)), u"C:\\F\\NAME (3).bmp");
    EXPECT_EQ(claims.Claim(u"C:\\G\\Name.bmp"), u"C:\\G\\Name.bmp");  // another folder
    EXPECT_EQ(claims.Claim(u"C:\\F.d\\Name (2).bmp"), u"C:\\F.d\\Name (2).bmp");
    EXPECT_EQ(claims.Claim(u"C:\\F.d\\Name (2).bmp"), u"C:\\F.d\\Name (2) (2).bmp");
    EXPECT_EQ(claims.Renumbered(), 3);
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

TEST(BmpFile, HeadersAnd24BitRowsPaddedToFourBytes) {
    EXPECT_EQ(BmpRowStride(1), 4u);
    EXPECT_EQ(BmpRowStride(4), 12u);
    EXPECT_EQ(BmpRowStride(5), 16u);

    // 3 x 2 pixels: rows of 9 bytes padded to 12, bottom row first.
    std::vector<std::uint8_t> rows(24);
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<std::uint8_t>(i);
    const std::vector<std::uint8_t> file = BmpFileBytes(3, 2, rows);
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), 78u);   // file size
    EXPECT_EQ(U32(file, 10), 54u);  // pixels offset
    EXPECT_EQ(U32(file, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(U32(file, 18), 3u);
    EXPECT_EQ(U32(file, 22), 2u);   // positive height: bottom-up
    EXPECT_EQ(file[26] | file[27] << 8, 1);
    EXPECT_EQ(file[28] | file[29] << 8, 24);
    EXPECT_EQ(U32(file, 30), 0u);   // BI_RGB
    EXPECT_EQ(U32(file, 34), 24u);  // image size
    EXPECT_EQ(U32(file, 46), 0u);   // no palette
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), file.begin() + 54));

    EXPECT_TRUE(BmpFileBytes(3, 2, std::span(rows).first(18)).empty());  // unpadded rows refused
    EXPECT_TRUE(BmpFileBytes(0x80000000u, 1, {}).empty());
    EXPECT_TRUE(BmpFileBytes(40000, 40000, {}).empty());  // beyond 4 GB
}

}  // namespace
}  // namespace typorama::output
