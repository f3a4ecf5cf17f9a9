// The canvas rules the charts rely on: end points, xor restore, pattern origin,
// clip in device coordinates, copies between surfaces.
#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoCoverage.h"
#include "platform/graphics/qoPNG.h"
#include "support/qoTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace qo {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    TBitmap fBitmap{32, 32};
    TCanvas& fCanvas = fBitmap.Canvas();

    int32_t CountNot(TColor color) const {
        int32_t n = 0;
        for (int32_t y = 0; y < fBitmap.Height(); ++y)
            for (int32_t x = 0; x < fBitmap.Width(); ++x) n += fBitmap.Pixel(x, y) != color;
        return n;
    }
};

TEST_F(CanvasTest, LinesExcludeTheirEndPointInEveryDirection) {
    const TPoint ends[] = {{25, 16}, {7, 16}, {16, 25}, {16, 7}, {25, 20}, {7, 12}, {20, 25}, {12, 7}};
    for (const TPoint end : ends) {
        fBitmap.Raster().Fill(0xFFFFFF);
        fCanvas.MoveTo(16, 16);
        fCanvas.LineTo(end.X, end.Y);
        EXPECT_EQ(fCanvas.PenPos(), end);
        EXPECT_EQ(fBitmap.Pixel(16, 16), clBlack);
        EXPECT_EQ(fBitmap.Pixel(end.X, end.Y), clWhite) << end.X << "," << end.Y;
        EXPECT_EQ(CountNot(clWhite), 9) << end.X << "," << end.Y;
    }
}

TEST(CanvasLines, LinesFromFarOutsideHitTheSamePixelsAsWhenDrawnWhole) {
    // The same lines on a surface that holds them whole, and through a small window.
    struct Line {
        TPoint from, to;
        TPenStyle style;
    };
    const Line lines[] = {{{-3000, -1000}, {3050, 1100}, TPenStyle::psSolid},
                          {{2900, 1200}, {-3100, -900}, TPenStyle::psSolid},
                          {{-2000, 2500}, {80, -2300}, TPenStyle::psDot},
                          {{40, -2999}, {-30, 3001}, TPenStyle::psDot}};
    TBitmap whole(6400, 6400), window(64, 64);
    whole.Handle().SetViewportOrg({3200, 3200});
    for (const Line& l : lines)
        for (TBitmap* b : {&whole, &window}) {
            b->Canvas().Pen().Style = l.style;
            b->Canvas().MoveTo(l.from.X, l.from.Y);
            b->Canvas().LineTo(l.to.X, l.to.Y);
        }
    int32_t inked = 0;
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x) {
            EXPECT_EQ(window.Pixel(x, y), whole.Pixel(x + 3200, y + 3200)) << x << "," << y;
            inked += window.Pixel(x, y) != clWhite;
        }
    EXPECT_GT(inked, 60);
}

TEST(CanvasLines, HugeCoordinatesAndPensStayCheap) {
    TBitmap bitmap(32, 32);
    TCanvas& c = bitmap.Canvas();
    c.MoveTo(-2000000000, -1999999999);
    c.LineTo(2000000000, 1999999990);
    c.Pen().Width = 1000000;
    c.Pen().Color = clRed;
    c.MoveTo(16, 16);
    c.LineTo(17, 40);
    EXPECT_EQ(bitmap.Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Pixel(31, 31), clRed);
    c.Pen().Width = 5;
    c.Pen().Color = clBlue;
    const TPoint far[] = {{-1000000000, 16}, {1000000000, 16}, {16, 1000000000}};
    c.Polygon(far);
    EXPECT_EQ(bitmap.Pixel(16, 16), clBlue);
}

// The line stepping's exact arithmetic, past 64-bit products too, on every
// target (32-bit ones have no wider integer type).
TEST(CanvasLines, StepCountsStayExactBeyondSixtyFourBits) {
    const int64_t two32 = int64_t(1) << 32, two33 = two32 * 2, two34 = two33 * 2;
    const struct {
        int64_t a, b, c, d, floor;
    } cases[] = {
        {3, 4, 5, 2, 8},
        {3, 5, -16, 4, -1},
        {3, 5, -15, 4, 0},
        {two33, two33, 0, two34, 4294967296},
        {two33, two33, -1, two34, 4294967295},
        {two32, two32, -1, two33, 2147483647}, // a borrow across the halves
        {two33 + 7, two33 - 3, -12345, two34 + 11, 4294967295},
        {two34, two33 + 5, two34, two34, 8589934598},
        {int64_t(1) << 40, (int64_t(1) << 30) - 1, 0, 2147483651, 549755812608},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulAddDivFloor(c.a, c.b, c.c, c.d), c.floor) << c.a << " * " << c.b << " + " << c.c << " / " << c.d;
}

