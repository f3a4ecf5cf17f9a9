// An item's texts: where each placement puts a text for an item's rectangle
// (cut inside, free beside), offsets scaled for printing, empty texts skipped
// before their style is even asked for, and a style handler that changes the
// list while it is drawn.
#include "gantt/qoTimeItemText.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoBitmap.h"

#include <gtest/gtest.h>

namespace qo {
namespace {

constexpr TRect kItem{50, 40, 90, 60}; // 40 x 20
constexpr TSize kText{30, 13};

TEST(TimeItemTextPlace, EachPlacementOnEachAxis) {
    struct TCase {
        const char* name;
        TPoint pos;
        TTextRectPlace x, y;
        TRect area;
        bool clip;
    };
    const TCase cases[] = {
        {"inside, cut one pixel inside the right and bottom edges", {2, 1}, trpInside, trpInside, {52, 41, 89, 59}, true},
        {"after the item, 3 pixels right of it", {3, 0}, trpOutsideFar, trpInside, {93, 40, 129, 59}, false},
        {"before the item, ending at its left edge", {0, 0}, trpOutsideNear, trpInside, {20, 40, 49, 59}, false},
        {"before the item, ending 4 pixels left of it", {4, 0}, trpOutsideNear, trpInside, {16, 40, 49, 59}, false},
        {"above the item, ending 2 pixels above it", {0, 2}, trpInside, trpOutsideNear, {50, 25, 89, 39}, false},
        {"below the item", {1, 1}, trpInside, trpOutsideFar, {51, 61, 89, 79}, false},
        {"beside and below", {0, 0}, trpOutsideFar, trpOutsideFar, {90, 60, 129, 79}, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TTimeItemTextPlacement p = PlaceTimeItemText(kItem, c.pos, kText, c.x, c.y);
        EXPECT_EQ(p.Area, c.area);
        EXPECT_EQ(p.Clip, c.clip);
        EXPECT_FALSE(p.Empty());
    }
}

TEST(TimeItemTextPlace, AnOffsetPastTheItemLeavesNothingToDraw) {
    EXPECT_TRUE(PlaceTimeItemText(kItem, {39, 0}, kText, trpInside, trpInside).Empty());
    EXPECT_TRUE(PlaceTimeItemText(kItem, {0, 19}, kText, trpInside, trpInside).Empty());
    EXPECT_TRUE(PlaceTimeItemText({10, 10, 10, 30}, {0, 0}, kText, trpInside, trpInside).Empty())
        << "an item without width";
}

class TimeItemTexts : public ::testing::Test {
protected:
    TimeItemTexts() { Clear(); }
    void Clear() {
        bitmap.SetSize(200, 100);
        bitmap.Canvas().Brush().Color = clWhite;
        bitmap.Canvas().FillRect({0, 0, 200, 100});
    }
    // The bounds of everything not white.
    TRect Ink() const {
        TRect ink{200, 100, 0, 0};
        for (int32_t y = 0; y < 100; ++y)
            for (int32_t x = 0; x < 200; ++x)
                if (bitmap.Pixel(x, y) != clWhite)
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
        return ink;
    }
    TRect Draw(const std::string& text, TPoint pos, TTextRectPlace x, double sx = 1, double sy = 1) {
        Clear();
        TqoTimeItemTextCollection texts;
        texts.AddTextEx(text, pos.X, pos.Y, 1, x, trpInside);
        texts.DrawToCanvasInsideRect(kItem, bitmap.Canvas(), sx, sy);
        return Ink();
    }
    TBitmap bitmap;
};

TEST_F(TimeItemTexts, InsideTextsAreCutBesideTextsAreNot) {
    const std::string longText = "WWWWWWWWWWWW";
    const TRect inside = Draw(longText, {2, 1}, trpInside);
    EXPECT_GE(inside.Left, 52);
    EXPECT_EQ(inside.Right, 89) << "cut at the item's right edge minus one pixel";
    const TRect outside = Draw(longText, {3, 0}, trpOutsideFar);
    EXPECT_GE(outside.Left, 93);
    EXPECT_GT(outside.Right, 130) << "not cut to the item's width";
    const TRect nearText = Draw("W", {0, 0}, trpOutsideNear);
    EXPECT_LE(nearText.Right, 50) << "ends at the item's left edge";
    EXPECT_GE(nearText.Right, 47);
    EXPECT_EQ(bitmap.Canvas().Brush().Style, TBrushStyle::bsSolid) << "the brush comes back";
}

TEST_F(TimeItemTexts, OffsetsScaleWithThePrintScale) {
    const TRect scaled = Draw("Ab", {4, 2}, trpInside, 2, 2);
    const TRect direct = Draw("Ab", {8, 4}, trpInside);
    EXPECT_EQ(scaled, direct);
    EXPECT_NE(Draw("Ab", {4, 2}, trpInside), direct);
}

TEST_F(TimeItemTexts, EmptyTextsAreSkippedBeforeTheirStyleIsAsked) {
    TqoTimeItemTextCollection texts;
    texts.AddText("", 0, 0, 1);
    texts.AddText("x", 0, 0, 2);
    texts.AddText("", 0, 0, 3);
    std::vector<int32_t> styles;
    texts.SetOnStyleSet([&](TqoTimeItemTextCollection* sender, TCanvas&, int32_t style) {
        EXPECT_EQ(sender, &texts);
        styles.push_back(style);
    });
    texts.DrawToCanvasInsideRect(kItem, bitmap.Canvas(), 1, 1);
    EXPECT_EQ(styles, std::vector<int32_t>({2}));
}

TEST_F(TimeItemTexts, AStyleHandlerMayDropTextsWhileTheyAreDrawn) {
    TqoTimeItemTextCollection texts;
    texts.AddText("a", 0, 0, 1);
    texts.AddText("b", 0, 0, 1);
    texts.AddText("c", 0, 0, 1);
    int calls = 0;
    texts.SetOnStyleSet([&](TqoTimeItemTextCollection*, TCanvas&, int32_t) {
        ++calls;
        while (texts.Count() > 0) texts.DropText(0);
    });
    texts.DrawToCanvasInsideRect(kItem, bitmap.Canvas(), 1, 1);
    EXPECT_EQ(calls, 1);
    EXPECT_NE(Ink(), TRect(200, 100, 0, 0)) << "the text being drawn is still drawn";
}

TEST(TimeItemTextCollection, KeepsTextsInOrderAndRejectsBadIndexes) {
    TqoTimeItemTextCollection texts;
    texts.AddText("one", 1, 2, 3);
    texts.AddTextEx("two", 4, 5, 6, trpOutsideFar, trpOutsideNear);
    ASSERT_EQ(texts.Count(), 2);
    const TqoTimeItemText& first = texts.Text(0);
    EXPECT_EQ(first.Text(), "one");
    EXPECT_EQ(first.Pos(), TPoint(1, 2));
    EXPECT_EQ(first.Style(), 3);
    EXPECT_EQ(first.TextRectPlaceX(), trpInside);
    EXPECT_EQ(first.TextRectPlaceY(), trpInside);
    EXPECT_EQ(texts.Text(1).TextRectPlaceX(), trpOutsideFar);
    EXPECT_EQ(texts.Text(1).TextRectPlaceY(), trpOutsideNear);
    texts.DropText(0);
    EXPECT_EQ(texts.Text(0).Text(), "two");
    for (int32_t bad : {-1, 1, 7}) {
        EXPECT_THROW(texts.DropText(bad), EListError) << bad;
        EXPECT_THROW(texts.Text(bad), EListError) << bad;
    }
    EXPECT_EQ(texts.Count(), 1);
}

} // namespace
} // namespace qo
