// A building project broken down into phases, work packages and tasks, a few
// hundred in all: phases in bold, milestones in italics, grid lines between
// the rows and a few tasks selected together. Every label may be edited.
#include "qoDemoTree.h"

#include "grid/qoTree.h"
#ifdef _WIN32
#include "platform/backends/qoWin32Backend.h"
#else
#include "platform/backends/qoX11Backend.h"
#endif
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace qo;

const char* const Phases[] = {"Site preparation", "Foundations", "Structure", "Envelope", "Services", "Interiors",
                              "Handover"};
const char* const Packages[] = {"Planning", "Procurement", "Execution", "Inspection"};
const char* const Tasks[] = {"Survey", "Drawings", "Permits", "Quotes", "Orders", "Delivery", "Crew", "Work",
                             "Cleanup", "Check", "Report", "Sign-off"};

TqoDataEntity_Tree* AddTask(TqoTree& tree, TqoDataEntity_Tree* owner, const std::string& text) {
    TqoDataEntity_Tree* entity = tree.AddDataEntity(owner);
    entity->SetText(text);
    entity->SetCanEdit(true);
    return entity;
}

// 7 phases x 4 packages x 12 tasks, and a milestone per phase: 371 entries.
void FillBreakdown(TqoTree& tree) {
    int number = 0;
    for (const char* phase : Phases) {
        TqoDataEntity_Tree* p = AddTask(tree, nullptr, std::to_string(++number) + " " + phase);
        p->SetFontStyle(fsBold);
        int package = 0;
        for (const char* name : Packages) {
            const std::string prefix = std::to_string(number) + "." + std::to_string(++package);
            TqoDataEntity_Tree* w = AddTask(tree, p, prefix + " " + name);
            int task = 0;
            for (const char* t : Tasks)
                AddTask(tree, w, prefix + "." + std::to_string(++task) + " " + t + " (" + phase + ")");
        }
        TqoDataEntity_Tree* milestone = AddTask(tree, p, std::string(phase) + " done");
        milestone->SetFontStyle(fsItalic);
    }
}

void BuildTree(TPanel& form) {
    form.SetBevelOuter(bvNone);
    form.SetBounds(0, 0, 320, 360);
    auto* tree = new TqoTree(&form);
    tree->SetParent(&form);
    tree->SetAlign(alClient);
    tree->SetDrawGridLines(true);
    tree->SetMultiSelect(true);
    FillBreakdown(*tree);
    tree->ExpandLevels(2);
    tree->EnsureDisplayUpToDate();
    // Three tasks of one package chosen together, as Ctrl+clicks would.
    for (int row : {4, 6, 7}) tree->GetDataEntityFromRow(row)->SetSelected(true);
    tree->SetFocus();
}

} // namespace

void RenderTreeDemo(const std::string& outDir) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    BuildTree(form);
    const std::string path = (std::filesystem::path(outDir) / "qo-demo-tree.png").string();
    harness.SaveSnapshot(form, path);
    std::printf("work breakdown tree written to %s\n", std::filesystem::absolute(path).string().c_str());
}

bool ShowTreeDemo() {
    TPanel form(nullptr);
    BuildTree(form);
#ifdef _WIN32
    return RunInWin32Window(form, "qoChartix tree");
#else
    return RunInX11Window(form, "qoChartix tree");
#endif
}
