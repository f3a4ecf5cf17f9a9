// Late-bound calls through IDispatch::Invoke against the same member called
// through its vtable slot. Each topic has its own baseline; run one topic to
// get its ratios directly: `qo-bench-dispatch --benchmark_filter=Get`,
// `--benchmark_filter=Method` or `--benchmark_filter=Entity`.
#include "data/qoDataEntityPack.h"
#include "qoComTestSupport.h"
#include "qoSampleObject.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qo;
using test::TqoSample;

constexpr DISPID kNumber = 1;
constexpr DISPID kPlace = 10;

class TSample {
public:
    TSample() { fObject->ObjAddRef(); }
    TSample(const TSample&) = delete;
    TSample& operator=(const TSample&) = delete;
    ~TSample() { fObject->ObjRelease(); }
    ISample2* Intf() { return fObject->Intf(); }

private:
    TqoSample* fObject = new TqoSample();
};

void InvokeEach(benchmark::State& state, DISPID id, WORD flags, std::vector<TqoVariant> args,
                std::vector<DISPID> names = {}) {
    TSample sample;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), names.data(), UINT(reversed.size()), UINT(names.size())};
    for (auto _ : state) {
        TqoVariant result;
        HRESULT hr = sample.Intf()->Invoke(id, IID_NULL, 0, flags, &params, &result, nullptr, nullptr);
        benchmark::DoNotOptimize(hr);
        benchmark::DoNotOptimize(result.lVal);
    }
}

// ---- Property get ----

void Baseline_GetDirect(benchmark::State& state) {
    TSample sample;
    for (auto _ : state) {
        LONG n = 0;
        benchmark::DoNotOptimize(sample.Intf()->get_Number(&n));
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(Baseline_GetDirect);

void GetInvoke(benchmark::State& state) {
    InvokeEach(state, kNumber, DISPATCH_PROPERTYGET, {});
}
BENCHMARK(GetInvoke);

// ---- Method of three arguments ----

void Baseline_MethodDirect(benchmark::State& state) {
    TSample sample;
    LONG row = 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(row);
        benchmark::DoNotOptimize(sample.Intf()->Place(row, 45000.5, 1.25));
    }
}
BENCHMARK(Baseline_MethodDirect);

void MethodInvokeDeclaredTypes(benchmark::State& state) {
    InvokeEach(state, kPlace, DISPATCH_METHOD,
               {TqoVariant(LONG(3)), TqoVariant(45000.5, VT_DATE), TqoVariant(1.25)});
}
BENCHMARK(MethodInvokeDeclaredTypes);

// What a script sends: every number as a double or a short.
void MethodInvokeCoerced(benchmark::State& state) {
    TqoVariant row;
    row.vt = VT_I2;
    row.iVal = 3;
    InvokeEach(state, kPlace, DISPATCH_METHOD, {row, TqoVariant(45000.5), TqoVariant(LONG(1))});
}
BENCHMARK(MethodInvokeCoerced);

// ---- A data entity's property: the C++ member, its interface slot through
// the generated forwarding base, and Invoke by DISPID ----

constexpr DISPID kVisible = 6;

class TEntityInList {
public:
    TEntityInList() {
        fList->AfterCreate(&fController, TqoDataEntityClass::Of<TqoDataEntity>());
        fEntity = fList->Add();
    }
    TEntityInList(const TEntityInList&) = delete;
    TEntityInList& operator=(const TEntityInList&) = delete;
    ~TEntityInList() { fList->FreeWheneverPossible(); }
    TqoDataEntity& Entity() { return *fEntity; }
    IqoDataEntity* Intf() { return fEntity->AutoIntf(); }

private:
    TqoListController fController;
    TqoDataList* fList = new TqoDataList;
    TqoDataEntity* fEntity = nullptr;
};

void Baseline_EntityGetDirect(benchmark::State& state) {
    TEntityInList data;
    TqoDataEntity* entity = &data.Entity();
    for (auto _ : state) {
        benchmark::DoNotOptimize(entity);
        benchmark::DoNotOptimize(entity->GetVisible());
    }
}
BENCHMARK(Baseline_EntityGetDirect);

void EntityGetSlot(benchmark::State& state) {
    TEntityInList data;
    for (auto _ : state) {
        VARIANT_BOOL visible = VARIANT_FALSE;
        benchmark::DoNotOptimize(data.Intf()->get_Visible(&visible));
        benchmark::DoNotOptimize(visible);
    }
}
BENCHMARK(EntityGetSlot);

void EntityGetInvoke(benchmark::State& state) {
    TEntityInList data;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    for (auto _ : state) {
        TqoVariant result;
        HRESULT hr = data.Intf()->Invoke(kVisible, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                         nullptr);
        benchmark::DoNotOptimize(hr);
        benchmark::DoNotOptimize(result.boolVal);
    }
}
BENCHMARK(EntityGetInvoke);

} // namespace
