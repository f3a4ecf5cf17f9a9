#pragma once
// The Gantt chart as one component. It is a panel that makes and lays out
// every part of the chart (row header, splitter, date scaler, chart area,
// scroll column, optional tab sheets, hint, snap handler), forwards their
// properties, wires their events and is the one entry point of a host. Every
// part comes from an overridable factory, so that a subclass (the automation
// control) substitutes its own kinds.
#include "gantt/qoGantGridHeader.h"
#include "gantt/qoGantInteraction.h"
#include "gantt/qoGantLinkIndex.h"
#include "gantt/qoGantRow.h"
#include "gantt/qoGantRowList.h"
#include "gantt/qoGantTree.h"
#include "gantt/qoLink.h"
#include "gantt/qoGraphHintWindow.h"
#include "gantt/qoSnapHandler.h"
#include "gantt/qoSplitter.h"
#include "gantt/qoTimeItemText.h"
#include "grid/qoTree.h"
#include "platform/widgets/qoPageControl.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/window/qoAlive.h"
#include "platform/window/qoTimer.h"
#include "scale/qoScaler.h"

#include <memory>
#include <vector>

namespace qo {

class TqoGant_ComBasic;

// The chart area: a paint surface whose paint and input the component handles.
class TqoOffscreenPaint_GA : public TqoOffscreenPaint {
public:
    TqoOffscreenPaint_GA(TComponent* owner, TqoGant_ComBasic* gantt);
    TqoGant_ComBasic* Gantt() const { return fGantt; }
    // The mouse went to another control while a button was down here.
    TNotifyEvent OnCaptureLost;
    void WndProc(TMessage& message) override;

private:
    TqoGant_ComBasic* fGantt;
};

using TGantRowNotify = TqoEvent<void(TGantRow* row)>;
using TTabChangingNotify = TqoEvent<void(TComponent* sender, bool& allowChange)>;

// One extra tab sheet beside the chart's own, with the handlers it asked for.
struct TMyContainer {
    TGantRowNotify Notify;
    TTabChangingNotify NotifyChanging;
    TTabSheet* TabSheet = nullptr;
    TNotifyEvent NotifyShow;
    TNotifyEvent NotifyHide;
};

enum TTimeItemAutoScroll { ttiaHorzAndVert = 0, ttiaHorz = 1, ttiaVert = 2, ttiaNone = 3 };

using TOnAlignNeed = TqoEvent<void(TComponent* sender, TDateTime start, TDateTime stop, int treeWidth)>;
using TOnScalerChange = TqoEvent<void(TComponent* sender, TDateTime start, TDateTime stop)>;
using TOnRealignScrollbar =
    TqoEvent<void(TComponent* sender, int position, int min, int max, int pageSize, bool enabled)>;
using TOnUserDrawArea = TqoEvent<void(TComponent* sender, const TRect& rect, TCanvas& canvas)>;
using TOnUserDrawTime =
    TqoEvent<void(TComponent* sender, TqoDataEntity_GantTime* item, TCanvas& canvas, const TRect& rect)>;
using TOnUserDrawLinks =
    TqoEvent<void(TComponent* sender, TqoDataEntity_Link* link, TCanvas& canvas, TPoint start, TPoint stop)>;
using TOnDataEntityClick = TqoEvent<void(TComponent* sender, TqoDataEntity* item)>;
using TOnUserCreateGantRow = TqoEvent<void(TGantRowList* sender, TqoDataEntity_Tree* treeNode,
                                           TqoDataEntity_GridTreeNode* gridNode, TGantRow*& row)>;
using TOnGantRowNotify = TqoEvent<void(TGantRowList* sender, TGantRow* row)>;
using TOnGantTimeNotify = TqoEvent<void(TComponent* sender, TqoDataEntity_GantTime* item)>;
using TOnGantTimeUnload = TqoEvent<void(TComponent* sender, TqoDataEntity_GantTime* item, bool& mayUnload)>;
using TOnGantLayerNotify = TqoEvent<void(TComponent* sender, TqoDataList* layer)>;
using TOnGantLayerItemNotify = TqoEvent<void(TComponent* sender, TqoDataList* layer, TqoDataEntity_GantTime* item)>;
using TOnCollisionDetected = TqoEvent<void(TComponent* sender, TqoDataEntity_GantTime* item, int32_t position)>;
using TOnHintInfo = TqoEvent<void(TqoDataEntity_GantTime* item, TDateTime start, TDateTime stop, double length)>;
// Before each printed page: its number from 1, then in and out its height and
// width (-1: no limit), whether to go on and whether to render.
using TOnPrintToHdcNewPage = TqoEvent<void(TComponent* sender, int page, int& pageHeight, int& pageWidth,
                                           bool& goAhead, bool& render)>;

// A subclass that overrides factories constructs its base with this and calls
// InitializeInConstructor at the end of its own constructor, where its
// overrides are in place.
struct TDeferInitialize {};

class TqoGant_ComBasic : public TPanel, public IGantRowOwner, public IGantTreeOwner {
public:
    // Made with the default factories.
    explicit TqoGant_ComBasic(TComponent* owner);
    ~TqoGant_ComBasic() override;

