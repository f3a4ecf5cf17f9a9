#pragma once
// Time for timers and double clicks: real time in an application, a virtual
// clock in tests, which moves only when a test advances it.
#include <atomic>
#include <cstdint>

namespace qo {

class TClock {
public:
    virtual ~TClock() = default;
    virtual int64_t Milliseconds() const = 0;
};

class TRealClock : public TClock {
public:
    int64_t Milliseconds() const override;
};

class TVirtualClock : public TClock {
public:
    int64_t Milliseconds() const override { return fNow; }
    void Advance(int64_t ms) { fNow += ms; }
    void Set(int64_t ms) { fNow = ms; }

private:
    std::atomic<int64_t> fNow{1000};
};

// Milliseconds on the current backend's clock.
int64_t GetTickCount();
// A high-resolution real-time counter for measuring, whatever the backend.
bool QueryPerformanceCounter(int64_t& count);
bool QueryPerformanceFrequency(int64_t& frequency);

} // namespace qo
