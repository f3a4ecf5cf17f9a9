// The month calendar: week numbers, moving by keys and by its buttons within
// the limits and the years it knows, picking, and bad limits.
#include "platform/widgets/qoMonthCalendar.h"

#include "platform/core/qoErrors.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

TEST(IsoWeekOfYear, WeekOneHoldsTheFirstThursday) {
    struct TCase {
        int Year, Month, Day, Week;
    };
    const TCase cases[] = {{2024, 1, 1, 1},   {2023, 1, 1, 52}, {2020, 12, 31, 53}, {2021, 1, 3, 53},
                           {2021, 1, 4, 1},   {2026, 12, 31, 53}, {2019, 12, 30, 1}, {1, 1, 1, 1}};
    for (const TCase& c : cases)
        EXPECT_EQ(IsoWeekOfYear(EncodeDate(c.Year, c.Month, c.Day)), c.Week) << c.Year << "-" << c.Month << "-" << c.Day;
}

class MonthCalendar : public test::TWidgetFixture<TMonthCalendar> {
protected:
    MonthCalendar() {
        control->SetDate(EncodeDate(2024, 1, 31));
        control->SetToday(EncodeDate(2024, 2, 14));
        control->OnChange = [this](TComponent*) { Record("change " + std::to_string(int(control->Date()))); };
        control->OnPick = [this](TComponent*) { Record("pick"); };
        control->SetFocus();
    }
    int Day(int year, int month, int day) const { return int(EncodeDate(year, month, day)); }
};

TEST_F(MonthCalendar, KeysAndButtonsMoveWithinTheLimits) {
    control->SetDateLimits(EncodeDate(2024, 1, 20), EncodeDate(2024, 3, 15));
    struct TCase {
        uint16_t Key;
        int Expected;
    };
    const TCase cases[] = {{VK_RIGHT, Day(2024, 2, 1)}, {VK_DOWN, Day(2024, 2, 8)},  {VK_END, Day(2024, 2, 29)},
                           {VK_NEXT, Day(2024, 3, 15)}, {VK_NEXT, Day(2024, 3, 15)}, {VK_HOME, Day(2024, 3, 1)},
                           {VK_PRIOR, Day(2024, 2, 1)}, {VK_PRIOR, Day(2024, 1, 20)}, {VK_UP, Day(2024, 1, 20)}};
    for (const TCase& c : cases) {
        harness.Key(c.Key);
        EXPECT_EQ(int(control->Date()), c.Expected) << c.Key;
    }
    harness.Key(VK_RETURN);
    EXPECT_EQ(Log.back(), "pick");
    EXPECT_EQ(Log.size(), 8u) << "a change only where the date moved";
}

TEST_F(MonthCalendar, TheButtonsTurnTheMonthAndADayClickedIsPicked) {
    const TSize size = control->MinimumSize();
    control->SetBounds(0, 0, size.cx, size.cy);
    harness.Click(*control, {size.cx - 8, 8});
    EXPECT_EQ(int(control->Date()), Day(2024, 2, 29)) << "the next month, the day within it";
    harness.Click(*control, {8, 8});
    EXPECT_EQ(int(control->Date()), Day(2024, 1, 29));
    Log.clear();
    // January 2024 in a Sunday-first week: the second row, fourth column is the 10th.
    control->SetFirstDayOfWeek(dowSunday);
    const int cellWidth = (size.cx - 4) / 7, cellHeight = (size.cy - 20) / 9;
    const int daysTop = 14 + 2 * cellHeight;
    harness.Click(*control, {2 + 3 * cellWidth + cellWidth / 2, daysTop + cellHeight + cellHeight / 2});
    EXPECT_EQ(Log, (std::vector<std::string>{"change " + std::to_string(Day(2024, 1, 10)), "pick"}));
}

TEST_F(MonthCalendar, BadLimitsAndDatesAreRefusedAndTheYearsEndsHold) {
    EXPECT_THROW(control->SetDateLimits(EncodeDate(2024, 2, 1), EncodeDate(2024, 1, 1)), EqoError);
    EXPECT_THROW(control->SetDate(1e8), EqoError);
    EXPECT_THROW(control->SetToday(-1e8), EqoError);
    EXPECT_EQ(int(control->Date()), Day(2024, 1, 31)) << "nothing changed";
    control->SetDate(EncodeDate(9999, 12, 31));
    harness.Key(VK_NEXT);
    harness.Key(VK_RIGHT);
    harness.Key(VK_DOWN);
    EXPECT_EQ(int(control->Date()), Day(9999, 12, 31));
    control->SetDate(EncodeDate(1, 1, 1));
    harness.Key(VK_PRIOR);
    harness.Key(VK_LEFT);
    EXPECT_EQ(int(control->Date()), Day(1, 1, 1));
    EXPECT_TRUE(LooksLike("monthcalendar_first_month")) << "no days drawn before the first";
}

} // namespace
} // namespace qo
