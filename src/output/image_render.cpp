#include "output/image_render.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <span>

#include "catalog/font_list.h"
#include "output/bmp_file.h"
#include "settings/command_variables.h"
#include "settings/settings_export.h"
#include "win/color_value.h"
#include "win/com.h"
#include "win/folders.h"
#include "win/gdi.h"
#include "win/wide.h"

namespace typorama::output {
namespace {

std::u16string U16(std::wstring_view text) { return std::u16string(win::AsU16(text)); }
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The facts of one font for the image's title and sample text: no prompts,
// no list file, no browsed folder (the set leaves them out).
class ImageVariableSource : public settings::CommandVariableSource {
public:
    ImageVariableSource(catalog::TFontListItem& font, const std::wstring& fontsFolder)
        : font_(font), fontsFolder_(fontsFolder) {}
    std::optional<std::u16string> BrowseFile() override { return std::nullopt; }
    bool HasFont() override { return true; }
    std::u16string FontFilePath() override { return U16(font_.FileName()); }
    std::u16string FontShortPath() override { return U16(win::ShortPath(font_.FileName())); }
    std::u16string FontCopyright() override { return U16(font_.Copyright()); }
    std::u16string FontFaceName() override { return U16(font_.Name); }
    std::u16string FontScript() override { return U16(catalog::FirstFontScript(font_)); }
    std::u16string MakeListFile() override { return {}; }
    std::u16string SystemFontsFolder() override { return settings::WithTrailingBackslash(U16(fontsFolder_)); }
    std::optional<std::u16string> BrowseFolder() override { return std::nullopt; }
    std::u16string BrowsedFolder() override { return {}; }

private:
    catalog::TFontListItem& font_;
    const std::wstring& fontsFolder_;
};

std::vector<std::wstring> SplitLines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L'\n', start);
        std::wstring_view line = text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return lines;
}

UINT AlignmentFlags(std::int32_t alignment) {
    switch (static_cast<ImageAlignment>(alignment)) {
        case ImageAlignment::Left: return DT_LEFT;
        case ImageAlignment::Right: return DT_RIGHT;
        default: return DT_CENTER;
    }
}

