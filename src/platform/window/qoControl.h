#pragma once
// The control base: bounds in the parent's client coordinates, alignment,
// visibility, enabled state, colour, font, cursor, hint, drag mode, and a
// window procedure that subclasses override and chain.
#include "platform/core/qoColor.h"
#include "platform/core/qoEvents.h"
#include "platform/core/qoGeometry.h"
#include "platform/core/qoInput.h"
#include "platform/graphics/qoCanvas.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoComponent.h"
#include "platform/window/qoMessages.h"

#include <string>

namespace qo {

class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TControlStyle = uint32_t;
constexpr TControlStyle csCaptureMouse = 0x01;
constexpr TControlStyle csClickEvents = 0x02;
constexpr TControlStyle csDoubleClicks = 0x04;
// Paints its whole client area: the background is not erased first.
constexpr TControlStyle csOpaque = 0x08;

using TNotifyEvent = TqoEvent<void(TComponent* sender)>;
using TMouseEvent = TqoEvent<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = TqoEvent<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TMouseWheelEvent =
    TqoEvent<void(TComponent* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TStartDragEvent = TqoEvent<void(TComponent* sender)>;
using TDragOverEvent =
    TqoEvent<void(TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = TqoEvent<void(TComponent* sender, TComponent* source, int x, int y)>;
using TEndDragEvent = TqoEvent<void(TComponent* sender, TComponent* target, int x, int y)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return fParent; }
    virtual void SetParent(TWinControl* parent);
    virtual bool IsWindowed() const { return false; }

    int Left() const { return fLeft; }
    int Top() const { return fTop; }
    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    TRect BoundsRect() const { return TRect::Bounds(fLeft, fTop, fWidth, fHeight); }
    // Moves and sizes the control; an aligned control makes its parent realign.
    virtual void SetBounds(int left, int top, int width, int height);
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    void SetLeft(int v) { SetBounds(v, fTop, fWidth, fHeight); }
    void SetTop(int v) { SetBounds(fLeft, v, fWidth, fHeight); }
    void SetWidth(int v) { SetBounds(fLeft, fTop, v, fHeight); }
    void SetHeight(int v) { SetBounds(fLeft, fTop, fWidth, v); }
    // Sets the bounds without realignment, repaint or notification.
    void UpdateBoundsRect(const TRect& r);

    virtual TRect ClientRect() const { return {0, 0, fWidth, fHeight}; }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    TPoint ClientOrigin() const; // in screen coordinates
    TPoint ClientToScreen(TPoint p) const { return p + ClientOrigin(); }
    TPoint ScreenToClient(TPoint p) const { return p - ClientOrigin(); }

    TAlign Align() const { return fAlign; }
    void SetAlign(TAlign align);
    bool Visible() const { return fVisible; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible with all its parents.
    bool Showing() const;
    bool Enabled() const { return fEnabled; }
    void SetEnabled(bool enabled);

    TColor Color() const { return fColor; }
    void SetColor(TColor color);
    TFont& Font() { return fFont; }
    const TFont& Font() const { return fFont; }
    void SetFont(const TFont& font);
    TCursor Cursor() const { return fCursor; }
    void SetCursor(TCursor cursor) { fCursor = cursor; }
    const std::string& Hint() const { return fHint; }
    void SetHint(const std::string& hint) { fHint = hint; }
    bool ShowHint = false;
    const std::string& Caption() const { return fCaption; }
    void SetCaption(const std::string& caption);
    TControlStyle ControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;

    TDragMode DragMode = dmManual;
    TCursor DragCursor = crDrag;
    // Starts a drag now, or once the mouse moved threshold pixels (-1: the
    // global threshold) with the button down.
    void BeginDrag(bool immediate, int threshold = -1);
    bool Dragging() const;
    void EndDrag(bool drop);

    // Repaint requests; a window-less control repaints its part of the parent.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Subclasses handle their messages and pass the rest to the inherited one.
    virtual void WndProc(TMessage& message);

    TNotifyEvent OnClick, OnDblClick, OnResize;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TStartDragEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;

    // Called by the drag machinery.
    virtual void DoStartDrag();
    // True when the control accepts the source here.
    virtual bool DragOver(TComponent* source, int x, int y, TDragState state);
    virtual void DragDrop(TComponent* source, int x, int y);
    virtual void DoEndDrag(TComponent* target, int x, int y);
    // Window-less controls paint through this, on their parent's surface.
    virtual void PaintControl(TqoDC& dc) { (void)dc; }

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();
    // True when handled; an unhandled wheel goes on to the parent.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual void Resize();
    // A change of bounds that is not only a move: realigns children, then OnResize.
    virtual void BoundsChanged(bool resized);
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void FontChanged() { Invalidate(); }
    // The parent realigns when an aligned child changes.
    void RequestAlign();

private:
    void HandleMouse(TMessage& message);
    friend class TWinControl;

    TWinControl* fParent = nullptr;
    int fLeft = 0, fTop = 0, fWidth = 0, fHeight = 0;
    TAlign fAlign = alNone;
    bool fVisible = true;
    bool fEnabled = true;
    TColor fColor = clBtnFace;
    TFont fFont;
    TCursor fCursor = crDefault;
    std::string fHint;
    std::string fCaption;
    bool fClicked = false;
    // A mouse handler may free the control: the rest of the message is then skipped.
    TqoAlive fAlive;
};

// Shift state bits of a mouse message's key flags.
TShiftState KeysToShiftState(WPARAM keys);
WPARAM ShiftStateToKeys(TShiftState shift);

} // namespace qo
