#pragma once
// The items of a row's layers ordered by time, so that a paint finds the few
// items of a long row that meet the visible window without looking at the
// others. It is built on first use and dropped when the row's items change;
// a layer whose size or identity differs from when it was built is rebuilt.
#include "platform/core/qoDateTime.h"

#include <cstdint>
#include <vector>

namespace qo {

class TqoDataList;
class TqoDataList2lev;

class TGantRowTimeIndex {
public:
    // Positions (layer, index) of the items whose time range may meet
    // [from, to], the layers from firstLayer on (wrapping round), each layer in
    // list order. An item is listed at most once; the caller tests each one.
    struct TPosition {
        int32_t Layer, Index;
    };
    void Collect(TqoDataList2lev& layers, int32_t firstLayer, TDateTime from, TDateTime to,
                 std::vector<TPosition>& out);
    void Clear() { fLayers.clear(); }
    // The layer a draw starting at firstLayer begins with, of count > 0 layers.
    static int32_t WrapLayer(int32_t firstLayer, int32_t count) { return ((firstLayer % count) + count) % count; }

private:
    // Items whose spans share a power of two, by start: a window need look
    // back only that far.
    struct TEntry {
        double Start;
        int32_t Index;
    };
    struct TSpanClass {
        double Reach = 0;
        std::vector<TEntry> ByStart;
    };
    struct TLayer {
        TqoDataList* List = nullptr;
        int32_t Count = 0;
        std::vector<TSpanClass> Classes;
        // Items without a usable time, and every item of a partly loaded
        // layer: always looked at.
        std::vector<int32_t> Always;
    };
    static TLayer Build(TqoDataList* list);
    static void CollectLayer(const TLayer& layer, TDateTime from, TDateTime to, std::vector<int32_t>& out);
    std::vector<TLayer> fLayers;
};

} // namespace qo
