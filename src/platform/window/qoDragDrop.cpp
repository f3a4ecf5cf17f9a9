// Drag and drop between controls: pending until the mouse moved past the
// threshold, then OnStartDrag, OnDragOver on every control passed over,
// OnDragDrop where it was accepted, and OnEndDrag on the source.
#include "platform/window/qoBackend.h"
#include "platform/window/qoInputRouter.h"
#include "platform/window/qoWinControl.h"

#include <cstdlib>

namespace qo {

namespace {

struct TDragInfo {
    TControl* Source = nullptr;
    TControl* Target = nullptr;
    TPoint Start;
    int Threshold = 0;
    bool Started = false;
    bool Accepted = false;
};

TDragInfo& Drag() {
    static TDragInfo drag;
    return drag;
}

// The drag being finished: its handlers may free the source or the target.
TDragInfo& Finishing() {
    static TDragInfo finishing;
    return finishing;
}

TWinControl* RootOf(TControl& control) {
    TWinControl* root = control.IsWindowed() ? static_cast<TWinControl*>(&control) : control.Parent();
    return root ? root->TopLevel() : nullptr;
}

void StartDrag() {
    TDragInfo& drag = Drag();
    drag.Started = true;
    drag.Source->DoStartDrag();
    // The handler may have ended the drag.
    if (drag.Source) DragMoveTo(Mouse().CursorPos());
}

} // namespace

void DragBegin(TControl& source, bool immediate, int threshold) {
    TDragInfo& drag = Drag();
    if (drag.Source) return;
    drag = TDragInfo{&source, nullptr, Mouse().CursorPos(), threshold < 0 ? Mouse().DragThreshold : threshold};
    if (immediate) StartDrag();
}

TControl* DragSource() { return Drag().Source; }
bool DragStarted() { return Drag().Source && Drag().Started; }

void DragMoveTo(TPoint screen) {
    TDragInfo& drag = Drag();
    if (!drag.Source) return;
    if (!drag.Started) {
        if (std::abs(screen.X - drag.Start.X) >= drag.Threshold || std::abs(screen.Y - drag.Start.Y) >= drag.Threshold)
            StartDrag();
        return;
    }
    TWinControl* root = RootOf(*drag.Source);
    TControl* target = root ? ControlAtScreen(*root, screen) : nullptr;
    TComponent* source = drag.Source;
    if (target != drag.Target && drag.Target) {
        const TPoint p = drag.Target->ScreenToClient(screen);
        drag.Target->DragOver(source, p.X, p.Y, dsDragLeave);
    }
    const TDragState state = target == drag.Target ? dsDragMove : dsDragEnter;
    drag.Target = target;
    bool accepted = false;
    if (target) {
        const TPoint p = target->ScreenToClient(screen);
        accepted = target->DragOver(source, p.X, p.Y, state);
    }
    // A handler may have ended the drag or freed the source.
    if (!drag.Source) return;
    drag.Accepted = accepted;
    Backend().ShowCursor(accepted ? drag.Source->DragCursor : crNoDrop);
}

bool DragFinish(bool drop) {
    TDragInfo& finishing = Finishing();
    finishing = Drag();
    Drag() = TDragInfo{};
    if (!finishing.Source || !finishing.Started) return false;
    if (!drop || !finishing.Accepted) finishing.Target = nullptr;
    const TPoint screen = Mouse().CursorPos();
    if (TControl* target = finishing.Target) {
        const TPoint p = target->ScreenToClient(screen);
        target->DragDrop(finishing.Source, p.X, p.Y);
    }
    if (TControl* source = finishing.Source) {
        TControl* target = finishing.Target;
        const TPoint p = (target ? target : source)->ScreenToClient(screen);
        source->DoEndDrag(target, p.X, p.Y);
    }
    if (finishing.Source) Backend().ShowCursor(finishing.Source->Cursor());
    finishing = TDragInfo{};
    return true;
}

void DragForget(TControl* control) {
    for (TDragInfo* drag : {&Drag(), &Finishing()}) {
        if (drag->Source == control) *drag = TDragInfo{};
        if (drag->Target == control) drag->Target = nullptr;
    }
}

} // namespace qo
