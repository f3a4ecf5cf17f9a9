#pragma once
// A chart with three rows of items, driven with injected mouse and keys on
// the virtual clock; the host's events go into Log.
#include "qoGantModelFixture.h"

#include <cstdio>

namespace qo {
namespace {

class GantDrag : public GantModel {
protected:
    GantDrag() {
        a = Node(nullptr, "A");
        b = Node(nullptr, "B");
        c = Node(nullptr, "C");
        ia = Item(a, 0, 1, 3);
        ib = Item(b, 0, 4, 6);
        ic = Item(c, 0, 2, 5);
        Paint();
    }
    TqoOffscreenPaint_GA& GA() { return *gant->GA(); }
    TRect R(TqoDataEntity_GantTime* item) { return gant->RectFromDataEntity(item); }
    TPoint Middle(TqoDataEntity_GantTime* item) {
        const TRect r = R(item);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Presses far apart in time: none makes a double click.
    void Press(TPoint p, TShiftState shift = 0, TMouseButton button = mbLeft) {
        harness.AdvanceTime(1000);
        harness.MouseDown(GA(), p, button, shift);
    }
    void MoveTo(TPoint p, TShiftState shift = 0) { harness.MouseMove(GA(), p, shift | ssLeft); }
    void Release(TPoint p, TShiftState shift = 0, TMouseButton button = mbLeft) {
        harness.MouseUp(GA(), p, button, shift);
    }
    void Drag(TPoint from, TPoint to, TShiftState shift = 0) {
        Press(from, shift);
        MoveTo({(from.X + to.X) / 2, (from.Y + to.Y) / 2}, shift);
        MoveTo(to, shift);
        Release(to, shift);
    }
    // The window's pixels as they stand, without letting a paint run.
    TqoRaster Screen() {
        TBitmap out;
        ComposeWindow(GA(), out);
        return out.Raster();
    }
    static std::string Name(TGantRow* row) { return row ? std::string(row->TreeNode()->Text()) : "nil"; }
    static std::string Time(TDateTime t) {
        char text[40];
        std::snprintf(text, sizeof text, "%.4f", t - kMonday);
        return text;
    }
    void LogRowEvents() {
        gant->OnTimeChangeRow = [this](TComponent*, TqoDataEntity_GantTime*, TGantRow* from, TGantRow* to,
                                       TDateTime start, TDateTime stop) {
            Record("row " + Name(from) + ">" + Name(to) + " " + Time(start) + " " + Time(stop));
        };
        gant->OnTimeCopy = [this](TComponent*, TqoDataEntity_GantTime*, TGantRow* from, TGantRow* to,
                                  TDateTime start, TDateTime stop) {
            Record("copy " + Name(from) + ">" + Name(to) + " " + Time(start) + " " + Time(stop));
        };
    }
    TqoDataEntity_Tree *a, *b, *c;
    TqoDataEntity_GantTime *ia, *ib, *ic;
};

} // namespace
} // namespace qo
