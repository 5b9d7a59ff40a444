// The picture of a font and the export run under Wine: the title band and
// the "Wj" line height, clipping without automatic width, where images go
// and what they are called, cancelling, failed writes, and the bytes of the
// BMP and PNG files.
#include "output/export_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "catalog/font_list.h"
#include "catalog/scratch_locations.h"
#include "output/bmp_file.h"
#include "output/image_render.h"
#include "support/font_builder.h"
#include "support/scratch.h"
#include "win/folders.h"

namespace typorama::output {
namespace {

using test::BuildFont;
using test::FontSpec;
using test::ScratchFolder;

// Fonts of a scratch folder, loaded for this process only, as list items.
class ImageFonts {
public:
    explicit ImageFonts(const std::wstring& name) : key_(name), where_(catalog::ScratchLocations(key_, L"C:\\Windows\\Fonts\\")), folder_(name) {}
    ~ImageFonts() {
        for (const std::wstring& file : loaded_) RemoveFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
    }
    catalog::TFontListItem& Add(const std::wstring& family, const std::wstring& file) {
        const std::wstring path = folder_.Write(file, BuildFont(FontSpec::Named(std::u16string(family.begin(), family.end()))));
        if (AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr) > 0) loaded_.push_back(path);
        auto item = std::make_unique<catalog::TFontListItem>(where_);
        item->Name = family;
        item->LogFont.lfCharSet = DEFAULT_CHARSET;
        wcsncpy(item->LogFont.lfFaceName, family.c_str(), LF_FACESIZE - 1);
        item->SetFile(path);
        items_.push_back(std::move(item));
        return *items_.back();
    }
    std::vector<catalog::TFontListItem*> All() const {
        std::vector<catalog::TFontListItem*> all;
        for (const auto& item : items_) all.push_back(item.get());
        return all;
    }
    const std::wstring& Folder() const { return folder_.Path(); }

private:
    test::ScratchKey key_;
    catalog::SystemLocations where_;
    ScratchFolder folder_;
    std::vector<std::wstring> loaded_;
    std::vector<std::unique_ptr<catalog::TFontListItem>> items_;
};

const std::uint8_t* Pixel(const RenderedImage& image, int x, int y) {
    return static_cast<const std::uint8_t*>(image.bits) + BmpRowStride(static_cast<std::uint32_t>(image.width)) * y + x * 3;
}

// The first row from the top with a pixel that is not white; -1 when none.
int FirstInkedRow(const RenderedImage& image, int left, int right) {
    for (int y = 0; y < image.height; ++y)
        for (int x = left; x < right; ++x)
            if (Pixel(image, x, y)[0] != 0xFF) return y;
    return -1;
}

bool ColumnsBlank(const RenderedImage& image, int from, int to) {
    for (int y = 0; y < image.height; ++y)
        for (int x = from; x < to; ++x)
            if (Pixel(image, x, y)[0] != 0xFF) return false;
    return true;
}

TEST(ImageRender, TitleBandWjLineHeightAndClippingWithoutAutomaticWidth) {
    ImageFonts fonts(L"image-render");
    catalog::TFontListItem& font = fonts.Add(L"TyImage Render", L"render.ttf");

    ImageLook look;  // the defaults: three lines at 27 pixels, centred, a title
    const RenderedImage titled = RenderFontImage(font, look, L"C:\\Windows\\Fonts\\");
    ASSERT_TRUE(titled);
    const ImageMeasures& m = titled.measures;
    EXPECT_TRUE(m.hasTitle);
    EXPECT_EQ(m.titleBand, m.titleHeight);

    // Three lines are three times the height of "Wj" in the font at 27 pixels.
    {
        LOGFONTW log = font.LogFont;
        log.lfHeight = 27;
        win::UniqueFont f(CreateFontIndirectW(&log));
        win::UniqueDC dc(CreateCompatibleDC(nullptr));
        SelectObject(dc.get(), f.get());
        SIZE wj{};
        GetTextExtentPoint32W(dc.get(), L"Wj", 2, &wj);
        EXPECT_EQ(m.lineHeight, wj.cy);
        EXPECT_EQ(m.lineCount, 3);
        EXPECT_EQ(m.textHeight, 3 * wj.cy);
    }
    EXPECT_EQ(titled.height, m.titleBand + 2 * 8 + m.textHeight);
    EXPECT_EQ(titled.width, std::max(m.titleWidth, m.widestLine) + 2 * 10);

    // Without a title the sample starts at the top margin less the internal
    // leading plus 2, and the image is that much shorter.
    look.title = L"   ";
    const RenderedImage bare = RenderFontImage(font, look, L"");
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare.measures.hasTitle);
    EXPECT_EQ(bare.measures.titleBand, 2 - bare.measures.internalLeading);
    EXPECT_EQ(bare.height, titled.height - m.titleHeight + 2 - m.internalLeading);
    const int inked = FirstInkedRow(bare, 0, bare.width);
    EXPECT_GE(inked, 8 + 2 - m.internalLeading);
    EXPECT_LT(inked, 8 + 2 + m.lineHeight);

