#pragma once
// The date-format language and the reading of date and time texts.
//
// Format letters, in either case: d dd (day), ddd dddd (day names), ddddd
// dddddd (short and long date of the locale), m mm (month; minutes directly
// after an hour), mmm mmmm (month names), yy yyyy (year), h hh, n nn, s ss,
// z zzz, t tt (short and long time), c (short date and long time), am/pm,
// a/p, ampm, / and : (the locale's separators), 'quoted' and "quoted" text.
// Anything else is copied as it stands.
#include "platform/core/qoDateTime.h"
#include "platform/core/qoFormatSettings.h"

#include <string>

namespace qo {

std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& settings);
std::string FormatDateTime(const std::string& format, TDateTime value);

// Reading texts in the order of the locale's short date format. A two-digit
// year falls into the century window; a missing year is the current one.
// The plain forms raise EConvertError on bad text.
bool TryStrToDate(const std::string& text, TDateTime& out, const TFormatSettings& settings);
bool TryStrToTime(const std::string& text, TDateTime& out, const TFormatSettings& settings);
bool TryStrToDateTime(const std::string& text, TDateTime& out, const TFormatSettings& settings);
TDateTime StrToDate(const std::string& text, const TFormatSettings& settings = FormatSettings());
TDateTime StrToTime(const std::string& text, const TFormatSettings& settings = FormatSettings());
TDateTime StrToDateTime(const std::string& text, const TFormatSettings& settings = FormatSettings());

} // namespace qo
