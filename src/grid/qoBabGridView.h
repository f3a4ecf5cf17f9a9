#pragma once
// The visible grid: a paint surface that owns a root grid of the content
// model, lays it out in its client area, paints it cell by cell (headers,
// selections, tree buttons and lines, icons, check boxes, sort symbols, frame
// lines, focus rectangles), keeps two scroll bars in step with it and turns
// the mouse into focus, selection, resizing, sorting, button clicks and drags.
// Cells edit in place through five editors (qoBabGridEdit.h); the keyboard
// moves the focus, starts edits and searches by typing.
// Layout runs at most once per paint and only for what shows, so a paint
// costs the visible cells whatever the number of rows.
#include "grid/qoBabGridContent.h"
#include "grid/qoBabGridEdit.h"
#include "platform/core/qoFormatSettings.h"
#include "platform/window/qoAlive.h"
#include "platform/graphics/qoImageList.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/window/qoTimer.h"
#include "scale/qoOffscreenPaint.h"

#include <string>
#include <vector>

namespace qo {

class TBabGridView_Custom;

// A simple cell's text; a boolean cell shows a check box, ticked by "TRUE".
class TBabSimpleCellStringData : public TBabSimpleCellData {
public:
    void InitContent() override;
    const std::string& Value() const { return fString; }
    // With a wrapping layout the row is measured again.
    void SetString(const std::string& value);
    bool IsBoolean() const { return fIsBoolean; }
    void SetIsBoolean(bool v) { fIsBoolean = v; }

private:
    std::string fString;
    bool fIsBoolean = false;
};

class TBabSubGridCellData : public TBabGridCellData {
public:
    void InitContent() override;
};

// A scroll bar with a static edge.
class TScrollbar_qo : public TScrollBar {
public:
    explicit TScrollbar_qo(TComponent* owner);
};

// Scoped: the chart area has its own mouse modes of the same names.
enum class TMMode { mmNone = 0, mmResizeCols = 1, mmResizeRows = 2 };
enum TGridBorderStyle { gbsNone, gbsSingle };

// What a host's own cell rendering gets; it clears DefaultDraw to draw alone.
struct TUserRenderCellArgs {
    TCanvas* Canvas = nullptr;
    TBabCell* Cell = nullptr;
    std::string Text;
    bool Ticked = false;
    uint32_t DrawTextFlags = 0;
    TBabDrawState State = 0;
    TRect TextRect;
    bool DefaultDraw = true;
};

using TInstallClassEvent = void (*)(TBabGridView_Custom* view, TBabCell* cell);

class TBabGridView_Custom : public TqoOffscreenPaint {
public:
    using TCellEvent = TqoEvent<void(TComponent* sender, TBabCell* cell)>;
    using TCellQuery = TqoEvent<bool(TComponent* sender, TBabCell* cell)>;

    static constexpr int ButtonWidth = 15;
    static constexpr int SlowStartDelay = 750;
    static constexpr TColor TreeLineColor = 0xC0C0C0;

    TBabGridView_Custom(TComponent* owner, TBabCellDataClass simpleCellDataClass,
                        TBabCellDataClass gridCellDataClass);
    explicit TBabGridView_Custom(TComponent* owner);
    ~TBabGridView_Custom() override;

    TBabGridCellForViewer* BabGridCellForViewer() const { return fBabGridCellForViewer.get(); }
    TBabGridCellForViewer* MainGrid() const { return fBabGridCellForViewer.get(); }
    TScrollbar_qo* HorzScrollBar() const { return fHorz; }
    TScrollbar_qo* VertScrollBar() const { return fVert; }