    // ---- Child parts ----
    TGantTree* TreeView() const { return fTree; }
    // Nil when this build's factory makes no grid.
    IGantGridHeader* Grid() const { return fGrid.get(); }
    TqoOffscreenPaint_GA* GA() const { return fGA; }
    TqoDateScaler* DateScaler() const { return fDateScaler; }
    TPageControl* PageControl() const { return fPageControl; }
    TSnapHandler* Snap() const { return fSnap.get(); }
    TPanel* PanelAboveTree() const { return fPanelAboveTree; }
    TPanel* PanelTreeHolder() const { return fPanelTreeHolder; }
    TPanel* PanelScaleAndGantHolder() const { return fPanelScaleAndGantHolder; }
    TPanel* PanelScrollHolder() const { return fPanelScrollHolder; }
    TPanel* PanelAboveScroll() const { return fPanelAboveScroll; }
    TScrollBar* ScrollBarVertical() const { return fScrollBarVertical; }
    TqoSplitter* Splitter() const { return fSplitter; }
    TTabSheet* GantTabSheet() const { return fGantTabSheet; }
    // Nil in design mode.
    TGraphHintWindow* Hint() const { return fHint; }
    TTimer* ScrollTimer() const { return fScrollTimer; }
    const TBitmap& GantBitMap() const { return fGantBitMap; }

    // ---- Updates and layout ----
    void BeginUpdate();
    void EndUpdate();
    void BeginUpdateNotifyCompatible() { BeginUpdate(); }
    void EndUpdateNotifyCompatible() { EndUpdate(); }
    void Repaint() override;
    // Refreshes the scaler and the tree and invalidates the chart area, each unless it is control.
    void RefreshOthers(TComponent* control) override;
    void InvalidateGA();
    void ScaleChanged(TComponent* sender);
    // Sets the range and the tree's width without asking the host to align.
    void SetScaleAndTree(TDateTime start, TDateTime stop, int treeWidth);
    void HandleTreeAlign() override;
    void RealignScrollbar() override;
    int GridHeaderHeight();
    void UpdateGridAlign() { SetScalerHeight(ScalerHeight()); }

    // ---- Rows, items and links ----
    TGantRowList* RowList() override { return fRowList; }
    TqoDataList3lev* AllDataEntities() override { return fAllDataEntities; }
    TqoListController* GantTimeListController() override { return fGantTimeListController.get(); }
    const TqoDataEntityClass& ClassOfDataEntity_GantTime() override { return fClassOfDataEntity_GantTime; }
    void SetClassOfDataEntity_GantTime(const TqoDataEntityClass& c) { fClassOfDataEntity_GantTime = c; }
    const TqoDataEntityClass& ClassOfDataEntity_Link() const { return fClassOfDataEntity_Link; }
    void SetClassOfDataEntity_Link(const TqoDataEntityClass& c) { fClassOfDataEntity_Link = c; }
    TqoDataEntity_Tree* AddRootDataEntityTree() { return AddDataEntityTree(nullptr); }
    TqoDataEntity_Tree* AddDataEntityTree(TqoDataEntity_Tree* owner) { return fTree->AddDataEntity(owner); }
    // Nodes of the grid's tree (nil without a grid); each gets its row.
    TqoDataEntity_GridTreeNode* GridNode_Add(TqoDataEntity_GridTreeNode* owner);
    void GridNode_Remove(TqoDataEntity_GridTreeNode* node);
    TqoDataEntity_GantTime* GridNode_AddGantTime(TqoDataEntity_GridTreeNode* node, int layer);
    // Nil for a node without a row, or a negative layer; missing layers up to it are made.
    TqoDataEntity_GantTime* AddGantTime(TqoDataEntity_Tree* node, int layer);
    TqoDataEntity_GantTime* AddGantTimeToGantRow(TGantRow* row, int layer);
    void RemoveGantTime(TqoDataEntity_GantTime* item);
    TqoDataEntity_Link* AddLink();
    TqoDataList* GetLinks() const { return fLinksDataList; }
    // Deletes the links that start or end at the item, last first.
    void DropAllLinks(TqoDataEntity_GantTime* item);
    void ClearSelections();
    TqoDataEntity_GantTime* GetDataEntityFromXY(int x, int y);
    // (-1, -1, -1, -1) for an item that shows nowhere.
    TRect RectFromDataEntity(TqoDataEntity_GantTime* item);
    bool IsVisible(TqoDataEntity_GantTime* item) { return IsTimeVisible(item); }
    TqoDataEntity_GantTime* FindGantTimeObjectFromUserReference(const void* reference);
    void MakeSureRowInView(TGantRow* row);
    void MakeSureActiveInView();
    TGantRow* GetActiveGantRow();
    TqoDataEntity_GantTime* ActiveDataEntity() const { return fActiveDataEntity; }
    void SetActiveDataEntity(TqoDataEntity_GantTime* item);

