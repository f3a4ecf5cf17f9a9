// Tinted colours, the pipe fill, selection marks and bitmaps stretched for printing.
#include "gantt/qoGraphStuff.h"

#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoImageList.h"
#include "support/golden/qoGolden.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qo {
namespace {

TEST(TintColor, MultipliesEachChannelAndKeepsItWithinAByte) {
    struct Case {
        TColor color;
        double factor;
        TColor expected;
    } cases[] = {
        {RGB(100, 200, 40), 0.97, RGB(97, 194, 39)},
        {RGB(100, 200, 40), 1.031, RGB(103, 206, 41)},
        // 250 * 1.031 = 257.75: the red channel stops at 255, green keeps its own value.
        {RGB(250, 10, 0), 1.031, RGB(255, 10, 0)},
        {clWhite, 1.031, clWhite},
        {RGB(255, 255, 255), 2.0, clWhite},
        // A black result keeps the input.
        {clBlack, 0.97, clBlack},
        {clBlack, 1.031, clBlack},
        {RGB(1, 0, 0), 0.4, RGB(1, 0, 0)},
        {RGB(90, 90, 90), -1.0, RGB(90, 90, 90)},
        {RGB(90, 90, 90), std::numeric_limits<double>::quiet_NaN(), RGB(90, 90, 90)},
        // A system colour is tinted as the colour it stands for.
        {clBtnFace, 1.0, ColorToRGB(clBtnFace)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GStuff::TintColor(c.color, c.factor), c.expected)
            << std::hex << c.color << " x " << c.factor;
}

// The colour of each row of column x, and whether every row is one colour.
std::vector<TColor> RowColors(const TBitmap& bitmap, const TRect& rect, bool& uniform) {
    std::vector<TColor> rows;
    uniform = true;
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        rows.push_back(bitmap.Pixel(rect.Left, y));
        for (int x = rect.Left; x < rect.Right; ++x) uniform = uniform && bitmap.Pixel(x, y) == rows.back();
    }
    return rows;
}

TEST(FillRadiated, ASmallRectangleIsSolid) {
    TBitmap bitmap(20, 20);
    GStuff::FillRadiated(bitmap.Canvas(), TRect::Bounds(2, 2, 10, 14), RGB(0, 128, 255));
    bool uniform = false;
    for (TColor row : RowColors(bitmap, TRect::Bounds(2, 2, 10, 14), uniform)) EXPECT_EQ(row, RGB(0, 128, 255));
    EXPECT_TRUE(uniform);
    EXPECT_EQ(bitmap.Pixel(12, 2), clWhite);
    EXPECT_EQ(bitmap.Pixel(2, 16), clWhite);
}

TEST(FillRadiated, DarkensDownToTwoThirdsAndLightensBelow) {
    TBitmap bitmap(120, 30);
    const TRect rect = TRect::Bounds(5, 5, 100, 20);
    const TColor color = RGB(60, 160, 250);
    GStuff::FillRadiated(bitmap.Canvas(), rect, color);
    bool uniform = false;
    const std::vector<TColor> rows = RowColors(bitmap, rect, uniform);
    EXPECT_TRUE(uniform);
    // 20 lines, one step per line (k = 1): rows 0..13 darken, 14.. lighten.
    TColor expected = color;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(rows[i], expected) << "row " << i;
        expected = GStuff::TintColor(expected, i <= 13 ? 0.97 : 1.031);
    }
    EXPECT_EQ(bitmap.Pixel(5, 4), clWhite);
    EXPECT_EQ(bitmap.Pixel(5, 25), clWhite);
    EXPECT_EQ(bitmap.Pixel(105, 10), clWhite);
}

TEST(FillRadiated, StaysInsideItsRectangle) {
    TBitmap bitmap(40, 10);
    GStuff::FillRadiated(bitmap.Canvas(), TRect::Bounds(2, 4, 30, 1), clNavy);
    EXPECT_EQ(bitmap.Pixel(2, 4), clNavy);
    EXPECT_EQ(bitmap.Pixel(2, 5), clWhite) << "a one-line pipe has no second line";
    GStuff::FillRadiated(bitmap.Canvas(), TRect(30, 8, 10, 2), clRed); // upside down: nothing
    GStuff::FillRadiated(bitmap.Canvas(), TRect(0, 0, 0, 0), clRed);
    EXPECT_EQ(bitmap.Pixel(20, 5), clWhite);
}

