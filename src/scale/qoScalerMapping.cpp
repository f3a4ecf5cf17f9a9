// The visible range and the mapping between dates and pixels.
#include "platform/core/qoDateTime.h"
#include "platform/core/qoRounding.h"
#include "scale/qoScaler.h"

#include <algorithm>
#include <cmath>

namespace qo {

namespace {
const double kMinimumAmount = 10 * OneSecond;
const TDateTime kLastStop = EncodeDate(4000, 1, 1);
} // namespace

double TqoDateScaler::MappingLength() {
    return IsPrinting() && fPrintScaleLen > 0 ? fPrintScaleLen : GetScaleLen();
}

bool TqoDateScaler::CheckIfOkStartStop(TDateTime start, TDateTime stop) const {
    return start >= fMinStart && stop <= fMaxStop;
}

double TqoDateScaler::VisibleTimeAmount() {
    if (fStart != fOldStart || fStop != fOldStop) {
        fVisibleTimeAmount = DateDiffToVisibleTime(fStart, fStop);
        fOldStart = fStart;
        fOldStop = fStop;
    }
    return fVisibleTimeAmount;
}

double TqoDateScaler::Scale() {
    const double length = MappingLength();
    if (length < 1) return 0;
    const double scale = VisibleTimeAmount() / length;
    return scale < 0 ? 0 : scale;
}

void TqoDateScaler::RangeChanged() {
    fCallOnChangeWhenRefreshed = true;
    Invalidate();
}

void TqoDateScaler::ResetToOneDay() {
    fStop = fStart + 1;
    EndDrag();
}

void TqoDateScaler::SetStart(TDateTime value) {
    if (value == fStart) return;
    value = std::max(value, 0.0);
    const double amount = VisibleTimeAmount();
    if (value <= fMinStart) value = fMinStart;
    fStart = value;
    fStop = VisibleTimeDiffToTrueTime(value, amount);
    CalcDrawMode();
    RangeChanged();
}

void TqoDateScaler::SetStop(TDateTime value) {
    if (value == fStop) return;
    if (value >= fMaxStop) value = fMaxStop;
    value = std::min(value, kLastStop);
    // A stop at or before the start would leave an empty scale: a day is shown instead.
    fStop = value > fStart ? value : fStart + 1;
    CalcDrawMode();
    fCallOnChangeWhenRefreshed = true;
    fOldScale = Scale();
    Invalidate();
}

void TqoDateScaler::SetScale(double scale) {
    if (!(scale > 0)) return; // no time at all is below any minimum span
    ScaleKeepingStart(scale);
    CalcDrawMode();
    RangeChanged();
}

bool TqoDateScaler::ScaleKeepingStart(double scale) {
    const TDateTime oldStart = fStart, oldStop = fStop;
    SetStop(VisibleTimeDiffToTrueTime(fStart, GetScaleLen() * scale));
    if (VisibleTimeAmount() >= kMinimumAmount) return true;
    fStop = oldStop;
    fStart = oldStart;
    return false;
}

void TqoDateScaler::SetCenterScale(double scale, TDateTime date, int pixel) {
    if (!(scale > 0)) return;
    // A refusal puts back the very range, silently: restoring through the setters would
    // keep the moved start, and the view would jump (and flicker while the mouse rescales).
    const TDateTime oldStart = fStart, oldStop = fStop;
    const double oldScale = fOldScale;
    const bool reportPending = fCallOnChangeWhenRefreshed;
    BeginUpdate();
    try {
        SetStart(VisibleTimeToTrueTime_High(VisibleTimeDiffToTrueTime(date, -pixel * scale)));
        const bool accepted = ScaleKeepingStart(scale) &&
                              !(OnLimitScaling && OnLimitScaling(this, fStart, fStop, Scale()));
        if (!accepted) {
            fStart = oldStart;
            fStop = oldStop;
            fOldScale = oldScale;
            fCallOnChangeWhenRefreshed = reportPending;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

double TqoDateScaler::DateDiffToPixelLength(TDateTime a, TDateTime b) {
    const double amount = VisibleTimeAmount();
    if (amount == 0) return 0;
    const double length = DateDiffToVisibleTime(a, b) * MappingLength() / amount;
    return IsPrinting() ? length * AxisPrintScale() : length;
}

double TqoDateScaler::PixelLenToDate(double pixels) {
    return pixels * Scale();
}

int TqoDateScaler::TimeToPixel(TDateTime time) {
    const double amount = VisibleTimeAmount();
    if (amount == 0) return 0;
    const auto timeOfDay = [](TDateTime v) { return v - std::floor(v); };
    return Round((timeOfDay(time) - timeOfDay(fStart)) * GetScaleLen() / amount);
}

int TqoDateScaler::DateToPixel(TDateTime date) {
    if (VisibleTimeAmount() == 0) return 0;
    // Integrate from the nearest mark at or before the date: the cost does not grow with the distance.
    const auto& marks = fShortScaleMarkDrawList;
    const auto after = std::upper_bound(marks.begin(), marks.end(), date,
                                        [](TDateTime d, const TScaleMark& m) { return d < m.DateTime; });
    if (after == marks.begin()) return Round(DateDiffToPixelLength(fStart, date));
    const TScaleMark& anchor = *(after - 1);
    return Round(anchor.Pixel + DateDiffToPixelLength(anchor.DateTime, date));
}

TDateTime TqoDateScaler::PixelToDate(int pixel) {
    const auto& marks = fShortScaleMarkDrawList;
    double lowPixel = 0, highPixel = GetScaleLen();
    TDateTime lowDate = fStart, highDate = fStop;
    bool haveLow = false;
    const auto above = std::upper_bound(marks.begin(), marks.end(), double(pixel),
                                        [](double p, const TScaleMark& m) { return p < m.Pixel; });
    if (above != marks.begin()) {
        lowPixel = (above - 1)->Pixel;
        lowDate = (above - 1)->DateTime;
        haveLow = true;
    }
    if (above != marks.end()) {
        highPixel = above->Pixel;
        highDate = above->DateTime;
    }
    // A mark may stand at the start of hidden time (midnight of a hidden night): the pixel
    // means the last visible instant before it, as for a date found between marks.
    if (pixel == lowPixel && haveLow) return VisibleTimeToTrueTime_Low(lowDate);
    if (!haveLow && pixel == 0) return fStart;
    if (pixel > lowPixel && pixel < highPixel) {
        TDateTime lo = lowDate, hi = highDate, mid = lo;
        while (hi - lo >= OneMillisecond) {
            mid = (lo + hi) / 2;
            const int p = DateToPixel(mid);
            if (p == pixel) break;
            (p < pixel ? lo : hi) = mid;
        }
        return VisibleTimeToTrueTime_Low(mid);
    }
    if (pixel < 0) return fStart + pixel * Scale();
    return fStop + (pixel - GetScaleLen()) * Scale();
}

TqoDateScaler::TRangeState TqoDateScaler::SaveRangeState() const {
    return {fStart, fStop, fStopOnLastDraw, fOldScale, fWasResized, fCallOnChangeWhenRefreshed};
}

void TqoDateScaler::RestoreRangeState(const TRangeState& state) {
    fStart = state.Start;
    fStop = state.Stop;
    fStopOnLastDraw = state.StopOnLastDraw;
    fOldScale = state.OldScale;
    fWasResized = state.WasResized;
    fCallOnChangeWhenRefreshed = state.ReportPending;
    CalcDrawMode();
    Invalidate();
}

void TqoDateScaler::HandleFixedScaleResizing() {
    if (!fWasResized) return;
    fWasResized = false;
    if (fStop == fStopOnLastDraw && fOldScale > 0) {
        fStop = VisibleTimeDiffToTrueTime(fStart, GetScaleLen() * fOldScale);
        fCallOnChangeWhenRefreshed = true;
    }
    CalcDrawMode();
}

} // namespace qo
