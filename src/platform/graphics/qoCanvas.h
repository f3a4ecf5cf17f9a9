#pragma once
// The canvas: pen, brush and font over a device context, with GDI's pixel
// coverage for every primitive. Text is UTF-8; the W forms keep the Windows
// names so that the Win32 backend maps them one to one.
#include "platform/graphics/qoPaint.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qo {

class TBitmap;
class TqoFontFace;
class TqoCoverage;
struct TqoGlyph;

enum class TPenStyle { psSolid, psDot, psClear };
// copy = R2_COPYPEN, not = R2_NOT, xor = R2_XORPEN.
enum class TPenMode { pmCopy, pmNot, pmXor };

struct TPen {
    TColor Color = clBlack;
    int32_t Width = 1; // 0 and 1 both draw one pixel
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
};

enum class TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    // A pattern brush when set: pixels (0x00RRGGBB) tiled from the device origin.
    std::shared_ptr<const TqoRaster> Pattern;

    void SetPattern(const TqoRaster& pattern) { Pattern = std::make_shared<TqoRaster>(pattern); }
    void ClearPattern() { Pattern.reset(); }
};

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = uint32_t;

struct TFont {
    std::string Name = "MS Sans Serif";
    int32_t Size = 8; // points
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    // Tenths of a degree, counter-clockwise: 0 or 900 (text running upwards).
    int32_t Orientation = 0;

    friend bool operator==(const TFont&, const TFont&) = default;
};

// The cell of the selected font, as GDI's TEXTMETRIC reports it: the height is
// ascent plus descent; internal leading is the part of it above the em square.
struct TTextMetric {
    int32_t Height = 0, Ascent = 0, Descent = 0;
    int32_t InternalLeading = 0, ExternalLeading = 0;
    int32_t AveCharWidth = 0;
};

// DrawTextW flags (the Windows values; windows.h, where included first, has them).
#ifndef DT_CENTER
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;
#endif

// ExtTextOutW options.
#ifndef ETO_OPAQUE
constexpr uint32_t ETO_OPAQUE = 0x2;
constexpr uint32_t ETO_CLIPPED = 0x4;
#endif

// Raster operations of PatBlt and BitBlt.
#ifndef SRCCOPY
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;
#endif

class TCanvas {
public:
    explicit TCanvas(TqoDC* dc = nullptr);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Attach to any device context (a window's, a bitmap's, a printer page's).
    void SetHandle(TqoDC* dc) { fDC = dc; }
    TqoDC* Handle() const { return fDC; }

    TPen& Pen() { return fPen; }
    TBrush& Brush() { return fBrush; }
    TFont& Font() { return fFont; }

    TPoint PenPos() const { return fPenPos; }
    void MoveTo(int32_t x, int32_t y) { fPenPos = {x, y}; }
    void LineTo(int32_t x, int32_t y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void SetPixel(int32_t x, int32_t y, TColor color);
    // clNone outside the visible area.
    TColor Pixels(int32_t x, int32_t y) const;
    void PatBlt(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t rop);

    // Bit-block copy from another canvas; stretched when the sizes differ.
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    void BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const TCanvas& source, int32_t sx,
                int32_t sy, uint32_t rop = SRCCOPY);
    void Draw(int32_t x, int32_t y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);

    // Text: transparent over a clear brush, on the brush colour otherwise.
    void TextOut(int32_t x, int32_t y, std::string_view text);
    // Text at (x, y) clipped to the rectangle, which is filled unless the brush is clear.
    void TextRect(const TRect& rect, int32_t x, int32_t y, std::string_view text);
    // Returns the height of the text; with DT_CALCRECT it only measures and updates rect.
    int32_t DrawTextW(std::string_view text, TRect& rect, uint32_t flags);
    void ExtTextOutW(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text);
    TSize TextExtent(std::string_view text);
    int32_t TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int32_t TextHeight(std::string_view text) { return TextExtent(text).cy; }
    TTextMetric TextMetrics();
    // The family of the font file that the font name resolved to.
    std::string FontFamily();

private:
    TqoDC& DC() const;
    TqoFontFace& Face();
    TqoInk PenInk() const;
    TqoInk BrushInk(TqoInk::TOp op) const;
    bool HasBrush() const;
    TRect DeviceBounds(std::span<const TPoint> points, int32_t margin) const;
    void PlotSolid(TPoint a, TPoint b);
    void PlotDotted(TPoint a, TPoint b);
    void PlotDashed(TPoint a, TPoint b, uint32_t dash, const TqoInk& ink, const TqoInk* gap);
    static std::array<TPoint, 4> RectanglePath(const TRect& r);
    TqoCoverage& Coverage(const TRect& bounds);
    TqoCoverage& Outline(std::span<const TPoint> points, bool closed);
    void Stroke(std::span<const TPoint> points, bool closed);
    void Blit(const TRect& dest, const TqoRaster& source, const TRect& sourceRect);
    int32_t LoadRun(std::string_view text);
    void DrawRun(TPoint origin, const TRect* clip, int32_t width);
    int32_t TextRun(int32_t x, int32_t y, uint32_t options, const TRect* rect, std::string_view text);
    struct TTextLine;
    TTextLine NextLine(std::u32string_view rest, int32_t width, uint32_t flags, bool lastLine);
    size_t CharsFitting(std::u32string_view text, int32_t width);
    size_t WordBreak(std::u32string_view segment, size_t fit, uint32_t flags, size_t& used);
    std::u32string Ellipsized(std::u32string_view line, int32_t width);

    TqoDC* fDC;
    TPen fPen;
    TBrush fBrush;
    TFont fFont;
    TPoint fPenPos;
    // The pixel phase of a dotted pen runs on across the segments of one figure.
    uint32_t fDotPhase = 0;
    std::unique_ptr<TqoCoverage> fCoverage;
    // Scratch of the text run being drawn, kept so that text allocates nothing.
    std::vector<const TqoGlyph*> fRunGlyphs;
    std::vector<TRect> fRunAreas;
    std::shared_ptr<TqoFontFace> fFace;
    TFont fFaceFont;
    int32_t fFaceDpi = 0;
};

} // namespace qo
