// The texts of the scale marks.
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoErrors.h"
#include "scale/qoScaler.h"

namespace qo {

namespace {

std::string Years(TDateTime from, TDateTime to) {
    return Format("%s - %s", FormatDateTime("yyyy", from).c_str(), FormatDateTime("yyyy", to).c_str());
}

} // namespace

void TqoDateScaler::GetApprioateStringShort(TScaleMark& mark, double step) {
    const TDateTime d = mark.DateTime;
    std::string text;
    if (step == ScaleStep::Tenth)
        text = FormatDateTime(DateFormat + " " + TimeFormat, d);
    else if (step == ScaleStep::Second || step == ScaleStep::TenSeconds)
        text = FormatDateTime("SS", d);
    else if (step == ScaleStep::Minute || step == ScaleStep::TenMinutes)
        text = FormatDateTime("NN", d);
    else if (step == ScaleStep::Hour)
        text = FormatDateTime("HH", d);
    else if (step == ScaleStep::Day)
        text = FormatDateTime("ddd", d);
    else if (step == ScaleStep::Week)
        text = GetWeekString(d, true);
    else if (step == ScaleStep::Month)
        text = FormatDateTime("mmm", d);
    else if (step == ScaleStep::Quarter)
        text = QuarterPrefix + std::to_string(DateToQuarter(d));
    else
        text = FormatDateTime("yy", d);
    mark.PresString = std::move(text);
    mark.ScalerFont = sTextFont1;
    OnUserStringShort.Fire(d, step, mark.PresString, mark.ScalerFont);
    OnUserStringShortSub.Fire(d, step, mark.SubShortStr, mark.SubShortScalerFont);
}

void TqoDateScaler::GetApprioateStringLong(TScaleMark& mark, double step) {
    const TDateTime d = mark.DateTime;
    std::string text;
    if (step == ScaleStep::Tenth)
        text = FormatDateTime(DateFormat + " " + TimeFormat, d);
    else if (step < ScaleStep::Day)
        text = FormatDateTime(TimeFormat, d);
    else if (step == ScaleStep::Day)
        text = FormatDateTime("ddd", d);
    else if (step == ScaleStep::Week)
        text = GetWeekString(d, false);
    else if (step == ScaleStep::Month)
        text = FormatDateTime("yyyy mmm", d);
    else if (step == ScaleStep::Quarter)
        text = FormatDateTime("yyyy", d) + QuarterPrefix + std::to_string(DateToQuarter(d));
    else if (step == ScaleStep::Year)
        text = FormatDateTime("yyyy", d);
    else
        text = Years(d, d + step);
    mark.PresString = std::move(text);
    mark.ScalerFont = sTextFont1;
    OnUserStringLong.Fire(d, step, mark.PresString, mark.ScalerFont);
}

} // namespace qo
