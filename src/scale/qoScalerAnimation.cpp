// Rescaling in visible steps.
#include "platform/core/qoDateTime.h"
#include "scale/qoScaler.h"

#include <cmath>

namespace qo {

void TqoDateScaler::AnimateScaleTransition(double endScale, int steps) {
    if (!(endScale > 0) || steps <= 0) return;
    const double initial = Scale();
    const double increment = (endScale - initial) / steps;
    for (int i = 0; i < steps; ++i) {
        const double before = Scale();
        BeginUpdate();
        SetScale(before + increment);
        EndUpdate();
        const double now = Scale();
        OnAnimateChange.Fire(this);
        RangeChanged();
        Repaint();
        AnimationPause.Fire();
        if (std::fabs(now - endScale) < 1e-8 || std::fabs(now - before) <= 1e-8) break;
    }
}

void TqoDateScaler::AnimateScaleTransition(TDateTime endStart, TDateTime endStop, int steps) {
    if (endStop <= endStart) endStop = endStart + 1;
    if (steps <= 0) return;
    const double startStep = (endStart - fStart) / steps;
    if (std::fabs(startStep) < OneMinute && steps > 1) {
        AnimateScaleTransition(endStart, endStop, steps / 2);
        return;
    }
    const double stopStep = (endStop - fStop) / steps;
    for (int i = 0; i < steps; ++i) {
        const TDateTime start = fStart + startStep, stop = fStop + stopStep;
        if (!CheckIfOkStartStop(start, stop)) break;
        BeginUpdate();
        SetStart(start);
        SetStop(stop);
        EndUpdate();
        OnAnimateChange.Fire(this);
        RangeChanged();
        Repaint();
        AnimationPause.Fire();
    }
}

} // namespace qo