TEST(GraphStuff, LeavesThePenAndBrushAsTheyWere) {
    TBitmap bitmap(60, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().Color = clLime;
    canvas.Pen().Width = 3;
    canvas.Brush().Color = clYellow;
    GStuff::FillRadiated(canvas, TRect::Bounds(0, 0, 50, 20), clBlue);
    GStuff::FillRadiated(canvas, TRect::Bounds(0, 0, 5, 5), clBlue);
    GStuff::DoSelectContent(canvas, TRect::Bounds(0, 20, 50, 20));
    EXPECT_EQ(canvas.Pen().Color, clLime);
    EXPECT_EQ(canvas.Pen().Width, 3);
    EXPECT_EQ(canvas.Brush().Color, clYellow);
}

TEST(GraphStuff, PipesAndSelectionMarksLook) {
    TBitmap bitmap(220, 150);
    TCanvas& canvas = bitmap.Canvas();
    const TColor colors[] = {RGB(0, 128, 255), RGB(255, 128, 0), RGB(250, 250, 250), clLime};
    int y = 4;
    for (TColor color : colors) {
        const TRect pipe = TRect::Bounds(6, y, 150, 24);
        GStuff::FillRadiated(canvas, pipe, color);
        GStuff::DoSelectContent(canvas, pipe);
        GStuff::FillRadiated(canvas, TRect::Bounds(170, y + 5, 12, 12), color);
        y += 30;
    }
    GStuff::FillRadiated(canvas, TRect::Bounds(190, 4, 24, 140), RGB(128, 0, 128));
    EXPECT_TRUE(test::MatchesGolden(bitmap.Raster(), "graphstuff_pipes_and_marks"));
}

TEST(PrintBitmap, StretchesTheBitmapOverTheRectangle) {
    TBitmap source(2, 2);
    source.Canvas().SetPixel(0, 0, clRed);
    source.Canvas().SetPixel(1, 0, clLime);
    source.Canvas().SetPixel(0, 1, clBlue);
    source.Canvas().SetPixel(1, 1, clBlack);
    TBitmap page(20, 20);
    PrintBitmap(page.Canvas(), TRect::Bounds(4, 4, 8, 6), source);
    EXPECT_EQ(page.Pixel(4, 4), clRed);
    EXPECT_EQ(page.Pixel(11, 4), clLime);
    EXPECT_EQ(page.Pixel(4, 9), clBlue);
    EXPECT_EQ(page.Pixel(11, 9), clBlack);
    EXPECT_EQ(page.Pixel(12, 4), clWhite);
    EXPECT_EQ(page.Pixel(4, 10), clWhite);
}

TEST(PrintBitmap, TakesTheImageOfAListAndIgnoresABadIndex) {
    TImageList images(2, 2);
    TBitmap strip(4, 2);
    strip.Canvas().Brush().Color = clRed;
    strip.Canvas().FillRect(TRect(0, 0, 2, 2));
    strip.Canvas().Brush().Color = clBlue;
    strip.Canvas().FillRect(TRect(2, 0, 4, 2));
    images.Add(strip);
    TBitmap page(20, 20);
    PrintBitmap_ImageList(page.Canvas(), TRect::Bounds(0, 0, 10, 10), images, 1);
    EXPECT_EQ(page.Pixel(0, 0), clBlue);
    EXPECT_EQ(page.Pixel(9, 9), clBlue);
    for (int bad : {-1, 2, 1000}) PrintBitmap_ImageList(page.Canvas(), TRect::Bounds(10, 10, 10, 10), images, bad);
    EXPECT_EQ(page.Pixel(15, 15), clWhite);
    TBitmap empty;
    PrintBitmap(page.Canvas(), TRect::Bounds(10, 10, 10, 10), empty);
    EXPECT_EQ(page.Pixel(15, 15), clWhite);
}

} // namespace
} // namespace qo