    // The next paint first initialises the root's content.
    void Init();
    std::string GetText(TBabCell* cell) const;
    void SetText(TBabCell* cell, const std::string& text);
    void BeginUpdate() override;
    void EndUpdate() override;
    void MakeSureFocusedIsVisible();
    // 0 one row up, 1 one row down, 2 one column left, 3 one column right.
    void PublicScroll(int step);
    // The vertical bar leaves the view and takes no room in it.
    TScrollbar_qo* HijackVerticalScroll(bool on);
    void HandleExternalWheelScroll(TMessage& message) { WndProc(message); }
    bool GridScrollVisibleHorizontal() const { return fHorz->Visible(); }
    bool GridScrollVisibleVertical() const { return fVert->Visible(); }
    static void InstallClassEvents(TInstallClassEvent start, TInstallClassEvent end);
    // One navigation step of the focus, selecting the cell it reaches.
    void Scroll(TBabDirection direction, TShiftState shift);
    // Reads a date in the locale's short format; month names count where it
    // spells months ("MMM"). Raises EConvertError on a text that is no date.
    static TDateTime SafeStrToDate(const std::string& text, const TFormatSettings& settings = FormatSettings());
    // Lays out as the screen shows it, then prints that layout scaled.
    void Print(TqoDC& dc, int x, int y, double scalex, double scaley, bool updateBounds) override;

    // The paint area: the client less the border margin and the bars that show.
    TRect GetDrawRect() const;
    TMMode MouseMoveMode() const { return fMouseMoveMode; }
    bool Editing() const { return fEditing; }
    TBabCell* EditBabSimpleCell() const { return fEditBabSimpleCell; }
    TBabEditorType EditorChoise() const { return fEditorChoise; }
    TWinControl* CurrentEditor() const { return fCurrentEditor; }
    TBabInplaceEditor* InplaceEditor() const { return fInplaceEditor; }
    TBabInplaceMemoEditor* InplaceMemoEditor() const { return fInplaceMemoEditor; }
    TBabInplaceComboEditor* InplaceComboEditor() const { return fInplaceComboEditor; }
    TBabInplaceBoolEditor* InplaceBooleanEditor() const { return fInplaceBooleanEditor; }
    TBabInplaceDateTimeEditor* InplaceDateTimeEditor() const { return fInplaceDateTimeEditor; }
    // Frees the date editor and makes a fresh one.
    void ReCreateTBabInplaceDateTimeEditor();
    TBabCell* CurrentSortCol() const { return fCurrentSortCol; }
    bool CurrentSortUpNotDown() const { return fCurrentSortUpNotDown; }
    // The header cell that shows the sort symbol, none for no symbol.
    void SetCurrentSortCol(TBabCell* header, bool upNotDown);
    TLayoutProp* DefaultContentLayoutProperty() { return &fDefaultContentLayoutProperty; }

    // Properties; a setter that changes the picture repaints.
    TImageList* ImageList() const { return fImageList; }
    void SetImageList(TImageList* list);
    TGridBorderStyle BorderStyle() const { return fBorderStyle; }
    void SetBorderStyle(TGridBorderStyle style);
    bool FocusRect_Grid() const { return fFocusRect_Grid; }
    void SetFocusRect_Grid(bool v);
    bool FocusRect_Cell() const { return fFocusRect_Cell; }
    void SetFocusRect_Cell(bool v);
    bool ShowLinesTree() const { return fShowLinesTree; }
    void SetShowLinesTree(bool v);
    TCursor CursorGrid() const { return fCursorGrid; }
    void SetCursorGrid(TCursor cursor);
    bool AutoEditMode() const { return fAutoEditMode; }
    void SetAutoEditMode(bool v) { fAutoEditMode = v; }
    bool StartEditOnEnter() const { return fStartEditOnEnter; }
    void SetStartEditOnEnter(bool v) { fStartEditOnEnter = v; }
    // The list and the date editor commit when they lose the focus.
    bool StopEditOnFocusChange() const { return fStopEditOnFocusChange; }
    void SetStopEditOnFocusChange(bool v) { fStopEditOnFocusChange = v; }
    // Typing that starts no edit searches the focused column.
    bool AllowKeyNavigation() const { return fAllowKeyNavigation; }
    void SetAllowKeyNavigation(bool v) { fAllowKeyNavigation = v; }
    bool InplaceDateTimeClearStatesBetweenEdits() const { return fInplaceDateTimeClearStatesBetweenEdits; }
    void SetInplaceDateTimeClearStatesBetweenEdits(bool v) { fInplaceDateTimeClearStatesBetweenEdits = v; }
    const std::string& NaviString() const { return fNaviString; }
    TDragMode DragModeOverride() const { return fDragModeOverride; }
    // The platform's own drag mode of the view stays manual.
    void SetDragMode(TDragMode mode) { fDragModeOverride = mode; }
    bool RowSelect() const { return MainGrid()->RowSelect(); }
    void SetRowSelect(bool v);
    bool MultiSelect() const { return MainGrid()->MultiSelect(); }
    void SetMultiSelect(bool v) { MainGrid()->SetMultiSelect(v); }
    void SetHardViewParamsOutOfDate();
    void SetSoftViewParamsOutOfDate();
    // Lays out now what changed since the last paint, for a part that reads
    // the rows' places before the grid paints (nothing while printing).
    void EnsureLayout();

