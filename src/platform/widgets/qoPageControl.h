#pragma once
// The page control with its tab sheets: one tab per sheet whose tab is
// visible, the active sheet shown in the display area below the tabs. A
// user's change of tab (click, arrow keys) asks OnChanging, which may veto,
// then reports OnChange; a change from code reports nothing.
#include "platform/window/qoAlive.h"
#include "platform/window/qoCustomControl.h"

#include <vector>

namespace qo {

class TPageControl;
using TTabChangingEvent = TqoEvent<void(TComponent* sender, bool& allowChange)>;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return fPageControl; }
    // Moves the sheet into a page control (nullptr: out of any).
    void SetPageControl(TPageControl* pageControl);
    // -1 outside a page control.
    int PageIndex() const;
    bool TabVisible() const { return fTabVisible; }
    void SetTabVisible(bool visible);
    // A new caption shows on the tab too.
    void Invalidate() override;

private:
    friend class TPageControl;
    TPageControl* fPageControl = nullptr;
    bool fTabVisible = true;
};

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return int(fPages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return fActivePage; }
    // Shows the sheet; nullptr or a sheet of another control raise EqoError.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next visible tab as the user moves to it, wrapping; false when refused.
    bool SelectNextPage(bool forward);

    // Where the active sheet lies, in client coordinates.
    TRect DisplayRect() const;
    // The tab of a page; empty when its tab is hidden.
    TRect TabRect(int index) const;
    int IndexOfTabAt(TPoint p) const;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    void BoundsChanged(bool resized) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // The page shows; the user's changes ask and report. False when refused.
    bool ChangeActivePage(TTabSheet* page, bool byUser);
    void PageVisibilityChanged(TTabSheet* page);
    TTabSheet* NextVisiblePage(bool forward) const;
    // The canvas with the control's font, for measuring.
    TCanvas& Measuring() const;
    int TabHeight() const;
    void PaintTab(TCanvas& canvas, TRect rect, bool active);

    TqoAlive fAlive;
    std::vector<TTabSheet*> fPages;
    TTabSheet* fActivePage = nullptr;
};

} // namespace qo
