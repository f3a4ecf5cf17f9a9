// The tree view and the tree component at scale, each against painting a
// fully expanded tree of about a thousand nodes in the same window: painting
// a million nodes, expanding 100,000 children and scrolling to the last (with
// making them as its own measure), and the paint after one entity of 100,000
// changed against the paint of an unchanged tree. Memory per node and per
// entity is reported as counters.
#include "grid/qoTree.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace qo;

struct TScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TTreeView* Tree;
    TScene() {
        Form.SetBounds(0, 0, 400, 600);
        Tree = new TTreeView(&Form);
        Tree->SetParent(&Form);
        Tree->SetBounds(0, 0, 400, 600);
    }
};

// width^3 nodes and those above them, all expanded, scrolled to the middle.
std::unique_ptr<TScene> ExpandedTree(int width) {
    auto scene = std::make_unique<TScene>();
    TTreeView& tree = *scene->Tree;
    tree.BeginUpdate();
    for (int i = 0; i < width; ++i) {
        TTreeNode* a = tree.AddChild(nullptr, "Phase " + std::to_string(i));
        for (int j = 0; j < width; ++j) {
            TTreeNode* b = tree.AddChild(a, "Work package " + std::to_string(j));
            for (int k = 0; k < width; ++k) tree.AddChild(b, "Task " + std::to_string(k));
            b->Expand(false);
        }
        a->Expand(false);
    }
    tree.EndUpdate();
    tree.SetTopItem(tree.NodeAtRow(tree.VisibleRowCount() / 2));
    return scene;
}

void PaintExpanded(benchmark::State& state, int width) {
    auto scene = ExpandedTree(width);
    for (auto _ : state) scene->Tree->Repaint();
    state.counters["nodes"] = double(scene->Tree->Count());
}

void Baseline_PaintThousandNodes(benchmark::State& state) { PaintExpanded(state, 10); }
BENCHMARK(Baseline_PaintThousandNodes);

void PaintMillionNodes(benchmark::State& state) { PaintExpanded(state, 100); }
BENCHMARK(PaintMillionNodes);

void MakeChildren(benchmark::State& state, bool expandAndScroll) {
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<TScene>();
        TTreeView& tree = *scene->Tree;
        TTreeNode* parent = tree.AddChild(nullptr, "parent");
        state.ResumeTiming();
        for (int i = 0; i < 100000; ++i) tree.AddChild(parent, "child");
        if (expandAndScroll) {
            parent->Expand(false);
            tree.SetTopItem(parent->GetLastChild());
            tree.Repaint();
        }
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
}

void Make100kChildren(benchmark::State& state) { MakeChildren(state, false); }
BENCHMARK(Make100kChildren)->Unit(benchmark::kMillisecond);

void Make100kChildrenExpandAndScrollToLast(benchmark::State& state) { MakeChildren(state, true); }
BENCHMARK(Make100kChildrenExpandAndScrollToLast)->Unit(benchmark::kMillisecond);

struct TComponentScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TqoTree* Tree;
    std::vector<TqoDataEntity_Tree*> Entities;
    TComponentScene() {
        Form.SetBounds(0, 0, 400, 600);
        Tree = new TqoTree(&Form);
        Tree->SetParent(&Form);
        Tree->SetBounds(0, 0, 400, 600);
        for (int i = 0; i < 100; ++i) {
            TqoDataEntity_Tree* phase = Tree->AddDataEntity(nullptr);
            phase->SetText("Phase " + std::to_string(i));
            phase->SetExpanded(true);
            for (int j = 0; j < 999; ++j) {
                TqoDataEntity_Tree* task = Tree->AddDataEntity(phase);
                task->SetText("Task " + std::to_string(j));
                Entities.push_back(task);
            }
        }
        Tree->Repaint();
        Tree->SetTopItem(Entities[50000]);
        Tree->Repaint();
    }
};

void ComponentPaint(benchmark::State& state, bool change) {
    TComponentScene scene;
    int n = 0;
    for (auto _ : state) {
        if (change) {
            // One entity is added and one deleted far from the screen, one renamed on it.
            TqoDataEntity_Tree* owner = scene.Entities[size_t(n++ % 1000) * 90];
            scene.Tree->RemoveDataEntity(scene.Tree->AddDataEntity(owner));
            scene.Entities[50001]->SetText("Task renamed " + std::to_string(n));
        }
        scene.Tree->Repaint();
    }
    state.counters["entities"] = double(scene.Tree->AllSubLists()->Count() - 1);
}

void ComponentPaintUnchanged100k(benchmark::State& state) { ComponentPaint(state, false); }
BENCHMARK(ComponentPaintUnchanged100k);

void ComponentPaintAfterChanges100k(benchmark::State& state) { ComponentPaint(state, true); }
BENCHMARK(ComponentPaintAfterChanges100k);

// Bytes of a node and an entity, without their texts' own storage; a node's
// entry in its parent's child list and count index adds about 9.
void Memory(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sizeof(TTreeNode));
    state.counters["node_bytes"] = double(sizeof(TPlainTreeNode) + 9);
    state.counters["component_node_bytes"] = double(sizeof(TTreeNode_qoSub) + 9);
    state.counters["entity_bytes"] = double(sizeof(TqoDataEntity_Tree));
}
BENCHMARK(Memory);

} // namespace