TEST_F(CanvasTest, XorAndNotDrawnTwiceRestoreThePixels) {
    const TPoint star[] = {{2, 30}, {16, 1}, {30, 30}, {1, 10}, {31, 10}};
    const std::vector<std::function<void(TCanvas&)>> shapes = {
        [](TCanvas& c) { c.Rectangle(4, 4, 20, 20), c.Rectangle(10, 10, 28, 28); },
        [&](TCanvas& c) { c.Polygon(star); },
        [&](TCanvas& c) { c.Pen().Width = 3, c.Polyline(star); },
        [](TCanvas& c) { c.Pen().Style = TPenStyle::psDot, c.MoveTo(0, 5), c.LineTo(31, 20); },
        [](TCanvas& c) {
            c.DrawFocusRect({3, 3, 17, 12}), c.DrawFocusRect({5, 5, 30, 30});
        },
        [](TCanvas& c) { c.PatBlt(2, 2, 20, 9, PATINVERT), c.PatBlt(8, 4, 20, 20, PATINVERT); },
    };
    for (TPenMode mode : {TPenMode::pmXor, TPenMode::pmNot})
        for (size_t i = 0; i < shapes.size(); ++i) {
            fCanvas.Brush().Color = clRed;
            fCanvas.FillRect({0, 0, 32, 16});
            TqoRaster before = fBitmap.Raster();
            fCanvas.Pen() = {clLime, 1, TPenStyle::psSolid, mode};
            fCanvas.Brush().Color = clBlue;
            shapes[i](fCanvas);
            EXPECT_NE(fBitmap.Raster(), before) << "shape " << i;
            fCanvas.Pen() = {clLime, 1, TPenStyle::psSolid, mode};
            shapes[i](fCanvas);
            EXPECT_EQ(fBitmap.Raster(), before) << "shape " << i;
        }
}

TEST_F(CanvasTest, PatternBrushesTileFromTheDeviceOrigin) {
    TqoRaster checker(2, 2, ColorToPixel(clSilver));
    checker.Row(0)[1] = checker.Row(1)[0] = ColorToPixel(clGray);
    fCanvas.Brush().SetPattern(checker);
    fBitmap.Handle().SetViewportOrg({3, 1});
    fCanvas.FillRect({0, 0, 9, 9});
    fBitmap.Handle().SetViewportOrg({0, 0});
    fCanvas.FillRect({15, 16, 30, 31});
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const TColor c = fBitmap.Pixel(x, y);
            if (c != clWhite) {
                EXPECT_EQ(c, (x + y) % 2 ? clGray : clSilver) << x << "," << y;
            }
        }
    EXPECT_EQ(fBitmap.Pixel(3, 1), clSilver);
}

TEST_F(CanvasTest, ClipRegionsAreInDeviceCoordinates) {
    TqoDC& dc = fBitmap.Handle();
    dc.SetViewportOrg({10, 10});
    const TqoRegion region(TRect{0, 0, 15, 15});
    EXPECT_EQ(dc.SelectClipRgn(&region), SIMPLEREGION);
    fCanvas.Brush().Color = clBlack;
    fCanvas.FillRect({-10, -10, 20, 20});
    EXPECT_EQ(CountNot(clWhite), 15 * 15);
    EXPECT_EQ(dc.GetClipBox(), TRect(-10, -10, 5, 5));
    // IntersectClipRect takes logical coordinates, as in GDI.
    dc.IntersectClipRect({-5, -5, 0, 0});
    EXPECT_EQ(dc.GetClipRgn()->Box(), TRect(5, 5, 10, 10));
    EXPECT_EQ(fCanvas.Pixels(-6, -6), clNone);
    EXPECT_EQ(fCanvas.Pixels(-5, -5), clBlack);
    dc.SelectClipRgn(nullptr);
    EXPECT_FALSE(dc.GetClipRgn());
    EXPECT_EQ(dc.GetClipBox(), TRect(-10, -10, 22, 22));
}