    TNotifyEvent OnTopLeftChanged, OnSelectionChanged, OnGridResize, OnAxisChanged,
        OnVerticalScrollVisibilityChanged;
    TCellEvent OnBeforeRenderCell, OnButtonClick, OnRightClick, OnCellSelectionChanged;
    TqoEvent<void(TComponent* sender, TUserRenderCellArgs& args)> OnUserRenderCell;
    TCellQuery OnCellHasButton, OnIsButtonExpanded, OnIsButtonTerminal, OnButtonHasNonHiddenChildren,
        OnEditorCanModify;
    TqoEvent<void(TComponent* sender, TCanvas& canvas, TBabCell* cell, const TRect& rect)> OnRenderButton;
    TqoEvent<int(TComponent* sender, TBabCell* cell)> OnCellInset;
    TqoEvent<TBabCell*(TComponent* sender, TBabCell* cell)> OnGetParentButtonCell;
    TqoEvent<void(TComponent* sender, TBabSubGridCellData* data)> OninitSubGridContent;
    TqoEvent<void(TComponent* sender, TBabSimpleCellStringData* data)> OnInitContent;
    TqoEvent<void(TComponent* sender, TBabCell* cell, bool isColumn, TAxisContentItem* item)> OnAfterUserSize;
    TqoEvent<void(TComponent* sender, TWinControl* editor, TBabCellData* data, std::string& text)> OnEditStop;
    TqoEvent<void(TComponent* sender, TBabCellData* data, TBabEditorType& type)> OnChooseEditor;
    TqoEvent<void(TComponent* sender, const std::string& text)> OnInplaceEditOnChange;
    TqoEvent<void(TComponent* sender, char16_t& key, TWinControl* editor)> OnInplaceEditKeyPress;

    // Called by the cell data.
    virtual void initSubGridContent(TBabSubGridCellData* data);
    virtual void InitContent(TBabSimpleCellStringData* data);

