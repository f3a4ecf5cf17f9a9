#include "qoScaler_test.h"

#include "platform/core/qoRounding.h"

#include <cmath>

namespace qo {
namespace {

using test::kMonday;
using test::kWeekend;
using ScalerMapping = test::ScalerFixture;

const double kMs = OneMillisecond;

bool InWeekend(TDateTime d) {
    const int dow = DayOfWeek(d);
    return dow == 1 || dow == 7;
}

TEST_F(ScalerMapping, WithoutHiddenTimeTheMappingIsLinearAndPixelToDateItsInverse) {
    const double scale = scaler->Scale();
    EXPECT_DOUBLE_EQ(scale, 7.0 / 700);
    for (int k : {-50, 0, 1, 123, 350, 699, 700, 900})
        EXPECT_EQ(scaler->DateToPixel(kMonday + k * scale), k) << k;
    for (int p = -20; p < 720; p += 7) {
        const TDateTime d = scaler->PixelToDate(p);
        EXPECT_EQ(scaler->DateToPixel(d), p) << p;
        EXPECT_NEAR(d, kMonday + p * scale, scale) << p;
    }
    EXPECT_DOUBLE_EQ(scaler->PixelToDate(-10), scaler->Start() - 10 * scale);
    EXPECT_DOUBLE_EQ(scaler->PixelToDate(710), scaler->Stop() + 10 * scale);
    EXPECT_DOUBLE_EQ(scaler->PixelLenToDate(10), 10 * scale);
    EXPECT_EQ(scaler->TimeToPixel(kMonday + 3 + 0.5), 50) << "only the time of day counts";
}

TEST_F(ScalerMapping, HiddenWeekendsTakeNoPixels) {
    SetRange(kMonday, kMonday + 14);
    scaler->SetHiddenDays(kWeekend);
    SetRange(kMonday, kMonday + 14);
    EXPECT_DOUBLE_EQ(scaler->VisibleTimeAmount(), 10.0);
    const TDateTime friday = kMonday + 4, nextMonday = kMonday + 7;
    const double bridging = scaler->DateDiffToPixelLength(friday + 0.5, nextMonday + 0.5);
    EXPECT_DOUBLE_EQ(bridging, scaler->DateDiffToPixelLength(nextMonday + 0.5, nextMonday + 1.5));
    EXPECT_DOUBLE_EQ(bridging, 70.0);
    EXPECT_EQ(scaler->DateToPixel(kMonday + 5.5), scaler->DateToPixel(nextMonday)) << "Saturday noon";

    for (int p = 0; p < 700; ++p) {
        const TDateTime d = scaler->PixelToDate(p);
        EXPECT_FALSE(InWeekend(d)) << p;
        EXPECT_EQ(scaler->DateToPixel(d), p) << p;
    }
    // Found inside the weekend, a date moves back to the last visible instant before it.
    scaler->SetWidth(701);
    harness.RunUntilIdle();
    const TDateTime edge = scaler->PixelToDate(scaler->DateToPixel(nextMonday));
    EXPECT_EQ(DayOfWeek(edge), 6) << "a Friday";
    EXPECT_LE(edge, friday + 1 - kMs);
}

TEST_F(ScalerMapping, VisibleTimeOfDaysAndWeeks) {
    scaler->SetHiddenDays(kWeekend);
    // Hours 0-7 and 18-23 hidden: 10 visible hours a day.
    scaler->SetHiddenHours(0xFC00FF);
    EXPECT_EQ(scaler->GetHiddenHourCount(), 14);
    EXPECT_DOUBLE_EQ(scaler->VisibleTimeForDay(kMonday), 10.0 / 24);
    EXPECT_DOUBLE_EQ(scaler->VisibleTimeForDay(kMonday + 5), 0);
    EXPECT_DOUBLE_EQ(scaler->VisibleTimeForWeek(), 50.0 / 24);
    const struct {
        double start, length, expected; // in hours
    } parts[] = {
        {7.5, 1.0, 0.5}, {8, 10, 10}, {0, 24, 10}, {17.25, 3, 0.75}, {12, 0, 0}, {9.5, 0.25, 0.25},
    };
    for (const auto& c : parts)
        EXPECT_NEAR(scaler->VisibleTimeForPartOfDay(kMonday, c.length / 24, kMonday + c.start / 24),
                    c.expected / 24, 1e-10)
            << c.start << "+" << c.length;
    // Whole weeks at once after 13 days agree with walking day by day.
    double walked = 0;
    for (int d = 0; d < 100; ++d) walked += scaler->VisibleTimeForDay(kMonday + d);
    EXPECT_NEAR(scaler->DateDiffToVisibleTime(kMonday, kMonday + 100), walked, 1e-9);
    EXPECT_NEAR(scaler->DateDiffToVisibleTime(kMonday + 100, kMonday), -walked, 1e-9);
    EXPECT_NEAR(scaler->DateDiffToVisibleTime(kMonday + 0.5, kMonday + 1.5), 10.0 / 24, 1e-12);
}

TEST_F(ScalerMapping, DatesMoveOutOfHiddenTime) {
    scaler->SetHiddenDays(kWeekend);
    scaler->SetHiddenHours(0xFC00FF);
    const TDateTime friday = kMonday + 4, saturday = kMonday + 5, nextMonday = kMonday + 7;
    const struct {
        TDateTime value, high, low;
    } cases[] = {
        {friday + 12.0 / 24, friday + 12.0 / 24, friday + 12.0 / 24},
        {friday + 19.0 / 24, nextMonday + 8.0 / 24, friday + 18.0 / 24 - kMs},
        {saturday + 0.5, nextMonday + 8.0 / 24, friday + 18.0 / 24 - kMs},
        {kMonday + 3.0 / 24, kMonday + 8.0 / 24, kMonday - 3 + 18.0 / 24 - kMs},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(scaler->VisibleTimeToTrueTime_High(c.value), c.high, 1e-9) << c.value;
        EXPECT_NEAR(scaler->VisibleTimeToTrueTime_Low(c.value), c.low, 1e-9) << c.value;
    }
    EXPECT_EQ(scaler->VisibleTimeToTrueTime_Low(-3), 0);
    // Four visible hours from Friday 16:00 end on Monday 10:00, and back again.
    EXPECT_NEAR(scaler->VisibleTimeDiffToTrueTime(friday + 16.0 / 24, 4.0 / 24), nextMonday + 10.0 / 24,
                10 * OneSecond);
    EXPECT_NEAR(scaler->VisibleTimeDiffToTrueTime(nextMonday + 10.0 / 24, -4.0 / 24), friday + 16.0 / 24,
                10 * OneSecond);
    EXPECT_EQ(scaler->VisibleTimeDiffToTrueTime(0.5, -3), 0) << "nothing before day 0";
}

TEST_F(ScalerMapping, HidingEverythingHidesNothing) {
    scaler->SetHiddenDays(0x7F);
    EXPECT_EQ(scaler->HiddenDays(), 0u);
    EXPECT_EQ(scaler->GetHiddenDayCount(), 0);
    scaler->SetHiddenHours(0xFFFFFF);
    EXPECT_EQ(scaler->HiddenHours(), 0u);
    EXPECT_DOUBLE_EQ(scaler->VisibleTimeAmount(), 7.0);
}

TEST_F(ScalerMapping, ScaleChangesKeepTheStartAndRefuseTinySpans) {
    scaler->SetScale(0.02);
    EXPECT_EQ(scaler->Start(), kMonday);
    EXPECT_DOUBLE_EQ(scaler->Stop(), kMonday + 14);
    for (double tiny : {OneSecond / 700, 0.0, -1.0}) {
        scaler->SetScale(tiny);
        EXPECT_DOUBLE_EQ(scaler->Stop(), kMonday + 14) << tiny;
    }
    // The date under a pixel stays there.
    const TDateTime date = kMonday + 3.25;
    const int pixel = scaler->DateToPixel(date);
    scaler->SetCenterScale(0.005, date, pixel);
    EXPECT_NEAR(scaler->Scale(), 0.005, 1e-12);
    EXPECT_NEAR(scaler->DateToPixel(date), pixel, 1);
    // The owner may refuse a rescaling.
    scaler->OnLimitScaling = [](TComponent*, TDateTime, TDateTime, double scale) { return scale > 0.01; };
    const TDateTime start = scaler->Start();
    scaler->SetCenterScale(0.05, date, pixel);
    EXPECT_NEAR(scaler->Scale(), 0.005, 1e-12);
    EXPECT_DOUBLE_EQ(scaler->Start(), start);
}

TEST_F(ScalerMapping, ARefusedRescalingLeavesTheRangeUntouched) {
    int changes = 0;
    scaler->OnChange = [&](TComponent*) { ++changes; };
    harness.RunUntilIdle();
    changes = 0;
    const TDateTime date = kMonday + 3.25;
    const struct {
        const char* why;
        double scale;
        bool ownerRefuses;
    } cases[] = {
        {"below ten seconds", 5 * OneSecond / 700, false},
        {"at a fraction of the minimum", OneSecond / 7000, false},
        {"refused by the owner", 0.005, true},
    };
    for (const auto& c : cases) {
        scaler->OnLimitScaling = [&](TComponent*, TDateTime, TDateTime, double) { return c.ownerRefuses; };
        scaler->SetCenterScale(c.scale, date, 300);
        EXPECT_EQ(scaler->Start(), kMonday) << c.why;
        EXPECT_EQ(scaler->Stop(), kMonday + 7) << c.why;
        harness.RunUntilIdle();
        EXPECT_EQ(changes, 0) << c.why << ": nothing changed, nothing to report";
    }
}

TEST_F(ScalerMapping, PixelsOnScaleMarksMapToVisibleTime) {
    scaler->SetHiddenDays(kWeekend);
    scaler->SetHiddenHours(0xFC00FF); // 08:00 to 18:00 visible
    SetRange(kMonday, kMonday + 14);
    ASSERT_EQ(scaler->SmallStep(), ScaleStep::Day);
    ASSERT_DOUBLE_EQ(scaler->ShortMarks()[1].Pixel, 70) << "midnight of a hidden night on a pixel";
    for (int p = 0; p < 700; ++p) {
        const TDateTime d = scaler->PixelToDate(p);
        EXPECT_FALSE(InWeekend(d)) << p;
        EXPECT_FALSE(scaler->IsHiddenHour(int(std::floor((d - std::floor(d)) * 24)))) << p;
        EXPECT_EQ(scaler->DateToPixel(d), p) << p;
    }
    EXPECT_NEAR(scaler->PixelToDate(70), kMonday + 18.0 / 24 - kMs, 1e-9) << "the end of Monday's hours";
}

TEST_F(ScalerMapping, HidingTimeKeepsTheRange) {
    const struct {
        TDateTime stop;
        TqoHiddenDays days;
        TqoHiddenHours hours;
    } cases[] = {
        {kMonday + 14, kWeekend, 0},        // a Monday after a hidden weekend
        {kMonday + 14, 0, 0xFC00FF},        // midnight of a hidden night
        {kMonday + 11.5, kWeekend, 0xFF},   // a visible Friday noon
        {kMonday + 12.5, kWeekend, 0},      // a stop the host put on a Saturday stays there
    };
    for (const auto& c : cases) {
        scaler->SetHiddenDays(0);
        scaler->SetHiddenHours(0);
        SetRange(kMonday, c.stop);
        scaler->SetHiddenDays(c.days);
        scaler->SetHiddenHours(c.hours);
        EXPECT_EQ(scaler->Start(), kMonday) << c.stop;
        EXPECT_EQ(scaler->Stop(), c.stop) << c.stop;
        EXPECT_NEAR(scaler->DateDiffToPixelLength(kMonday, c.stop), 700, 1e-6) << c.stop;
    }
}

TEST_F(ScalerMapping, StartAndStopStayWithinTheirBounds) {
    scaler->SetMinStart(kMonday - 10);
    scaler->SetMaxStop(kMonday + 30);
    scaler->SetStart(kMonday - 20);
    EXPECT_EQ(scaler->Start(), kMonday - 10);
    EXPECT_DOUBLE_EQ(scaler->VisibleTimeAmount(), 7.0) << "a pan keeps the amount";
    scaler->SetStop(kMonday + 50);
    EXPECT_EQ(scaler->Stop(), kMonday + 30);
    EXPECT_TRUE(scaler->CheckIfOkStartStop(kMonday - 10, kMonday + 30));
    EXPECT_FALSE(scaler->CheckIfOkStartStop(kMonday - 11, kMonday));
    EXPECT_FALSE(scaler->CheckIfOkStartStop(kMonday, kMonday + 31));

    scaler->SetMinStart(0);
    scaler->SetMaxStop(EncodeDate(9000, 1, 1));
    scaler->SetStop(EncodeDate(5000, 1, 1));
    EXPECT_EQ(scaler->Stop(), EncodeDate(4000, 1, 1));
    scaler->SetStart(-5);
    EXPECT_EQ(scaler->Start(), 0);
}

TEST_F(ScalerMapping, AStopBeforeTheStartShowsADayInsteadOfNothing) {
    scaler->SetStop(kMonday - 3);
    EXPECT_EQ(scaler->Stop(), kMonday + 1);
    EXPECT_GT(scaler->Scale(), 0);
    EXPECT_FALSE(scaler->ShortMarks().empty());
}

TEST_F(ScalerMapping, ResizingKeepsTheTimePerPixel) {
    harness.RunUntilIdle();
    const double scale = scaler->Scale();
    scaler->SetWidth(1400);
    harness.RunUntilIdle();
    EXPECT_DOUBLE_EQ(scaler->Scale(), scale);
    EXPECT_NEAR(scaler->Stop(), kMonday + 14, 1e-9);
    // A stop set since the last paint wins over the kept scale.
    scaler->SetStop(kMonday + 10);
    scaler->SetWidth(700);
    harness.RunUntilIdle();
    EXPECT_EQ(scaler->Stop(), kMonday + 10);
}

TEST_F(ScalerMapping, PrintingScalesTheMappingAlongTheAxis) {
    harness.RunUntilIdle();
    const int onScreen = scaler->DateToPixel(kMonday + 1);
    int printed = 0;
    scaler->OnUserDrawForeground = [&](TqoDateScaler* s, TCanvas&, const TRect&) {
        if (s->IsPrinting()) printed = s->DateToPixel(kMonday + 1);
    };
    TBitmap page(1600, 200);
    scaler->Print(page.Handle(), 0, 0, 2.0, 2.0, true);
    EXPECT_EQ(printed, 2 * onScreen);
    EXPECT_EQ(scaler->DateToPixel(kMonday + 1), onScreen) << "the screen marks come back";
    EXPECT_EQ(scaler->ShortMarks().front().Pixel, 0);
}

} // namespace
} // namespace qo
