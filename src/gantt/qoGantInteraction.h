#pragma once
// How the chart area answers the mouse and the keyboard: selecting items,
// moving or copying the selection in time and across rows, resizing one item
// at either end, drawing a link between two items, scrolling while a drag
// nears an edge, and stepping between items with the keys. While a drag runs
// the chart is not repainted: inverted dotted outlines drawn straight on the
// window show it, and drawing them again gives the pixels back. The chart
// never moves items between rows, copies them or links them by itself: the
// host hears the wish and acts.
#include "data/qoDataEntityPack.h"
#include "platform/core/qoDateTime.h"
#include "platform/core/qoEvents.h"
#include "platform/core/qoGeometry.h"
#include "platform/core/qoInput.h"
#include "scale/qoOffscreenPaint.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace qo {

class TCanvas;
class TComponent;
class TGantRow;
class TGraphHintWindow;
class TqoDataEntity_GantTime;
class TqoGant_ComBasic;

enum TGantMouseMoveMode { mmNone = 0, mmMove = 1, mmCopy = 2, mmGrowLeft = 3, mmGrowRight = 4, mmDependency = 5 };
enum TGantStickyMode { smNone = 0, smDependency = 1 };

// A selected item and where it showed when its move began.
struct TDrawRect {
    TRect Rect;
    TqoDataEntity_GantTime* DataEntity = nullptr;
};

using TOnTimeRowEvent = TqoEvent<void(TComponent* sender, TqoDataEntity_GantTime* item, TGantRow* oldRow,
                                      TGantRow* newRow, TDateTime start, TDateTime stop)>;
using TOnDependencyAction = TqoEvent<void(TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to)>;
// The layer of the row that the keys step through.
using TOnKeyNavigateDataList = TqoEvent<int(TComponent* sender, TGantRow* row)>;

// In grid mode the chart cannot see the grid's focus by itself: the
// component fills these from its grid header. Without them the keys and the
// scrolling at the edges reach only the tree.
struct TGantGridNavigation {
    // The row of the grid's focused cell, or nil.
    std::function<TGantRow*()> FocusedRow;
    // Moves the grid's focus to the row above (up) or below from; the row it
    // reached, or nil when it has none.
    std::function<TGantRow*(TGantRow* from, bool up)> StepRow;
    // Scrolls the grid one row up or down.
    std::function<void(bool up)> ScrollRow;
};

class TGantInteraction {
public:
    explicit TGantInteraction(TqoGant_ComBasic& gant);
    ~TGantInteraction();
    TGantInteraction(const TGantInteraction&) = delete;
    TGantInteraction& operator=(const TGantInteraction&) = delete;

    // ---- Input of the chart area ----
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void KeyDown(uint16_t key, TShiftState shift);
    // Ends the drag the current press started; its outline goes.
    void MouseMoveModeCancel();
    // The press lost the mouse (focus or capture went elsewhere).
    void CaptureLost();
    // The chart was drawn afresh: an outline on screen is drawn into it again.
    void Painted();
    // An item that goes away is let go wherever the drag holds it.
    void Forget(TqoDataEntity* item);
    // Rows came, went, opened or closed: a drag under way ends.
    void RowsChanged();
    // Start, stop and length of a time item, one a line.
    void HintWantsNewText(TGraphHintWindow* hint, TqoExposable* object);

    TGantMouseMoveMode Mode() const { return fMode; }
    TGantStickyMode StickyMode() const { return fStickyMode; }
    void SetStickyMode(TGantStickyMode mode) { fStickyMode = mode; }
    bool MouseIsDown() const { return fMouseDown; }
    bool DeferedSelection() const { return fDeferedSelection; }
    // The last release's distance from its press.
    TPoint LastMouseUpPos() const { return fLastMouseUpPos; }
    TPoint GantMousePosition() const { return fGantMousePosition; }
    const std::vector<TDrawRect>& MoveSnapShot() const { return fSnapShot; }
    TGantGridNavigation GridNavigation;

