#include "platform/core/qoFormatSettings.h"

namespace qo {

namespace {

struct TLocaleEntry {
    LCID Locale;
    TFormatSettings Settings;
};

TFormatSettings Make(const char* shortDate, const char* longDate, const char* shortTime, const char* longTime,
                     char dateSep, char decimalSep, const std::array<std::string, 12>& longMonths,
                     const std::array<std::string, 12>& shortMonths, const std::array<std::string, 7>& longDays,
                     const std::array<std::string, 7>& shortDays) {
    TFormatSettings s;
    s.ShortDateFormat = shortDate;
    s.LongDateFormat = longDate;
    s.ShortTimeFormat = shortTime;
    s.LongTimeFormat = longTime;
    s.DateSeparator = dateSep;
    s.TimeSeparator = ':';
    s.DecimalSeparator = decimalSep;
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.LongMonthNames = longMonths;
    s.ShortMonthNames = shortMonths;
    s.LongDayNames = longDays;
    s.ShortDayNames = shortDays;
    return s;
}

const std::array<std::string, 12> kEnMonths = {"January", "February", "March",     "April",   "May",      "June",
                                               "July",    "August",   "September", "October", "November", "December"};
const std::array<std::string, 12> kEnShortMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const std::array<std::string, 7> kEnDays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
const std::array<std::string, 7> kEnShortDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

const TLocaleEntry kLocales[] = {
    {1033, Make("M/d/yyyy", "dddd, mmmm d, yyyy", "h:mm AMPM", "h:mm:ss AMPM", '/', '.', kEnMonths,
                kEnShortMonths, kEnDays, kEnShortDays)},
    {2057, Make("dd/mm/yyyy", "dd mmmm yyyy", "hh:mm", "hh:mm:ss", '/', '.', kEnMonths, kEnShortMonths, kEnDays,
                kEnShortDays)},
    {1031, Make("dd.mm.yyyy", "dddd, d. mmmm yyyy", "hh:mm", "hh:mm:ss", '.', ',',
                {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
                 "November", "Dezember"},
                {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
                {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
                {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"})},
    {1036, Make("dd/mm/yyyy", "dddd d mmmm yyyy", "hh:mm", "hh:mm:ss", '/', ',',
                {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre", "octobre",
                 "novembre", "décembre"},
                {"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.",
                 "déc."},
                {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
                {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."})},
    {1053, Make("yyyy-mm-dd", "'den 'd mmmm yyyy", "hh:mm", "hh:mm:ss", '-', ',',
                {"januari", "februari", "mars", "april", "maj", "juni", "juli", "augusti", "september", "oktober",
                 "november", "december"},
                {"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"},
                {"söndag", "måndag", "tisdag", "onsdag", "torsdag", "fredag", "lördag"},
                {"sö", "må", "ti", "on", "to", "fr", "lö"})},
};

LCID gCurrentLocale = LOCALE_EN_US;
TFormatSettings gCurrent = kLocales[0].Settings;

} // namespace

bool TryGetLocaleFormatSettings(LCID locale, TFormatSettings& out) {
    for (const auto& entry : kLocales)
        if (entry.Locale == locale) {
            out = entry.Settings;
            return true;
        }
    return false;
}

const TFormatSettings& FormatSettings() { return gCurrent; }

LCID CurrentLocale() { return gCurrentLocale; }

bool SetLocale(LCID locale) {
    TFormatSettings settings;
    if (!TryGetLocaleFormatSettings(locale, settings)) return false;
    gCurrent = std::move(settings);
    gCurrentLocale = locale;
    return true;
}

} // namespace qo
