// How the parts share the component: the tree's width and the scaler's height
// keep the first tree row level with the first chart row, the scroll column
// shows only while it has something to scroll, and the chart may sit in a tab.
#include "gantt/qoGant.h"
#include "platform/core/qoRounding.h"

namespace qo {

namespace {
// BeginUpdate on the scaler and the chart area, balanced whatever happens between.
class TScaleAndAreaUpdate {
public:
    TScaleAndAreaUpdate(TqoOffscreenPaint& scaler, TqoOffscreenPaint& area) : fScaler(scaler), fArea(area) {
        fScaler.BeginUpdate();
        fArea.BeginUpdate();
    }
    ~TScaleAndAreaUpdate() {
        fScaler.EndUpdate();
        fArea.EndUpdate();
    }
    TScaleAndAreaUpdate(const TScaleAndAreaUpdate&) = delete;
    TScaleAndAreaUpdate& operator=(const TScaleAndAreaUpdate&) = delete;

private:
    TqoOffscreenPaint& fScaler;
    TqoOffscreenPaint& fArea;
};
} // namespace

void TqoGant_ComBasic::BeginUpdate() {
    fDateScaler->BeginUpdate();
    fGA->BeginUpdate();
    fTree->BeginUpdate();
}

void TqoGant_ComBasic::EndUpdate() {
    fDateScaler->EndUpdate();
    fGA->EndUpdate();
    fTree->EndUpdate();
}

void TqoGant_ComBasic::Repaint() {
    TPanel::Repaint();
    if (!fGA) return;
    fDateScaler->Repaint();
    fTree->Repaint();
    fGA->Repaint();
}

void TqoGant_ComBasic::RefreshOthers(TComponent* control) {
    if (control != fDateScaler) fDateScaler->Repaint();
    if (control != fTree) fTree->Repaint();
    if (control != fGA) InvalidateGA();
}

void TqoGant_ComBasic::InvalidateGA() {
    if (fGA) fGA->Invalidate();
}

void TqoGant_ComBasic::ScaleChanged(TComponent* sender) {
    const TqoAlive::TWatch alive = fAlive.Watch();
    // The scaler reports after its repaint, when SetScaleAndTree has ended.
    const bool setByAligning = fAlignedRangePending && Start() == fAlignedStart && Stop() == fAlignedStop;
    fAlignedRangePending = false;
    if (OnAlignNeed && !fAligning && !setByAligning) {
        OnAlignNeed(this, Start(), Stop(), TreeWidth());
        if (!alive) return;
    }
    if (OnScalerChange) {
        const TDateTime start = Start(), stop = Stop();
        OnScalerChange(sender, start, stop);
        if (!alive) return;
        // A host that moves the scale from here ends a running step.
        if (Start() != start || Stop() != stop) fDateScaler->StopStep();
    }
    InvalidateGA();
}

void TqoGant_ComBasic::SetScaleAndTree(TDateTime start, TDateTime stop, int treeWidth) {
    fAligning = true;
    BeginUpdate();
    try {
        SetTreeWidth(treeWidth);
        SetStart(start);
        SetStop(stop);
    } catch (...) {
        EndUpdate();
        fAligning = false;
        throw;
    }
    EndUpdate();
    fAligning = false;
    fAlignedRangePending = true;
    fAlignedStart = Start();
    fAlignedStop = Stop();
}

void TqoGant_ComBasic::HandleTreeAlign() {
    if (!fTree || !fPanelAboveTree || !fGA) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    TScaleAndAreaUpdate update(*fDateScaler, *fGA);
    if (fTree->Align() != alClient) fTree->SetAlign(alClient);
    if (OnAlignNeed && !fAligning) {
        OnAlignNeed(this, Start(), Stop(), TreeWidth());
        if (!alive) return;
    }
    if (fHint) fHint->SetStaticPosRect({1, 1, fPanelAboveTree->Width(), fPanelAboveTree->Height()});
    fTree->ExternalScrollOutOfDate();
}

int TqoGant_ComBasic::GridHeaderHeight() {
    if (!fUseGridNotTree || !fGrid) return 0;
    const int h = fGrid->HeaderHeight();
    return fGA->IsPrinting() ? Round(h * fGA->PrintScaley()) : h;
}

void TqoGant_ComBasic::SetScalerHeight(int height) {
    fPanelAboveTree->SetHeight(height - GridHeaderHeight());
    fPanelAboveScroll->SetHeight(height);
    fDateScaler->SetHeight(height);
    HandleTreeAlign();
}

void TqoGant_ComBasic::RealignScrollbar() {
    if (!fPanelScrollHolder || !fPanelAboveScroll) return;
    if (fUseGridNotTree) {
        fScrollBarVertical->SetVisible(false);
        const bool shown = fGridVerticalScroll && fGridVerticalScroll->Visible();
        fPanelScrollHolder->SetVisible(shown);
        fPanelAboveScroll->SetVisible(shown);
        // Level with the grid's first row below its header.
        if (shown)
            fGridVerticalScroll->SetBounds(0, fPanelAboveTree->Height() + GridHeaderHeight(),
                                           fPanelScrollHolder->Width(), fGA->Height());
        return;
    }
    TScrollBar& bar = *fScrollBarVertical;
    const bool shown = bar.Enabled();
    bar.SetVisible(shown);
    fPanelScrollHolder->SetVisible(shown);
    fPanelAboveScroll->SetVisible(shown);
    OnRealignScrollbar.Fire(this, bar.Position(), bar.Min(), bar.Max(), bar.PageSize(), shown);
}

void TqoGant_ComBasic::SetGridVerticalScrollOutOfGrid(bool on) {
    fGridVerticalScrollOutOfGrid = on && fGrid;
    if (fGrid)
        fGridVerticalScroll = fGrid->MoveVerticalScroll(fGridVerticalScrollOutOfGrid ? fPanelScrollHolder : nullptr,
                                                        [this](TComponent*) { RealignScrollbar(); });
    if (!fGridVerticalScrollOutOfGrid) fGridVerticalScroll = nullptr;
    RealignScrollbar();
}

void TqoGant_ComBasic::SetUseGridNotTree(bool on) {
    fUseGridNotTree = on && fGrid;
    fTree->SetVisible(!fUseGridNotTree);
    if (fGrid) fGrid->Control().SetVisible(fUseGridNotTree);
    RealignScrollbar();
    InvalidateGA();
}

// ---- Tab sheets ----

void TqoGant_ComBasic::AddTabSheet(TTabSheet* sheet, TGantRowNotify changeInTree, TTabChangingNotify changing,
                                   TNotifyEvent show, TNotifyEvent hide) {
    if (!sheet) return;
    sheet->SetPageControl(fPageControl);
    fTreeChangeNotifyList.push_back({std::move(changeInTree), std::move(changing), sheet, std::move(show),
                                     std::move(hide)});
}

void TqoGant_ComBasic::SetTabSheetsONOFF(bool on) {
    TWinControl* holder = on ? static_cast<TWinControl*>(fGantTabSheet) : this;
    if (on) {
        fGantTabSheet->SetPageControl(fPageControl);
        fPageControl->SetVisible(true);
        fGantTabSheet->SetVisible(true);
    }
    fPanelScaleAndGantHolder->SetParent(holder);
    fPanelScrollHolder->SetParent(holder);
    if (on)
        fPageControl->SetActivePage(fGantTabSheet);
    else
        fPageControl->SetVisible(false);
    // The first tree row stays level with the first chart row below the tabs.
    fPanelAboveTree->SetHeight(fGA->ClientOrigin().Y - fPanelAboveTree->ClientOrigin().Y);
}

void TqoGant_ComBasic::PageChanging(TComponent* sender, bool& allowChange) {
    allowChange = true;
    if (Loading()) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    TTabSheet* leaving = fPageControl->ActivePage();
    // A handler may add sheets: walk by index over a count read each time.
    for (size_t i = 0; i < fTreeChangeNotifyList.size(); ++i) {
        if (fTreeChangeNotifyList[i].TabSheet != leaving) continue;
        const TMyContainer c = fTreeChangeNotifyList[i];
        c.NotifyChanging.Fire(sender, allowChange);
        if (!alive) return;
        c.NotifyHide.Fire(sender);
        if (!alive) return;
    }
}

void TqoGant_ComBasic::PageChange(TComponent* sender) {
    if (Loading()) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    TTabSheet* shown = fPageControl->ActivePage();
    for (size_t i = 0; i < fTreeChangeNotifyList.size(); ++i) {
        if (fTreeChangeNotifyList[i].TabSheet != shown) continue;
        const TMyContainer c = fTreeChangeNotifyList[i];
        c.NotifyShow.Fire(sender);
        if (!alive) return;
    }
    ChangeInTree();
}

void TqoGant_ComBasic::ChangeInTree() {
    if (IsLoading()) return;
    const TqoAlive::TWatch alive = fAlive.Watch();
    TqoDataEntity_Tree* current = fTree->CurrentDataEntity();
    if (!alive) return;
    TGantRow* row = current && fRowList ? fRowList->FindRowFromTreeNode(current) : nullptr;
    for (size_t i = 0; i < fTreeChangeNotifyList.size(); ++i) {
        const TMyContainer c = fTreeChangeNotifyList[i];
        if (c.TabSheet && c.TabSheet->Visible()) c.Notify.Fire(row);
        if (!alive) return;
    }
}

} // namespace qo
