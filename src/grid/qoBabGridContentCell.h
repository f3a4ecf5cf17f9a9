#pragma once
// Cells of the grid content model and the data objects they own.
#include "grid/qoBabGridContentEvent.h"
#include "grid/qoBabGridContentTypes.h"
#include "platform/core/qoClassRef.h"

#include <memory>

namespace qo {

class TAxisContentItem;
class TBabCell;
class TBabGridCell;
class TBabGridCellForViewer;

// What the owner stores in a cell; the root's classes decide which subclass.
class TBabCellData : public TBabObject {
public:
    TBabCellData() = default;
    // Runs once after the cell has its axis items.
    virtual void InitContent() {}

    TBabCell* BabCell() const { return fBabCell; }
    void* UserReference() const { return fUserReference; }
    void SetUserReference(void* v) { fUserReference = v; }
    TAxisContentItem* AxisContentItemX() const;
    TAxisContentItem* AxisContentItemY() const;
    TBabCellType CellType() const;

private:
    friend class TBabCell;
    TBabCell* fBabCell = nullptr;
    void* fUserReference = nullptr;
};

class TBabSimpleCellData : public TBabCellData {};
class TBabGridCellData : public TBabCellData {};

using TBabCellDataClass = TqoClassRef<TBabCellData>;

// Minimum size of a cell that has no layout.
constexpr int DefaultCellMinSize = 20;

class TBabCell : public TBabObject {
public:
    explicit TBabCell(TBabGridCell* parent);
    ~TBabCell() override;
    TBabCell(const TBabCell&) = delete;
    TBabCell& operator=(const TBabCell&) = delete;

    virtual TBabCellType CellType() const { return babCellTypeSimple; }
    virtual int GetCalculatedHeight() { return fCurrentHeight; }
    virtual int GetCalculatedWidth() { return fCurrentWidth; }
    virtual bool GetSelected() const { return fSelected; }
    virtual void SetSelected(bool v);
    // The last drawn rectangle as the owner adjusts it.
    virtual TRect getVisibleRect();
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
    virtual void CalculateSizes();
    // The root of a viewer answers itself.
    virtual TBabGridCellForViewer* AsViewerRoot() { return nullptr; }

    int CalculatedHeight() { return GetCalculatedHeight(); }
    int CalculatedWidth() { return GetCalculatedWidth(); }
    bool Selected() const { return GetSelected(); }

    TBabGridCell* getGridCell() const { return fBabGridCell; }
    // The outermost grid, when it is a viewer's root.
    TBabGridCellForViewer* GetViewerGridCell() const;
    TAxisContentItem* AxisContentItemX() const { return fAxisContentItemX; }
    TAxisContentItem* AxisContentItemY() const { return fAxisContentItemY; }
    // True column and row indexes in the parent grid (-1 for the root).
    int ColumnIndex() const;
    int RowIndex() const;
    bool IsFixed() const;
    TEvent* CellChangeEvent() const { return fCellChangeEvent.get(); }
    TBabCellData* BabCellData() const { return fBabCellData.get(); }

    int CurrentHeight() const { return fCurrentHeight; }
    void SetCurrentHeight(int v) { fCurrentHeight = v; }
    int CurrentWidth() const { return fCurrentWidth; }
    void SetCurrentWidth(int v) { fCurrentWidth = v; }
    int MinHeight();
    void SetMinHeight(int v);
    int MinWidth() const;
    void SetMinWidth(int v);
    TLayoutProp* LayoutProp() const { return fLayoutProp; }
    void SetLayoutProp(TLayoutProp* v) { fLayoutProp = v; }

    bool IsGroupedCell() const { return fIsGroupedCell; }
    bool IsMasterGroupCell() const { return fIsMasterGroupCell; }
    TBabCell* GetGroupMaster();
    const TRect& VisibleRect_Untampered() const { return fLastDrawnRect; }

protected:
    // Takes the data object and ties it to this cell.
    void AdoptData(std::unique_ptr<TBabCellData> data);
    // The flag alone, reporting the change to the owner first.
    void StoreSelected(bool v);

private:
    friend class TBabGridCell;
    friend class TBabGridCellForViewer;

    bool fIsGroupedCell = false;
    bool fIsMasterGroupCell = false;
    TBabGridCell* fBabGridCell;
    TAxisContentItem* fAxisContentItemX = nullptr;
    TAxisContentItem* fAxisContentItemY = nullptr;
    std::unique_ptr<TEvent> fCellChangeEvent;
    int fCurrentHeight = 0;
    int fCurrentWidth = 0;
    bool fSelected = false;
    TRect fLastDrawnRect{-1, -1, -1, -1};
    std::unique_ptr<TBabCellData> fBabCellData;
    TLayoutProp* fLayoutProp = nullptr; // not owned
    bool fReEvalSize = true;
    int fCachedMinHeight = 0;
};

class TBabSimpleCell : public TBabCell {
public:
    using TBabCell::TBabCell;
};

} // namespace qo