    // Automatic width off at 200: the long line is cut at the right margin.
    look.autoWidth = false;
    look.width = 200;
    look.alignment = static_cast<std::int32_t>(ImageAlignment::Left);
    const RenderedImage narrow = RenderFontImage(font, look, L"");
    ASSERT_TRUE(narrow);
    EXPECT_EQ(narrow.width, 200);
    EXPECT_GT(narrow.measures.widestLine, 200);
    EXPECT_FALSE(ColumnsBlank(narrow, 150, 190));
    EXPECT_TRUE(ColumnsBlank(narrow, 190, 200));
}

std::vector<std::uint8_t> FileBytes(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        std::uint8_t buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
        fclose(f);
    }
    return bytes;
}

TEST(ImageExportRun, NamesFoldersNumberingAndTheBytesOfBmpAndPng) {
    ImageFonts fonts(L"image-export");
    fonts.Add(L"TyImage Same", L"Same.ttf");
    fonts.Add(L"TyImage Same Two", L"Same.otf");  // maps to the same image by file name
    catalog::TFontListItem& colon = fonts.Add(L"TyImage 16:9", L"ratio.ttf");
    catalog::TFontListItem& ghost = fonts.Add(L"TyImage Ghost", L"ghost.ttf");
    ghost.SetFile(fonts.Folder() + L"gone\\ghost.ttf");  // no file there
    ScratchFolder other(L"image-export-out");

    ExportJob job;
    job.look.title.clear();
    job.placement.folder = std::u16string(other.Path().begin(), other.Path().end());
    ExportOutcome outcome = RunImageExport(fonts.All(), job, {});
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.saved, 4);
    EXPECT_EQ(outcome.renumbered, 1);
    ASSERT_EQ(outcome.written.size(), 4u);
    EXPECT_EQ(outcome.written[0].path, fonts.Folder() + L"Same.bmp");
    EXPECT_EQ(outcome.written[1].path, fonts.Folder() + L"Same (2).bmp");
    EXPECT_EQ(outcome.written[2].path, fonts.Folder() + L"ratio.bmp");
    EXPECT_EQ(outcome.written[3].path, other.Path() + L"TyImage Ghost.bmp");

    const std::vector<std::uint8_t> bmp = FileBytes(outcome.written[0].path);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[28], 24);
    const std::uint32_t width = bmp[18] | bmp[19] << 8, height = bmp[22] | bmp[23] << 8;
    EXPECT_EQ(bmp.size(), 54u + BmpRowStride(width) * height);

    // By name, as PNG, into the other folder: the colon goes.
    job.placement.otherFolder = true;
    job.placement.byFontName = true;
    job.placement.format = ImageFormat::Png;
    outcome = RunImageExport(std::vector<catalog::TFontListItem*>{&colon}, job, {});
    ASSERT_EQ(outcome.written.size(), 1u);
    EXPECT_EQ(outcome.written[0].path, other.Path() + L"TyImage 169.png");
    const std::vector<std::uint8_t> png = FileBytes(outcome.written[0].path);
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    ASSERT_GT(png.size(), sizeof signature);
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
}

TEST(ImageExportRun, CancelAfterTheFifthOfTwentyAndRetryIgnoreAbortOnFailedWrites) {
    ImageFonts fonts(L"image-cancel");
    for (int i = 0; i < 20; ++i) fonts.Add(L"TyImage Cancel " + std::to_wstring(i), L"c" + std::to_wstring(i) + L".ttf");
    ScratchFolder out(L"image-cancel-out");
    ExportJob job;
    job.placement.otherFolder = true;
    job.placement.folder = std::u16string(out.Path().begin(), out.Path().end());
    ExportHooks hooks;
    int done = 0;
    hooks.advanced = [&](int n) { done = n; };
    hooks.cancelRequested = [&] { return done == 5; };
    ExportOutcome outcome = RunImageExport(fonts.All(), job, hooks);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(outcome.saved, 5);
    EXPECT_TRUE(win::IsFile(out.Path() + L"c4.bmp"));
    EXPECT_FALSE(win::IsFile(out.Path() + L"c5.bmp"));

    // A folder where the image should go: the write fails. Retry once, then
    // ignore it and go on; an abort ends the run, which is not a cancel.
    DeleteFileW((out.Path() + L"c1.bmp").c_str());
    ASSERT_TRUE(CreateDirectoryW((out.Path() + L"c1.bmp").c_str(), nullptr));
    std::vector<std::wstring> asked;
    std::vector<SaveFailureAnswer> answers{SaveFailureAnswer::Retry, SaveFailureAnswer::Ignore};
    hooks.cancelRequested = {};
    hooks.saveFailed = [&](const std::wstring& path, DWORD) {
        asked.push_back(path);
        const SaveFailureAnswer answer = answers.front();
        if (answers.size() > 1) answers.erase(answers.begin());
        return answer;
    };
    const std::vector<catalog::TFontListItem*> all = fonts.All();
    const std::vector<catalog::TFontListItem*> three(all.begin(), all.begin() + 3);
    outcome = RunImageExport(three, job, hooks);
    EXPECT_EQ(asked, (std::vector<std::wstring>{out.Path() + L"c1.bmp", out.Path() + L"c1.bmp"}));
    EXPECT_EQ(outcome.saved, 2);
    answers = {SaveFailureAnswer::Abort};
    outcome = RunImageExport(three, job, hooks);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.saved, 1);
    EXPECT_EQ(done, 2);
}

}  // namespace
}  // namespace typorama::output
