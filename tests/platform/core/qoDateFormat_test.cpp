#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"

#include <gtest/gtest.h>

namespace qo {

namespace {
// Saturday, 5 April 2003, 14:07:09.045
const TDateTime kSample = EncodeDate(2003, 4, 5) + EncodeTime(14, 7, 9, 45);

TFormatSettings Locale(LCID id) {
    TFormatSettings s;
    EXPECT_TRUE(TryGetLocaleFormatSettings(id, s));
    return s;
}
} // namespace

TEST(DateFormat, TheFormatLanguage) {
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"d", "5"},           {"dd", "05"},        {"ddd", "Sat"},          {"dddd", "Saturday"},
        {"ddddd", "4/5/2003"}, {"dddddd", "Saturday, April 5, 2003"},
        {"m", "4"},           {"mm", "04"},        {"mmm", "Apr"},          {"mmmm", "April"},
        {"yy", "03"},         {"yyyy", "2003"},    {"yyy", "2003"},         {"y", "03"},
        {"h", "14"},          {"hh", "14"},        {"n", "7"},              {"nn", "07"},
        {"s", "9"},           {"ss", "09"},        {"z", "45"},             {"zzz", "045"},
        {"hh:nn am/pm", "02:07 pm"}, {"h AM/PM", "2 PM"}, {"h a/p", "2 p"}, {"ampm", "PM"},
        {"t", "2:07 PM"},     {"tt", "2:07:09 PM"}, {"c", "4/5/2003 2:07:09 PM"},
        // Letters in either case; "mm" right after an hour means minutes.
        {"YYMMDD", "030405"}, {"HH:MM:SS", "14:07:09"}, {"hh mm", "14 07"}, {"hh dd mm", "14 05 04"},
        {"HHMM", "1407"},     {"yyyy mmm", "2003 Apr"},
        // Quoted literals, separators and plain characters.
        {"'yyyy' yyyy", "yyyy 2003"}, {"\"at\" hh", "at 14"}, {"yyyy/mm/dd", "2003/04/05"},
        {"x-q", "x-q"},       {"'unterminated", "unterminated"}, {"", ""},
    };
    const TFormatSettings en = Locale(LOCALE_EN_US);
    for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, kSample, en), c.expected) << c.format;
}

TEST(DateFormat, TwelveHourClockAtMidnightAndNoon) {
    const TFormatSettings en = Locale(LOCALE_EN_US);
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(0, 5, 0, 0), en), "12:05 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm", EncodeTime(12, 5, 0, 0), en), "12:05 PM");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2003, 4, 5), en), "4/5/2003");
}

TEST(DateFormat, LocalesChangeNamesAndOrder) {
    const struct {
        LCID locale;
        const char* format;
        const char* expected;
    } cases[] = {
        {1053, "dddddd", "den 5 april 2003"}, {1053, "ddddd", "2003-04-05"}, {1053, "ddd mmm", "lö apr"},
        {1031, "ddddd", "05.04.2003"},        {1031, "dddd", "Samstag"},     {1036, "mmm", "avr."},
        {2057, "ddddd", "05/04/2003"},        {2057, "tt", "14:07:09"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, kSample, Locale(c.locale)), c.expected) << c.locale << " " << c.format;
}

TEST(DateFormat, SetLocaleSwitchesTheCurrentSettings) {
    ASSERT_EQ(CurrentLocale(), LOCALE_EN_US);
    EXPECT_FALSE(SetLocale(12345));
    EXPECT_EQ(CurrentLocale(), LOCALE_EN_US);
    ASSERT_TRUE(SetLocale(1031));
    EXPECT_EQ(FormatDateTime("ddddd", kSample), "05.04.2003");
    EXPECT_EQ(StrToDate("05.04.2003"), EncodeDate(2003, 4, 5));
    ASSERT_TRUE(SetLocale(LOCALE_EN_US));
    EXPECT_EQ(FormatDateTime("ddddd", kSample), "4/5/2003");
}

TEST(DateFormat, ReadingDatesAndTimes) {
    const TFormatSettings en = Locale(LOCALE_EN_US);
    int thisYear, m, d;
    DecodeDate(Date(), thisYear, m, d);
    const struct {
        LCID locale;
        const char* text;
        TDateTime expected;
    } cases[] = {
        {1033, "4/5/2003", EncodeDate(2003, 4, 5)},
        {1033, " 4 / 5 / 2003 ", EncodeDate(2003, 4, 5)},
        {1033, "4/5/03", EncodeDate(2003, 4, 5)},
        {1033, "4/5", EncodeDate(thisYear, 4, 5)},
        {1033, "2/29/2004", EncodeDate(2004, 2, 29)},
        {1031, "05.04.2003", EncodeDate(2003, 4, 5)},
        {1053, "2003-04-05", EncodeDate(2003, 4, 5)},
        {2057, "5/4/2003", EncodeDate(2003, 4, 5)},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToDate(c.text, Locale(c.locale)), c.expected) << c.text;

    EXPECT_EQ(StrToTime("14:07:09", en), EncodeTime(14, 7, 9, 0));
    EXPECT_EQ(StrToTime("2:07 PM", en), EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToTime("12:00 am", en), 0.0);
    EXPECT_EQ(StrToTime("9", en), EncodeTime(9, 0, 0, 0));
    EXPECT_EQ(StrToDateTime("4/5/2003 14:07", en), EncodeDate(2003, 4, 5) + EncodeTime(14, 7, 0, 0));
    EXPECT_EQ(StrToDateTime("4/5/2003", en), EncodeDate(2003, 4, 5));
    EXPECT_EQ(StrToDateTime("14:07", en), EncodeTime(14, 7, 0, 0));
}

TEST(DateFormat, BadTextRaisesAConversionError) {
    const TFormatSettings en = Locale(LOCALE_EN_US);
    for (const char* text : {"", "abc", "13/45/2003", "2/30/2003", "2/29/2003", "1/2/2003x", "1//2003", "1/2/",
                             "99999999999/1/1", "1.2.2003"}) {
        EXPECT_THROW(StrToDate(text, en), EConvertError) << text;
    }
    for (const char* text : {"", "25:00", "10:61", "13:00 PM", "0:30 AM", "10:", "10:00:00:00", "ten"})
        EXPECT_THROW(StrToTime(text, en), EConvertError) << text;
    EXPECT_THROW(StrToDateTime("4/5/2003 25:00", en), EConvertError);
    try {
        StrToDate("abc", en);
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid date");
    }
}

} // namespace qo
