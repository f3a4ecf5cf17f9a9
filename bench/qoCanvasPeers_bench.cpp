// Our canvas beside cairo's image surface and QPainter on a QImage, with and
// without antialiasing: the same workloads on a 1920 x 1080 surface in one
// process, each time printed as a ratio ours/peer (and the fill against a
// plain memset, the floor). Built only where cairo and Qt 6 are installed.
#include "peers/qoPeerPainter.h"

#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <vector>

namespace {

using namespace qo::peers;

// Everything the workloads draw, generated once so that all painters draw the same.
struct TScene {
    std::vector<TPt> Rects, Diamonds, Bars, Labels, Texts;
    std::vector<std::pair<TPt, TPt>> Lines, Links;
    std::vector<std::string> Strings;

    TScene() {
        std::minstd_rand rnd(12);
        auto in = [&](int32_t lo, int32_t hi) { return lo + int32_t(rnd() % uint32_t(hi - lo)); };
        for (int i = 0; i < 10000; ++i) Rects.push_back({in(0, kWidth - 100), in(0, kHeight - 12)});
        for (int i = 0; i < 10000; ++i) {
            const TPt a{in(200, kWidth - 200), in(200, kHeight - 200)};
            Lines.push_back({a, {a.X + in(-141, 142), a.Y + in(-141, 142)}});
        }
        for (int i = 0; i < 2000; ++i) Diamonds.push_back({in(5, kWidth - 5), in(5, kHeight - 5)});
        for (int i = 0; i < 1000; ++i) Texts.push_back({in(0, kWidth - 100), in(0, kHeight - 16)});
        for (int i = 0; i < 200; ++i) Strings.push_back("Task " + std::to_string(i) + " Mon");
        // The Gantt frame: rows of 21 pixels, bars on them, links from a bar's end to a later row.
        for (int i = 0; i < 2000; ++i) Bars.push_back({in(0, kWidth - 160), 21 * in(0, 50) + 4});
        for (int i = 0; i < 500; ++i) {
            const TPt from{in(0, kWidth - 640), 21 * in(0, 46) + 10};
            Links.push_back({from, {from.X + in(40, 580), from.Y + 21 * in(1, 4)}});
        }
        for (int i = 0; i < 200; ++i) Labels.push_back({in(0, kWidth - 100), 21 * in(0, 50) + 3});
    }
};

const TScene& Scene() {
    static const TScene scene;
    return scene;
}

void Fill(TPeerPainter& p, int round) {
    p.FillRect(0, 0, kWidth, kHeight, round % 2 ? 0xF0F0F0 : 0xFFFFFF);
}

void Rects(TPeerPainter& p, int) {
    for (const TPt& r : Scene().Rects) p.OutlinedRect(r.X, r.Y, 100, 12, 0x80C0FF);
}

void Lines(TPeerPainter& p, int) {
    for (const auto& [a, b] : Scene().Lines) p.Line(a, b);
}

void Diamond(TPeerPainter& p, TPt c, int32_t half, uint32_t rgb) {
    const TPt points[] = {{c.X, c.Y - half}, {c.X + half, c.Y}, {c.X, c.Y + half}, {c.X - half, c.Y}};
    p.Polygon(points, rgb);
}

void Diamonds(TPeerPainter& p, int) {
    for (const TPt& c : Scene().Diamonds) Diamond(p, c, 5, 0x2060C0);
}

void Texts(TPeerPainter& p, int) {
    const TScene& s = Scene();
    for (size_t i = 0; i < s.Texts.size(); ++i) {
        if (i % 500 == 0) p.SetFontSize(i < 500 ? 8 : 9);
        p.Text(s.Texts[i].X, s.Texts[i].Y, s.Strings[i % s.Strings.size()]);
    }
}

void GanttFrame(TPeerPainter& p, int) {
    const TScene& s = Scene();
    for (int32_t row = 0; row < 50; ++row) p.FillRect(0, row * 21, kWidth, 21, row % 2 ? 0xF4F4F4 : 0xFFFFFF);
    for (size_t i = 0; i < s.Bars.size(); ++i)
        p.OutlinedRect(s.Bars[i].X, s.Bars[i].Y, 40 + int32_t(i % 120), 13, 0x6090E0);
    for (const auto& [a, b] : s.Links) {
        // Out of the bar's end, down to the row of the next one, into its start.
        const TPt elbow[] = {a, {a.X + 8, a.Y}, {a.X + 8, b.Y}, {b.X - 1, b.Y}};
        p.Polyline(elbow);
        const TPt head[] = {b, {b.X - 5, b.Y - 4}, {b.X - 5, b.Y + 4}};
        p.Polygon(head, 0);
    }
    p.SetFontSize(8);
    for (size_t i = 0; i < s.Labels.size(); ++i) p.Text(s.Labels[i].X, s.Labels[i].Y, s.Strings[i]);
}

using TWorkload = void (*)(TPeerPainter&, int);
const std::pair<const char*, TWorkload> kWorkloads[] = {
    {"Fill", Fill},         {"Rects_10000x100x12", Rects}, {"Lines_10000_upto200", Lines},
    {"Diamonds_2000x10", Diamonds}, {"Text_1000runs", Texts}, {"GanttFrame", GanttFrame}};

std::string FontFile(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcChar8* file = nullptr;
    std::string path;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
        path = reinterpret_cast<const char*>(file);
    if (match) FcPatternDestroy(match);
    return path;
}

const std::pair<const char*, std::unique_ptr<TPeerPainter> (*)()> kPainters[] = {
    {"ours", MakeOurPainter},
    {"cairo", [] { return MakeCairoPainter(false, FontFile("DejaVu Sans")); }},
    {"cairo-aa", [] { return MakeCairoPainter(true, FontFile("DejaVu Sans")); }},
    {"qpainter", [] { return MakeQtPainter(false, FontFile("DejaVu Sans")); }},
    {"qpainter-aa", [] { return MakeQtPainter(true, FontFile("DejaVu Sans")); }}};

void Memset(benchmark::State& state) {
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
    int value = 0;
    for (auto _ : state) {
        std::memset(pixels.data(), ++value & 0xFF, pixels.size() * sizeof(uint32_t));
        benchmark::ClobberMemory();
    }
}

// The median of the repetitions when there are several, else the one run; CPU
// time, which stays comparable on a machine that others share.
class TPeerReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            const std::string name = run.run_name.str();
            if (median || !fTimes.count(name)) fTimes[name] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-22s %12s", "ours / peer", "ours cpu ms");
        for (const auto& [peer, make] : kPainters)
            if (std::strcmp(peer, "ours") != 0) std::printf(" %12s", peer);
        std::printf(" %12s\n", "memset");
        for (const auto& [workload, run] : kWorkloads) {
            const double ours = Time(workload, "ours");
            if (ours <= 0) continue;
            std::printf("%-22s %12.3f", workload, ours);
            for (const auto& [peer, make] : kPainters)
                if (std::strcmp(peer, "ours") != 0) Ratio(ours, Time(workload, peer));
            Ratio(ours, std::strcmp(workload, "Fill") == 0 ? Time("Fill", "memset") : 0);
            std::printf("\n");
        }
    }

private:
    double Time(const std::string& workload, const std::string& painter) const {
        const auto found = fTimes.find(workload + "/" + painter);
        return found == fTimes.end() ? 0 : found->second;
    }
    static void Ratio(double ours, double peer) {
        if (peer > 0)
            std::printf(" %12.2f", ours / peer);
        else
            std::printf(" %12s", "-");
    }
    std::map<std::string, double> fTimes;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RegisterBenchmark("Fill/memset", Memset)->Unit(benchmark::kMillisecond);
    for (const auto& w : kWorkloads)
        for (const auto& p : kPainters)
            benchmark::RegisterBenchmark((std::string(w.first) + "/" + p.first).c_str(),
                                         [run = w.second, make = p.second](benchmark::State& state) {
                                             const auto p = make();
                                             int round = 0;
                                             for (auto _ : state) {
                                                 run(*p, ++round);
                                                 p->Finish();
                                                 benchmark::ClobberMemory();
                                             }
                                         })
                ->Unit(benchmark::kMillisecond);
    TPeerReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
