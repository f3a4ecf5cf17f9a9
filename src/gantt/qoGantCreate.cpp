// The component's parts in their fixed order of creation, and their release.
#include "gantt/qoGant.h"

#include "grid/qoGrid.h"

#include <cassert>
#include <utility>

namespace qo {

TqoOffscreenPaint_GA::TqoOffscreenPaint_GA(TComponent* owner, TqoGant_ComBasic* gantt)
    : TqoOffscreenPaint(owner), fGantt(gantt) {}

TqoGant_ComBasic::TqoGant_ComBasic(TComponent* owner) : TPanel(owner) { InitializeInConstructor(); }

TqoGant_ComBasic::TqoGant_ComBasic(TComponent* owner, TDeferInitialize) : TPanel(owner) {}

TqoGant_ComBasic::~TqoGant_ComBasic() {
    Destroying();
    if (!fGA) return; // Initialize never ran
    fInteraction.reset();
    // The parts outlive this body: none of their events may reach it any more.
    fPanelTreeHolder->OnResize = nullptr;
    fPanelAboveTree->OnResize = nullptr;
    fPageControl->OnChange = nullptr;
    fPageControl->OnChanging = nullptr;
    fDateScaler->OnChange = nullptr;
    fSplitter->OnMoved = nullptr;
    // The scroll column goes before the tree that points at its bar, and
    // this goes before the tree; the grid's bar goes back into the grid.
    fTree->SetVertScrollExternal(nullptr);
    fTree->ForgetChart();
    if (fGrid && fGridVerticalScroll) fGrid->MoveVerticalScroll(nullptr, nullptr);
    fGridVerticalScroll = nullptr;
    // The rows go before the grid whose nodes they name; the grid goes while
    // the panels it sits in still exist.
    std::unique_ptr<IGantGridHeader> grid = std::move(fGrid);
    fTreeChangeNotifyList.clear();
    ReleaseModel();
    if (fInGridEvent > 0)
        IGantGridHeader::FreeLater(std::move(grid));
    else
        grid.reset();
    delete fHint;
    fHint = nullptr;
    fSnap.reset();
}

void TqoGant_ComBasic::CreateModel() {
    fClassOfDataEntity_GantTime = TqoDataEntityClass::Of<TqoDataEntity_GantTime>();
    fClassOfDataEntity_Link = TqoDataEntityClass::Of<TqoDataEntity_Link>();
    fRowList = CreateRowList();
    // Links change nothing by themselves: their controller only keeps the
    // link index current.
    fLinkDataListController = std::make_unique<TqoListController>();
    TqoListController& links = *fLinkDataListController;
    links.SetOnInsertItem([this](TqoDataEntity*) { fLinkIndex.Clear(); });
    links.SetOnDeleteItem([this](TqoDataEntity*) { fLinkIndex.Clear(); });
    links.SetOnContentChanged([this](TqoDataList*) { fLinkIndex.Clear(); });
    fLinksDataList = CreateLinkList();
    fDefaultLinkStyle = tlsDefault;
    fDefaultLinkColor = clBlue;
}

// Rows, layers and links may outlive the component while a host holds them;
// they are released with nobody listening.
void TqoGant_ComBasic::ReleaseModel() {
    if (fGantTimeListController) *fGantTimeListController = TqoListController{};
    *fLinkDataListController = TqoListController{};
    fLinkIndex.Clear();
    fActiveDataEntity = nullptr;
    fMouseDownDataEntity = nullptr;
    if (TGantRowList* rows = std::exchange(fRowList, nullptr)) rows->FreeWheneverPossible();
    if (TqoDataList3lev* all = std::exchange(fAllDataEntities, nullptr)) all->FreeWheneverPossible();
    if (TqoDataList* links = std::exchange(fLinksDataList, nullptr)) {
        links->Clear();
        links->FreeWheneverPossible();
    }
}

TGantRowList* TqoGant_ComBasic::CreateRowList() { return new TGantRowList(this); }

TqoDataList* TqoGant_ComBasic::CreateLinkList() {
    auto* links = new TqoDataList;
    links->AfterCreate(fLinkDataListController.get(), fClassOfDataEntity_Link);
    return links;
}

TGantRow* TqoGant_ComBasic::CreateRow(TGantRowList* list, TqoDataEntity_Tree* treeNode,
                                      TqoDataEntity_GridTreeNode* gridNode) {
    return new TGantRow(list, treeNode, gridNode);
}

TqoDataList_GantRow* TqoGant_ComBasic::CreateDataList_GantRow() { return new TqoDataList_GantRow; }

TqoDataList2lev* TqoGant_ComBasic::CreateDataList2Lev() { return new TqoDataList2lev; }

TqoDataList3lev* TqoGant_ComBasic::CreateDataList3Lev() { return new TqoDataList3lev; }

TqoDateScaler* TqoGant_ComBasic::CreateDateScaler(TComponent* owner) { return new TqoDateScaler(owner); }

TGantTree* TqoGant_ComBasic::CreateTree(TComponent* owner) { return new TGantTree(owner, this, this); }

// The header owns the grid alone, so that the grid can outlive the panels
// when the chart is freed from inside one of the grid's events.
std::unique_ptr<IGantGridHeader> TqoGant_ComBasic::CreateGrid(TComponent*) {
    return std::make_unique<TGantGridHeader>(new TqoGrid(nullptr));
}

TPanel* TqoGant_ComBasic::NewPanel(TWinControl* parent, TAlign align, int size, const std::string& caption) {
    auto* panel = new TPanel(parent);
    panel->SetParent(parent);
    panel->SetBounds(0, 0, size, size);
    panel->SetAlign(align);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption(caption);
    return panel;
}

void TqoGant_ComBasic::Initialize() {
    CreateModel();
    SetBounds(Left(), Top(), 350, 250);
    SetCaption("");
    fFontTimeItemStyle[0] = fFontTimeItemStyle[1] = fFontTimeItemStyle[2] = TFont{};

    fPanelTreeHolder = NewPanel(this, alLeft, 100, "");
    fPanelTreeHolder->OnResize = [this](TComponent*) { HandleTreeAlign(); };
    fSplitter = new TqoSplitter(this);
    fSplitter->SetParent(this);
    fSplitter->SetLeft(fPanelTreeHolder->Width());
    fSplitter->SetCursor(crHSplit);
    fSplitter->OnMoved = TNotifyEvent::Bind(this, &TqoGant_ComBasic::SplitterMoved);

    fPageControl = new TPageControl(this);
    fPageControl->SetParent(this);
    fPageControl->SetVisible(false);
    fPageControl->SetAlign(alClient);
    fGantTabSheet = new TTabSheet(fPageControl);
    fGantTabSheet->SetPageControl(fPageControl);
    fGantTabSheet->SetCaption("Gant");
    fPageControl->OnChange = TNotifyEvent::Bind(this, &TqoGant_ComBasic::PageChange);
    fPageControl->OnChanging = TTabChangingEvent::Bind(this, &TqoGant_ComBasic::PageChanging);

    fPanelScaleAndGantHolder = NewPanel(this, alClient, 0, "PanelScaleAndGantHolder");
    fPanelScrollHolder = NewPanel(this, alRight, 16, "");

    fDateScaler = CreateDateScaler(fPanelScaleAndGantHolder);
    fDateScaler->TabStop = true;
    fDateScaler->SetParent(fPanelScaleAndGantHolder);
    fDateScaler->SetHeight(45);
    fDateScaler->SetAlign(alTop);
    fDateScaler->SetHorizontal(true);
    fDateScaler->SetStart(Date() - 15);
    fDateScaler->SetStop(Date() + 15);
    fDateScaler->TimeFormat = "HH:MM:SS";
    fDateScaler->DateFormat = "YYMMDD";
    fDateScaler->ShowHint = true;
    fDateScaler->SetName("DateScaler");

    fPanelAboveTree = NewPanel(fPanelTreeHolder, alTop, 45, "");
    fPanelAboveTree->OnResize = [this](TComponent*) { HandleTreeAlign(); };

    fScrollBarVertical = new TScrollBar(fPanelScrollHolder);
    fScrollBarVertical->SetParent(fPanelScrollHolder);
    fScrollBarVertical->SetKind(sbVertical);
    fScrollBarVertical->SetAlign(alClient);
    fScrollBarVertical->SetEnabled(false);
    fScrollBarVertical->TabStop = false;

    CreateRowHeaders();
    fPanelAboveScroll = NewPanel(fPanelScrollHolder, alTop, 45, "");
    CreateChartArea();
    CreateHelpers();
}

void TqoGant_ComBasic::CreateRowHeaders() {
    fTree = CreateTree(fPanelTreeHolder);
    fTree->SetParent(fPanelTreeHolder);
    fTree->TabStop = true;
    fTree->SetMultiSelect(true);
    fTree->SetVertScrollExternal(fScrollBarVertical);
    fTree->SetVisible(false);
    fTree->SetName("Treeview");

    fGrid = CreateGrid(fPanelTreeHolder);
    if (!fGrid) return;
    if (TqoGridTree* tree = fGrid->GridTree())
        tree->SetOnIntegrationEvents(
            TOnIntegrationEvent::Bind(this, &TqoGant_ComBasic::GridTreeIntegrationEvents));
    TWinControl& grid = fGrid->Control();
    grid.SetParent(fPanelTreeHolder);
    grid.SetAlign(alClient);
    grid.TabStop = true;
    fGrid->SetMultiSelect(true);
    grid.SetName("Grid");
}

void TqoGant_ComBasic::CreateChartArea() {
    fGA = new TqoOffscreenPaint_GA(fPanelScaleAndGantHolder, this);
    fGA->TabStop = true;
    fGA->SetParent(fPanelScaleAndGantHolder);
    fGA->SetAlign(alClient);
    fGA->SetBevelOuter(bvNone);
    fGA->SetCursor(fCursorGantArea);
    for (int key : {13, 18, 32, 33, 34, 35, 36, 37, 38, 39, 40, 93}) fGA->CatchSpecialChars().set(size_t(key));
    WireChartArea();
    if (fGrid)
        fGrid->Attach(this, fGA, [this](TComponent*) {
            const TGridEventScope scope(*this);
            // The rows moved, none came or went: a drag goes on over them.
            fLinkIndex.Clear();
            InvalidateGA();
            OnGridTopLeftChanged.Fire(this);
        });
    fGA->SetName("GanttArea");
    fDateScaler->OnChange = TNotifyEvent::Bind(this, &TqoGant_ComBasic::ScaleChanged);
    fAllDataEntities = CreateDataList3Lev();
    fAllDataEntities->AfterCreate();
}

void TqoGant_ComBasic::CreateHelpers() {
    if (!IsDesigning()) {
        fHint = new TGraphHintWindow(this);
        fHint->SetStaticPos(true);
    }
    fSnap = std::make_unique<TSnapHandler>(5 * OneMinute, OneMinute);
    fSnap->SetStopSnapOnMoveONOFF(false);
    fBackColor = clSilver;
    fPyjamasColor = clGray;
    ReInitBitmap();
    fAligning = false;
    fBackGroundHeight = 18;
    fStartScaleWhenDrawn = fDateScaler->Start();

    fTree->SetTabOrder(0);
    fGA->SetTabOrder(1);
    fDateScaler->SetTabOrder(2);
    fPageControl->SetTabOrder(3);
    WireTimeItemController();

    SetUseGridNotTree(false);
    HandleTreeAlign();
    fScrollTimer = new TTimer(this);
    fScrollTimer->SetEnabled(false);
    fScrollTimer->SetInterval(50);
    fInteraction = std::make_unique<TGantInteraction>(*this);
    WireGridNavigation();
    fDateScaler->OnPrintResizeFont = TOnPrintResizeFont::Bind(this, &TqoGant_ComBasic::_OnPrintResizeFont);
    fGA->OnPrintResizeFont = TOnPrintResizeFont::Bind(this, &TqoGant_ComBasic::_OnPrintResizeFont);
}

// The keys and the scrolling at the edges reach the grid's focus and rows
// here. Freeing the chart from one of the grid's events leaves the grid for
// later, so that the grid's code below the event still has it.
void TqoGant_ComBasic::WireGridNavigation() {
    if (!fGrid) return;
    TGantGridNavigation& navigation = fInteraction->GridNavigation;
    navigation.FocusedRow = [this] { return GetActiveGantRow(); };
    navigation.StepRow = [this](TGantRow* from, bool up) {
        const TGridEventScope scope(*this);
        return fGrid->StepFocusedRow(from, up);
    };
    navigation.ScrollRow = [this](bool up) {
        const TGridEventScope scope(*this);
        fGrid->ScrollRow(up);
    };
}

TFont& TqoGant_ComBasic::FontTimeItemStyle(int style) {
    assert(style >= 1 && style <= 3 && "three item text styles");
    return fFontTimeItemStyle[style - 1];
}

} // namespace qo
