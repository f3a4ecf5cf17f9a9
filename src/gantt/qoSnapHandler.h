#pragma once
// Rounds the times of a dragged or resized item to quanta counted from
// midnight of their own day, never finer than about one screen pixel.
#include "platform/core/qoDateTime.h"

namespace qo {

class TSnapHandler {
public:
    // Quanta in days.
    explicit TSnapHandler(double startSnap = 5 * OneMinute, double stopSnap = OneMinute);

    bool StartSnapONOFF() const { return fStartSnapONOFF; }
    void SetStartSnapONOFF(bool on) { fStartSnapONOFF = on; }
    bool StopSnapONOFF() const { return fStopSnapONOFF; }
    void SetStopSnapONOFF(bool on) { fStopSnapONOFF = on; }
    // Whether a moved item's stop snaps too, or the item keeps its length.
    bool StopSnapOnMoveONOFF() const { return fStopSnapOnMoveONOFF; }
    void SetStopSnapOnMoveONOFF(bool on) { fStopSnapOnMoveONOFF = on; }
    double StartSnap() const { return fStartSnap; }
    void SetStartSnap(double quantum) { fStartSnap = quantum; }
    double StopSnap() const { return fStopSnap; }
    void SetStopSnap(double quantum) { fStopSnap = quantum; }
    // Days per screen pixel, set before snapping.
    void SetCurrentScreenResolution(double daysPerPixel) { fCurrentScreenResolution = daysPerPixel; }

    // The quantum as the screen shows it: a whole multiple of quantum of about
    // one pixel when a pixel spans more than one quantum.
    double CalcScreenSnap(double quantum) const;
    // A quantum that is not a positive number leaves the time as it is.
    void Snap(TDateTime& start, TDateTime& stop) const;
    // Snap, keeping the length unless the stop snaps while moving.
    void SnapMove(TDateTime& start, TDateTime& stop) const;
    // A move of more than 12 hours at both ends becomes whole days from the
    // times before the move (oldStart, oldStop).
    void SnapMoveTo24HIfMoveOver12H(TDateTime oldStart, TDateTime oldStop, TDateTime& start,
                                    TDateTime& stop) const;

private:
    TDateTime SnapTime(TDateTime time, double quantum) const;

    bool fStartSnapONOFF = true;
    bool fStopSnapONOFF = true;
    bool fStopSnapOnMoveONOFF = false;
    double fStartSnap;
    double fStopSnap;
    double fCurrentScreenResolution = 0;
};

} // namespace qo