    // ---- Tab sheets ----
    void AddTabSheet(TTabSheet* sheet, TGantRowNotify changeInTree, TTabChangingNotify changing,
                     TNotifyEvent show, TNotifyEvent hide);
    bool UseTabSheets() const { return fPageControl->Visible(); }
    void SetTabSheetsONOFF(bool on);
    void ChangeInTree() override;
    int TabSheetCount() const { return int(fTreeChangeNotifyList.size()); }

    // ---- Settings ----
    int RowDrawOffset() const override { return fRowDrawOffset; }
    void SetRowDrawOffset(int v) { SetAndInvalidate(fRowDrawOffset, v); }
    bool StartDragWhenTimeMoveOutside() const { return fStartDragWhenTimeMoveOutside; }
    void SetStartDragWhenTimeMoveOutside(bool v) { fStartDragWhenTimeMoveOutside = v; }
    bool MoveInTimeWhenMoveRow() const { return fMoveInTimeWhenMoveRow; }
    void SetMoveInTimeWhenMoveRow(bool v) { fMoveInTimeWhenMoveRow = v; }
    bool MoveOver12Then24() const { return fMoveOver12Then24; }
    void SetMoveOver12Then24(bool v) { fMoveOver12Then24 = v; }
    bool UseGridNotTree() const override { return fUseGridNotTree; }
    // The grid's vertical bar sits in the scroll column beside the chart.
    bool GridVerticalScrollOutOfGrid() const { return fGridVerticalScrollOutOfGrid; }
    void SetGridVerticalScrollOutOfGrid(bool on);
    // Without a grid the tree stays.
    void SetUseGridNotTree(bool on);
    bool DrawShortLines() const { return fDrawShortLines; }
    void SetDrawShortLines(bool v) { SetAndInvalidate(fDrawShortLines, v); }
    bool DrawLongLines() const { return fDrawLongLines; }
    void SetDrawLongLines(bool v) { SetAndInvalidate(fDrawLongLines, v); }
    bool VerticalPyjamas() const { return fVerticalPyjamas; }
    void SetVerticalPyjamas(bool v) { SetAndInvalidate(fVerticalPyjamas, v); }
    TLinkShow LinkShow() const { return fLinkShow; }
    void SetLinkShow(TLinkShow v) { SetAndInvalidate(fLinkShow, v); }
    bool TodayLineOnOff() const { return fTodayLineOnOff; }
    void SetTodayLineOnOff(bool v) { SetAndInvalidate(fTodayLineOnOff, v); }
    TColor TodayLineColor() const { return fTodayLineColor; }
    void SetTodayLineColor(TColor v) { SetAndInvalidate(fTodayLineColor, v); }
    TColor GantBackColor() const { return fBackColor; }
    void SetGantBackColor(TColor color);
    TColor GantPyjamasColor() const { return fPyjamasColor; }
    void SetGantPyjamasColor(TColor color);
    TCursor CursorGantArea() const { return fCursorGantArea; }
    void SetCursorGantArea(TCursor cursor);
    TTimeItemAutoScroll TimeItemAutoScroll() const { return fTimeItemAutoScroll; }
    void SetTimeItemAutoScroll(TTimeItemAutoScroll v) { fTimeItemAutoScroll = v; }
    bool FavourMoveOverResizeOnSmallTimeItems() const { return fFavourMoveOverResizeOnSmallTimeItems; }
    void SetFavourMoveOverResizeOnSmallTimeItems(bool v) { fFavourMoveOverResizeOnSmallTimeItems = v; }
    bool PausedCollisionDetectionRows() const override { return fPausedCollisionDetectionRows; }
    void SetPausedCollisionDetectionRows(bool v) override { fPausedCollisionDetectionRows = v; }
    // Clears the mark and resumes the detection of every paused row.
    void UnPauseCollisionDetectionRows() override;
    int HdcToUseOnNewPage() const { return fOnPrintHdc; }
    void SetHdcToUseOnNewPage(int v) { fOnPrintHdc = v; }
    TLinkStyle DefaultLinkStyle() const { return fDefaultLinkStyle; }
    void SetDefaultLinkStyle(TLinkStyle v) { fDefaultLinkStyle = v; }
    TColor DefaultLinkColor() const { return fDefaultLinkColor; }
    void SetDefaultLinkColor(TColor v) { fDefaultLinkColor = v; }
    int DefaultLinkPenWidth() const { return FDefaultLinkPenWidth; }
    void SetDefaultLinkPenWidth(int v) { FDefaultLinkPenWidth = v; }
    TCursor DefaultLinkCursor() const { return FDefaultLinkCursor; }
    void SetDefaultLinkCursor(TCursor v) { FDefaultLinkCursor = v; }
    double AcumDropOut() const { return 0.0; }
    int RowHeight() const { return fBackGroundHeight; }
    TFont& FontTimeItemStyle(int style);
    void SetFontTimeItemStyle(int style, const TFont& font) { FontTimeItemStyle(style) = font; }

