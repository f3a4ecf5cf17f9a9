#pragma once
// A windowed control: it has a handle, children that it aligns, a tab order,
// keyboard focus and its own pixels, painted through WM_PAINT.
#include "platform/graphics/qoBitmap.h"
#include "platform/window/qoControl.h"
#include "platform/window/qoWindows.h"

#include <vector>

namespace qo {

using TKeyEvent = TqoEvent<void(TComponent* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = TqoEvent<void(TComponent* sender, char16_t& key)>;

class TWinControl : public TControl, public TWindowTarget {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }
    HWND Handle() const { return fHandle; }
    // The control behind a handle, or nullptr.
    static TWinControl* FromHandle(HWND hwnd);
    TWinControl* TopLevel();

    int ControlCount() const { return int(fControls.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    // The child showing at a point of the client area: windowed children lie
    // above window-less ones, later ones above earlier ones.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled = false) const;

    // Alignment: top, bottom, left, right, then client, each in order of position.
    void Realign();
    void DisableAlign() { ++fAlignLevel; }
    void EnableAlign();
    bool AlignDisabled() const { return fAlignLevel > 0; }
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& rect) const { (void)rect; }

    // Position among the windowed siblings in tab order.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop = false;
    bool Focused() const;
    virtual bool CanFocus() const;
    // Raises EqoError for an invisible or disabled control.
    void SetFocus();
    // The next (or previous) windowed child after current that can take focus, wrapping.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;

    void InvalidateRect(const TRect& rect, bool erase);
    void Invalidate() override { InvalidateRect(ClientRect(), true); }
    void Update() override;
    void Repaint() override;
    // The window's pixels as of its last paint.
    TBitmap& Surface() { return fSurface; }
    // The device context of the window's pixels, also outside a paint: what is
    // drawn on it shows at once, without clipping to an update rectangle.
    TqoDC& WindowDC();

    TNotifyEvent OnEnter, OnExit;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;

    LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void WndProc(TMessage& message) override;

protected:
    virtual void KeyDown(uint16_t& key, TShiftState shift);
    virtual void KeyUp(uint16_t& key, TShiftState shift);
    virtual void KeyPress(char16_t& key);
    virtual void DoEnter() { OnEnter.Fire(this); }
    virtual void DoExit() { OnExit.Fire(this); }
    virtual void AlignControls(TControl* changed, TRect& rect);
    // Draws the client area during a paint; the dc clips to the update rectangle.
    virtual void PaintWindow(TqoDC& dc) { (void)dc; }
    // The default background: the client area in Color.
    virtual void EraseBackground(TqoDC& dc);
    void BoundsChanged(bool resized) override;
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AlignChild(TControl* changed);
    void DoAlign(TAlign align, TControl* changed, TRect& rect);
    void PaintHandler();
    // This window and its windowed children: invalidated where they show, validated where not.
    void InvalidateShowing();
    void PaintControls(TqoDC& dc);

    HWND fHandle = 0;
    std::vector<TControl*> fControls;
    std::vector<TWinControl*> fTabList;
    int fAlignLevel = 0;
    bool fAlignNeeded = false;
    TBitmap fSurface;
};

} // namespace qo