    // ---- Neighbours for the keys ----
    // The visible item of list whose middle is nearest to item's (or to the
    // middle of the window); the first one on ties.
    TqoDataEntity_GantTime* FindNeighbourClosest(TqoDataList* list, TqoDataEntity_GantTime* item);
    // The next visible item to the right or to the left of item (or from the
    // far ends of time without one).
    TqoDataEntity_GantTime* FindNeighbourToRightLeft(TqoDataList* list, TqoDataEntity_GantTime* item,
                                                     bool toRight);
    // Moves the header's current row one up or down and finds the closest
    // item of that row's layer.
    TqoDataEntity_GantTime* FindNeighbourToUpDown(int layer, TqoDataEntity_GantTime* item, bool up);

private:
    static std::vector<TqoDataEntity*> Held(TqoDataEntity* item);
    // ---- Press, move, release (qoGantMouse) ----
    TqoDataEntity_GantTime* DoProximityCheck(TqoDataEntity_GantTime* item, int x, int y);
    bool InGrowArea(TqoDataEntity_GantTime* item, int x, int y, bool& left);
    void StartMode(TqoDataEntity_GantTime* item, TShiftState shift, int x, int y);
    void UpdateMultiSelect(TqoDataEntity_GantTime* item, TShiftState shift, bool onPress);
    void ApplySelection(TqoDataEntity_GantTime* item, TShiftState shift);
    TCursor IdleCursor(int x, int y, TCursor cursor);
    void DropMode(TGantMouseMoveMode mode, int x, int y, TGantRow* row);
    void StartPlatformDrag();
    void EndAutoScroll();
    TGantRow* RowUnderPress(int y);
    // The host's hint hears of the item, or of nothing.
    void HintFor(TqoDataEntity_GantTime* item);

    // ---- Outlines (qoGantOutline) ----
    void DrawOutline(TCanvas& canvas, const TRect& rect);
    void DrawOutlineOfSelected(TCanvas& canvas, TPoint offset);
    void DrawOutlineOfDependencyArrow(TCanvas& canvas, TPoint offset);
    // Draws the current outline once more: on screen it goes, off it comes.
    void ToggleOutline(TCanvas& canvas);
    void EraseOutline();
    void ShowOutline();
    void HintOutline(const TRect& rect);
    void HandleLocalDrag(int x, int y, bool canMove, bool canChangeRow);
    void HandleLocalGrow(int x, int y);
    void HandleLocalDependency(int x, int y);

    // ---- Drops and scrolling (qoGantDragMove) ----
    void CreateScrollableMoveSnapShot();
    void HandleMoveOfSelected(TPoint drop, TPoint offset, bool copy);
    void MoveOne(const TDrawRect& entry, TDateTime delta, TPoint offset, bool copy);
    void HandleGrow(TPoint offset, bool left);
    void HandleDependencyChange(int x, int y);
    void DoScaleStartStopAdjust(int x);
    void DoGridTopBotAdjust(int y);
    void ScrollTimerTick(TComponent* sender);

    // ---- Keys (qoGantKeys) ----
    TqoDataList* NavigationList(TGantRow* row, int& layer);
    TqoDataEntity_GantTime* FindForKey(uint16_t key, TqoDataList* list, int layer, TqoDataEntity_GantTime* from);
    void LocalSelect(TqoDataEntity_GantTime* item, TShiftState shift, bool toggle);
    TGantRow* HeaderRow();
    TGantRow* StepHeaderRow(TGantRow* from, bool up);

    TqoGant_ComBasic& fGant;
    bool fMouseDown = false;
    bool fMouseMoveModeCancelWasCalled = false;
    TGantMouseMoveMode fMode = mmNone;
    TGantStickyMode fStickyMode = smNone;
    TPoint fMouseDownStart;
    TPoint fMouseDownOffset;
    bool fEraseOutline = false;
    TRect fOrgRect;
    TRect fRect;
    TqoDataEntity_GantTime* fEntity = nullptr;
    bool fDeferedSelection = false;
    bool fOnlyResizeRightDueToProximity = false;
    TPoint fLastMouseUpPos;
    TDateTime fMouseDownDateTime = 0;
    TPoint fGantMousePosition;
    TScrollDirection fScrollDir = tsdUp;
    std::vector<TDrawRect> fSnapShot;
    // The snapshot a drop is working through, while host code runs.
    std::vector<TDrawRect> fDropping;
};

} // namespace qo
