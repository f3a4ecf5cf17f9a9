// Resolution levels, snapping to calendar steps, and the two rows of scale marks.
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"
#include "scale/qoScaler.h"

#include <cmath>

namespace qo {

namespace {

struct TLevel {
    double Step;
    const char* Name;
};

const TLevel kLevels[] = {
    {ScaleStep::Tenth, "1 tiondel"},   {ScaleStep::Second, "1 sek"},        {ScaleStep::TenSeconds, "10 sek"},
    {ScaleStep::Minute, "1 min"},      {ScaleStep::TenMinutes, "10 min"},   {ScaleStep::Hour, "1 timme"},
    {ScaleStep::Day, "1 dag"},         {ScaleStep::Week, "1 vecka"},        {ScaleStep::Month, "1 månad"},
    {ScaleStep::Quarter, "3 månader"}, {ScaleStep::Year, "1 år"},           {ScaleStep::TenYears, "10 år"},
    {ScaleStep::TwentyYears, "20 år"}, {ScaleStep::HundredYears, "100 år"},
};

// The years that a step of years spans, 0 for other steps.
int YearsOfStep(double step) {
    if (step == ScaleStep::Year) return 1;
    if (step == ScaleStep::TenYears) return 10;
    if (step == ScaleStep::TwentyYears) return 20;
    if (step == ScaleStep::HundredYears) return 100;
    return 0;
}

int MonthsOfStep(double step) {
    if (step == ScaleStep::Month) return 1;
    if (step == ScaleStep::Quarter) return 3;
    return 0;
}

// The first day of a month (1 or more) counted from January of year: months beyond 12 roll over.
TDateTime FirstOfMonth(int year, int month) {
    return EncodeDate(year + (month - 1) / 12, (month - 1) % 12 + 1, 1);
}

// The calendar accepts years 1 to 9999 only.
void DecodeChecked(TDateTime date, int& year, int& month, int& day) {
    if (!(date >= -693593 && date < 2958466)) throw EConvertError("date out of range");
    DecodeDate(date, year, month, day);
}

} // namespace

double TqoDateScaler::StepFork(double span, std::string& name) {
    for (const TLevel& level : kLevels)
        if (span < level.Step) {
            name = level.Name;
            return level.Step;
        }
    name = kLevels[std::size(kLevels) - 1].Name;
    return ScaleStep::HundredYears;
}

TDateTime TqoDateScaler::TruncToFirstDayOfWeek(TDateTime date) const {
    date = std::floor(date);
    while (DayOfWeek(date) != FirstDayOfWeek) date -= 1;
    return date;
}

TDateTime TqoDateScaler::Snap(TDateTime date, double step) {
    try {
        int year, month, day;
        if (const int months = MonthsOfStep(step)) {
            DecodeChecked(date, year, month, day);
            return EncodeDate(year, (month - 1) / months * months + 1, 1);
        }
        if (const int years = YearsOfStep(step)) {
            DecodeChecked(date, year, month, day);
            return EncodeDate(std::max(1, year / years * years), 1, 1);
        }
        if (step == ScaleStep::Week) {
            DecodeChecked(date, year, month, day);
            return TruncToFirstDayOfWeek(date);
        }
        if (step >= ScaleStep::Tenth) return std::trunc(date / step + 0.5) * step;
        return date;
    } catch (const EqoError&) {
        ResetToOneDay();
        throw EqoError("To small span");
    }
}

double TqoDateScaler::GetAdaptiveStep(TDateTime date, double step) {
    const int months = MonthsOfStep(step), years = YearsOfStep(step);
    if (!months && !years) return step;
    int year, month, day;
    DecodeChecked(date, year, month, day);
    if (months) return FirstOfMonth(year, (month - 1) / months * months + 1 + months) - date;
    return EncodeDate(year / years * years + years, 1, 1) - date;
}

void TqoDateScaler::BuildRow(std::vector<TScaleMark>& row, double step, bool longRow) {
    TDateTime previousDate = fStart;
    double previousPixel = 0;
    TDateTime date = Snap(fStart, step);
    const double end = MappingLength() * (IsPrinting() ? AxisPrintScale() : 1.0);
    while (end > previousPixel) {
        TScaleMark mark;
        mark.LongNotShort = longRow;
        mark.DateTime = date;
        mark.Pixel = previousPixel + DateDiffToPixelLength(previousDate, date);
        if (longRow)
            GetApprioateStringLong(mark, step);
        else
            GetApprioateStringShort(mark, step);
        previousPixel = mark.Pixel;
        previousDate = date;
        TDateTime next = Snap(date + GetAdaptiveStep(date, step), step);
        if (!(next > date)) throw EqoError("no progress");
        mark.Hidden = DateDiffToVisibleTime(date, next) == 0;
        if (mark.Hidden) {
            // Long hidden stretches are skipped in whole steps, three steps short of their end.
            const double k = std::trunc((VisibleTimeToTrueTime_High(next) - next) / step) - 3;
            if (k * step > step) next += k * step;
        }
        row.push_back(std::move(mark));
        date = next;
    }
}

void TqoDateScaler::CalcDrawMode() {
    fShortScaleMarkDrawList.clear();
    fLongScaleMarkDrawList.clear();
    try {
        double minimumSpan;
        try {
            minimumSpan = PixelLenToDate(fPixelsForModeSwitch);
            if (minimumSpan <= 1e-50) return;
            fSmallStep = StepFork(minimumSpan, fSmallStepName);
            fLongStep = StepFork(fSmallStep, fLongStepName);
            fDrawStep = fSmallStep;
            fCtrlStep = PixelLenToDate(10);
        } catch (const std::exception&) {
            throw EqoError("Init");
        }
        try {
            BuildRow(fShortScaleMarkDrawList, fSmallStep, false);
            BuildRow(fLongScaleMarkDrawList, fLongStep, true);
        } catch (const std::exception&) {
            throw EqoError(Format("Middle:%.15g", minimumSpan));
        }
        CalcOddOrEven();
    } catch (const EqoError& e) {
        fShortScaleMarkDrawList.clear();
        fLongScaleMarkDrawList.clear();
        ResetToOneDay();
        throw EqoError("Scale error:" + e.Message());
    }
}

TDateTime TqoDateScaler::FirstWeekOfYear(TDateTime date) const {
    int year, month, day;
    DecodeDate(date, year, month, day);
    const TDateTime january1 = EncodeDate(year, 1, 1);
    const int diff = DayOfWeek(january1) - FirstDayOfWeek;
    return TruncToFirstDayOfWeek(diff >= 0 && diff <= 3 ? january1 : january1 + 7);
}

int TqoDateScaler::GetWeekNum(TDateTime date, int& yearShift) const {
    yearShift = 0;
    const TDateTime week1 = FirstWeekOfYear(date);
    if (date < week1) {
        // Days before week 1 belong to the last week of the previous year.
        yearShift = -1;
        return int(std::floor((date - FirstWeekOfYear(date - 365)) / 7)) + 1;
    }
    const int w = int(std::trunc((date - week1) / 7));
    if (w != 52) return w + 1;
    const TDateTime nextYear = date + 365;
    if (FirstWeekOfYear(nextYear) <= date) {
        yearShift = 1;
        return 1;
    }
    return 53;
}

std::string TqoDateScaler::GetWeekString(TDateTime date, bool shortForm) const {
    if (!WeekNumbers) return FormatDateTime(DateFormat, date);
    int yearShift;
    const int n = GetWeekNum(date, yearShift);
    std::string text;
    if (!shortForm && !WeekYearFormat.empty()) text = FormatDateTime(WeekYearFormat, date + 365 * yearShift);
    return text + WeekPrefix + std::to_string(n);
}

int TqoDateScaler::DateToQuarter(TDateTime date) {
    int year, month, day;
    DecodeDate(date + 15, year, month, day);
    if (month < 1 || month > 12) throw EqoError("Internal error - impossible return value");
    return (month - 1) / 3 + 1;
}

void TqoDateScaler::CalcOddOrEven() {
    fOddOrEven = 0;
    if (fLongScaleMarkDrawList.empty() || fLongStep == ScaleStep::Tenth) return;
    const TDateTime d = fLongScaleMarkDrawList.front().DateTime;
    const TDateParts p = DecodeDateTime(d);
    int yearShift;
    if (fLongStep == ScaleStep::Second)
        fOddOrEven = p.Second;
    else if (fLongStep == ScaleStep::TenSeconds)
        fOddOrEven = p.Second / 10;
    else if (fLongStep == ScaleStep::Minute)
        fOddOrEven = p.Minute;
    else if (fLongStep == ScaleStep::TenMinutes)
        fOddOrEven = p.Minute / 10;
    else if (fLongStep == ScaleStep::Hour)
        fOddOrEven = p.Hour;
    else if (fLongStep == ScaleStep::Day)
        fOddOrEven = int(std::floor(d) - EncodeDate(p.Year, 1, 1));
    else if (fLongStep == ScaleStep::Week)
        fOddOrEven = GetWeekNum(d, yearShift);
    else if (fLongStep == ScaleStep::Month)
        fOddOrEven = p.Month;
    else if (fLongStep == ScaleStep::Quarter)
        fOddOrEven = DateToQuarter(d);
    else if (const int years = YearsOfStep(fLongStep))
        fOddOrEven = p.Year / years;
}

} // namespace qo
