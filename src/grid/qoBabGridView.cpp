#include "grid/qoBabGridView.h"

#include "data/qoDoLater.h"
#include "platform/window/qoInputRouter.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace qo {

namespace {
TBabGridView_Custom* ViewOf(const TBabCellData* data) {
    TBabCell* cell = data->BabCell();
    TBabGridCellForViewer* root = cell ? cell->GetViewerGridCell() : nullptr;
    return root ? static_cast<TBabGridView_Custom*>(root->Viewer()) : nullptr;
}
} // namespace

void TBabSimpleCellStringData::InitContent() {
    BabCell()->SetMinHeight(20);
    BabCell()->SetMinWidth(40);
    if (TBabGridView_Custom* view = ViewOf(this)) view->InitContent(this);
}

void TBabSimpleCellStringData::SetString(const std::string& value) {
    fString = value;
    TLayoutProp* layout = BabCell()->LayoutProp();
    if (!layout || !layout->WrapTextAndFit) return;
    BabCell()->SetCurrentHeight(0);
    if (TBabGridView_Custom* view = ViewOf(this)) view->SetHardViewParamsOutOfDate();
}

void TBabSubGridCellData::InitContent() {
    BabCell()->SetMinHeight(20);
    BabCell()->SetMinWidth(40);
    if (TBabGridView_Custom* view = ViewOf(this)) view->initSubGridContent(this);
}

TScrollbar_qo::TScrollbar_qo(TComponent* owner) : TScrollBar(owner) { SetStaticEdge(true); }

TBabGridView_Custom::TBabGridView_Custom(TComponent* owner, TBabCellDataClass simpleCellDataClass,
                                         TBabCellDataClass gridCellDataClass)
    : TqoOffscreenPaint(owner) {
    fDefaultContentLayoutProperty.MinHeight = 20;
    fDefaultContentLayoutProperty.MinWidth = 20;
    fDefaultContentLayoutProperty.FrontColor = clBlack;
    fDefaultContentLayoutProperty.BackColor = clWindow;
    fBabGridCellForViewer =
        std::make_unique<TBabGridCellForViewer>(this, simpleCellDataClass, gridCellDataClass);
    Construct();
}

TBabGridView_Custom::TBabGridView_Custom(TComponent* owner)
    : TBabGridView_Custom(owner, TBabCellDataClass::Of<TBabSimpleCellStringData>(),
                          TBabCellDataClass::Of<TBabSubGridCellData>()) {}

void TBabGridView_Custom::Construct() {
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetColor(clWindow);
    TabStop = true;
    fInplaceEditor = new TBabInplaceEditor(this);
    fInplaceMemoEditor = new TBabInplaceMemoEditor(this);
    fInplaceComboEditor = new TBabInplaceComboEditor(this);
    fInplaceBooleanEditor = new TBabInplaceBoolEditor(this);
    ReCreateTBabInplaceDateTimeEditor();
    for (TScrollbar_qo** bar : {&fHorz, &fVert}) {
        *bar = new TScrollbar_qo(this);
        (*bar)->SetParent(this);
        (*bar)->TabStop = false;
        (*bar)->Hide();
    }
    fVert->SetKind(sbVertical);
    fHorz->OnScroll = TScrollEvent::Bind(this, &TBabGridView_Custom::OnHorzScroll);
    fVert->OnScroll = TScrollEvent::Bind(this, &TBabGridView_Custom::OnVertScroll);
    fSlowStartTimer = new TTimer(this);
    fSlowStartTimer->SetEnabled(false);
    fSlowStartTimer->SetOnTimer(TNotifyEvent::Bind(this, &TBabGridView_Custom::SlowStartFired));
    WireRoot();
}

void TBabGridView_Custom::WireRoot() {
    TBabGridCellForViewer* root = MainGrid();
    auto listen = [this](TEvent* event, void (TBabGridView_Custom::*method)(TSingleEventListener*)) {
        fListeners.push_back(std::make_unique<TSingleEventListener>(
            event, TSingleEventListener::TMethod::Bind(this, method), false));
    };
    listen(root->AxisChangeEvent(), &TBabGridView_Custom::OnAxisChange);
    listen(root->TopLeftChangedEvent(), &TBabGridView_Custom::OnTopLeftChangeEvent);
    listen(root->FocusedCellChangeEvent(), &TBabGridView_Custom::OnFocusedCellChange);
    listen(root->UserSizeEvent(), &TBabGridView_Custom::OnUserSize);
    listen(root->SelectionChangeEvent(), &TBabGridView_Custom::OnSelectionChange);
    root->OnMeasureHeight = [this](TBabGridCellForViewer* r, TBabCell* c, int& h) { OnMeasureHeight(r, c, h); };
    root->OnCellRectTampering = [this](TBabGridCellForViewer* r, TBabCell* c, TRect& rect) {
        OnCellRectTampering(r, c, rect);
    };
    root->OnScaleRect = [this](TRect& rect) { OnScaleRect(rect); };
    root->OnCheckCellGrouping = [this](TBabCell* a, TBabCell* b) { return _OnCheckCellGrouping(a, b); };
    root->OnKeepAfterUnloadCheck = [this](TBabGridCell* g, TAxisContentItem* i, bool axis, bool& keep) {
        _OnKeepAfterUnLoad(g, i, axis, keep);
    };
    root->OnUnloadIntervall = [this](TBabGridCell* g, TAxisContentItem* i, bool axis, int& first, int& last) {
        _OnUnloadIntervall(g, i, axis, first, last);
    };
    root->OnDeleteOfUnloaded = [this](TBabGridCell* g, bool axis, int& first, int& last) {
        _OnDeleteOfUnloaded(g, axis, first, last);
    };
    root->OnCellDeInit = [this](TBabCell* cell) { OnCellDeInit(cell); };
}

