// Runs the program's benchmarks and then prints each one's time as a ratio to
// the baseline of the same run (the benchmark whose name starts "Baseline"),
// so that figures compare across machines and loads.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            const std::string name = run.benchmark_name();
            const double t = run.GetAdjustedRealTime();
            if (name.rfind("Baseline", 0) == 0 && fBaseline <= 0) fBaseline = t;
            fResults.emplace_back(name, t);
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (fBaseline <= 0) return;
        std::printf("\n%-60s %12s\n", "benchmark", "x baseline");
        for (const auto& [name, t] : fResults) std::printf("%-60s %12.2f\n", name.c_str(), t / fBaseline);
    }

private:
    double fBaseline = 0;
    std::vector<std::pair<std::string, double>> fResults;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
