#pragma once
// The bar between the row header and the chart: dragging it resizes the
// control on its aligned side. It has no window of its own; while it is
// dragged an inverted line shows where it will go, and the size is applied at
// the release (or at once in the update style). A drag below the minimum
// collapses the control; Escape or a lost capture cancels the drag.
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"
#include "platform/window/qoInputRouter.h"

namespace qo {

enum TResizeStyle { rsNone = 0, rsLine = 1, rsUpdate = 2, rsPattern = 3 };

// The size the control would get; the handler may change it or refuse it.
using TCanResizeEvent = TqoEvent<void(TComponent* sender, int& newSize, bool& accept)>;

class TqoSplitter : public TGraphicControl, protected TInputWatcher {
public:
    explicit TqoSplitter(TComponent* owner);
    ~TqoSplitter() override;

    // Also turns a split cursor the way the new alignment splits.
    void SetAlign(TAlign align);
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool beveled);
    // At least 1; a drag to it or below collapses the control to nothing.
    int MinSize() const { return FMinSize; }
    void SetMinSize(int size);
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle style) { FResizeStyle = style; }
    bool Sizing() const { return FControl != nullptr; }

    TCanResizeEvent OnCanResize;
    // After a size was applied, and at the end of every drag.
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;
    bool PressSeen(TWinControl&, TPoint) override { return false; }
    bool KeySeen(uint16_t key, TShiftState shift, bool down) override;
    bool CharSeen(char16_t) override { return false; }

private:
    bool SplitsWidth() const { return Align() == alLeft || Align() == alRight; }
    int SizeOf(const TControl& control) const { return SplitsWidth() ? control.Width() : control.Height(); }
    TControl* FindControl() const;
    int CalcMaxSize() const;
    void CalcSplitSize(int x, int y, int& newSize, int& split) const;
    bool DoCanResize(int& newSize);
    bool StillSizing();
    bool DrawsLine() const { return FResizeStyle == rsLine || FResizeStyle == rsPattern; }
    void DrawLine();
    void EraseLine();
    void UpdateControlSize();
    void StopSizing();

    bool FBeveled = false;
    TBrush FBrush;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    bool FLineVisible = false;
    int FMinSize = 30;
    int FMaxSize = 0;
    int FNewSize = 0;
    int FOldSize = -1;
    TResizeStyle FResizeStyle = rsPattern;
    int FSplit = 0;
    TqoAlive fAlive;
};

} // namespace qo