TBabGridView_Custom::~TBabGridView_Custom() {
    Destroying();
    TDoLater::NeverMind(DoLaterMethod<&TBabGridView_Custom::DeferredMakeVisible>(this));
    TDoLater::NeverMind(DoLaterMethod<&TBabGridView_Custom::DeferredNaviSearch>(this));
    TDoLater::NeverMind(DoLaterMethod<&TBabGridView_Custom::DeferredBreakEditing>(this));
    fListeners.clear();
    fBabGridCellForViewer.reset();
}

void TBabGridView_Custom::Init() {
    fDoFirstGridInit = true;
    Invalidate();
}

void TBabGridView_Custom::initSubGridContent(TBabSubGridCellData* data) { OninitSubGridContent.Fire(this, data); }

void TBabGridView_Custom::InitContent(TBabSimpleCellStringData* data) {
    if (!data->BabCell()->IsFixed()) data->BabCell()->SetLayoutProp(&fDefaultContentLayoutProperty);
    OnInitContent.Fire(this, data);
}

std::string TBabGridView_Custom::GetText(TBabCell* cell) const {
    auto* data = cell ? dynamic_cast<TBabSimpleCellStringData*>(cell->BabCellData()) : nullptr;
    return data ? data->Value() : std::string();
}

void TBabGridView_Custom::SetText(TBabCell* cell, const std::string& text) {
    auto* data = cell ? dynamic_cast<TBabSimpleCellStringData*>(cell->BabCellData()) : nullptr;
    if (!data) return;
    data->SetString(text);
    Invalidate();
}

void TBabGridView_Custom::BeginUpdate() {
    TqoOffscreenPaint::BeginUpdate();
    MainGrid()->BeginUpdate();
}

void TBabGridView_Custom::EndUpdate() {
    MainGrid()->EndUpdate();
    TqoOffscreenPaint::EndUpdate();
}

void TBabGridView_Custom::SetCurrentSortCol(TBabCell* header, bool upNotDown) {
    fCurrentSortCol = header;
    fCurrentSortUpNotDown = upNotDown;
    Invalidate();
}

void TBabGridView_Custom::SetImageList(TImageList* list) {
    fImageList = list;
    SetHardViewParamsOutOfDate();
}

void TBabGridView_Custom::SetBorderStyle(TGridBorderStyle style) {
    fBorderStyle = style;
    SetSoftViewParamsOutOfDate();
}

void TBabGridView_Custom::SetFocusRect_Grid(bool v) {
    fFocusRect_Grid = v;
    Invalidate();
}

void TBabGridView_Custom::SetFocusRect_Cell(bool v) {
    fFocusRect_Cell = v;
    Invalidate();
}

void TBabGridView_Custom::SetShowLinesTree(bool v) {
    fShowLinesTree = v;
    Invalidate();
}

void TBabGridView_Custom::SetCursorGrid(TCursor cursor) {
    fCursorGrid = cursor;
    SetCursor(cursor);
}

void TBabGridView_Custom::SetGridCursor(TCursor cursor) { SetCursor(cursor); }

void TBabGridView_Custom::SetRowSelect(bool v) {
    MainGrid()->SetRowSelect(v);
    Invalidate();
}

// The layout of a running paint takes changes in at once; an invalidation
// from inside a paint would be lost when the paint ends.
void TBabGridView_Custom::SetHardViewParamsOutOfDate() {
    fHardViewParamsOutOfDate = true;
    if (!fInLayout) Invalidate();
}

void TBabGridView_Custom::SetSoftViewParamsOutOfDate() {
    fSoftViewParamsOutOfDate = true;
    if (!fInLayout) Invalidate();
}

void TBabGridView_Custom::HardViewParamsUpdate() {
    MainGrid()->SetLeft(GetClosestUnHiddenLeftColumn(MainGrid()->Left()));
}