    // The layout slots that the grid component and the grid tree refine.
    virtual bool GetExpandLastColumnIfShort() { return false; }
    virtual void FocusChanged(TBabCell* cell) { (void)cell; }
    virtual void SetGridCursor(TCursor cursor);
    virtual void HardViewParamsUpdate();
    virtual void SoftViewParamsUpdate();
    virtual void TopLeftChanged();
    virtual void DoGridResize();
    virtual void UserSizeChanged(TAxisContentItem* item) { (void)item; }
    virtual void DoButtonAction(TBabCell* cell);
    virtual bool CellHasButton(TBabCell* cell);
    virtual bool IsButtonExpanded(TBabCell* cell);
    virtual bool IsButtonTerminal(TBabCell* cell);
    virtual TBabCell* GetParentButtonCell(TBabCell* cell);
    virtual bool ButtonHasNonHiddenChildren(TBabCell* cell);
    virtual int CellInset(TBabCell* cell);
    virtual bool CellHasIcon(TBabCell* cell) { return (void)cell, false; }
    virtual int CellIconIndex(TBabCell* cell) { return (void)cell, 0; }
    virtual bool _OnCheckCellGrouping(TBabCell* above, TBabCell* below) { return (void)above, (void)below, false; }
    virtual void _OnKeepAfterUnLoad(TBabGridCell* grid, TAxisContentItem* item, bool axis, bool& keep);
    virtual void _OnUnloadIntervall(TBabGridCell*, TAxisContentItem*, bool, int&, int&) {}
    virtual void _OnDeleteOfUnloaded(TBabGridCell*, bool, int&, int&) {}
    virtual void OnCellDeInit(TBabCell* cell);
    // The text an editor starts with: the cell's string.
    virtual std::string InitEditor(TWinControl* editor, TBabCell* cell);
    // Applies an edit's text to the cell; an escaped edit changes nothing.
    virtual void DeInitEditor(TWinControl* editor, TBabCell* cell, const std::string& text, bool escaped);
    // What EditorCanModify answers when the host has no OnEditorCanModify.
    virtual bool EditorCanModifyDefaultValue(TBabCell* cell) { return (void)cell, true; }
    virtual bool EditorCanModify(TBabCell* cell);
    virtual bool EditorValidKey(char16_t key) { return (void)key, true; }
    virtual void DoSortCell(TBabCell* cell, bool upNotDown) { (void)cell, (void)upNotDown; }
    virtual bool CheckSortAllow(TBabCell* cell) { return (void)cell, false; }
    virtual void PreDrawGetStringAndSetAttributes(TBabCell* cell, std::string& text, bool& isBoolean,
                                                  bool& ticked);
    virtual void PostDrawGetStringAndSetAttributes(TBabCell* cell) { (void)cell; }
    // True when the bar's page is above 0 and below its maximum - 1.
    virtual bool DecideScrollVisible(const TScrollBar& bar) const;
    virtual int GetFullyVisibleColumns() const { return MainGrid()->VisibleColCount(); }
    virtual int GetWidthOffAxisContentItemForHeightCalculation(TAxisContentItem* column) {
        return column->UserSize();
    }
    // Opens the editor of the focused simple cell when it may change.
    virtual void StartEditing();
    // Commits; a commit from inside a commit does nothing.
    virtual void StopEditing();
    // Cancels: the cell keeps its string.
    virtual void BreakEditing();

    // Hooks of the editors: every key first (the rules may clear it), a change
    // of their value, the loss of their focus.
    void EditorKeyPress(char16_t& key, bool multiLine, TWinControl* editor);
    void EditorChanged(TWinControl* editor);
    void EditorFocusLost(TWinControl* editor);