    // ---- Forwarded to the parts ----
    int TreeWidth() const { return fPanelTreeHolder->Width(); }
    void SetTreeWidth(int width) { fPanelTreeHolder->SetWidth(width); }
    int ScalerHeight() const { return fDateScaler->Height(); }
    void SetScalerHeight(int height);
    double Scale() { return fDateScaler->Scale(); }
    void SetScale(double scale) { fDateScaler->SetScale(scale); }
    TDateTime Start() const { return fDateScaler->Start(); }
    void SetStart(TDateTime v) { fDateScaler->SetStart(v); }
    TDateTime Stop() const { return fDateScaler->Stop(); }
    void SetStop(TDateTime v) { fDateScaler->SetStop(v); }
    double ZoomFactor() const { return fDateScaler->ZoomFactor; }
    void SetZoomFactor(double v) { fDateScaler->ZoomFactor = v; }
    int PixelsForModeSwitch() const { return fDateScaler->PixelsForModeSwitch(); }
    void SetPixelsForModeSwitch(int v) { fDateScaler->SetPixelsForModeSwitch(v); }
    const std::string& DateFormat() const { return fDateScaler->DateFormat; }
    void SetDateFormat(const std::string& v) { SetScalerField(fDateScaler->DateFormat, v); }
    const std::string& TimeFormat() const { return fDateScaler->TimeFormat; }
    void SetTimeFormat(const std::string& v) { SetScalerField(fDateScaler->TimeFormat, v); }
    bool IndicatorOn() const { return fDateScaler->IndicatorOn; }
    void SetIndicatorOn(bool v) { SetScalerField(fDateScaler->IndicatorOn, v); }
    int FirstDayOfWeekScaler() const { return fDateScaler->FirstDayOfWeek; }
    void SetFirstDayOfWeekScaler(int v) { SetScalerField(fDateScaler->FirstDayOfWeek, v); }
    bool RescaleWithCtrl() const { return fDateScaler->RescaleWithCtrl; }
    void SetRescaleWithCtrl(bool v) { fDateScaler->RescaleWithCtrl = v; }
    TLookAndFeel LookAndFeel() const { return fDateScaler->LookAndFeel(); }
    void SetLookAndFeel(TLookAndFeel v) { fDateScaler->SetLookAndFeel(v); }
    TScrollButtons ScrollButtons() const { return fDateScaler->ScrollButtons(); }
    void SetScrollButtons(TScrollButtons v) { fDateScaler->SetScrollButtons(v); }
    TDateTime MinStart() const { return fDateScaler->MinStart(); }
    void SetMinStart(TDateTime v) { fDateScaler->SetMinStart(v); }
    TDateTime MaxStop() const { return fDateScaler->MaxStop(); }
    void SetMaxStop(TDateTime v) { fDateScaler->SetMaxStop(v); }
    TqoHiddenHours HiddenHours() const { return fDateScaler->HiddenHours(); }
    void SetHiddenHours(TqoHiddenHours v) { fDateScaler->SetHiddenHours(v); }
    TqoHiddenDays HiddenDays() const { return fDateScaler->HiddenDays(); }
    void SetHiddenDays(TqoHiddenDays v) { fDateScaler->SetHiddenDays(v); }
    TCursor CursorScaler() const { return fDateScaler->Cursor(); }
    void SetCursorScaler(TCursor v) { fDateScaler->SetCursor(v); }
    TColor ColorScaler() const { return fDateScaler->Color(); }
    void SetColorScaler(TColor color);
    const TFont& FontScaler() const { return fDateScaler->TextFont(sTextFont1); }
    void SetFontScaler(const TFont& font) { fDateScaler->SetTextFont(sTextFont1, font); }

