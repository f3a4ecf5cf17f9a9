#include "gantt/qoSnapHandler.h"

#include "platform/core/qoRounding.h"

#include <cmath>

namespace qo {

namespace {
constexpr double HalfDay = 0.5;
} // namespace

TSnapHandler::TSnapHandler(double startSnap, double stopSnap) : fStartSnap(startSnap), fStopSnap(stopSnap) {}

double TSnapHandler::CalcScreenSnap(double quantum) const {
    const double screen = RoundInt64(fCurrentScreenResolution / quantum) * quantum;
    return screen > quantum ? screen : quantum;
}

TDateTime TSnapHandler::SnapTime(TDateTime time, double quantum) const {
    if (!(quantum > 0) || !std::isfinite(quantum) || !std::isfinite(time)) return time;
    const double q = CalcScreenSnap(quantum);
    // Before the epoch the time of day runs the other way from the whole
    // part; rounding is symmetric, so the quanta still count from midnight.
    const TDateTime midnight = DateOf(time);
    return midnight + RoundInt64((time - midnight) / q) * q;
}

void TSnapHandler::Snap(TDateTime& start, TDateTime& stop) const {
    if (fStopSnapONOFF) stop = SnapTime(stop, fStopSnap);
    if (fStartSnapONOFF) start = SnapTime(start, fStartSnap);
}

void TSnapHandler::SnapMove(TDateTime& start, TDateTime& stop) const {
    const double length = stop - start;
    Snap(start, stop);
    if (!fStopSnapOnMoveONOFF) stop = start + length;
}

void TSnapHandler::SnapMoveTo24HIfMoveOver12H(TDateTime oldStart, TDateTime oldStop, TDateTime& start,
                                              TDateTime& stop) const {
    if (!(std::fabs(start - oldStart) > HalfDay && std::fabs(stop - oldStop) > HalfDay)) return;
    start = oldStart + RoundInt64(start - oldStart);
    stop = oldStop + RoundInt64(stop - oldStop);
}

} // namespace qo