    // Drawing pieces, public for the grid tree and printing.
    static uint32_t GetFlags(const TLayoutProp* layout);
    // A check box is ticked by "TRUE" in any case.
    static bool IsTrueText(const std::string& text);
    // The pen colour of the inner line of a 3-D frame: a quarter lighter per channel.
    static TColor Frame3DInnerColor(TColor color);
    void DrawCheckBox(TCanvas& canvas, const TRect& rect, bool ticked);
    void DrawSortingSymbol(TCanvas& canvas, bool upNotDown, const TRect& rect);
    TRect GetButtonDrawRect(TBabCell* cell);
    TPoint GetMiddleOfButton(TBabCell* cell);
    // The cell's edit rectangle: indented, without its button area.
    TRect GetEditRect(TBabCell* cell);
    // Sizes a column to its widest content (its current width when nothing measures).
    void HandleAutoSize(TBabCell* cell);

protected:
    void OffscreenPaint() override;
    void BoundsChanged(bool resized) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void DoEndDrag(TComponent* target, int x, int y) override;
    void KeyDown(uint16_t& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    TBabEditorType InternalGetEditorType(TBabCell* cell);
    // The editor's font: the layout's when it brings its own, else the view's.
    void CheckEditLayout(TBabCell* cell, TFont& font);

    // A cell's text and check box as drawn.
    struct TRenderAttributes {
        std::string Text;
        bool IsBoolean = false;
        bool Ticked = false;
    };
    TRenderAttributes SetRenderAttributes(TCanvas& canvas, TBabCell* cell, TBabDrawState state);
    // Splits the button and icon areas off a simple cell's rectangle; the text rectangle is left.
    TRect DivideTheRectIntoSections(TCanvas& canvas, TBabCell* cell, const TRect& rect, bool draw);
    bool HasInputFocus() const;
    // A cell's editor would be the check box.
    bool IsCheckBoxCell(TBabCell* cell) const;
    // Lets a subclass notice that host code it called freed the view.
    TqoAlive::TWatch WatchAlive() const { return fAlive.Watch(); }

private:
    friend class TBabSimpleCellStringData;

    void Construct();
    void WireRoot();
    void FirstGridInit();
    void UpdateViewParams();
    // Painting steps.
    void OnDrawBabCell(const TRect& rect, TBabCell* cell, TBabDrawState state);
    void DrawFixedCell(TCanvas& canvas, const TRect& rect, TBabCell* cell);
    void DrawSimpleCell(TCanvas& canvas, const TRect& rect, TBabCell* cell, TBabDrawState state);
    void DrawSimpleBackground(TCanvas& canvas, TBabCell* cell, TBabDrawState state);
    void DrawGridCell(TCanvas& canvas, const TRect& rect, TBabCell* cell, TBabDrawState state);
    void SelectLayoutFont(TCanvas& canvas, TLayoutProp* layout);
    void DoLines(TCanvas& canvas, TBabCell* cell, const TRect& textRect);
    void DefaultLines(TCanvas& canvas, TBabCell* cell);
    void LayoutPropertyLines(TCanvas& canvas, TBabCell* cell, const TRect& rect);
    void EnclosingSubGridLines(TCanvas& canvas, TBabCell* cell);
    void DrawFocusRect(TCanvas& canvas, const TRect& rect);
    void DrawButtonsAndLines(TCanvas& canvas);
    void DrawTreeLine(TCanvas& canvas, TBabCell* cell);
    void RenderButton(TCanvas& canvas, TBabCell* cell);
    // Layout callbacks of the root.
    void OnCellRectTampering(TBabGridCellForViewer* root, TBabCell* cell, TRect& rect);
    void OnScaleRect(TRect& rect);
    void OnMeasureHeight(TBabGridCellForViewer* root, TBabCell* cell, int& height);
    // Listeners of the root's events.
    void OnAxisChange(TSingleEventListener* listener);
    void OnTopLeftChangeEvent(TSingleEventListener* listener);
    void OnFocusedCellChange(TSingleEventListener* listener);
    void OnUserSize(TSingleEventListener* listener);
    void OnSelectionChange(TSingleEventListener* listener);
    void DeferredMakeVisible(void* data);
    // Scroll bars.
    void UpdateScrollbars();
    bool UpdateBar(TScrollbar_qo* bar, bool columns);
    void PlaceScrollbars();
    void OnHorzScroll(TComponent* sender, TScrollCode code, int& position);
    void OnVertScroll(TComponent* sender, TScrollCode code, int& position);
    void SetScrollbarPosition(TScrollbar_qo* bar, int v);
    // A position through the bar's own scroll handler, then onto the bar.
    void ScrollBarTo(TScrollbar_qo* bar, int position);
    int GetClosestUnHiddenLeftColumn(int column);
    // Mouse pieces.
    bool InResizeZone(int x, int y, bool& columns, TBabCell*& cell);
    bool InSortZone(TBabCell* cell, int x, int y);
    bool InButtonZone(TBabCell* cell, int x, int y);
    void SelectOnPress(TMouseButton button, TShiftState shift, TBabCell* cell, int x, int y);
    void PressOnControls(TMouseButton button, TShiftState shift, int x, int y, TBabCell* cell);
    void ToggleSort(TBabCell* header);
    // Editing steps.
    TBabCell* EditableFocusedCell();
    void StartEditor(TBabEditorType type, TBabCell* cell, bool toggle);
    void ShowEditor(TWinControl* editor, TBabCell* cell);
    void StartDateTimeEditor(TBabCell* cell);
    // What committing an editor would store.
    std::string EditorText(TWinControl* editor) const;
    void EndEdit();
    void StopEditors();
    void TakeFocusBack();
    void DeferredBreakEditing(void* data);
    // Keyboard steps.
    TBabDirection DirectionOfKey(uint16_t key, TShiftState& shift) const;
    void KeyNavigate(TBabDirection direction, TShiftState shift);
    void CharTyped(char16_t key);
    void TypeAhead(char16_t key);
    void DeferredNaviSearch(void* data);
    void DrawTrackLine(int x, int y);
    void FinishResize(int x, int y);
    void ApplyDeferredSelection(TShiftState shift);
    void SlowStart(int x, int y);
    void SlowStartFired(TComponent* sender);
    int MeasureCellWidth(TBabCell* cell);

    TPoint fSlowStartPoint;
    TTimer* fSlowStartTimer = nullptr;
    TPoint fLatestKnownMousePos;
    bool fToggleCheckBoxAndEndEdit = false;
    std::vector<TBabCell*> fCellsThatNeedButtonsAndLines;
    TImageList* fImageList = nullptr;
    bool fMouseUp_Selection = false;
    TBabCell* fMouseUp_Selection_Cell = nullptr;
    TShiftState fMouseUp_Selection_Shift = 0;
    bool fFocusRect_Grid = true;
    bool fFocusRect_Cell = true;
    bool fShowLinesTree = true;
    TCursor fCursorGrid = crDefault;
    std::unique_ptr<TBabGridCellForViewer> fBabGridCellForViewer;
    TScrollbar_qo* fHorz = nullptr;
    TScrollbar_qo* fVert = nullptr;
    bool fHijackVerticalScroll = false;
    bool fInLayout = false;
    bool fHardViewParamsOutOfDate = true;
    bool fSoftViewParamsOutOfDate = true;
    bool fEditing = false;
    TBabCell* fEditBabSimpleCell = nullptr;
    TBabInplaceEditor* fInplaceEditor = nullptr;
    TBabInplaceComboEditor* fInplaceComboEditor = nullptr;
    TBabInplaceMemoEditor* fInplaceMemoEditor = nullptr;
    TBabInplaceBoolEditor* fInplaceBooleanEditor = nullptr;
    TBabInplaceDateTimeEditor* fInplaceDateTimeEditor = nullptr;
    TWinControl* fCurrentEditor = nullptr;
    TBabEditorType fEditorChoise = babETEdit;
    bool fInsideStopEditing = false;
    bool fStartEditOnEnter = true;
    bool fStopEditOnFocusChange = true;
    bool fAllowKeyNavigation = true;
    bool fInplaceDateTimeClearStatesBetweenEdits = false;
    std::string fNaviString;
    int64_t fNaviStringEditTime = 0; // clock milliseconds of the last type-ahead key
    TMMode fMouseMoveMode = TMMode::mmNone;
    TPoint fMouseDownPoint;
    TBabCell* fMouseDownCell = nullptr;
    bool fDoFirstGridInit = false;
    TRect fOldTrack{-1, -1, -1, -1};
    TBabCell* fCurrentSortCol = nullptr;
    bool fCurrentSortUpNotDown = false;
    TLayoutProp fDefaultContentLayoutProperty;
    bool fAutoEditMode = false;
    TLayoutProp* fLastSeenLayoutProp = nullptr;
    TDragMode fDragModeOverride = dmManual;
    TGridBorderStyle fBorderStyle = gbsSingle;
    std::vector<std::unique_ptr<TSingleEventListener>> fListeners;
    TqoAlive fAlive;
};

// The view with its properties public: nothing to add in this build.
class TBabGridView : public TBabGridView_Custom {
public:
    using TBabGridView_Custom::TBabGridView_Custom;
};

} // namespace qo