void TBabGridView_Custom::SoftViewParamsUpdate() {
    StopEditing();
    // A bar that shows or hides changes the drawing rectangle: measure once more, then keep it.
    TBabGridCellForViewer* root = MainGrid();
    for (int pass = 0; pass < 2; ++pass) {
        const bool horz = fHorz->Visible(), vert = fVert->Visible();
        const int left = root->Left(), top = root->Top();
        root->CalcVisibleArea(GetDrawRect());
        UpdateScrollbars();
        if (horz == fHorz->Visible() && vert == fVert->Visible() && left == root->Left() && top == root->Top())
            break;
    }
}

void TBabGridView_Custom::UpdateViewParams() {
    struct TLayoutScope {
        bool& Flag;
        bool Outer;
        ~TLayoutScope() { Flag = Outer; }
    } scope{fInLayout, std::exchange(fInLayout, true)};
    if (fHardViewParamsOutOfDate) {
        HardViewParamsUpdate();
        fHardViewParamsOutOfDate = false;
        fSoftViewParamsOutOfDate = true;
    }
    if (fSoftViewParamsOutOfDate) SoftViewParamsUpdate();
    // What the layout changed of itself is taken in already.
    fSoftViewParamsOutOfDate = false;
}

void TBabGridView_Custom::TopLeftChanged() {
    if (IsPrinting()) return;
    SetSoftViewParamsOutOfDate();
}

void TBabGridView_Custom::DoGridResize() {
    SetSoftViewParamsOutOfDate();
    OnGridResize.Fire(this);
}

void TBabGridView_Custom::BoundsChanged(bool resized) {
    TqoOffscreenPaint::BoundsChanged(resized);
    if (resized && !IsPrinting()) DoGridResize();
}

void TBabGridView_Custom::OnAxisChange(TSingleEventListener*) {
    StopEditing();
    OnAxisChanged.Fire(this);
    SetHardViewParamsOutOfDate();
}

void TBabGridView_Custom::OnTopLeftChangeEvent(TSingleEventListener*) { TopLeftChanged(); }

void TBabGridView_Custom::OnUserSize(TSingleEventListener* listener) {
    UserSizeChanged(dynamic_cast<TAxisContentItem*>(listener->CallingMessage()));
    SetHardViewParamsOutOfDate();
}

void TBabGridView_Custom::OnSelectionChange(TSingleEventListener* listener) {
    OnCellSelectionChanged.Fire(this, dynamic_cast<TBabCell*>(listener->CallingMessage()));
    OnSelectionChanged.Fire(this);
    Invalidate();
}

void TBabGridView_Custom::OnFocusedCellChange(TSingleEventListener*) {
    StopEditing();
    TDoLater::DoLater(DoLaterMethod<&TBabGridView_Custom::DeferredMakeVisible>(this), nullptr);
    OnTopLeftChanged.Fire(this);
    Invalidate();
    FocusChanged(MainGrid()->FocusedCell());
}

void TBabGridView_Custom::DeferredMakeVisible(void*) {
    UpdateViewParams();
    MakeSureFocusedIsVisible();
}

void TBabGridView_Custom::OnCellDeInit(TBabCell* cell) {
    // A freed cell must not stay remembered anywhere in the view.
    if (cell == fCurrentSortCol) fCurrentSortCol = nullptr;
    if (cell == fMouseUp_Selection_Cell) {
        fMouseUp_Selection_Cell = nullptr;
        fMouseUp_Selection = false;
    }
    if (cell == fMouseDownCell) {
        fMouseDownCell = nullptr;
        fMouseMoveMode = TMMode::mmNone;
    }
    std::erase(fCellsThatNeedButtonsAndLines, cell);
    if (cell == fEditBabSimpleCell) {
        // The edit has nothing left to apply to; it ends once the change is through.
        fEditBabSimpleCell = nullptr;
        if (fEditing && !IsDestroying()) TDoLater::DoLater(DoLaterMethod<&TBabGridView_Custom::DeferredBreakEditing>(this), nullptr);
    }
}

void TBabGridView_Custom::_OnKeepAfterUnLoad(TBabGridCell*, TAxisContentItem*, bool, bool& keep) { keep = true; }

bool TBabGridView_Custom::DecideScrollVisible(const TScrollBar& bar) const {
    return bar.PageSize() > 0 && bar.PageSize() < bar.Max() - 1;
}

bool TBabGridView_Custom::HasInputFocus() const {
    // The editors are children of the view: their focus counts as the view's.
    for (TWinControl* c = FocusedControl(); c; c = c->Parent())
        if (c == this) return true;
    return false;
}

bool TBabGridView_Custom::IsTrueText(const std::string& text) {
    static constexpr std::string_view True = "TRUE";
    return std::equal(text.begin(), text.end(), True.begin(), True.end(),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

bool TBabGridView_Custom::IsCheckBoxCell(TBabCell* cell) const {
    auto* data = cell ? dynamic_cast<TBabSimpleCellStringData*>(cell->BabCellData()) : nullptr;
    return data && data->IsBoolean();
}

} // namespace qo
