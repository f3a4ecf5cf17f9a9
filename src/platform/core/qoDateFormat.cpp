#include "platform/core/qoDateFormat.h"

#include "platform/core/qoErrors.h"

#include <cctype>
#include <cstring>

namespace qo {

namespace {

char Upper(char c) { return char(std::toupper(static_cast<unsigned char>(c))); }

bool MatchesNoCase(const std::string& text, size_t pos, const char* word) {
    const size_t n = std::strlen(word);
    if (pos + n > text.size()) return false;
    for (size_t i = 0; i < n; ++i)
        if (Upper(text[pos + i]) != Upper(word[i])) return false;
    return true;
}

std::string Number(int value, int minDigits) {
    std::string digits = std::to_string(value);
    if (int(digits.size()) < minDigits) digits.insert(0, size_t(minDigits) - digits.size(), '0');
    return digits;
}

class TFormatter {
public:
    TFormatter(TDateTime value, const TFormatSettings& settings)
        : fS(settings), fP(DecodeDateTime(value)), fDayOfWeek(DayOfWeek(value)) {}

    std::string Run(const std::string& format) {
        Append(format, 0);
        return std::move(fOut);
    }

private:
    void Append(const std::string& f, int level);
    // Runs the same letter (either case) starting at pos; returns the run length.
    static int Count(const std::string& f, size_t& pos, char letter) {
        int n = 1;
        while (pos < f.size() && Upper(f[pos]) == letter) ++pos, ++n;
        return n;
    }
    bool TwelveHourClockFollows(const std::string& f, size_t pos) const;
    void AppendAmPm(const std::string& f, size_t& pos);
    void AppendNested(const std::string& format, int level) {
        if (level < 2) Append(format, level + 1);
    }

    const TFormatSettings& fS;
    TDateParts fP;
    int fDayOfWeek;
    std::string fOut;
};

// An hour uses the 12-hour clock when an am/pm marker follows before the next hour.
bool TFormatter::TwelveHourClockFollows(const std::string& f, size_t pos) const {
    bool quoted = false;
    for (; pos < f.size(); ++pos) {
        const char c = f[pos];
        if (c == '\'' || c == '"') quoted = !quoted;
        if (quoted) continue;
        if (Upper(c) == 'A')
            return MatchesNoCase(f, pos, "AM/PM") || MatchesNoCase(f, pos, "A/P") || MatchesNoCase(f, pos, "AMPM");
        if (Upper(c) == 'H') return false;
    }
    return false;
}

// At pos - 1 stands an 'a'. "am/pm" and "a/p" copy the written marker; "ampm" uses the locale's.
void TFormatter::AppendAmPm(const std::string& f, size_t& pos) {
    const size_t at = pos - 1;
    const bool pm = fP.Hour >= 12;
    if (MatchesNoCase(f, at, "AM/PM")) {
        fOut += f.substr(pm ? at + 3 : at, 2);
        pos = at + 5;
    } else if (MatchesNoCase(f, at, "A/P")) {
        fOut += f.substr(pm ? at + 2 : at, 1);
        pos = at + 3;
    } else if (MatchesNoCase(f, at, "AMPM")) {
        fOut += pm ? fS.TimePMString : fS.TimeAMString;
        pos = at + 4;
    } else {
        fOut += f[at];
    }
}

void TFormatter::Append(const std::string& f, int level) {
    char lastToken = ' ';
    size_t pos = 0;
    while (pos < f.size()) {
        const char c = f[pos++];
        char token = Upper(c);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && lastToken == 'H') token = 'N';
            lastToken = token;
        }
        switch (token) {
        case 'Y': {
            const int n = Count(f, pos, 'Y');
            fOut += n <= 2 ? Number(fP.Year % 100, 2) : Number(fP.Year, 4);
            break;
        }
        case 'M': {
            const int n = Count(f, pos, 'M');
            if (n <= 2) fOut += Number(fP.Month, n);
            else fOut += n == 3 ? fS.ShortMonthNames[fP.Month - 1] : fS.LongMonthNames[fP.Month - 1];
            break;
        }
        case 'D': {
            const int n = Count(f, pos, 'D');
            if (n <= 2) fOut += Number(fP.Day, n);
            else if (n == 3) fOut += fS.ShortDayNames[fDayOfWeek - 1];
            else if (n == 4) fOut += fS.LongDayNames[fDayOfWeek - 1];
            else AppendNested(n == 5 ? fS.ShortDateFormat : fS.LongDateFormat, level);
            break;
        }
        case 'H': {
            const int n = Count(f, pos, 'H');
            int hour = fP.Hour;
            if (TwelveHourClockFollows(f, pos)) hour = hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour);
            fOut += Number(hour, std::min(n, 2));
            break;
        }
        case 'N': {
            // Also an 'm' run directly after an hour.
            const int n = Count(f, pos, Upper(c));
            fOut += Number(fP.Minute, std::min(n, 2));
            break;
        }
        case 'S':
            fOut += Number(fP.Second, std::min(Count(f, pos, 'S'), 2));
            break;
        case 'Z':
            fOut += Number(fP.MSec, std::min(Count(f, pos, 'Z'), 3));
            break;
        case 'T':
            AppendNested(Count(f, pos, 'T') == 1 ? fS.ShortTimeFormat : fS.LongTimeFormat, level);
            break;
        case 'C':
            Count(f, pos, 'C');
            AppendNested(fS.ShortDateFormat, level);
            if (fP.Hour || fP.Minute || fP.Second) {
                fOut += ' ';
                AppendNested(fS.LongTimeFormat, level);
            }
            break;
        case 'A':
            AppendAmPm(f, pos);
            break;
        case '/':
            fOut += fS.DateSeparator;
            break;
        case ':':
            fOut += fS.TimeSeparator;
            break;
        case '\'':
        case '"': {
            const size_t end = f.find(c, pos);
            const size_t stop = end == std::string::npos ? f.size() : end;
            fOut.append(f, pos, stop - pos);
            pos = end == std::string::npos ? f.size() : end + 1;
            break;
        }
        default:
            fOut += c;
        }
    }
}

