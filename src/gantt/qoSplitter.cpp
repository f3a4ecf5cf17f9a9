#include "gantt/qoSplitter.h"

#include "gantt/qoSplitterLine.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int DefaultWidth = 3;
// The outline that shows the splitter in a designer.
constexpr TColor DesignOutline = 0xFFD8CE;
} // namespace

TqoSplitter::TqoSplitter(TComponent* owner) : TGraphicControl(owner) {
    // No clicks: nothing is left to do after a release, whose OnMoved may free the splitter.
    ControlStyle &= ~(csClickEvents | csDoubleClicks);
    SetAlign(alLeft);
    SetWidth(DefaultWidth);
    SetCursor(crHSplit);
}

TqoSplitter::~TqoSplitter() {
    Destroying();
    RemoveInputWatcher(*this);
    if (Parent() && !Parent()->IsDestroying()) EraseLine();
}

void TqoSplitter::SetAlign(TAlign align) {
    TGraphicControl::SetAlign(align);
    if (Cursor() == crHSplit || Cursor() == crVSplit) SetCursor(SplitsWidth() ? crHSplit : crVSplit);
}

void TqoSplitter::SetBeveled(bool beveled) {
    if (beveled == FBeveled) return;
    FBeveled = beveled;
    Invalidate();
}

void TqoSplitter::SetMinSize(int size) { FMinSize = std::max(size, 1); }

void TqoSplitter::Paint() {
    TCanvas& canvas = Canvas();
    qoWidgetPaint::Fill(canvas, ClientRect(), Color());
    if (FBeveled) {
        const TRect groove = SplitsWidth() ? ClientRect().Inflate(-1, 2) : ClientRect().Inflate(2, -1);
        TRect light = groove.Offset(1, 1), shadow = groove.Offset(-1, -1);
        qoWidgetPaint::Frame3D(canvas, light, clBtnHighlight, clBtnHighlight, 1);
        qoWidgetPaint::Frame3D(canvas, shadow, clBtnShadow, clBtnShadow, 1);
    }
    if (IsDesigning()) {
        TqoDCSaver saver(canvas);
        canvas.Pen() = TPen{DesignOutline, 1, TPenStyle::psDot, TPenMode::pmXor};
        canvas.Brush().Style = TBrushStyle::bsClear;
        canvas.Rectangle(ClientRect());
    }
    TGraphicControl::Paint();
}

TControl* TqoSplitter::FindControl() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    TPoint p{Left(), Top()};
    switch (Align()) {
    case alLeft: --p.X; break;
    case alRight: p.X += Width(); break;
    case alTop: --p.Y; break;
    case alBottom: p.Y += Height(); break;
    default: return nullptr;
    }
    const bool before = Align() == alLeft || Align() == alTop;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (control == this || !control->Visible() || !control->Enabled()) continue;
        TRect r = control->BoundsRect();
        // A collapsed control is still found, one pixel towards the splitter.
        if (r.Width() == 0) before ? --r.Left : ++r.Right;
        if (r.Height() == 0) before ? --r.Top : ++r.Bottom;
        if (r.Contains(p)) return control;
    }
    return nullptr;
}

// Room for the control: the parent's client area less the minimum left for
// the rest and less every other control aligned along the same axis.
int TqoSplitter::CalcMaxSize() const {
    const TWinControl& parent = *Parent();
    int size = (SplitsWidth() ? parent.ClientWidth() : parent.ClientHeight()) - FMinSize;
    for (int i = 0; i < parent.ControlCount(); ++i) {
        const TControl& control = *parent.Controls(i);
        const bool along = SplitsWidth() ? control.Align() == alLeft || control.Align() == alRight
                                         : control.Align() == alTop || control.Align() == alBottom;
        if (control.Visible() && along) size -= SizeOf(control);
    }
    return size + SizeOf(*FControl);
}

