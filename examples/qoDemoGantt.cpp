// A construction project as a planner lays it out: phases, their work
// packages and tasks in the tree, the scaler over eight weeks with Saturdays
// and Sundays hidden, and the chart's alternate rows following the tree as it
// expands. Live, the splitter drags, the tree expands and the scaler pans.
#include "qoDemoGantt.h"

#include "gantt/qoGant.h"
#ifdef _WIN32
#include "platform/backends/qoWin32Backend.h"
#else
#include "platform/backends/qoX11Backend.h"
#endif
#include "platform/window/qoHeadless.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

const TDateTime kProjectStart = EncodeDate(2025, 3, 3);

const char* const kPhases[] = {"Site preparation", "Foundations", "Structure", "Envelope", "Mechanical",
                               "Electrical",       "Plumbing",    "Interiors", "Exterior works", "Handover"};
const char* const kPackages[] = {"Planning", "Procurement", "Execution", "Inspection"};
const char* const kTasks[] = {"Survey", "Order materials", "Deliver", "Install", "Check", "Sign off", "Clean up"};

TqoDataEntity_Tree* Node(TqoGant_ComBasic& gant, TqoDataEntity_Tree* parent, const std::string& text) {
    TqoDataEntity_Tree* node = gant.TreeView()->AddDataEntity(parent);
    node->SetText(text);
    return node;
}

// 10 phases of 4 packages of 7 tasks: 330 rows in all.
void BuildProject(TqoGant_ComBasic& gant) {
    gant.SetMaxLevelsTree(3);
    for (const char* phase : kPhases) {
        TqoDataEntity_Tree* p = Node(gant, nullptr, phase);
        for (const char* package : kPackages) {
            TqoDataEntity_Tree* w = Node(gant, p, package);
            for (const char* task : kTasks) Node(gant, w, task);
        }
    }
    // The first phase open down to its tasks, the second to its packages.
    TqoDataList_Tree& roots = *gant.TreeView()->RootDataEntities();
    roots.Item(0)->SetExpanded(true);
    roots.Item(0)->SubDataList()->Item(2)->SetExpanded(true);
    roots.Item(1)->SetExpanded(true);
}

void BuildForm(TPanel& form, TqoGant*& gant) {
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, 960, 540);
    gant = new TqoGant(&form);
    gant->SetParent(&form);
    gant->SetAlign(alClient);
    gant->SetHiddenDays((1u << thdSAT) | (1u << thdSUN));
    gant->SetDrawShortLines(true);
    gant->SetScaleAndTree(kProjectStart, kProjectStart + 8 * 7, 220);
    BuildProject(*gant);
}

} // namespace

void RenderGanttDemo(const std::string& outDir) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    TqoGant* gant = nullptr;
    BuildForm(form, gant);
    TBitmap picture;
    harness.Snapshot(form, picture);
    const std::string path = (std::filesystem::path(outDir) / "qo-demo-gantt.png").string();
    picture.SaveToPNG(path);
    std::printf("Gantt chart written to %s\n", std::filesystem::absolute(path).string().c_str());
}

bool ShowGanttDemo() {
    TPanel form(nullptr);
    TqoGant* gant = nullptr;
    BuildForm(form, gant);
#ifdef _WIN32
    return RunInWin32Window(form, "qoChartix Gantt chart");
#else
    return RunInX11Window(form, "qoChartix Gantt chart");
#endif
}