// Reads the fields of date and time texts.
class TScanner {
public:
    explicit TScanner(const std::string& text) : fText(text) {}
    void Blanks() {
        while (fPos < fText.size() && fText[fPos] == ' ') ++fPos;
    }
    bool AtEnd() {
        Blanks();
        return fPos >= fText.size();
    }
    bool Number(int& value, int& digits) {
        Blanks();
        digits = 0;
        value = 0;
        while (fPos < fText.size() && std::isdigit(static_cast<unsigned char>(fText[fPos]))) {
            if (digits == 9) return false; // too long to be a field
            value = value * 10 + (fText[fPos++] - '0');
            ++digits;
        }
        return digits > 0;
    }
    bool Char(char c) {
        Blanks();
        if (fPos < fText.size() && fText[fPos] == c) return ++fPos, true;
        return false;
    }
    bool Word(const std::string& word) {
        Blanks();
        if (word.empty() || !MatchesNoCase(fText, fPos, word.c_str())) return false;
        fPos += word.size();
        return true;
    }
    size_t Pos() const { return fPos; }
    void SetPos(size_t pos) { fPos = pos; }

private:
    const std::string& fText;
    size_t fPos = 0;
};

enum class TDateOrder { MDY, DMY, YMD };

TDateOrder DateOrder(const std::string& format) {
    bool quoted = false;
    for (char c : format) {
        if (c == '\'' || c == '"') quoted = !quoted;
        if (quoted) continue;
        switch (Upper(c)) {
        case 'Y': return TDateOrder::YMD;
        case 'M': return TDateOrder::MDY;
        case 'D': return TDateOrder::DMY;
        }
    }
    return TDateOrder::MDY;
}

int ApplyCenturyWindow(int year, int digits, const TFormatSettings& s) {
    if (year > 99 || digits > 2) return year;
    int currentYear, m, d;
    DecodeDate(Date(), currentYear, m, d);
    const int base = currentYear - s.TwoDigitYearCenturyWindow;
    year += base / 100 * 100;
    if (s.TwoDigitYearCenturyWindow > 0 && year < base) year += 100;
    return year;
}

