// Gantt printing: the checks, the pages and the host's device contexts.
#include "gantt/qoPrintGantt.h"

#include "gantt/qoGant.h"
#include "gantt/qoGantGridPrinting.h"
#include "grid/qoGridTree.h"
#include "platform/core/qoErrors.h"

#include <map>
#include <unordered_set>
#include <utility>

namespace qo {

namespace {
// The limits' state of one print is its own, but a second print from inside
// the first (from its page handler) would change the chart under it.
bool gPrinting = false;

struct TNoNesting {
    TNoNesting() {
        if (gPrinting) throw EqoError("A chart is printing already: a print cannot start inside another");
        gPrinting = true;
    }
    ~TNoNesting() { gPrinting = false; }
    TNoNesting(const TNoNesting&) = delete;
    TNoNesting& operator=(const TNoNesting&) = delete;
};

// The measuring context of pages that are only laid out, owned by the chart
// so that a host that frees the chart while it prints frees it too.
class TMeasureBox : public TComponent {
public:
    TMeasureBox(TComponent* owner, TqoDC& like) : TComponent(owner) {
        Bitmap.Handle().SetResolution(like.GetDeviceCaps(LOGPIXELSX), like.GetDeviceCaps(LOGPIXELSY));
    }
    TBitmap Bitmap{1, 1};
    TqoAlive Alive;
};

// What a print sets up around its pages and takes down after them.
class TPrintScope {
public:
    TPrintScope(TqoGant_ComBasic& gant, TqoDC& dc)
        : fGant(gant), fBox(new TMeasureBox(&gant, dc)), fAlive(fBox->Alive.Watch()),
          fHandle(TqoPrintGantt::RegisterDC([&dc] { return &dc; })), fHostHandle(gant.HdcToUseOnNewPage()) {
        gant.SetHdcToUseOnNewPage(fHandle);
    }
    ~TPrintScope() {
        TqoPrintGantt::UnregisterDC(fHandle);
        if (!fAlive) return;
        fGant.SetHdcToUseOnNewPage(fHostHandle);
        delete fBox;
    }
    TPrintScope(const TPrintScope&) = delete;
    TPrintScope& operator=(const TPrintScope&) = delete;
    TqoDC& Measure() { return fBox->Bitmap.Handle(); }
    bool Alive() const { return bool(fAlive); }

private:
    TqoGant_ComBasic& fGant;
    TMeasureBox* fBox;
    TqoAlive::TWatch fAlive;
    int fHandle;
    // The host's own value comes back: the print's handle means nothing after it.
    int fHostHandle;
};

// Rows expanded for the pages, collapsed again after them.
class TExpandScope {
public:
    TExpandScope(TqoGant_ComBasic& gant, bool useGrid, bool expandAll) : fGant(gant), fExpandAll(expandAll) {
        TqoPrintGantt::Expand(gant, useGrid, expandAll, fList);
    }
    ~TExpandScope() { Collapse(); }
    TExpandScope(const TExpandScope&) = delete;
    TExpandScope& operator=(const TExpandScope&) = delete;
    // The chart is gone: nothing to collapse.
    void Dismiss() { fDismissed = true; }
    void Collapse() {
        if (!std::exchange(fDismissed, true)) TqoPrintGantt::Collapse(fGant, fExpandAll, fList);
    }

private:
    TqoGant_ComBasic& fGant;
    bool fExpandAll;
    bool fDismissed = false;
    TqoPrintGantt::TExpandedList fList;
};

std::map<int, std::function<TqoDC*()>>& DCs() {
    static std::map<int, std::function<TqoDC*()>> dcs;
    return dcs;
}

// Visits the nodes that head rows until found says so, by address only: a node the host freed meanwhile
// must not be read, and it is no longer among them.
bool ForEachRowNode(TqoGant_ComBasic& gant, const std::function<bool(const TqoDataEntity*)>& found) {
    TGantRowList* rows = gant.RowList();
    for (int32_t i = 0; rows && i < rows->Count(); ++i) {
        const TGantRow* row = rows->GetGantRow(i);
        const TqoDataEntity* tree = row->TreeNode();
        const TqoDataEntity* grid = row->GridTreeNode();
        if ((tree && found(tree)) || (grid && found(grid))) return true;
    }
    return false;
}

bool HasRow(TqoGant_ComBasic& gant, const TqoDataEntity* node) {
    return ForEachRowNode(gant, [node](const TqoDataEntity* n) { return n == node; });
}

// The same, without a walk over the rows while none went since seenAt.
bool StillHasRow(TqoGant_ComBasic& gant, const TqoDataEntity* node, uint32_t seenAt) {
    TGantRowList* rows = gant.RowList();
    if (rows && rows->Removals() == seenAt) return rows->FindRowFromUntypedNode(node);
    return HasRow(gant, node);
}

uint32_t RemovalsNow(TqoGant_ComBasic& gant) { return gant.RowList() ? gant.RowList()->Removals() : 0; }

bool PageLimit(int v) { return v == -1 || v > 0; }
} // namespace

TqoGantPrintResult TqoPrintGantt::Print(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args,
                                        TqoDataEntity_Tree* start) {
    return InternalPrint(gant, args, false, start);
}

TqoGantPrintResult TqoPrintGantt::PrintWithGrid(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args,
                                                TqoDataEntity_GridTreeNode* start) {
    return InternalPrint(gant, args, true, start);
}

void TqoPrintGantt::CheckArgs(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, bool useGrid,
                              TqoDataEntity* start) {
    args.Check();
    if (!(args.StopDate > args.StartDate)) throw EqoError("The printed time must end after it starts");
    if (args.ScaleLength <= 0 || args.ScaleHeight < 0 || args.TreeWidth < 0)
        throw EqoError("The printed scaler needs a length, and no size may be negative");
    if (!PageLimit(args.Limits.Right) || !PageLimit(args.Limits.Bottom))
        throw EqoError("A page limit is positive, or -1 for none");
    if (useGrid && !(gant.Grid() && gant.Grid()->Printing())) throw EqoError("The chart has no grid that prints");
    if (start && !HasRow(gant, start)) throw EqoError("The start row is not a row of this chart");
}

TqoGantPrintResult TqoPrintGantt::InternalPrint(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, bool useGrid,
                                                TqoDataEntity* start) {
    CheckArgs(gant, args, useGrid, start);
    TNoNesting once;
    TPrintScope scope(gant, *args.DC);
    const TqoGantPrintResult result =
        PrintPages(gant, args, useGrid, start, scope.Measure(), [&scope] { return scope.Alive(); });
    // The grid's listeners hear of its scroll position, which printing moved and put back.
    if (useGrid && scope.Alive()) {
        gant.Grid()->Printing()->AnnounceTopLeft();
        gant.InvalidateGA();
    }
    return result;
}

TqoGantPrintResult TqoPrintGantt::PrintPages(TqoGant_ComBasic& gant, const TqoGantPrintArgs& args, bool useGrid,
                                             TqoDataEntity* start, TqoDC& measure,
                                             const std::function<bool()>& alive) {
    TqoGantPrintResult result;
    // The chart area shows the rows the header prints.
    TExpandScope expanded(gant, useGrid, args.ExpandAll);
    if (!gant.OnPrintToHdcNewPage) {
        TPage page{args.Limits.Right, args.Limits.Bottom};
        const TqoPrintResult printed = InternalPrintLoop(gant, *args.DC, args, useGrid, start, args.RowsToPrint, page);
        result = {printed.UsedWidth, printed.UsedHeight, printed.RowsPrinted, 1};
        expanded.Collapse();
        page.Tell(args.Limits.Callback);
        return result;
    }
    int rows = args.RowsToPrint;
    // The start row was checked by address; every later start is reported by the header.
    uint32_t seenAt = RemovalsNow(gant);
    for (int number = 1;; ++number) {
        int height = -1, width = -1;
        bool goAhead = true, render = true;
        gant.OnPrintToHdcNewPage(&gant, number, height, width, goAhead, render);
        if (!alive()) {
            expanded.Dismiss();
            break;
        }
        if (!goAhead) break;
        if (!PageLimit(height) || !PageLimit(width)) throw EqoError("A page's size is positive, or -1 for no limit");
        TqoDC* dc = render ? FindDC(gant.HdcToUseOnNewPage()) : &measure;
        if (!dc) throw EqoError("HdcToUseOnNewPage names no device context");
        if (start && !StillHasRow(gant, start, seenAt)) throw EqoError("The chart's rows changed while it printed");
        seenAt = RemovalsNow(gant);
        TPage page{width, height};
        const TqoPrintResult printed = InternalPrintLoop(gant, *dc, args, useGrid, start, rows, page);
        result.UsedWidth = printed.UsedWidth;
        result.UsedHeight = printed.UsedHeight;
        ++result.Pages;
        if (render) {
            result.RowsPrinted += printed.RowsPrinted;
            if (rows >= 0) rows = std::max(0, rows - printed.RowsPrinted);
        }
        TqoDataEntity* next = page.BottomReached ? NextStart(useGrid, page.BottomData) : nullptr;
        // Every page moves on by a row at least, so the pages end.
        if (!next || next == start) break;
        start = next;
    }
    return result;
}

TqoDataEntity* TqoPrintGantt::NextStart(bool useGrid, void* reported) {
    if (!useGrid) return static_cast<TqoDataEntity_Tree*>(reported);
    auto* node = static_cast<TqoDataEntity_GridTreeNode*>(reported);
    return node ? node->GetNextVisible() : nullptr;
}

void TqoPrintGantt::Expand(TqoGant_ComBasic& gant, bool useGrid, bool expandAll, TExpandedList& list) {
    TGantRowList* rows = gant.RowList();
    if (!expandAll || !rows) return;
    for (int32_t i = 0; i < rows->Count(); ++i) {
        TGantRow* row = rows->GetGantRow(i);
        if (!row) continue;
        if (TqoDataEntity_GridTreeNode* node = useGrid ? row->GridTreeNode() : nullptr;
            node && !node->Expanded() && node->HasChildren()) {
            list.push_back(node);
            node->SetExpanded(true);
        }
        if (TqoDataEntity_Tree* node = useGrid ? nullptr : row->TreeNode();
            node && !node->Expanded() && node->SubDataList() && node->SubDataList()->Count() > 0) {
            list.push_back(node);
            node->SetExpanded(true);
        }
    }
}

void TqoPrintGantt::Collapse(TqoGant_ComBasic& gant, bool expandAll, TExpandedList& list) {
    if (!expandAll) return;
    // A node the host deleted meanwhile has no row any more and is left alone.
    std::unordered_set<const TqoDataEntity*> live;
    ForEachRowNode(gant, [&live](const TqoDataEntity* n) {
        live.insert(n);
        return false;
    });
    for (TqoDataEntity* node : list) {
        if (!live.count(node)) continue;
        if (auto* tree = dynamic_cast<TqoDataEntity_Tree*>(node)) tree->SetExpanded(false);
        if (auto* grid = dynamic_cast<TqoDataEntity_GridTreeNode*>(node)) grid->SetExpanded(false);
    }
    list.clear();
}

int TqoPrintGantt::RegisterDC(std::function<TqoDC*()> source) {
    auto& dcs = DCs();
    const int handle = dcs.empty() ? 1 : dcs.rbegin()->first + 1;
    dcs[handle] = std::move(source);
    return handle;
}

void TqoPrintGantt::UnregisterDC(int handle) { DCs().erase(handle); }

TqoDC* TqoPrintGantt::FindDC(int handle) {
    const auto it = DCs().find(handle);
    return it == DCs().end() ? nullptr : it->second();
}

} // namespace qo