    TColor ColorTree() const { return fTree->Color(); }
    void SetColorTree(TColor color);
    const TFont& FontTree() const { return fTree->Font(); }
    void SetFontTree(const TFont& font) { fTree->SetFont(font); }
    bool HideSelectionTree() const { return fTree->HideSelection(); }
    void SetHideSelectionTree(bool v) { fTree->SetHideSelection(v); }
    int IndentTree() const { return fTree->Indent(); }
    void SetIndentTree(int v) { fTree->SetIndent(v); }
    int AutoExpandLevelsTree() const { return fTree->AutoExpandLevels(); }
    void SetAutoExpandLevelsTree(int v) { fTree->SetAutoExpandLevels(v); }
    int MaxLevelsTree() const { return fTree->MaxLevels(); }
    void SetMaxLevelsTree(int v) { fTree->SetMaxLevels(v); }
    bool RightClickSelectTree() const { return fTree->RightClickSelect(); }
    void SetRightClickSelectTree(bool v) { fTree->SetRightClickSelect(v); }
    bool ShowLinesTree() const { return fTree->ShowLines(); }
    void SetShowLinesTree(bool v) { fTree->SetShowLines(v); }
    bool GridLinesTree() const { return fTree->DrawGridLines(); }
    void SetGridLinesTree(bool v) { fTree->SetDrawGridLines(v); }
    bool ShowButtonsTree() const { return fTree->ShowButtons(); }
    void SetShowButtonsTree(bool v) { fTree->SetShowButtons(v); }
    TCursor DragCursorTree() const { return fTree->DragCursor; }
    void SetDragCursorTree(TCursor v) { fTree->DragCursor = v; }
    bool MultiSelectTree() const { return fTree->MultiSelect(); }
    void SetMultiSelectTree(bool on);
    TCursor CursorTree() const;
    void SetCursorTree(TCursor cursor);
    TDragMode DragModeTree() const { return fTree->DragMode; }
    void SetDragModeTree(TDragMode v);
    TImageList* ImageList() const { return fTree->Images(); }
    void SetImageList(TImageList* images) { fTree->SetImages(images); }

