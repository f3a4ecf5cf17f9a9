#include "platform/core/qoColor.h"
#include "platform/core/qoGeometry.h"

#include <gtest/gtest.h>

namespace qo {

TEST(Geometry, RectanglesExcludeRightAndBottom) {
    const TRect r(10, 20, 30, 25);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_TRUE(r.Contains({10, 20}));
    EXPECT_TRUE(r.Contains({29, 24}));
    EXPECT_FALSE(r.Contains({30, 24}));
    EXPECT_FALSE(r.Contains({29, 25}));
    EXPECT_TRUE(TRect(5, 5, 5, 9).IsEmpty());
    EXPECT_EQ(TRect::Bounds(1, 2, 3, 4), TRect(1, 2, 4, 6));
}

TEST(Geometry, IntersectionAndUnion) {
    EXPECT_EQ(IntersectRect({0, 0, 10, 10}, {5, 5, 20, 20}), TRect(5, 5, 10, 10));
    // Touching edges share no pixel.
    EXPECT_TRUE(IntersectRect({0, 0, 10, 10}, {10, 0, 20, 10}).IsEmpty());
    EXPECT_EQ(UnionRect({0, 0, 10, 10}, {20, 5, 30, 8}), TRect(0, 0, 30, 10));
    EXPECT_EQ(UnionRect({}, {20, 5, 30, 8}), TRect(20, 5, 30, 8));
    EXPECT_EQ(TRect(10, 10, 0, 0).Normalized(), TRect(0, 0, 10, 10));
}

TEST(Color, SystemColoursResolveInBothForms) {
    const struct {
        TColor in;
        TColor rgb;
    } cases[] = {
        {0x00123456, 0x00123456},                  // a plain colour stays
        {0x80000005, GetSysColor(COLOR_WINDOW)},   // window
        {0xFF000005, GetSysColor(COLOR_WINDOW)},   // the same in the other form
        {0x80000008, GetSysColor(COLOR_WINDOWTEXT)},
        {0xFF00000F, GetSysColor(COLOR_BTNFACE)},
        {0x80000018, GetSysColor(COLOR_INFOBK)},
        {0x800000FF, clBlack},                     // unknown index
    };
    for (const auto& c : cases) EXPECT_EQ(ColorToRGB(c.in), c.rgb) << std::hex << c.in;
    EXPECT_TRUE(IsSystemColor(clBtnFace));
    EXPECT_FALSE(IsSystemColor(clRed));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), clWhite);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
}

} // namespace qo