bool ScanDate(TScanner& sc, TDateTime& out, const TFormatSettings& s) {
    int n1, n2, n3 = 0, l1, l2, l3 = 0;
    if (!sc.Number(n1, l1) || !sc.Char(s.DateSeparator) || !sc.Number(n2, l2)) return false;
    const bool three = sc.Char(s.DateSeparator);
    if (three && !sc.Number(n3, l3)) return false;
    const TDateOrder order = DateOrder(s.ShortDateFormat);
    int y, m, d, yDigits;
    if (!three) {
        int unusedM, unusedD;
        DecodeDate(Date(), y, unusedM, unusedD);
        yDigits = 4;
        m = order == TDateOrder::DMY ? n2 : n1;
        d = order == TDateOrder::DMY ? n1 : n2;
    } else if (order == TDateOrder::YMD) {
        y = n1, yDigits = l1, m = n2, d = n3;
    } else {
        y = n3, yDigits = l3;
        m = order == TDateOrder::MDY ? n1 : n2;
        d = order == TDateOrder::MDY ? n2 : n1;
    }
    return TryEncodeDate(ApplyCenturyWindow(y, yDigits, s), m, d, out);
}

// Which half of the day a marker names: 0 for am, 12 for pm, -1 for none.
int ScanAmPm(TScanner& sc, const TFormatSettings& s) {
    if (sc.Word(s.TimeAMString) || sc.Word("AM")) return 0;
    if (sc.Word(s.TimePMString) || sc.Word("PM")) return 12;
    return -1;
}

bool ScanTime(TScanner& sc, TDateTime& out, const TFormatSettings& s) {
    int baseHour = ScanAmPm(sc, s);
    int hour, minute = 0, second = 0, msec = 0, digits;
    if (!sc.Number(hour, digits)) return false;
    if (sc.Char(s.TimeSeparator)) {
        if (!sc.Number(minute, digits)) return false;
        if (sc.Char(s.TimeSeparator)) {
            if (!sc.Number(second, digits)) return false;
            if (sc.Char(s.DecimalSeparator) && !sc.Number(msec, digits)) return false;
        }
    }
    if (baseHour < 0) baseHour = ScanAmPm(sc, s);
    if (baseHour >= 0) {
        if (hour == 0 || hour > 12) return false;
        hour = hour % 12 + baseHour;
    }
    return TryEncodeTime(hour, minute, second, msec, out);
}

} // namespace

std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& settings) {
    return TFormatter(value, settings).Run(format);
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
    return FormatDateTime(format, value, FormatSettings());
}

bool TryStrToDate(const std::string& text, TDateTime& out, const TFormatSettings& settings) {
    TScanner sc(text);
    TDateTime value;
    if (!ScanDate(sc, value, settings) || !sc.AtEnd()) return false;
    out = value;
    return true;
}

bool TryStrToTime(const std::string& text, TDateTime& out, const TFormatSettings& settings) {
    TScanner sc(text);
    TDateTime value;
    if (!ScanTime(sc, value, settings) || !sc.AtEnd()) return false;
    out = value;
    return true;
}

bool TryStrToDateTime(const std::string& text, TDateTime& out, const TFormatSettings& settings) {
    TScanner sc(text);
    TDateTime date, time = 0;
    if (ScanDate(sc, date, settings) && (sc.AtEnd() || (ScanTime(sc, time, settings) && sc.AtEnd()))) {
        out = ComposeDateTime(date, time);
        return true;
    }
    return TryStrToTime(text, out, settings);
}

namespace {
template <class F> TDateTime ReadOrRaise(F tryRead, const std::string& text, const TFormatSettings& s,
                                         const char* what) {
    TDateTime value;
    if (!tryRead(text, value, s)) throw EConvertError("'" + text + "' is not a valid " + what);
    return value;
}
} // namespace

TDateTime StrToDate(const std::string& text, const TFormatSettings& settings) {
    return ReadOrRaise(TryStrToDate, text, settings, "date");
}

TDateTime StrToTime(const std::string& text, const TFormatSettings& settings) {
    return ReadOrRaise(TryStrToTime, text, settings, "time");
}

TDateTime StrToDateTime(const std::string& text, const TFormatSettings& settings) {
    return ReadOrRaise(TryStrToDateTime, text, settings, "date and time");
}

} // namespace qo
