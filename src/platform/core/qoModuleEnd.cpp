#include "platform/core/qoModuleEnd.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace qo {

namespace {

struct TModuleEnd {
    std::mutex Mutex;
    std::vector<TModuleEndHandler> Handlers;
};

// Never destroyed: the handlers run while the process's statics are destroyed.
TModuleEnd& Ends() {
    static TModuleEnd* ends = new TModuleEnd;
    return *ends;
}

} // namespace

TModuleEndEntry::TModuleEndEntry(TModuleEndHandler handler) : fHandler(handler) {
    std::lock_guard lock(Ends().Mutex);
    Ends().Handlers.push_back(handler);
}

void EndModule() {
    std::vector<TModuleEndHandler> handlers;
    {
        std::lock_guard lock(Ends().Mutex);
        handlers = Ends().Handlers;
    }
    std::for_each(handlers.rbegin(), handlers.rend(), [](TModuleEndHandler handler) { handler(); });
}

} // namespace qo
