#pragma once
// The chart's links by the band of rows and the span of time they cover, so
// that a paint looks only at the links that may reach the visible rows and the
// visible window, a link between far rows that crosses the view among them.
// It is built on first use and dropped whenever links, their items' times or
// rows, or the rows' order change. Scrolling moves every band alike and keeps
// it: one link's band tells by how much.
#include "platform/core/qoDateTime.h"

#include <cstdint>
#include <vector>

namespace qo {

class IGantRowSource;
class TqoDataList;
class TqoDataEntity_Link;

class TGantLinkIndex {
public:
    // The links of the list whose rows' bands meet [top, bottom) (the row
    // source's coordinates) and whose span between the owner's stop and the
    // target's start meets [from, to], in list order. A link whose ends or rows
    // are missing or hidden is never listed.
    void Collect(TqoDataList& links, IGantRowSource& rows, int top, int bottom, TDateTime from, TDateTime to,
                 std::vector<TqoDataEntity_Link*>& out);
    void Clear();
    // The widest pen among the links listed when last built.
    int WidestPen() const { return fWidestPen; }

private:
    struct TEntry {
        int Top, Bottom;
        double OwnerStop, TargetStart;
        int32_t Position;
        TqoDataEntity_Link* Link;
    };
    // Links whose bands share a power of two of height, by top: a query need
    // look up only that far.
    struct TSpanClass {
        int Reach = 0;
        std::vector<TEntry> ByTop;
    };
    void Build(TqoDataList& links, IGantRowSource& rows);
    // How far the bands moved since the build; false when the anchor no
    // longer tells (the index is then rebuilt).
    bool Shift(IGantRowSource& rows, int& shift) const;

    bool fBuilt = false;
    const TqoDataList* fList = nullptr;
    const IGantRowSource* fSource = nullptr;
    int32_t fCount = 0;
    std::vector<TSpanClass> fClasses;
    // The owner end of one indexed link, with its band when built.
    TqoDataEntity_Link* fAnchor = nullptr;
    int fAnchorTop = 0, fAnchorHeight = 0;
    int fWidestPen = 0;
};

} // namespace qo
