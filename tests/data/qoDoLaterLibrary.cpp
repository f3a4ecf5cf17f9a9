// A library of its own holding the deferred-call queue, for the tests that
// unload it with a call still queued (and on Windows load it again).
#include "data/qoDoLater.h"

#include <cstdint>

#ifdef _WIN32
#define QO_TEST_EXPORT extern "C" __declspec(dllexport)
#else
#define QO_TEST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

struct TForward {
    void (*Report)() = nullptr;
    void Run(void*) { Report(); }
};

TForward gForward;

} // namespace

QO_TEST_EXPORT void QueueDeferredCall(void (*report)()) {
    gForward.Report = report;
    qo::TDoLater::DoLater(qo::DoLaterMethod<&TForward::Run>(&gForward), nullptr);
}

QO_TEST_EXPORT uintptr_t DeferredCallWindow() { return qo::TDoLater::Window(); }
