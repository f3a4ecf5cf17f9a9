// The looks of each time item style, at screen and at print scale.
#include "gantt/qoTimeDraw.h"

#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoImageList.h"
#include "support/golden/qoGolden.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

TEST(TimeDraw, W95SafeCutsOnlyARectangleReachingPastBothSides) {
    struct Case {
        TRect in, out;
    } cases[] = {
        {{-100000, 2, 100000, 9}, {-500, 2, 2000, 9}},
        {{-100000, 2, 1500, 9}, {-100000, 2, 1500, 9}},
        {{-400, 2, 100000, 9}, {-400, 2, 100000, 9}},
        {{10, 2, 60, 9}, {10, 2, 60, 9}},
    };
    for (const Case& c : cases) EXPECT_EQ(TqoTimeDraw::W95Safe(c.in), c.out);
}

TEST(TimeDraw, EveryStyleLeavesTheCanvasAsItWas) {
    TBitmap bitmap(80, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen() = {clLime, 2, TPenStyle::psSolid, TPenMode::pmCopy};
    canvas.Brush().Color = clYellow;
    const TRect r{4, 4, 70, 24};
    TqoTimeDraw::DrawTime(canvas, r, clRed);
    TqoTimeDraw::DrawPipe(canvas, r, clRed);
    TqoTimeDraw::CoolOutline(canvas, r, clRed, 2.0);
    TqoTimeDraw::DrawTimeHollow(canvas, r, clRed);
    TqoTimeDraw::LineOutline(canvas, r, clRed, true, 1.0);
    TqoTimeDraw::WaveOutline(canvas, r, clRed);
    TqoTimeDraw::RombOutline(canvas, r, clRed);
    TqoTimeDraw::DoSelectContent(canvas, r, clBlue);
    EXPECT_EQ(canvas.Pen().Color, clLime);
    EXPECT_EQ(canvas.Pen().Width, 2);
    EXPECT_EQ(canvas.Brush().Color, clYellow);
}

// A summary bar's triangles sit a fixed distance below the top and in from
// each end; at print scale 2 every distance doubles.
TEST(TimeDraw, SummaryBarTrianglesScaleWithThePrint) {
    struct Case {
        double ys;
        int tipY, leftTipX, rightTipX;
    } cases[] = {
        // a = 4, h = 3, w = 5, d = 3: tip at T + a + h + 1, centres L + 2 + 3 and R - 5 + 2 - 3.
        {1.0, 10 + 8, 20 + 5, 100 - 6},
        // a = 8, h = 6, w = 10, d = 6.
        {2.0, 10 + 15, 20 + 11, 100 - 11},
    };
    for (const Case& c : cases) {
        TBitmap bitmap(120, 60);
        TqoTimeDraw::CoolOutline(bitmap.Canvas(), {20, 10, 100, 50}, clWhite, c.ys);
        // The two black slanted edges meet at the tip.
        for (int x : {c.leftTipX - 1, c.leftTipX, c.rightTipX - 1, c.rightTipX})
            EXPECT_EQ(bitmap.Pixel(x, c.tipY), clBlack) << c.ys << " x " << x;
        EXPECT_EQ(bitmap.Pixel(c.leftTipX, c.tipY + 2), clWhite) << "nothing below the tip";
        EXPECT_EQ(bitmap.Pixel(60, c.tipY), clWhite) << "no triangle in the middle";
    }
}

TEST(TimeDraw, ImageDrawsUnscaledOnScreenAndAsAHeightSquareOnPaper) {
    TImageList images;
    images.SetSize(4, 4);
    TBitmap red(4, 4);
    red.Canvas().Brush().Color = clRed;
    red.Canvas().FillRect({0, 0, 4, 4});
    images.Add(red);
    TBitmap screen(40, 20), paper(40, 20);
    TqoTimeDraw::DrawImage(screen.Canvas(), {2, 2, 30, 14}, &images, 0, false);
    TqoTimeDraw::DrawImage(paper.Canvas(), {2, 2, 30, 14}, &images, 0, true);
    TqoTimeDraw::DrawImage(paper.Canvas(), {20, 2, 30, 14}, &images, 5, true);
    TqoTimeDraw::DrawImage(paper.Canvas(), {20, 2, 30, 14}, nullptr, 0, true);
    EXPECT_EQ(screen.Pixel(5, 5), clRed);
    EXPECT_EQ(screen.Pixel(6, 6), clWhite);
    EXPECT_EQ(paper.Pixel(13, 13), clRed);
    EXPECT_EQ(paper.Pixel(14, 13), clWhite);
    EXPECT_EQ(paper.Pixel(25, 8), clWhite) << "a missing image or list draws nothing";
}

// Each style in a row of its own, plain on the left and selected on the
// right; the summary bar and the lines also at print scale 2.
TEST(TimeDraw, StylesLook) {
    TBitmap bitmap(340, 290);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().Color = clSilver;
    canvas.FillRect({0, 0, 340, 290});
    TImageList images;
    images.SetSize(16, 16);
    TBitmap image(16, 16);
    image.Canvas().Brush().Color = clTeal;
    image.Canvas().FillRect({0, 0, 16, 16});
    image.Canvas().Brush().Color = clYellow;
    image.Canvas().FillRect({4, 4, 12, 12});
    images.Add(image);
    using Draw = void (*)(TCanvas&, const TRect&, TColor);
    const Draw styles[] = {
        TqoTimeDraw::DrawTime,
        [](TCanvas& c, const TRect& r, TColor color) { TqoTimeDraw::CoolOutline(c, r, color, 1.0); },
        TqoTimeDraw::DrawTimeHollow,
        [](TCanvas& c, const TRect& r, TColor color) { TqoTimeDraw::LineOutline(c, r, color, false, 1.0); },
        [](TCanvas& c, const TRect& r, TColor color) { TqoTimeDraw::LineOutline(c, r, color, true, 1.0); },
        TqoTimeDraw::WaveOutline,
        TqoTimeDraw::RombOutline,
        TqoTimeDraw::DrawPipe,
    };
    const TColor colors[] = {RGB(90, 160, 230), RGB(230, 120, 60), RGB(120, 200, 120)};
    int y = 6, n = 0;
    for (Draw draw : styles) {
        for (int selected = 0; selected < 2; ++selected) {
            const TRect r = TRect::Bounds(8 + selected * 120, y, 100, 20);
            draw(canvas, r, colors[n % 3]);
            if (selected) TqoTimeDraw::DoSelectContent(canvas, r, clNavy);
        }
        y += 28;
        ++n;
    }
    TqoTimeDraw::DrawImage(canvas, TRect::Bounds(8, y, 100, 20), &images, 0, false);
    TqoTimeDraw::DrawImage(canvas, TRect::Bounds(128, y, 100, 20), &images, 0, true);
    TqoTimeDraw::DoSelectContent(canvas, TRect::Bounds(128, y, 100, 20), clNavy);
    TqoTimeDraw::CoolOutline(canvas, TRect::Bounds(250, 6, 80, 40), RGB(90, 160, 230), 2.0);
    TqoTimeDraw::LineOutline(canvas, TRect::Bounds(250, 62, 80, 40), RGB(230, 120, 60), true, 2.0);
    EXPECT_TRUE(test::MatchesGolden(bitmap.Raster(), "timedraw_styles"));
}

} // namespace
} // namespace qo