    // ---- Events ----
    // The handler may leave the row nil: the component makes it then.
    TOnUserCreateGantRow OnUserCreateGantRow;
    TOnGantRowNotify OnAfterAddGantRow, OnBeforeFreeGantRow;
    TOnGantLayerNotify OnContentChanged_GantTime;
    TOnGantLayerItemNotify OnSelectionChanged_GantTime;
    TOnGantTimeNotify OnInsertItem_GantTime, OnDeleteItem_GantTime, OnChangeDataEntity_GantTime,
        OnValueChanged_GantTime, OnBeforeCanEditItem_GantTime, OnVirtualLoad_GantTime;
    TOnGantTimeUnload OnVirtualUnLoad_GantTime;
    TOnHintInfo OnHintInfo;
    // A row's detection gave the item a new sub-column; the handler may set
    // the item's SubCol (-1 meanwhile) to put it elsewhere.
    TOnCollisionDetected OnCollisionDetected;
    TOnAlignNeed OnAlignNeed;
    TOnScalerChange OnScalerChange;
    TOnRealignScrollbar OnRealignScrollbar;
    TNotifyEvent OnGridTopLeftChanged;
    TOnUserDrawArea OnUserDrawBackground, OnUserDrawForeground;
    // Items of the user style and links of the user-drawn style, with the rectangle or points the chart chose.
    TOnUserDrawTime OnUserDrawTime;
    TOnUserDrawLinks OnUserDrawLinks;
    // The item under the press that began the double click, or nil.
    TOnDataEntityClick OnDblClickGantArea;
    // The chart area's mouse and keys; see qoGantInteraction.h.
    TOnDataEntityClick OnClickGantArea, OnRightClickGantArea;
    TMouseEvent OnGantAreaMouseDown, OnGantAreaMouseUp;
    TMouseMoveEvent OnGantAreaMouseMove;
    TOnTimeRowEvent OnTimeChangeRow, OnTimeCopy;
    TOnDependencyAction OnDependencyAction;
    TOnKeyNavigateDataList OnKeyNavigateDataList;
    TGantInteraction& Interaction() { return *fInteraction; }
    void MouseMoveModeCancel() { fInteraction->MouseMoveModeCancel(); }
    TGantStickyMode StickyMode() const { return fInteraction->StickyMode(); }
    void SetStickyMode(TGantStickyMode mode) { fInteraction->SetStickyMode(mode); }
    TStartDragEvent OnGantAreaStartDrag;
    TDragDropEvent OnGantAreaDragDrop;
    TDragOverEvent OnGantAreaDragOver;
    TOnPrintResizeFont OnPrintResizeFont;
    TOnPrintToHdcNewPage OnPrintToHdcNewPage;
    // The tree's own events, under the component's names.
    TqoTreeListEvent& OnContentChanged_Tree() { return fTree->OnContentChanged; }
    TqoTreeListEntityEvent& OnSelectionChanged_Tree() { return fTree->OnSelectionChanged; }
    TqoTreeEntityEvent& OnDeleteItem_Tree() { return fTree->OnDeleteItem; }
    TqoTreeEntityEvent& OnInsertItem_Tree() { return fTree->OnInsertItem; }
    TqoTreeEntityEvent& OnValueChanged_Tree() { return fTree->OnValueChanged; }
    TqoTreeEntityEvent& OnChangeDataEntity_Tree() { return fTree->OnValueChanged; }
    TqoTreeEntityEvent& OnBeforeCanEditItem_Tree() { return fTree->OnBeforeCanEditItem; }
    TStartDragEvent& OnTreeStartDrag() { return fTree->OnStartDrag; }
    TEndDragEvent& OnTreeEndDrag() { return fTree->OnEndDrag; }
    TDragDropEvent& OnTreeDragDrop() { return fTree->OnDragDrop; }
    TDragOverEvent& OnTreeDragOver() { return fTree->OnDragOver; }
    TMouseMoveEvent& OnTreeMouseMove() { return fTree->OnMouseMove; }
    TMouseEvent& OnTreeMouseDown() { return fTree->OnMouseDown; }

    // Widens the tree's column to show its widest row whole.
    void MakeSureAllVisibleInTree();

protected:
    TqoGant_ComBasic(TComponent* owner, TDeferInitialize);
    // Factories, in the order Initialize calls them.
    virtual TqoDateScaler* CreateDateScaler(TComponent* owner);
    virtual TGantTree* CreateTree(TComponent* owner);
    // Nil keeps the chart to the tree.
    virtual std::unique_ptr<IGantGridHeader> CreateGrid(TComponent* owner);
    virtual TGantRowList* CreateRowList();
    virtual TqoDataList* CreateLinkList();
    TGantRow* CreateRow(TGantRowList* list, TqoDataEntity_Tree* treeNode,
                        TqoDataEntity_GridTreeNode* gridNode) override;
    TqoDataList_GantRow* CreateDataList_GantRow() override;
    TqoDataList2lev* CreateDataList2Lev() override;
    virtual TqoDataList3lev* CreateDataList3Lev();

    // ---- What rows ask of the chart ----
    TGantRow* UserCreateGantRow(TGantRowList* list, TqoDataEntity_Tree* treeNode,
                                TqoDataEntity_GridTreeNode* gridNode) override;
    void AfterAddGantRow(TGantRowList* list, TGantRow* row) override;
    void BeforeFreeGantRow(TGantRowList* list, TGantRow* row) override;
    IGantRowSource* RowSource() override;
    int DateToPixel(TDateTime time) override { return fDateScaler->DateToPixel(time); }
    void SetRowHeight(int height) override { fBackGroundHeight = height; }
    int ChartWidth() const override { return fGA->Width(); }
    bool ChartPrinting() const override { return fGA->IsPrinting(); }
    double ChartScalex() const override { return fGA->Scalex(); }
    double ChartScaley() const override { return fGA->Scaley(); }
    bool IsTimeVisible(TqoDataEntity_GantTime* item) override;
    void VisibleTimeWindow(TDateTime& from, TDateTime& to) override;
    void DrawTimeItem(TqoDataEntity_GantTime* item, const TRect& rect) override { DrawContent(item, rect); }
    TOnTimeItemTextStyleSet TimeItemTextStyleSet() override;
    // The rows, their order or the links changed: the link index goes too.
    void InvalidateChart() override;
    // The grid tree's announcements: rows made and freed with its nodes.
    void GridTreeIntegrationEvents(TIntegrationEventKind kind, TqoDataEntity_GridTreeNode* node);
    void CollisionDetected(TqoDataEntity_GantTime* item, int32_t position) override;
    void SetGridRowHeight(TGantRow& row, int height) override;

