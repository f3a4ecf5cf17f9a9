// The grid component: sorting 100,000 rows by a column of each kind against
// sorting the same values in a plain vector (each group's baseline), and the
// paint of a 100,000-row grid, plain and as a grid tree, against a 100-row
// one at the same window size (at most 1.3). Each sort runs in the other
// direction from the last, so every run reverses the rows.
#include "grid/qoGrid.h"
#include "platform/core/qoDateFormat.h"
#include "platform/core/qoDateTime.h"
#include "platform/window/qoHeadless.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

using namespace qo;

constexpr int SortRows = 100000;

// The texts of a column of the kind, in a fixed random order.
std::vector<std::string> Texts(TColumnKind kind, bool numeric) {
    std::mt19937 random(42);
    std::vector<std::string> texts;
    for (int i = 0; i < SortRows; ++i) {
        const int v = int(random() % 1000000);
        if (numeric)
            texts.push_back(std::to_string(v - 500000) + "." + std::to_string(v % 100));
        else if (kind == tckDate)
            texts.push_back(FormatDateTime("ddddd", EncodeDate(1990, 1, 1) + v % 20000));
        else if (kind == tckTime)
            texts.push_back(FormatDateTime("t", (v % 1440) / 1440.0));
        else
            texts.push_back("task " + std::to_string(v));
    }
    return texts;
}

struct TGridScene {
    THeadlessHarness Harness;
    TPanel Form{nullptr};
    TqoGrid* Grid;

    TGridScene() {
        Form.SetBounds(0, 0, 640, 480);
        Grid = new TqoGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetBounds(0, 0, 600, 440);
    }
};

struct TSortScene : TGridScene {
    TSortScene(TColumnKind kind, bool numeric) {
        TqoGrid_Column* column = Grid->AddColumn();
        column->SetKind(kind);
        column->SetNumericSort(numeric);
        for (const std::string& text : Texts(kind, numeric))
            Grid->SetText(Grid->Cell(1, Grid->AddRow(nullptr)->ListIndex()), text);
    }
};

template <class T> void SortVector(benchmark::State& state, std::vector<T> values) {
    bool down = false;
    for (auto _ : state) {
        down = !down;
        if (down)
            std::sort(values.begin(), values.end(), std::greater<T>());
        else
            std::sort(values.begin(), values.end());
        benchmark::DoNotOptimize(values.data());
    }
}

void SortGrid(benchmark::State& state, TColumnKind kind, bool numeric) {
    TSortScene scene(kind, numeric);
    bool down = false;
    for (auto _ : state) {
        down = !down;
        scene.Grid->SortColumn(0, down);
    }
}

std::vector<double> Numbers(TColumnKind kind, bool numeric) {
    std::vector<double> values;
    for (const std::string& text : Texts(kind, numeric)) {
        TDateTime value = 0;
        if (kind == tckDate)
            TryStrToDate(text, value, FormatSettings());
        else if (kind == tckTime)
            TryStrToTime(text, value, FormatSettings());
        else
            value = std::stod(text);
        values.push_back(value);
    }
    return values;
}

void Baseline_SortVectorOfTexts(benchmark::State& state) { SortVector(state, Texts(tckSimpleEdit, false)); }
BENCHMARK(Baseline_SortVectorOfTexts)->Unit(benchmark::kMillisecond);
void SortGridTextColumn(benchmark::State& state) { SortGrid(state, tckSimpleEdit, false); }
BENCHMARK(SortGridTextColumn)->Unit(benchmark::kMillisecond);

void Baseline_SortVectorOfNumbers(benchmark::State& state) { SortVector(state, Numbers(tckSimpleEdit, true)); }
BENCHMARK(Baseline_SortVectorOfNumbers)->Unit(benchmark::kMillisecond);
void SortGridNumericColumn(benchmark::State& state) { SortGrid(state, tckSimpleEdit, true); }
BENCHMARK(SortGridNumericColumn)->Unit(benchmark::kMillisecond);

void Baseline_SortVectorOfDates(benchmark::State& state) { SortVector(state, Numbers(tckDate, false)); }
BENCHMARK(Baseline_SortVectorOfDates)->Unit(benchmark::kMillisecond);
void SortGridDateColumn(benchmark::State& state) { SortGrid(state, tckDate, false); }
BENCHMARK(SortGridDateColumn)->Unit(benchmark::kMillisecond);

void Baseline_SortVectorOfTimes(benchmark::State& state) { SortVector(state, Numbers(tckTime, false)); }
BENCHMARK(Baseline_SortVectorOfTimes)->Unit(benchmark::kMillisecond);
void SortGridTimeColumn(benchmark::State& state) { SortGrid(state, tckTime, false); }
BENCHMARK(SortGridTimeColumn)->Unit(benchmark::kMillisecond);

// ---- paint

struct TPaintScene : TGridScene {
    TPaintScene(int rows, bool tree) {
        TqoGrid_Column* task = Grid->AddColumn();
        task->SetHeaderText("Task");
        task->SetTreeButton(tree);
        task->SetWidth(160);
        Grid->AddColumn()->SetHeaderText("Resource");
        Grid->AddColumn()->SetHeaderText("Start");
        Grid->SetExtendLastColumnToWidth(true);
        Grid->OnInitContent = [](TComponent*, TBabSimpleCellStringData* data) {
            data->SetString("cell " + std::to_string(data->BabCell()->RowIndex()));
        };
        if (tree) {
            Grid->SetUseTree(true);
            // Ten children under each top-level node, all expanded.
            for (int i = 0; i < rows / 11; ++i) {
                TqoDataEntity_GridTreeNode* parent = Grid->GetTree()->AddDataEntity(nullptr);
                for (int k = 0; k < 10; ++k) Grid->GetTree()->AddDataEntity(parent);
                parent->SetExpanded(true);
            }
        } else {
            for (int i = 0; i < rows; ++i) Grid->AddRow(nullptr);
        }
        Grid->MainGrid()->SetTop(Grid->MainGrid()->AxisContentListY()->Count() / 2);
        Grid->Repaint();
        Harness.RunUntilIdle();
        Grid->Repaint();
    }
    void Paint() {
        Grid->SetSoftViewParamsOutOfDate();
        Grid->Repaint();
    }
};

void PaintGrid(benchmark::State& state, int rows, bool tree) {
    TPaintScene scene(rows, tree);
    for (auto _ : state) scene.Paint();
}

void Baseline_Paint100Rows(benchmark::State& state) { PaintGrid(state, 100, false); }
BENCHMARK(Baseline_Paint100Rows);
void Paint100000Rows(benchmark::State& state) { PaintGrid(state, 100000, false); }
BENCHMARK(Paint100000Rows);

void Baseline_PaintTree100Rows(benchmark::State& state) { PaintGrid(state, 100, true); }
BENCHMARK(Baseline_PaintTree100Rows);
void PaintTree100000Rows(benchmark::State& state) { PaintGrid(state, 100000, true); }
BENCHMARK(PaintTree100000Rows);

} // namespace
