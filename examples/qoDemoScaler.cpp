// The date scaler over an hour, a day, a week with the weekend hidden, a month,
// a year and a decade, each horizontal and vertical.
#include "qoDemoScaler.h"

#include "platform/window/qoHeadless.h"
#include "scale/qoScaler.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

struct TDemoRange {
    const char* Name;
    TDateTime Start;
    double Days;
    TqoHiddenDays Hidden;
    TLookAndFeel Look;
};

void RenderOne(THeadlessHarness& harness, const TDemoRange& range, bool horizontal,
               const std::string& outDir) {
    TPanel form(nullptr);
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, horizontal ? 800 : 68, horizontal ? 58 : 600);
    auto* scaler = new TqoDateScaler(&form);
    scaler->SetParent(&form);
    scaler->SetHorizontal(horizontal);
    scaler->SetAlign(alClient);
    scaler->DateFormat = "yyyy-mm-dd";
    scaler->TimeFormat = "hh:nn";
    scaler->WeekNumbers = true;
    scaler->SetLookAndFeel(range.Look);
    scaler->SetHiddenDays(range.Hidden);
    scaler->SetStart(range.Start);
    scaler->SetStop(range.Start + range.Days);
    const std::string path = (std::filesystem::path(outDir) / ("qo-demo-scaler-" + std::string(range.Name) +
                                                               (horizontal ? "-h" : "-v") + ".png"))
                                 .string();
    harness.SaveSnapshot(form, path);
    std::printf("%s\n", path.c_str());
}

} // namespace

void RenderScalerDemo(const std::string& outDir) {
    std::filesystem::create_directories(outDir);
    THeadlessHarness harness;
    const TDateTime monday = EncodeDate(2024, 3, 4);
    const TDemoRange ranges[] = {
        {"hour", monday + 9.5 / 24, 1.0 / 24, 0, tlfClassic},
        {"day", monday, 1, 0, tlfBoxed},
        {"week", monday, 7, (1u << thdSAT) | (1u << thdSUN), tlfClassic},
        {"month", EncodeDate(2024, 3, 1), 31, 0, tlfBoxed},
        {"year", EncodeDate(2024, 1, 1), 366, 0, tlfClassic},
        {"decade", EncodeDate(2020, 1, 1), 3653, 0, tlfBoxed},
    };
    for (const TDemoRange& range : ranges)
        for (bool horizontal : {true, false}) RenderOne(harness, range, horizontal, outDir);
}
