// Runs the program's benchmarks and then prints each one's time as a ratio to
// the baseline of its own group, measured in the same run, so that figures
// compare across machines and loads. A group starts at a benchmark whose name
// starts with "Baseline" and runs to the next one. Benchmarks named "Memory..."
// measure sizes: they get no time ratio, and their counters are printed as sizes.
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
            TRow row{run.benchmark_name(), run.GetAdjustedRealTime(), {}, 0, run.counters};
            if (StartsWith(row.Name, "Baseline")) fBaseline = {row.Name, row.Time};
            row.Baseline = fBaseline.first;
            row.BaselineTime = fBaseline.second;
            fRows.push_back(std::move(row));
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-56s %10s  %s\n", "benchmark", "x baseline", "baseline of the group");
        for (const TRow& row : fRows) PrintRow(row);
    }

private:
    struct TRow {
        std::string Name;
        double Time;
        std::string Baseline; // empty before the program's first baseline
        double BaselineTime;
        benchmark::UserCounters Counters;
    };

    static bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

    static void PrintRow(const TRow& row) {
        if (StartsWith(row.Name, "Memory")) {
            std::printf("%-56s %10s  a size, not a time:", row.Name.c_str(), "-");
            for (const auto& [name, counter] : row.Counters) std::printf(" %s %.6g", name.c_str(), counter.value);
            std::printf("\n");
        } else if (row.Baseline.empty() || row.BaselineTime <= 0) {
            std::printf("%-56s %10s  no baseline before it in this run\n", row.Name.c_str(), "-");
        } else {
            std::printf("%-56s %10.2f  %s\n", row.Name.c_str(), row.Time / row.BaselineTime, row.Baseline.c_str());
        }
    }

    std::pair<std::string, double> fBaseline{"", 0};
    std::vector<TRow> fRows;
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