void TqoSplitter::CalcSplitSize(int x, int y, int& newSize, int& split) const {
    split = SplitsWidth() ? x - FDownPos.X : y - FDownPos.Y;
    const bool grows = Align() == alLeft || Align() == alTop;
    const int wanted = SizeOf(*FControl) + (grows ? split : -split);
    newSize = wanted;
    if (newSize < FMinSize)
        newSize = FMinSize;
    else if (newSize > FMaxSize)
        newSize = FMaxSize;
    // The line stops at the limit.
    split += grows ? newSize - wanted : wanted - newSize;
}

bool TqoSplitter::DoCanResize(int& newSize) {
    bool accept = true;
    const int minSize = FMinSize;
    // Copies of the handlers: one may free the splitter, and itself with it.
    const TCanResizeEvent handler = OnCanResize;
    handler.Fire(this, newSize, accept);
    if (accept && newSize <= minSize) newSize = 0;
    return accept;
}

void TqoSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TGraphicControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft || FControl) return;
    FControl = FindControl();
    if (!FControl) return;
    FDownPos = {x, y};
    FMaxSize = CalcMaxSize();
    // A size set elsewhere since the last drag counts as the old size.
    FOldSize = SizeOf(*FControl);
    CalcSplitSize(x, y, FNewSize, FSplit);
    FBrush = SplitterLineBrush(FResizeStyle == rsPattern);
    AddInputWatcher(*this);
    if (DrawsLine()) DrawLine();
}

void TqoSplitter::MouseMove(TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TGraphicControl::MouseMove(shift, x, y);
    if (!alive || !(shift & ssLeft) || !StillSizing()) return;
    int newSize = 0, split = 0;
    CalcSplitSize(x, y, newSize, split);
    if (!DoCanResize(newSize) || !alive || !FControl) return;
    EraseLine();
    FNewSize = newSize;
    FSplit = split;
    if (FResizeStyle == rsUpdate) UpdateControlSize();
    if (alive && FControl && DrawsLine()) DrawLine();
}

void TqoSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!alive || !StillSizing()) return;
    EraseLine();
    UpdateControlSize();
    if (alive) StopSizing();
}

// A control freed or moved away during the drag ends it.
bool TqoSplitter::StillSizing() {
    if (!FControl) return false;
    for (int i = 0; Parent() && i < Parent()->ControlCount(); ++i)
        if (Parent()->Controls(i) == FControl) return true;
    StopSizing();
    return false;
}

void TqoSplitter::WndProc(TMessage& message) {
    if (message.Msg == WM_CAPTURECHANGED && FControl) StopSizing();
    TGraphicControl::WndProc(message);
}

bool TqoSplitter::KeySeen(uint16_t key, TShiftState, bool down) {
    if (key != VK_ESCAPE || !FControl) return false;
    if (down) StopSizing();
    return true;
}

void TqoSplitter::DrawLine() {
    if (!Parent()) return;
    FLineVisible = !FLineVisible;
    const TRect line = SplitsWidth() ? BoundsRect().Offset(FSplit, 0) : BoundsRect().Offset(0, FSplit);
    InvertSplitterLine(*Parent(), line, FBrush, FLineVisible);
}

void TqoSplitter::EraseLine() {
    if (FLineVisible) DrawLine();
}

void TqoSplitter::UpdateControlSize() {
    if (FNewSize == FOldSize) return;
    TControl& c = *FControl;
    switch (Align()) {
    case alLeft: c.SetWidth(FNewSize); break;
    case alTop: c.SetHeight(FNewSize); break;
    case alRight: c.SetBounds(c.Left() + c.Width() - FNewSize, c.Top(), FNewSize, c.Height()); break;
    case alBottom: c.SetBounds(c.Left(), c.Top() + c.Height() - FNewSize, c.Width(), FNewSize); break;
    default: break;
    }
    FOldSize = FNewSize;
    Update();
    const TNotifyEvent moved = OnMoved;
    moved.Fire(this);
}

void TqoSplitter::StopSizing() {
    if (FControl) {
        EraseLine();
        FControl = nullptr;
        FBrush = TBrush{};
        RemoveInputWatcher(*this);
    }
    const TNotifyEvent moved = OnMoved;
    moved.Fire(this);
}

} // namespace qo
