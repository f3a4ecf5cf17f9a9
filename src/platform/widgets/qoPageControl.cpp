#include "platform/widgets/qoPageControl.h"

#include "platform/core/qoErrors.h"
#include "platform/window/qoWidgetPaint.h"

#include <algorithm>

namespace qo {

namespace {
constexpr int TabPadding = 6;   // each side of the caption
constexpr int TabsLeft = 2;     // where the first tab starts
constexpr int ActiveGrowth = 2; // the active tab stands out by this much
constexpr int SheetInset = 4;   // the body's edge and margin
} // namespace

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    Destroying();
    SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* pageControl) {
    if (pageControl == fPageControl) return;
    if (fPageControl) fPageControl->RemovePage(this);
    if (pageControl) pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!fPageControl) return -1;
    const auto& pages = fPageControl->fPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible == fTabVisible) return;
    fTabVisible = visible;
    if (fPageControl) fPageControl->PageVisibilityChanged(this);
}

void TTabSheet::Invalidate() {
    TCustomControl::Invalidate();
    if (fPageControl) fPageControl->Invalidate();
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    ControlStyle |= csOpaque;
    TabStop = true;
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
    Destroying();
    for (TTabSheet* page : fPages) page->fPageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) throw EListError(index);
    return fPages[size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
    fPages.push_back(page);
    page->fPageControl = this;
    page->SetParent(this);
    page->SetBoundsRect(DisplayRect());
    if (!fActivePage && page->TabVisible()) ChangeActivePage(page, false);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const int index = page->PageIndex();
    std::erase(fPages, page);
    page->fPageControl = nullptr;
    if (page == fActivePage) {
        fActivePage = nullptr;
        // The neighbour that takes over, as the classic control chooses it.
        for (int i = std::min(index, PageCount() - 1); i >= 0; --i)
            if (fPages[size_t(i)]->TabVisible()) {
                ChangeActivePage(fPages[size_t(i)], false);
                break;
            }
    }
    if (!page->IsDestroying()) page->SetParent(nullptr);
    Invalidate();
}

void TPageControl::PageVisibilityChanged(TTabSheet* page) {
    if (page == fActivePage && !page->TabVisible()) {
        ChangeActivePage(NextVisiblePage(true), false);
    } else if (!fActivePage && page->TabVisible()) {
        ChangeActivePage(page, false);
    }
    Invalidate();
}

int TPageControl::ActivePageIndex() const {
    return fActivePage ? fActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (!page || page->PageControl() != this) throw EqoError("The sheet is not a page of this page control");
    ChangeActivePage(page, false);
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(Pages(index));
}

bool TPageControl::ChangeActivePage(TTabSheet* page, bool byUser) {
    if (page == fActivePage) return true;
    const TqoAlive::TWatch alive = fAlive.Watch();
    if (byUser) {
        bool allow = true;
        OnChanging.Fire(this, allow);
        if (!alive || !allow) return false;
    }
    TTabSheet* old = fActivePage;
    fActivePage = page;
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->Show();
    }
    if (old) old->Hide();
    Invalidate();
    if (byUser) OnChange.Fire(this);
    return bool(alive);
}

TTabSheet* TPageControl::NextVisiblePage(bool forward) const {
    const int count = PageCount();
    const int start = ActivePageIndex() < 0 ? (forward ? -1 : 0) : ActivePageIndex();
    for (int step = 1; step <= count; ++step) {
        TTabSheet* page = fPages[size_t((start + (forward ? step : -step) + count) % count)];
        if (page->TabVisible() && page != fActivePage) return page;
    }
    return nullptr;
}

bool TPageControl::SelectNextPage(bool forward) {
    TTabSheet* next = NextVisiblePage(forward);
    return next && ChangeActivePage(next, true);
}

TCanvas& TPageControl::Measuring() const {
    TCanvas& canvas = const_cast<TPageControl*>(this)->Canvas();
    canvas.Font() = Font();
    return canvas;
}