    // ---- The time items' controller ----
    virtual void _OnContentChanged(TqoDataList* layer);
    virtual void _OnSelectionChanged(TqoDataList* layer, TqoDataEntity* item);
    virtual void _OnInsertItem(TqoDataEntity* item);
    virtual void _OnDeleteItem(TqoDataEntity* item);
    virtual void _OnInfoPush(TqoDataEntity* item);
    virtual void _OnBeforeCanEditItem(TqoDataEntity* item);
    virtual void _OnVirtualLoadTimeItem(TqoDataEntity* item);
    virtual void _OnVirtualUnLoadTimeItem(TqoDataEntity* item, bool& mayUnload);
    // Puts the font of a text style into the canvas before an item's text is drawn.
    void _OnTimeItemSyleSet(TqoTimeItemTextCollection* sender, TCanvas& canvas, int32_t style);
    // Makes every part; a subclass overrides the factories, not this.
    virtual void Initialize();
    void InitializeInConstructor() { Initialize(); }

    // ---- Chart area drag and drop, for a subclass to take over ----
    virtual void GantAreaStartDrag(TComponent* sender);
    virtual void GantAreaDragDrop(TComponent* sender, TComponent* source, int x, int y);
    virtual void GantAreaDragOver(TComponent* sender, TComponent* source, int x, int y, TDragState state,
                                  bool& accept);
    virtual void GantAreaEndDrag(TComponent*, TComponent*, int, int) {}

    // ---- Chart area painting ----
    virtual void GantAreaPaint(TComponent* sender);
    virtual void DoBackground();
    void DefaultBackGround();
    void DrawRowBackgound(const TRect& rect, int rowNumber);
    void DoVerticalPyjamas();
    void DoTodayLine();
    void DrawScaleLines();
    void ReInitBitmap();
    // One item with its texts, selection marks and focus rectangle.
    void DrawContent(TqoDataEntity_GantTime* item, const TRect& rect);
    virtual void UserDrawTime(TqoDataEntity_GantTime* item, const TRect& rect);
    void RenderLinks();
    void DrawLink(TPoint start, TPoint stop, TCanvas& canvas, TLinkStyle style, TColor color, int penWidth,
                  TqoDataEntity_Link* link);
    // One link: whether it shows by LinkShow, its end points, its path or the host's drawing.
    void RenderLink(TqoDataEntity_Link* link, TCanvas& canvas);
    // The rectangles of both ends, a missing one put beside the other; false when the link is not shown.
    bool LinkEnds(TqoDataEntity_Link* link, TRect& s, TRect& e);
    // The link's span of time meets the visible window.
    bool LinePassesThroughWindow(TqoDataEntity_GantTime* owner, TqoDataEntity_GantTime* target);

private:
    template <class T> void SetAndInvalidate(T& field, T value) {
        field = value;
        InvalidateGA();
    }
    template <class T> void SetScalerField(T& field, T value) {
        field = value;
        fDateScaler->Invalidate();
    }
    TPanel* NewPanel(TWinControl* parent, TAlign align, int size, const std::string& caption);
    void SetRange(TDateTime start, TDateTime stop);
    void CreateModel();
    void WireTimeItemController();
    void ReleaseModel();
    static TqoDataEntity_GantTime* AsItem(TqoDataEntity* entity);
    void RowItemsChanged(TqoDataEntity_GantTime* item);
    // The row's items changed: its collision detection, unless loading.
    void UpdateSubColumnsOf(TGantRow* row);
    void CreateRowHeaders();
    void CreateChartArea();
    void CreateHelpers();
    void WireGridNavigation();
    void PageChange(TComponent* sender);
    void PageChanging(TComponent* sender, bool& allowChange);
    void GantAreaWheelScroll(TMessage& message);
    void SplitterMoved(TComponent*) {}
    void WireChartArea();
    void GADblClick(TComponent* sender);
    void _OnPrintResizeFont(TComponent* sender, int& fontSize, bool& doDefault);
    bool Loading() const { return IsLoading() || IsDesigning(); }
    // Stripes of the grid's rows; returns the bottom of the last one.
    int GridRowStripes(int& rowNumber);

