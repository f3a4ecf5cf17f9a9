#pragma once
// Google Benchmark is packaged for the build machine only, not for mingw-w64:
// the Windows build of the benchmark programs gets this stand-in with the part
// of its interface that they use (State's loop, DoNotOptimize, BENCHMARK).
// qoBenchRunWindows.cpp runs each one for about half a second and prints its
// time and its ratio to the baseline of its group, as qoBenchMain.cpp does.
#include <cstdint>

namespace benchmark {

class State {
public:
    explicit State(int64_t iterations) : fIterations(iterations) {}
    // Not trivial, so that the loop's unused variable draws no warning.
    struct Value {
        ~Value() {}
    };
    struct Iterator {
        int64_t Left;
        bool operator!=(const Iterator& other) const { return Left != other.Left; }
        void operator++() { --Left; }
        Value operator*() const { return {}; }
    };
    Iterator begin() { return {fIterations}; }
    Iterator end() { return {0}; }

private:
    int64_t fIterations;
};

template <class T> void DoNotOptimize(T&& value) { asm volatile("" : : "g"(value) : "memory"); }

using TFunction = void (*)(State&);
// Adds a benchmark to the program's list, in the order of the source.
int Register(const char* name, TFunction function);

} // namespace benchmark

#define BENCHMARK(function) [[maybe_unused]] static const int function##_registered = ::benchmark::Register(#function, function)