int TPageControl::TabHeight() const {
    return Measuring().TextHeight("Xy") + 6;
}

TRect TPageControl::DisplayRect() const {
    const TRect client = ClientRect();
    return {client.Left + SheetInset, TabHeight() + ActiveGrowth + SheetInset, client.Right - SheetInset,
            client.Bottom - SheetInset};
}

TRect TPageControl::TabRect(int index) const {
    TCanvas& canvas = Measuring();
    int left = TabsLeft;
    for (int i = 0; i < PageCount(); ++i) {
        const TTabSheet* page = fPages[size_t(i)];
        if (!page->TabVisible()) continue;
        const TRect tab{left, ActiveGrowth, left + canvas.TextWidth(page->Caption()) + 2 * TabPadding,
                        ActiveGrowth + TabHeight()};
        if (i == index)
            return page == fActivePage
                       ? TRect(tab.Left - ActiveGrowth, 0, tab.Right + ActiveGrowth, tab.Bottom + 1)
                       : tab;
        left = tab.Right;
    }
    return {};
}

int TPageControl::IndexOfTabAt(TPoint p) const {
    // The active tab lies over its neighbours.
    if (fActivePage && TabRect(ActivePageIndex()).Contains(p)) return ActivePageIndex();
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).Contains(p)) return i;
    return -1;
}

void TPageControl::PaintTab(TCanvas& canvas, TRect r, bool active) {
    using namespace qoWidgetPaint;
    Fill(canvas, r, clBtnFace);
    const int bottom = r.Bottom - (active ? 0 : 1);
    Fill(canvas, TRect(r.Left, r.Top + 2, r.Left + 1, bottom), clBtnHighlight);
    Fill(canvas, TRect(r.Left + 1, r.Top + 1, r.Left + 2, r.Top + 2), clBtnHighlight);
    Fill(canvas, TRect(r.Left + 2, r.Top, r.Right - 2, r.Top + 1), clBtnHighlight);
    Fill(canvas, TRect(r.Right - 2, r.Top + 1, r.Right - 1, bottom), clBtnShadow);
    Fill(canvas, TRect(r.Right - 1, r.Top + 2, r.Right, bottom), cl3DDkShadow);
}

void TPageControl::Paint() {
    using namespace qoWidgetPaint;
    TCanvas& canvas = Canvas();
    Fill(canvas, ClientRect(), clBtnFace);
    TRect body{0, TabHeight() + ActiveGrowth, Width(), Height()};
    Edge(canvas, body, edRaised);
    canvas.Brush().Style = TBrushStyle::bsClear;
    const int active = ActivePageIndex();
    // The active tab last, over its neighbours and the body's top line.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < PageCount(); ++i) {
            const TRect tab = TabRect(i);
            if (tab.IsEmpty() || (i == active) != (pass == 1)) continue;
            PaintTab(canvas, tab, i == active);
            TRect text = tab;
            const uint32_t flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
            if (Enabled())
                canvas.DrawTextW(fPages[size_t(i)]->Caption(), text, flags);
            else
                DisabledText(canvas, fPages[size_t(i)]->Caption(), text, flags);
            if (i == active && Focused()) FocusRect(canvas, tab.Inflate(-3, -3));
        }
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::MouseDown(button, shift, x, y);
    if (!alive || button != mbLeft) return;
    const int index = IndexOfTabAt({x, y});
    if (index < 0) return;
    if (CanFocus() && !Focused()) SetFocus();
    if (alive) ChangeActivePage(fPages[size_t(index)], true);
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    TCustomControl::KeyDown(key, shift);
    if (!alive) return;
    if (key == VK_LEFT || key == VK_RIGHT) SelectNextPage(key == VK_RIGHT);
}

void TPageControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    }
    TCustomControl::WndProc(message);
}

void TPageControl::BoundsChanged(bool resized) {
    TCustomControl::BoundsChanged(resized);
    if (resized)
        for (TTabSheet* page : fPages) page->SetBoundsRect(DisplayRect());
}

} // namespace qo
