#include "qoScaler_test.h"

#include "platform/core/qoErrors.h"

#include <cmath>

namespace qo {
namespace {

using test::kMonday;
using test::kWeekend;
using ScalerMarks = test::ScalerFixture;

TEST(ScalerSteps, EachSpanTakesTheFirstLevelAboveIt) {
    namespace S = ScaleStep;
    const struct {
        double step;
        const char* name;
    } levels[] = {
        {S::Tenth, "1 tiondel"},   {S::Second, "1 sek"},        {S::TenSeconds, "10 sek"},
        {S::Minute, "1 min"},      {S::TenMinutes, "10 min"},   {S::Hour, "1 timme"},
        {S::Day, "1 dag"},         {S::Week, "1 vecka"},        {S::Month, "1 månad"},
        {S::Quarter, "3 månader"}, {S::Year, "1 år"},           {S::TenYears, "10 år"},
        {S::TwentyYears, "20 år"}, {S::HundredYears, "100 år"},
    };
    const TDateTime yearOne = EncodeDate(1, 1, 1);
    EXPECT_EQ(S::Tenth, EncodeTime(0, 0, 0, 10));
    EXPECT_EQ(S::Hour, EncodeTime(1, 0, 0, 0));
    EXPECT_EQ(S::Month, EncodeDate(1, 1, 28) - yearOne);
    EXPECT_EQ(S::Quarter, EncodeDate(1, 3, 28) - yearOne);
    EXPECT_EQ(S::Year, EncodeDate(2, 1, 1) - yearOne);
    EXPECT_EQ(S::TenYears, EncodeDate(11, 1, 1) - yearOne);
    EXPECT_EQ(S::TwentyYears, EncodeDate(21, 1, 1) - yearOne);
    EXPECT_EQ(S::HundredYears, EncodeDate(101, 1, 1) - yearOne);
    std::string name;
    for (size_t i = 0; i < std::size(levels); ++i) {
        EXPECT_EQ(TqoDateScaler::StepFork(levels[i].step * 0.999, name), levels[i].step) << i;
        EXPECT_EQ(name, levels[i].name);
        // The bound itself takes the next level: the long step above a short one.
        const size_t next = std::min(i + 1, std::size(levels) - 1);
        EXPECT_EQ(TqoDateScaler::StepFork(levels[i].step, name), levels[next].step) << i;
        EXPECT_EQ(name, levels[next].name);
    }
    EXPECT_EQ(TqoDateScaler::StepFork(S::HundredYears * 5, name), S::HundredYears);
}

TEST_F(ScalerMarks, SnapAlignsToCalendarSteps) {
    namespace S = ScaleStep;
    const TDateTime d = EncodeDate(2024, 8, 17) + 0.3; // a Saturday
    const struct {
        double step;
        TDateTime expected;
    } cases[] = {
        {S::Quarter, EncodeDate(2024, 7, 1)},
        {S::Month, EncodeDate(2024, 8, 1)},
        {S::Year, EncodeDate(2024, 1, 1)},
        {S::TenYears, EncodeDate(2020, 1, 1)},
        {S::TwentyYears, EncodeDate(2020, 1, 1)},
        {S::HundredYears, EncodeDate(2000, 1, 1)},
        {S::Week, EncodeDate(2024, 8, 12)},
        {S::Day, EncodeDate(2024, 8, 17)},
        {S::Hour, EncodeDate(2024, 8, 17) + 7.0 / 24},
        {S::Tenth / 2, d},
    };
    for (const auto& c : cases) EXPECT_NEAR(scaler->Snap(d, c.step), c.expected, 1e-9) << c.step;
    // The distance to the next mark follows the calendar.
    EXPECT_DOUBLE_EQ(TqoDateScaler::GetAdaptiveStep(EncodeDate(2024, 1, 31), S::Month), 1);
    EXPECT_DOUBLE_EQ(TqoDateScaler::GetAdaptiveStep(EncodeDate(2024, 12, 1), S::Month), 31);
    EXPECT_DOUBLE_EQ(TqoDateScaler::GetAdaptiveStep(EncodeDate(2024, 11, 1), S::Quarter), 61);
    EXPECT_DOUBLE_EQ(TqoDateScaler::GetAdaptiveStep(EncodeDate(2020, 1, 1), S::TenYears),
                     EncodeDate(2030, 1, 1) - EncodeDate(2020, 1, 1));
    EXPECT_DOUBLE_EQ(TqoDateScaler::GetAdaptiveStep(d, S::Hour), S::Hour);
}

TEST_F(ScalerMarks, SnappingOutsideTheCalendarResetsTheRange) {
    try {
        scaler->Snap(3.5e6, ScaleStep::Month);
        FAIL();
    } catch (const EqoError& e) {
        EXPECT_STREQ(e.what(), "To small span");
    }
    EXPECT_EQ(scaler->Stop(), scaler->Start() + 1);
    // While building marks the failure is reported with the minimum span.
    try {
        SetRange(EncodeDate(3000, 1, 1), EncodeDate(3990, 1, 1));
        scaler->SetStart(EncodeDate(9990, 1, 1));
        FAIL();
    } catch (const EqoError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Scale error:Middle:", 0), 0u) << e.what();
    }
    EXPECT_EQ(scaler->Stop(), scaler->Start() + 1);
}

TEST_F(ScalerMarks, WeekNumbersWithMondayFirst) {
    const struct {
        TDateTime date;
        int week, yearShift;
        const char* longText;
    } cases[] = {
        {EncodeDate(2015, 1, 1), 1, 0, "2015 w 1"},    // the year starts on a Thursday
        {EncodeDate(2021, 1, 1), 53, -1, "2020 w 53"}, // on a Friday: still the last week of 2020
        {EncodeDate(2021, 1, 3), 53, -1, "2020 w 53"},  {EncodeDate(2021, 1, 4), 1, 0, "2021 w 1"},
        {EncodeDate(2018, 12, 31), 1, 1, "2019 w 1"}, // a common year starting on a Monday
        {EncodeDate(2020, 12, 31), 53, 0, "2020 w 53"}, {EncodeDate(2024, 3, 4), 10, 0, "2024 w 10"},
    };
    scaler->WeekNumbers = true;
    for (const auto& c : cases) {
        int yearShift;
        EXPECT_EQ(scaler->GetWeekNum(c.date, yearShift), c.week) << c.longText;
        EXPECT_EQ(yearShift, c.yearShift) << c.longText;
        EXPECT_EQ(scaler->GetWeekString(c.date, false), c.longText);
    }
    EXPECT_EQ(scaler->GetWeekString(kMonday, true), " w 10");
    scaler->WeekNumbers = false;
    scaler->DateFormat = "yyyy-mm-dd";
    EXPECT_EQ(scaler->GetWeekString(kMonday, true), "2024-03-04");
}

TEST_F(ScalerMarks, QuartersCountFromTheMiddleOfTheMonth) {
    const struct {
        int month, day, quarter;
    } cases[] = {{1, 1, 1}, {3, 16, 1}, {3, 17, 2}, {6, 30, 3}, {12, 31, 1}, {12, 10, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(TqoDateScaler::DateToQuarter(EncodeDate(2023, c.month, c.day)), c.quarter)
            << c.month << "/" << c.day;
}

TEST_F(ScalerMarks, MinutesPerFourPixelsGiveTenMinuteAndHourMarks) {
    scaler->TimeFormat = "hh:nn";
    SetRange(kMonday + 9.0 / 24, kMonday + 9.0 / 24 + 700 * OneMinute / 4);
    EXPECT_EQ(scaler->SmallStepName(), "10 min");
    EXPECT_EQ(scaler->LongStepName(), "1 timme");
    const auto& shorts = scaler->ShortMarks();
    ASSERT_GE(shorts.size(), 3u);
    EXPECT_EQ(shorts[0].PresString, "00");
    EXPECT_EQ(shorts[1].PresString, "10");
    EXPECT_NEAR(shorts[1].Pixel, 40, 1e-6);
    EXPECT_EQ(scaler->LongMarks()[1].PresString, "10:00");
    EXPECT_NEAR(scaler->CtrlStep(), 2.5 * OneMinute, 1e-12);
    // Both rows reach past the end.
    EXPECT_GE(shorts.back().Pixel, 700);
    EXPECT_GE(scaler->LongMarks().back().Pixel, 700);
    EXPECT_EQ(scaler->GetOddOrEventStartForVerticalBack(), 9);
}

TEST_F(ScalerMarks, ADayPerTenPixelsGivesWeeksAndMonths) {
    scaler->WeekNumbers = true;
    SetRange(kMonday, kMonday + 70);
    EXPECT_EQ(scaler->SmallStepName(), "1 vecka");
    EXPECT_EQ(scaler->LongStepName(), "1 månad");
    EXPECT_EQ(scaler->ShortMarks()[0].PresString, " w 10");
    EXPECT_EQ(scaler->LongMarks()[0].PresString, "2024 Mar");
    EXPECT_EQ(scaler->LongMarks()[1].DateTime, EncodeDate(2024, 4, 1));
    EXPECT_EQ(scaler->GetOddOrEventStartForVerticalBack(), 3);
}

TEST_F(ScalerMarks, LabelsOfTheCoarseLevels) {
    const struct {
        double days;
        const char* shortLabel;
        const char* longLabel;
    } cases[] = {
        {700 * 3.0, " Q1", "2024"},         // quarters under years
        {700 * 12.0, "24", "2020 - 2029"},  // years under decades
        {700 * 200.0, "20", "2020 - 2040"}, // decades under twenty years
        {700 * 500.0, "00", "2000 - 2099"}, // centuries
    };
    for (const auto& c : cases) {
        SetRange(EncodeDate(2024, 1, 1), EncodeDate(2024, 1, 1) + c.days);
        EXPECT_EQ(scaler->ShortMarks()[0].PresString, c.shortLabel) << c.days;
        EXPECT_EQ(scaler->LongMarks()[0].PresString, c.longLabel) << c.days;
    }
}

TEST_F(ScalerMarks, HiddenWeekendMarksAreFlaggedButPublished) {
    SetRange(kMonday, kMonday + 14);
    scaler->SetHiddenDays(kWeekend);
    SetRange(kMonday, kMonday + 14);
    ASSERT_EQ(scaler->SmallStepName(), "1 dag");
    const auto& marks = scaler->ShortMarks();
    for (const TScaleMark& m : marks) {
        const int dow = DayOfWeek(m.DateTime);
        EXPECT_EQ(m.Hidden, dow == 1 || dow == 7) << m.DateTime;
    }
    harness.RunUntilIdle();
    ASSERT_EQ(scaler->ShortLinePos().size(), marks.size());
    EXPECT_EQ(scaler->ShortLinePos()[5], 350) << "Saturday shares Monday's pixel";
    EXPECT_EQ(scaler->ShortLinePos()[7], 350);
}

TEST_F(ScalerMarks, LongHiddenStretchesAreSkipped) {
    scaler->SetHiddenDays(kWeekend);
    scaler->SetHiddenHours(0xFC00FF);
    const TDateTime start = kMonday + 16.0 / 24;
    SetRange(start, scaler->VisibleTimeDiffToTrueTime(start, 700 * OneMinute / 4));
    ASSERT_EQ(scaler->SmallStepName(), "10 min");
    // Two visible hours on Monday, then the night: without skipping it would take 84 marks.
    size_t hidden = 0;
    for (const TScaleMark& m : scaler->ShortMarks()) hidden += m.Hidden;
    EXPECT_LE(hidden, 5u);
    EXPECT_EQ(scaler->DateToPixel(kMonday + 1 + 8.0 / 24), 480);
}

TEST_F(ScalerMarks, TheOwnerMayReplaceLabelsAndAddSubLabels) {
    scaler->OnUserStringShort = [](TDateTime, double, std::string& label, TScalerFont& font) {
        label = "<" + label + ">";
        font = sTextFont2;
    };
    scaler->OnUserStringShortSub = [](TDateTime d, double, std::string& label, TScalerFont&) {
        label = std::to_string(int(d) % 10);
    };
    scaler->OnUserStringLong = [](TDateTime, double step, std::string& label, TScalerFont& font) {
        label = step == ScaleStep::Week ? "week" : "?";
        font = sTextFont3;
    };
    scaler->CalcDrawMode();
    const TScaleMark& s = scaler->ShortMarks()[0];
    EXPECT_EQ(s.PresString, "<Mon>");
    EXPECT_EQ(s.ScalerFont, sTextFont2);
    EXPECT_EQ(s.SubShortStr, std::to_string(int(kMonday) % 10));
    EXPECT_EQ(scaler->LongMarks()[0].PresString, "week");
    EXPECT_EQ(scaler->LongMarks()[0].ScalerFont, sTextFont3);
}

} // namespace
} // namespace qo
