#include "platform/window/qoClock.h"

#include "platform/window/qoBackend.h"

#include <chrono>

namespace qo {

int64_t TRealClock::Milliseconds() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t GetTickCount() { return Backend().Clock().Milliseconds(); }

bool QueryPerformanceCounter(int64_t& count) {
    count = std::chrono::steady_clock::now().time_since_epoch().count();
    return true;
}

bool QueryPerformanceFrequency(int64_t& frequency) {
    using period = std::chrono::steady_clock::period;
    frequency = period::den / period::num;
    return true;
}

} // namespace qo
