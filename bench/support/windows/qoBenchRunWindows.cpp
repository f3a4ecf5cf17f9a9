// The runner of the Windows stand-in for Google Benchmark (see
// windows/benchmark/benchmark.h): each benchmark grows its iteration count until
// a run takes half a second, and its time per iteration is printed beside its
// ratio to the baseline of its group (a "Baseline..." benchmark and those
// after it), measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace benchmark {

namespace {

struct TEntry {
    std::string Name;
    TFunction Function;
};

std::vector<TEntry>& Entries() {
    static std::vector<TEntry> entries;
    return entries;
}

double SecondsOf(TFunction function, int64_t iterations) {
    const auto start = std::chrono::steady_clock::now();
    State state(iterations);
    function(state);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double NanosecondsPerIteration(TFunction function) {
    int64_t iterations = 1;
    double seconds = SecondsOf(function, iterations);
    while (seconds < 0.5 && iterations < (int64_t(1) << 40)) {
        iterations *= seconds < 0.05 ? 10 : 2;
        seconds = SecondsOf(function, iterations);
    }
    return seconds * 1e9 / double(iterations);
}

} // namespace

int Register(const char* name, TFunction function) {
    Entries().push_back({name, function});
    return 0;
}

} // namespace benchmark

int main() {
    std::printf("%-40s %14s %10s  %s\n", "benchmark", "ns/iteration", "x baseline", "baseline of the group");
    std::string baseline;
    double baselineTime = 0;
    for (const auto& [name, function] : benchmark::Entries()) {
        const double time = benchmark::NanosecondsPerIteration(function);
        if (name.rfind("Baseline", 0) == 0) {
            baseline = name;
            baselineTime = time;
        }
        if (baseline.empty())
            std::printf("%-40s %14.0f %10s  no baseline before it in this run\n", name.c_str(), time, "-");
        else
            std::printf("%-40s %14.0f %10.2f  %s\n", name.c_str(), time, time / baselineTime, baseline.c_str());
    }
    return 0;
}
