#pragma once
// The drawing surface of every visible chart part. Each paint renders the whole
// client area into an off-screen bitmap and copies it to the window at once, so
// nothing flickers. The same drawing code prints: while printing, the drawing
// canvas sits on the printer's device context and fixed offsets and fonts are
// scaled by the print scale.
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoPanel.h"

#include <bitset>
#include <memory>

namespace qo {

enum TScrollDirection { tsdUp = 0, tsdDown = 1, tsdLeft = 2, tsdRight = 3 };

// The ActiveX control that embeds a surface, as far as the surface needs it.
class TqoActiveXOwner {
public:
    virtual ~TqoActiveXOwner() = default;
    // The container's ambient UserMode: false while its designer is active.
    virtual bool AmbientUserMode() = 0;
};

using TOnTab = TqoEvent<bool(bool doIt)>;
using TWheelMessageEvent = TqoEvent<void(TMessage& message)>;
using TOnPrintResizeFont = TqoEvent<void(TComponent* sender, int& fontSize, bool& doDefault)>;

class TqoOffscreenPaint : public TPanel {
public:
    explicit TqoOffscreenPaint(TComponent* owner);
    ~TqoOffscreenPaint() override;

    // The canvas to draw on: the printing canvas while printing, else the bitmap's.
    TCanvas& OffscreenCanvas();
    // The window's own canvas.
    TCanvas& DirectCanvas() { return Canvas(); }
    TBitmap& DrawBitmap() { return fDrawBitmap; }

    bool IsPrinting() const { return fIsPrinting > 0; }
    bool AssignedPrintingCanvas() const { return fTemporaryPrintingCanvas != nullptr; }
    int Printx() const { return FPrintx; }
    int Printy() const { return FPrinty; }
    double PrintScalex() const { return FPrintScalex == 0 ? 1.0 : FPrintScalex; }
    double PrintScaley() const { return FPrintScaley == 0 ? 1.0 : FPrintScaley; }
    double PrintFontscale() const { return fPrintFontscale; }
    // The factors of fixed pixel offsets: the print scales while printing, else 1.
    double Scalex() const { return IsPrinting() ? PrintScalex() : 1.0; }
    double Scaley() const { return IsPrinting() ? PrintScaley() : 1.0; }
    void InternalSetPrintScalex(double v) { FPrintScalex = v; }
    void InternalSetPrintScaley(double v) { FPrintScaley = v; }

    // Pixels at the right and bottom edge that the bitmap does not cover.
    int HorzInset() const { return fHorzInset; }
    int VertInset() const { return fVertInset; }
    void SetHorzInset(int v) { fHorzInset = v; }
    void SetVertInset(int v) { fVertInset = v; }
    // Key codes (up to 255) the surface wants to receive itself.
    std::bitset<256>& CatchSpecialChars() { return fSetSpecialOfChar; }
    // Times every paint and shows the average ticks at (10, 10).
    bool Clocking = false;
    int InvalidateCount() const { return fInvalidateCount; }

    // Only the first invalidation after a paint reaches the window system.
    void Invalidate() override;
    // Synchronous, and only outside BeginUpdate/EndUpdate.
    void Repaint() override;
    virtual void BeginUpdate();
    // Invalidates, also while an outer BeginUpdate is still open.
    virtual void EndUpdate();
    int UpdateLevel() const { return fUpdate; }

    void SetSizeDontTell(const TRect& r) { UpdateBoundsRect(r); }
    void SetActiveXOwner(TqoActiveXOwner* owner, HWND ownerWindow, TOnTab onTab);

    // Sets the canvas font to 8 points and returns 13 / height of "X" (1 when 0).
    static double GetFontScale(TCanvas& canvas);
    void CalculateFontScale() { fPrintFontscale = GetFontScale(OffscreenCanvas()); }
    // Drawing code calls this after choosing a font, before measuring or writing.
    void PrintResizeFont();
    void BeginPrint() { ++fIsPrinting; }
    void EndPrint();

    // Draws the surface onto a foreign device context at (x, y), scaled. With
    // updateBounds the surface reports its scaled size while it draws.
    virtual void Print(TqoDC& dc, int x, int y, double scalex, double scaley, bool updateBounds);

    TNotifyEvent OnPrintBeforeResettingScale;
    TWheelMessageEvent OnWheelScroll;
    TOnPrintResizeFont OnPrintResizeFont;

    void WndProc(TMessage& message) override;
    // Asks PossibleScroll near the edges, then the usual handling.
    bool DragOver(TComponent* source, int x, int y, TDragState state) override;

protected:
    // Draws everything onto OffscreenCanvas; the default fires OnPaint.
    virtual void OffscreenPaint() { OnPaint.Fire(this); }
    // Copies the bitmap to the window.
    virtual void SmashPaint();
    // Something dragged near an edge asks to scroll that way.
    virtual void PossibleScroll(TScrollDirection direction, int x, int y) { (void)direction, (void)x, (void)y; }
    void Paint() override;
    // Full repaint on resize, whatever invalidations were counted before.
    void BoundsChanged(bool resized) override;

private:
    void UpdateOffscreenCanvas();
    void PaintClocked();
    // Design-mode mouse input goes to the container's window.
    bool ForwardToContainer(TMessage& message);
    LRESULT DialogCode(WPARAM key);

    TqoActiveXOwner* fAggregateOwnerInterface = nullptr;
    HWND fAggregateOwner = 0;
    TOnTab fOnAggregateTab;
    std::unique_ptr<TCanvas> fTemporaryPrintingCanvas;
    int fUpdate = 0;
    int fIsPrinting = 0;
    int fHorzInset = 0;
    int fVertInset = 0;
    TBitmap fDrawBitmap;
    std::bitset<256> fSetSpecialOfChar;
    int fInvalidateCount = 0;
    int64_t fPerf = 0;
    int fPerfCount = 0;
    int FPrintx = 0, FPrinty = 0;
    double FPrintScalex = 0, FPrintScaley = 0;
    double fPrintFontscale = 1.0;
};

} // namespace qo
