// Text: real fonts, GDI's metrics and formatted-text flags, and a golden sample.
#include "platform/graphics/qoBitmap.h"
#include "platform/graphics/qoFontFace.h"
#include "support/golden/qoGolden.h"

#include <gtest/gtest.h>

#include <thread>

namespace qo {
namespace {

// The bounds of the pixels that are not white.
TRect Ink(const TBitmap& b) {
    TRect box;
    for (int32_t y = 0; y < b.Height(); ++y)
        for (int32_t x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != clWhite) box = UnionRect(box, TRect::Bounds(x, y, 1, 1));
    return box;
}

class TextTest : public ::testing::Test {
protected:
    TBitmap fBitmap{200, 60};
    TCanvas& fCanvas = fBitmap.Canvas();
    void SetUp() override { fCanvas.Brush().Style = TBrushStyle::bsClear; }
};

TEST_F(TextTest, DefaultFontHasTheClassicCellHeight) {
    EXPECT_EQ(fCanvas.TextHeight("X"), 13);
    EXPECT_EQ(fCanvas.Font().Name, "MS Sans Serif");
#ifndef _WIN32 // the system's font mapper chooses the stand-ins there
    EXPECT_EQ(TqoFontFace::ResolveFamily("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(TqoFontFace::ResolveFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(TqoFontFace::Get(fCanvas.Font(), 96)->Family(), "Liberation Sans");
#endif
}

TEST_F(TextTest, MetricsFollowSizeStyleAndResolution) {
    const int32_t plain = fCanvas.TextWidth("Schedule");
    EXPECT_GT(plain, fCanvas.TextWidth("Sched"));
    EXPECT_EQ(fCanvas.TextWidth(""), 0);
    fCanvas.Font().Style = fsBold;
    EXPECT_GT(fCanvas.TextWidth("Schedule"), plain);
    fCanvas.Font().Style = 0;
    fCanvas.Font().Size = 16;
    EXPECT_GT(fCanvas.TextHeight("X"), 20);
    fCanvas.Font().Size = 8;
    fBitmap.Handle().SetResolution(300, 300);
    EXPECT_NEAR(fCanvas.TextHeight("X"), 13 * 300 / 96, 3);
}

TEST_F(TextTest, TextOutIsTransparentOverAClearBrushAndOpaqueOtherwise) {
    fCanvas.Brush() = {clYellow, TBrushStyle::bsSolid, nullptr};
    fCanvas.FillRect({0, 0, 200, 60});
    fCanvas.Brush().Style = TBrushStyle::bsClear;
    fCanvas.Font().Color = clBlack;
    fCanvas.TextOut(4, 4, "Gantt");
    EXPECT_EQ(fBitmap.Pixel(4, 4), clYellow);
    EXPECT_EQ(fCanvas.PenPos(), TPoint(4 + fCanvas.TextWidth("Gantt"), 4));
    fCanvas.Brush().Style = TBrushStyle::bsSolid;
    fCanvas.Brush().Color = clAqua;
    fCanvas.TextOut(4, 30, "Gantt");
    EXPECT_EQ(fBitmap.Pixel(4, 30), clAqua);
    EXPECT_EQ(fBitmap.Pixel(4 + fCanvas.TextWidth("Gantt") - 1, 30 + 12), clAqua);
    EXPECT_EQ(fBitmap.Pixel(4 + fCanvas.TextWidth("Gantt"), 30), clYellow);
}

TEST_F(TextTest, ExtTextOutClipsToItsRectangleAndFillsItWhenOpaque) {
    const TRect r{10, 10, 30, 20};
    fCanvas.ExtTextOutW(5, 8, ETO_CLIPPED, &r, "WWWWWWWW");
    EXPECT_EQ(Ink(fBitmap), IntersectRect(Ink(fBitmap), r));
    EXPECT_FALSE(Ink(fBitmap).IsEmpty());
    fCanvas.Brush().Color = clLime;
    fCanvas.ExtTextOutW(5, 8, ETO_CLIPPED | ETO_OPAQUE, &r, "W");
    EXPECT_EQ(Ink(fBitmap), r);
    EXPECT_EQ(fBitmap.Pixel(29, 19), clLime);
}

TEST_F(TextTest, DrawTextMeasuresWrapsAndAligns) {
    const std::string text = "Plan the week ahead";
    TRect calc{0, 0, 1000, 0};
    EXPECT_EQ(fCanvas.DrawTextW(text, calc, DT_CALCRECT | DT_NOPREFIX), 13);
    EXPECT_EQ(calc, TRect(0, 0, fCanvas.TextWidth(text), 13));
    // As in GDI, a blank that does not fit ends the line before the word that it follows.
    TRect narrow{0, 0, fCanvas.TextWidth("Plan the") + 1, 0};
    EXPECT_EQ(fCanvas.DrawTextW(text, narrow, DT_CALCRECT | DT_WORDBREAK), 4 * 13);
    EXPECT_EQ(narrow.Width(), fCanvas.TextWidth("ahead"));
    // Explicit line breaks count without word break too; mnemonic markers vanish unless told.
    TRect lines{0, 0, 1000, 0};
    EXPECT_EQ(fCanvas.DrawTextW("a\r\nb\nc", lines, DT_CALCRECT), 3 * 13);
    EXPECT_EQ(fCanvas.DrawTextW("a\n\nb", lines, DT_CALCRECT), 3 * 13);
    // An empty text is one empty line.
    TRect empty{5, 5, 50, 50};
    EXPECT_EQ(fCanvas.DrawTextW("", empty, DT_CALCRECT), 13);
    EXPECT_EQ(empty, TRect(5, 5, 5, 18));
    TRect prefix{0, 0, 1000, 0};
    fCanvas.DrawTextW("&File", prefix, DT_CALCRECT);
    EXPECT_EQ(prefix.Width(), fCanvas.TextWidth("File"));

    struct Case {
        uint32_t flags;
        bool right, centre, middle;
    };
    for (const Case c :
         {Case{DT_RIGHT, true, false, false}, Case{DT_CENTER, false, true, false},
          Case{DT_VCENTER | DT_SINGLELINE, false, false, true}, Case{DT_VCENTER, false, false, false}}) {
        fBitmap.Raster().Fill(0xFFFFFF);
        TRect box{0, 0, 200, 60};
        fCanvas.DrawTextW("Mid", box, c.flags | DT_NOPREFIX);
        const TRect ink = Ink(fBitmap);
        const int32_t w = fCanvas.TextWidth("Mid");
        EXPECT_EQ(ink.Right > 200 - 4, c.right) << c.flags;
        EXPECT_EQ(std::abs((ink.Left + ink.Right) / 2 - 100) <= w / 2 && !c.right && ink.Left > 50, c.centre)
            << c.flags;
        EXPECT_EQ(ink.Top > 20, c.middle) << c.flags;
    }
}

TEST_F(TextTest, EndEllipsisKeepsALongLineInsideItsRectangle) {
    const std::string text = "A time item with a long description";
    TRect box{0, 0, 60, 13};
    fCanvas.DrawTextW(text, box, DT_END_ELLIPSIS | DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
    EXPECT_LE(Ink(fBitmap).Right, 60);
    TRect calc{0, 0, 60, 13};
    fCanvas.DrawTextW(text, calc, DT_CALCRECT | DT_END_ELLIPSIS | DT_SINGLELINE);
    EXPECT_LE(calc.Right, 60);
    EXPECT_GT(calc.Right, fCanvas.TextWidth("..."));
}

TEST_F(TextTest, RotatedTextRunsUpwardsFromItsOrigin) {
    fCanvas.Font().Orientation = 900;
    fCanvas.TextOut(20, 55, "Upwards");
    const TRect ink = Ink(fBitmap);
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_LE(ink.Bottom, 56);
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + 14);
}

// Faces and their glyphs are shared by every canvas: canvases on two threads
// rendering the same new glyphs at once draw the same pixels.
TEST(TextThreads, CanvasesOnTwoThreadsShareTheGlyphCache) {
    auto draw = [] {
        TBitmap bitmap(240, 24);
        TCanvas& c = bitmap.Canvas();
        c.Brush().Style = TBrushStyle::bsClear;
        c.Font() = {"DejaVu Sans", 13, clNavy, fsItalic, 0};
        c.TextOut(2, 2, "\u0100\u0101\u0102 Threads qu\u00e9");
        return bitmap.Raster();
    };
    TqoRaster other;
    std::thread worker([&] { other = draw(); });
    const TqoRaster mine = draw();
    worker.join();
    EXPECT_TRUE(mine == other);
    EXPECT_TRUE(mine == draw());
}

TEST(TextGolden, SampleOfFontsAndStyles) {
    TBitmap bitmap(240, 132);
    TCanvas& c = bitmap.Canvas();
    c.Brush().Style = TBrushStyle::bsClear;
    int32_t y = 2;
    const std::pair<const char*, TFontStyles> styles[] = {
        {"Regular 0123", 0},         {"Bold", fsBold},
        {"Italic", fsItalic},        {"Underline", fsUnderline},
        {"Strike-out", fsStrikeOut}, {"All four", fsBold | fsItalic | fsUnderline | fsStrikeOut}};
    for (const auto& [text, style] : styles) {
        c.Font().Style = style;
        c.TextOut(4, y, text);
        y += c.TextHeight(text) + 2;
    }
    struct Face {
        const char* name;
        int32_t size;
        TColor color;
        int32_t orientation, x, y;
        const char* text;
    };
    for (const Face f : {Face{"Times New Roman", 12, clNavy, 0, 110, 2, "Serif 12 pt"},
                         Face{"Courier New", 10, clMaroon, 0, 110, 24, "Mono 10 pt"},
                         Face{"MS Sans Serif", 8, clWindowText, 900, 220, 120, "Rotated"}}) {
        c.Font() = {f.name, f.size, f.color, 0, f.orientation};
        c.TextOut(f.x, f.y, f.text);
    }
    EXPECT_TRUE(test::MatchesGolden(bitmap.Raster(), "canvas-text-sample"));
}

} // namespace
} // namespace qo
