#include "platform/core/qoDateFormat.h"
#include "platform/core/qoDateTime.h"
#include "platform/core/qoErrors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qo {

TEST(DateTime, KnownDatesEncodeToTheirDayNumbers) {
    const struct {
        int y, m, d;
        double value;
        int dayOfWeek;
    } cases[] = {
        {1899, 12, 30, 0, 7},        {1900, 1, 1, 2, 2},          {1900, 3, 1, 61, 5},
        {2000, 1, 1, 36526, 7},      {2000, 2, 29, 36585, 3},     {2024, 2, 29, 45351, 5},
        {2026, 12, 10, 46366, 5},    {1, 1, 1, -693593, 2},       {9999, 12, 31, 2958465, 6},
        {1800, 1, 1, -36522, 4},     {1899, 12, 29, -1, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(DayOfWeek(ComposeDateTime(c.value, 0.75)), c.dayOfWeek) << c.value;
        int y, m, d;
        DecodeDate(c.value, y, m, d);
        EXPECT_EQ(std::tie(y, m, d), std::tie(c.y, c.m, c.d));
    }
}

TEST(DateTime, EveryDayRoundTripsAcrossLeapYearsAndFarDates) {
    for (int year : {1, 4, 100, 1600, 1899, 1900, 1999, 2000, 2024, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month)
            for (int day = 1; day <= DaysInAMonth(year, month); ++day) {
                const TDateTime v = ComposeDateTime(EncodeDate(year, month, day), EncodeTime(13, 14, 15, 16));
                const TDateParts p = DecodeDateTime(v);
                ASSERT_EQ(p, (TDateParts{year, month, day, 13, 14, 15, 16})) << year << "-" << month << "-" << day;
            }
    }
}

TEST(DateTime, TimeBeforeTheEpochCountsForward) {
    // -1.25 is 1899-12-29 at 06:00.
    EXPECT_EQ(DecodeDateTime(-1.25), (TDateParts{1899, 12, 29, 6, 0, 0, 0}));
    EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(DateOf(-1.25), -1);
    EXPECT_DOUBLE_EQ(TimeOf(-1.25), 0.25);
}

TEST(DateTime, TimeRoundingUpToMidnightMovesToTheNextDay) {
    const TDateTime almost = EncodeDate(2003, 12, 31) + 0.9999999999;
    EXPECT_EQ(DecodeDateTime(almost), (TDateParts{2004, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(DayOfWeek(almost), 5);
}

TEST(DateTime, BadArgumentsRaise) {
    TDateTime out;
    EXPECT_FALSE(TryEncodeDate(2003, 2, 29, out));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, out));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, out));
    EXPECT_FALSE(TryEncodeDate(2003, 13, 1, out));
    EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, out));
    EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, out));
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
}

TEST(DateTime, IncMonthClampsTheDayAndKeepsTheTime) {
    const TDateTime jan31 = EncodeDate(2004, 1, 31) + EncodeTime(10, 0, 0, 0);
    EXPECT_EQ(IncMonth(jan31, 1), EncodeDate(2004, 2, 29) + EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(IncMonth(jan31, -2), EncodeDate(2003, 11, 30) + EncodeTime(10, 0, 0, 0));
    EXPECT_EQ(IncMonth(jan31, 13), EncodeDate(2005, 2, 28) + EncodeTime(10, 0, 0, 0));
}

TEST(DateTime, NowIsTodayPlusTheTime) {
    const TDateTime now = Now();
    EXPECT_GT(now, EncodeDate(2020, 1, 1));
    EXPECT_NEAR(Date(), std::trunc(now), 1);
}

} // namespace qo
