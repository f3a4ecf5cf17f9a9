#include "gantt/qoGantRowTimeIndex.h"

#include "data/qoDataEntityPack.h"
#include "gantt/qoTimeItem.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace qo {

namespace {

// The power-of-two class of a span in days; spans of zero share one class.
int SpanExponent(double span) {
    if (span <= 0) return std::numeric_limits<int>::min();
    int exponent = 0;
    std::frexp(span, &exponent);
    return exponent;
}

} // namespace

TGantRowTimeIndex::TLayer TGantRowTimeIndex::Build(TqoDataList* list) {
    TLayer layer;
    layer.List = list;
    layer.Count = list ? list->Count() : 0;
    if (!list) return layer;
    const bool partlyLoaded = list->LoadedCount() != layer.Count;
    std::map<int, TSpanClass> classes;
    for (int32_t i = 0; i < layer.Count; ++i) {
        const auto* item = partlyLoaded ? nullptr : dynamic_cast<const TqoDataEntity_GantTime*>(list->Items(i));
        const double a = item ? item->Start() : 0, b = item ? item->Stop() : 0;
        if (!item || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(b - a)) {
            layer.Always.push_back(i);
            continue;
        }
        const int exponent = SpanExponent(std::fabs(b - a));
        TSpanClass& c = classes[exponent];
        c.Reach = std::max(c.Reach, std::fabs(b - a));
        c.ByStart.push_back({std::min(a, b), i});
    }
    for (auto& [exponent, c] : classes) {
        std::sort(c.ByStart.begin(), c.ByStart.end(),
                  [](const TEntry& x, const TEntry& y) { return x.Start < y.Start; });
        layer.Classes.push_back(std::move(c));
    }
    return layer;
}

void TGantRowTimeIndex::CollectLayer(const TLayer& layer, TDateTime from, TDateTime to, std::vector<int32_t>& out) {
    out.assign(layer.Always.begin(), layer.Always.end());
    for (const TSpanClass& c : layer.Classes) {
        const auto first = std::lower_bound(c.ByStart.begin(), c.ByStart.end(), from - c.Reach,
                                            [](const TEntry& e, double t) { return e.Start < t; });
        for (auto e = first; e != c.ByStart.end() && e->Start <= to; ++e) out.push_back(e->Index);
    }
    std::sort(out.begin(), out.end());
}

void TGantRowTimeIndex::Collect(TqoDataList2lev& layers, int32_t firstLayer, TDateTime from, TDateTime to,
                                std::vector<TPosition>& out) {
    const int32_t n = layers.Count();
    if (n <= 0) return;
    fLayers.resize(size_t(n));
    std::vector<int32_t> indexes;
    const int32_t start = WrapLayer(firstLayer, n);
    for (int32_t k = 0; k < n; ++k) {
        const int32_t l = (start + k) % n;
        TqoDataList* list = layers.Member(l);
        TLayer& layer = fLayers[size_t(l)];
        if (layer.List != list || layer.Count != (list ? list->Count() : 0)) layer = Build(list);
        CollectLayer(layer, from, to, indexes);
        for (int32_t i : indexes) out.push_back({l, i});
    }
}

} // namespace qo