TEST(Region, KeepsDisjointRectanglesThroughItsOperations) {
    TqoRegion r(TRect{0, 0, 10, 10});
    r.Union({5, 5, 15, 15});
    r.Subtract({2, 2, 4, 4});
    int64_t area = 0;
    for (const TRect& a : r.Rects()) {
        area += int64_t(a.Width()) * a.Height();
        for (const TRect& b : r.Rects())
            if (&a != &b) {
                EXPECT_TRUE(IntersectRect(a, b).IsEmpty());
            }
    }
    EXPECT_EQ(area, 100 + 100 - 25 - 4);
    EXPECT_EQ(r.Box(), TRect(0, 0, 15, 15));
    EXPECT_FALSE(r.Contains({3, 3}));
    r.Intersect(TRect{12, 12, 20, 20});
    EXPECT_EQ(r.Box(), TRect(12, 12, 15, 15));
    r.Offset(-12, -12);
    EXPECT_TRUE(r.Contains({0, 0}));
}

TEST_F(CanvasTest, DeviceCapsAndViewportOrigin) {
    TqoDC& dc = fBitmap.Handle();
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 32);
    EXPECT_EQ(dc.SetViewportOrg({4, 5}), TPoint(0, 0));
    EXPECT_EQ(dc.OffsetViewportOrg(-1, 2), TPoint(4, 5));
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(3, 7));
    fCanvas.SetPixel(0, 0, clBtnFace);
    EXPECT_EQ(fBitmap.Pixel(3, 7), ColorToRGB(clBtnFace));
}

TEST_F(CanvasTest, SystemColoursResolveInEveryForm) {
    for (TColor color : {TColor(0x8000000F), TColor(0xFF00000F)}) {
        fCanvas.Brush().Color = color;
        fCanvas.FillRect({0, 0, 1, 1});
        EXPECT_EQ(fBitmap.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
    }
}

TEST_F(CanvasTest, CopiesStretchAndClipBetweenSurfaces) {
    TBitmap small(2, 2);
    small.Canvas().SetPixel(0, 0, clRed);
    small.Canvas().SetPixel(1, 1, clBlue);
    fCanvas.StretchDraw({4, 4, 8, 8}, small);
    EXPECT_EQ(fBitmap.Pixel(5, 5), clRed);
    EXPECT_EQ(fBitmap.Pixel(6, 6), clBlue);
    EXPECT_EQ(fBitmap.Pixel(6, 5), clWhite);
    EXPECT_EQ(fBitmap.Pixel(8, 8), clWhite);
    // Overlapping copy within one canvas reads the pixels as they were.
    fCanvas.CopyRect({5, 5, 9, 9}, fCanvas, {4, 4, 8, 8});
    EXPECT_EQ(fBitmap.Pixel(6, 6), clRed);
    EXPECT_EQ(fBitmap.Pixel(8, 8), clBlue);
    // A source partly outside leaves those destination pixels alone.
    TBitmap target(4, 4);
    target.Canvas().BitBlt(0, 0, 4, 4, small.Canvas(), 1, 1);
    EXPECT_EQ(target.Pixel(0, 0), clBlue);
    EXPECT_EQ(target.Pixel(1, 1), clWhite);
}

TEST_F(CanvasTest, BitmapsResizeKeepingTheirPixelsAndRoundTripThroughPng) {
    fCanvas.SetPixel(1, 1, clNavy);
    fBitmap.SetSize(40, 2);
    EXPECT_EQ(fBitmap.Pixel(1, 1), clNavy);
    EXPECT_EQ(fBitmap.Pixel(39, 0), clWhite);
    const std::string path = test::OutputPath("canvas-roundtrip.png");
    fBitmap.SaveToPNG(path);
    TBitmap loaded;
    loaded.LoadFromPNG(path);
    EXPECT_EQ(loaded.Raster(), fBitmap.Raster());
    EXPECT_THROW(loaded.LoadFromPNG(test::OutputPath("no-such.png")), EqoError);
}

TEST(CanvasErrors, UnattachedCanvasAndUnknownOperationsFailCleanly) {
    TCanvas loose;
    EXPECT_THROW(loose.LineTo(1, 1), EqoError);
    TBitmap bitmap(4, 4);
    EXPECT_THROW(bitmap.Canvas().PatBlt(0, 0, 2, 2, 0x00123456), EqoError);
}

} // namespace
} // namespace qo
