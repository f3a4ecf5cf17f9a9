// A library of its own holding the deferred-call queue, for the test that
// unloads it with a call still queued.
#include "data/qoDoLater.h"

namespace {

struct TForward {
    void (*Report)() = nullptr;
    void Run(void*) { Report(); }
};

TForward gForward;

} // namespace

extern "C" __attribute__((visibility("default"))) void QueueDeferredCall(void (*report)()) {
    gForward.Report = report;
    qo::TDoLater::DoLater(qo::DoLaterMethod<&TForward::Run>(&gForward), nullptr);
}
