// A printed sheet: a page holding boxes, texts and character maps placed in
// millimetres, drawn on any device context (a printer, a preview bitmap, a
// metafile). The page knows nothing of font lists or print jobs: the print
// dialog fills it with the objects of one sheet or one listing row, gives it
// the font to show and asks it to draw.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "output/sheet_geometry.h"
#include "win/unique_handle.h"

namespace typorama::output {

// How a box's sides are drawn; the pen is made for each drawing.
struct PenStyle {
    COLORREF color = RGB(0, 0, 0);
    int style = PS_SOLID;
    int width = 1;  // device pixels
};

enum class BrushKind : unsigned char { Solid, Clear };

struct BrushStyle {
    COLORREF color = RGB(255, 255, 255);
    BrushKind kind = BrushKind::Solid;
};

// A text object's own font, sized in points and made at the device's
// resolution for each drawing.
struct FontStyle {
    std::wstring face = L"Arial";
    int points = 6;
    bool bold = false;
    bool italic = false;
    COLORREF color = RGB(0, 0, 0);

    LOGFONTW At(int dpiY) const;
};

// Position and size in millimetres relative to the sheet's origin. The page
// draws each kind by testing its class; the base alone draws nothing.
class TPrintableObject {
public:
    virtual ~TPrintableObject() = default;
    float Left = 0.0f;
    float Top = 0.0f;
    float Width = 0.0f;
    float Height = 0.0f;
};

class TBoxObject : public TPrintableObject {
public:
    PenStyle Pen;
    BrushStyle Brush;
    unsigned Sides = kAllSides;  // BoxSide flags
};

class TTextObject : public TPrintableObject {
public:
    VerticalAlignment VertAlign = VerticalAlignment::Top;
    HorizontalAlignment HorzAlign = HorizontalAlignment::Left;
    bool UseOwnFont = false;  // Font instead of the page's LogFont at PointSize
    FontStyle Font;
    int PointSize = 14;
    bool WordWrap = false;      // several lines broken at words; else one line
    unsigned char Ellipsis = 0;  // 1: end with "..." when the text does not fit
    std::wstring Text;
};

class TCharMapObject : public TPrintableObject {
public:
    bool ShowGrid = false;
    bool ShowFrame = false;
    bool ShowCodes = false;
    bool Transparent = false;
    int PenWidth = 1;  // of the frame, in device pixels
};

// The device's own figures (resolution, paper, printable area).
DeviceMetrics ReadDeviceMetrics(HDC dc);

// The characters the map shows for the codes 32..255 of a font of character
// set `charset`: the bytes read in that set's code page where it is one of
// single bytes (a Cyrillic font shows Cyrillic letters from 192 on), the
// codes as Unicode characters otherwise (symbol fonts, whose characters GDI
// finds at these codes, and sets of double-byte code pages).
std::array<wchar_t, kCharMapCells> CharMapCharacters(BYTE charset);

class TPage : public SheetGeometry {
public:
    TPage();
    TPage(const TPage&) = delete;
    TPage& operator=(const TPage&) = delete;

    // Draws on `canvas` (not owned) from now on, with the device's figures.
    void SetCanvas(HDC canvas);
    // Draws on `canvas` as on a device with these figures: a preview bitmap
    // or a metafile at a resolution of the caller's choosing.
    void SetCanvas(HDC canvas, const DeviceMetrics& metrics);
    HDC Canvas() const { return canvas_; }
    // Reads the canvas's device figures again.
    void UpdateMetrics();

    // Appends an object of kind T with its defaults; the page owns it.
    template <typename T>
    T& Add() {
        static_assert(std::is_base_of_v<TPrintableObject, T>);
        auto object = std::make_unique<T>();
        T& added = *object;
        objects_.push_back(std::move(object));
        return added;
    }
    const std::vector<std::unique_ptr<TPrintableObject>>& Objects() const { return objects_; }
    // Draws every object in order; the canvas's state is left as it was.
    void Draw() const;
    void Clear() { objects_.clear(); }

    LOGFONTW LogFont{};  // the font shown on the sheet
    int PageNumber = 0;

private:
    HDC canvas_ = nullptr;
    std::vector<std::unique_ptr<TPrintableObject>> objects_;
};

}  // namespace typorama::output
