#pragma once
// Locale-dependent settings of date and time texts. English (United States)
// is the default; SetLocale switches the process's current settings.
#include <array>
#include <cstdint>
#include <string>

namespace qo {

struct TFormatSettings {
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    std::string TimeAMString;
    std::string TimePMString;
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames; // Sunday first
    std::array<std::string, 7> LongDayNames;
    // Two-digit years fall within this many years before the current year and after.
    int TwoDigitYearCenturyWindow = 50;
};

using LCID = uint32_t;
constexpr LCID LOCALE_EN_US = 1033;

// The settings of a locale identifier; false when the locale is not known.
bool TryGetLocaleFormatSettings(LCID locale, TFormatSettings& out);
// The current settings, and the locale they came from.
const TFormatSettings& FormatSettings();
LCID CurrentLocale();
// Switches the current settings; an unknown locale leaves them as they are and gives false.
bool SetLocale(LCID locale);

} // namespace qo