    int fRowDrawOffset = 0;
    bool fStartDragWhenTimeMoveOutside = false;
    bool fUseGridNotTree = false;
    TFont fFontTimeItemStyle[3];
    TLinkShow fLinkShow = lsOneEndVisible;
    TCursor fCursorGantArea = crArrow;
    bool fVerticalPyjamas = false;
    int fCurrentGridHeaderHeight = 0;
    bool fDrawLongLines = true;
    bool fTodayLineOnOff = false;
    TColor fTodayLineColor = clBlack;
    TTimeItemAutoScroll fTimeItemAutoScroll = ttiaHorzAndVert;
    TTimer* fScrollTimer = nullptr;
    bool fGridVerticalScrollOutOfGrid = false;
    // The grid's bar while it sits in the scroll column.
    TScrollBar* fGridVerticalScroll = nullptr;
    bool fPausedCollisionDetectionRows = false;
    int fOnPrintHdc = 0;
    bool fFavourMoveOverResizeOnSmallTimeItems = false;
    TqoSplitter* fSplitter = nullptr;
    TPanel* fPanelTreeHolder = nullptr;
    TPanel* fPanelAboveTree = nullptr;
    TGantTree* fTree = nullptr;
    std::unique_ptr<IGantGridHeader> fGrid;
    TPanel* fPanelScaleAndGantHolder = nullptr;
    TqoDateScaler* fDateScaler = nullptr;
    TqoOffscreenPaint_GA* fGA = nullptr;
    TPanel* fPanelScrollHolder = nullptr;
    TPanel* fPanelAboveScroll = nullptr;
    TScrollBar* fScrollBarVertical = nullptr;
    bool fDrawShortLines = false;
    TColor fBackColor = clSilver;
    TColor fPyjamasColor = clGray;
    TPageControl* fPageControl = nullptr;
    TTabSheet* fGantTabSheet = nullptr;
    TGraphHintWindow* fHint = nullptr;
    std::unique_ptr<TSnapHandler> fSnap;
    std::vector<TMyContainer> fTreeChangeNotifyList;
    TBitmap fGantBitMap;
    bool fAligning = false;
    // The range SetScaleAndTree set, until the scaler reports it.
    bool fAlignedRangePending = false;
    TDateTime fAlignedStart = 0, fAlignedStop = 0;
    int fBackGroundHeight = 18;
    TDateTime fStartScaleWhenDrawn = 0;
    bool fMoveInTimeWhenMoveRow = false;
    bool fMoveOver12Then24 = false;
    TColor fDefaultLinkColor = clBlue;
    int FDefaultLinkPenWidth = 0;
    TCursor FDefaultLinkCursor = crHandPoint;
    TqoDataEntity* fMouseDownDataEntity = nullptr;
    TqoDataEntity_GantTime* fActiveDataEntity = nullptr;
    // The item AddGantTimeToGantRow is adding, once its insertion was reported.
    bool fAddingItem = false;
    TqoDataEntity_GantTime* fAddedItem = nullptr;
    TOnTimeItemTextStyleSet fTextStyleSet;
    TGantRowList* fRowList = nullptr;
    TqoDataList3lev* fAllDataEntities = nullptr;
    std::unique_ptr<TqoListController> fGantTimeListController;
    std::unique_ptr<TqoListController> fLinkDataListController;
    TqoDataList* fLinksDataList = nullptr;
    TGantLinkIndex fLinkIndex;
    TqoDataEntityClass fClassOfDataEntity_GantTime;
    TqoDataEntityClass fClassOfDataEntity_Link;
    TLinkStyle fDefaultLinkStyle = tlsDefault;
    TqoAlive fAlive;
    friend class TGantInteraction;
    std::unique_ptr<TGantInteraction> fInteraction;
    // Inside one of the grid's events: freeing the chart leaves the grid for later.
    int fInGridEvent = 0;
    class TGridEventScope {
    public:
        explicit TGridEventScope(TqoGant_ComBasic& gant) : fGant(gant), fAlive(gant.fAlive.Watch()) {
            ++fGant.fInGridEvent;
        }
        ~TGridEventScope() {
            if (fAlive) --fGant.fInGridEvent;
        }
        TGridEventScope(const TGridEventScope&) = delete;
        TGridEventScope& operator=(const TGridEventScope&) = delete;
        bool Alive() const { return bool(fAlive); }

    private:
        TqoGant_ComBasic& fGant;
        TqoAlive::TWatch fAlive;
    };
};

// The component as a designer lists it; it adds no behaviour.
class TqoGant : public TqoGant_ComBasic {
public:
    using TqoGant_ComBasic::TqoGant_ComBasic;
};

} // namespace qo