// A 24-bit top-down DIB section.
win::UniqueBitmap MakeCanvas(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    return win::UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

LOGFONTW TitleLogFont(const LOGFONTW& chosen) {
    if (chosen.lfFaceName[0] != L'\0') return chosen;
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

SIZE TextBox(HDC dc, const std::wstring& text) {
    RECT box{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_NOPREFIX);
    return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

RenderedImage RenderFontImage(catalog::TFontListItem& font, const ImageLook& look, const std::wstring& fontsFolder) {
    ImageVariableSource source(font, fontsFolder);
    std::vector<std::wstring> lines = SplitLines(look.sampleText);
    for (std::wstring& line : lines)
        line = Wide(settings::ExpandCommandVariables(U16(line), source, settings::kImageTextSet).text);
    const std::wstring title =
        Wide(settings::ExpandCommandVariables(settings::TrimmedText(U16(look.title)), source, settings::kImageTextSet).text);

    LOGFONTW sampleLog = font.LogFont;
    sampleLog.lfHeight = std::max(1, look.fontSize);
    sampleLog.lfWidth = 0;
    win::UniqueFont sampleFont(CreateFontIndirectW(&sampleLog));
    const LOGFONTW titleLog = TitleLogFont(look.titleFont);
    win::UniqueFont titleFont(CreateFontIndirectW(&titleLog));

    RenderedImage image;
    ImageMeasures& m = image.measures;
    {
        // Measured on a canvas like the one drawn on.
        void* bits = nullptr;
        win::UniqueBitmap probe = MakeCanvas(1, 1, &bits);
        win::MemoryDC dc(nullptr, probe.get());
        if (!dc) return {};
        m.hasTitle = !title.empty();
        if (m.hasTitle) {
            win::SelectedObject selected(dc.get(), titleFont.get());
            const SIZE box = TextBox(dc.get(), title);
            m.titleWidth = box.cx;
            m.titleHeight = box.cy;
        }
        win::SelectedObject selected(dc.get(), sampleFont.get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        m.internalLeading = metrics.tmInternalLeading;
        SIZE wj{};
        GetTextExtentPoint32W(dc.get(), L"Wj", 2, &wj);
        m.lineHeight = wj.cy;
        m.lineCount = static_cast<int>(lines.size());
        m.textHeight = static_cast<int>(std::min<long long>(1LL * m.lineHeight * m.lineCount, kMaxImageTextHeight));
        for (const std::wstring& line : lines) m.widestLine = std::max<int>(m.widestLine, TextBox(dc.get(), line).cx);
    }
    // The band keeps the title's own height; a missing title pulls the text up
    // by the font's internal leading, so that the image starts at its glyphs.
    m.titleBand = m.hasTitle ? m.titleHeight : 2 - m.internalLeading;
    m.titleWidth = std::min(m.titleWidth, kMaxImageTitleWidth);
    m.titleHeight = std::min(m.titleHeight, kMaxImageTitleHeight);
    m.widestLine = std::min(m.widestLine, kMaxImageLineWidth);

    const int marginLeft = std::max(0, look.marginLeft);
    const int marginTop = std::max(0, look.marginTop);
    image.height = std::max(1, m.titleBand + 2 * marginTop + m.textHeight);
    image.width = std::max(1, look.autoWidth ? std::max(m.titleWidth, m.widestLine) + 2 * marginLeft : look.width);
    image.bitmap = MakeCanvas(image.width, image.height, &image.bits);
    if (!image.bitmap) return {};
    win::MemoryDC dc(nullptr, image.bitmap.get());
    if (!dc) return {};

    const RECT all{0, 0, image.width, image.height};
    win::UniqueBrush back(CreateSolidBrush(win::ResolveColorValue(look.colorBack)));
    FillRect(dc.get(), &all, back.get());
    SetBkMode(dc.get(), TRANSPARENT);
    // Only the text's own line ends break it; "&" is a character like any other.
    const UINT flags = AlignmentFlags(look.alignment) | DT_NOPREFIX | DT_TOP;
    const int textWidth = image.width - 2 * marginLeft;
    if (m.hasTitle) {
        win::SelectedObject selected(dc.get(), titleFont.get());
        SetTextColor(dc.get(), win::ResolveColorValue(look.titleColor));
        RECT box{marginLeft, marginTop, marginLeft + textWidth, marginTop + m.titleHeight + 25};
        DrawTextW(dc.get(), title.c_str(), static_cast<int>(title.size()), &box, flags);
    }
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    win::SelectedObject selected(dc.get(), sampleFont.get());
    SetTextColor(dc.get(), win::ResolveColorValue(look.colorText));
    RECT box{marginLeft, m.titleBand + marginTop, marginLeft + textWidth, m.titleBand + marginTop + m.textHeight};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &box, flags);
    GdiFlush();
    return image;
}

std::vector<std::uint8_t> ImageBmpBytes(const RenderedImage& image) {
    if (!image.bits) return {};
    const std::size_t stride = BmpRowStride(static_cast<std::uint32_t>(image.width));
    const auto* top = static_cast<const std::uint8_t*>(image.bits);
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y)  // the file holds the bottom row first
        std::memcpy(&rows[stride * static_cast<std::size_t>(image.height - 1 - y)], top + stride * y, stride);
    return BmpFileBytes(static_cast<std::uint32_t>(image.width), static_cast<std::uint32_t>(image.height), rows);
}

namespace {

DWORD ErrorOf(HRESULT result) {
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<DWORD>(result);
}

HRESULT SavePng(const RenderedImage& image, const std::wstring& path) {
    win::ComInitialization com;  // also when this thread had COM already
    win::ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.put_void());
    if (FAILED(hr)) return hr;
    win::ComPtr<IWICStream> stream;
    if (FAILED(hr = factory->CreateStream(reinterpret_cast<IWICStream**>(stream.put_void())))) return hr;
    if (FAILED(hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE))) return hr;
    win::ComPtr<IWICBitmapEncoder> encoder;
    if (FAILED(hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr,
                                           reinterpret_cast<IWICBitmapEncoder**>(encoder.put_void()))))
        return hr;
    if (FAILED(hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) return hr;
    win::ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(hr = encoder->CreateNewFrame(reinterpret_cast<IWICBitmapFrameEncode**>(frame.put_void()), nullptr)))
        return hr;
    if (FAILED(hr = frame->Initialize(nullptr))) return hr;
    if (FAILED(hr = frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height)))) return hr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(hr = frame->SetPixelFormat(&format))) return hr;
    if (format != GUID_WICPixelFormat24bppBGR) return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    const UINT stride = static_cast<UINT>(BmpRowStride(static_cast<std::uint32_t>(image.width)));
    if (FAILED(hr = frame->WritePixels(static_cast<UINT>(image.height), stride, stride * static_cast<UINT>(image.height),
                                       static_cast<BYTE*>(image.bits))))
        return hr;
    if (FAILED(hr = frame->Commit())) return hr;
    return encoder->Commit();
}

}  // namespace

bool SaveImageFile(const RenderedImage& image, const std::wstring& path, ImageFormat format, DWORD* error) {
    if (!image.bits) {
        if (error) *error = ERROR_INVALID_DATA;
        return false;
    }
    if (format == ImageFormat::Png) {
        const HRESULT hr = SavePng(image, path);
        if (SUCCEEDED(hr)) return true;
        if (error) *error = ErrorOf(hr);
        return false;
    }
    const std::vector<std::uint8_t> bytes = ImageBmpBytes(image);
    return settings::SaveBytesToFile(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path,
                                     error);
}

}  // namespace typorama::output
