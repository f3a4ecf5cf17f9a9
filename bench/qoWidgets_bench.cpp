// What a widget's paint costs next to a plain fill of its area (the baseline,
// 200 x 120 pixels, the size every widget here gets), and that the draw grid
// paints in a time independent of its row count (100,000 rows against 100).
#include "platform/graphics/qoBitmap.h"
#include "platform/widgets/qoCheckBox.h"
#include "platform/widgets/qoComboBox.h"
#include "platform/widgets/qoDateTimePicker.h"
#include "platform/widgets/qoDrawGrid.h"
#include "platform/widgets/qoEdit.h"
#include "platform/widgets/qoHeaderControl.h"
#include "platform/widgets/qoHintWindow.h"
#include "platform/widgets/qoMemo.h"
#include "platform/widgets/qoMessageBox.h"
#include "platform/widgets/qoMonthCalendar.h"
#include "platform/widgets/qoPageControl.h"
#include "platform/widgets/qoPopupMenu.h"
#include "platform/widgets/qoPopupWindow.h"
#include "platform/widgets/qoScrollBar.h"
#include "platform/widgets/qoUpDown.h"
#include "platform/window/qoHeadless.h"
#include "platform/window/qoPanel.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qo;

const TRect Area = TRect::Bounds(0, 0, 200, 120);

void Baseline_PlainFill(benchmark::State& state) {
    TBitmap bitmap(Area.Width(), Area.Height());
    for (auto _ : state) {
        bitmap.Canvas().Brush().Color = clBtnFace;
        bitmap.Canvas().FillRect(Area);
        benchmark::DoNotOptimize(bitmap.Raster().Row(0));
    }
}
BENCHMARK(Baseline_PlainFill);

// The widget on a form, painted once per iteration.
template <class T, class Setup> void PaintOf(benchmark::State& state, Setup setup) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    form.SetBounds(0, 0, Area.Width(), Area.Height());
    auto* widget = new T(&form);
    widget->SetParent(&form);
    widget->SetBoundsRect(Area);
    setup(*widget);
    harness.RunUntilIdle();
    for (auto _ : state) widget->Repaint();
}

void ScrollBar(benchmark::State& state) {
    PaintOf<TScrollBar>(state, [](TScrollBar& bar) { bar.SetPageSize(10); });
}
BENCHMARK(ScrollBar);

void CheckBox(benchmark::State& state) {
    PaintOf<TCheckBox>(state, [](TCheckBox& box) {
        box.SetCaption("Show week numbers");
        box.SetChecked(true);
    });
}
BENCHMARK(CheckBox);

void UpDown(benchmark::State& state) {
    PaintOf<TUpDown>(state, [](TUpDown&) {});
}
BENCHMARK(UpDown);

void PageControl(benchmark::State& state) {
    PaintOf<TPageControl>(state, [](TPageControl& pages) {
        for (const char* caption : {"Gant", "Resources", "Notes"}) {
            auto* sheet = new TTabSheet(&pages);
            sheet->SetCaption(caption);
            sheet->SetPageControl(&pages);
        }
    });
}
BENCHMARK(PageControl);

void HintWindow(benchmark::State& state) {
    THeadlessHarness harness;
    THintWindow hint(nullptr);
    hint.ActivateHint(Area, "Start 01.02.2024\rStop 05.02.2024\rLength 4");
    harness.RunUntilIdle();
    for (auto _ : state) hint.Repaint();
}
BENCHMARK(HintWindow);

void HeaderControl(benchmark::State& state) {
    PaintOf<THeaderControl>(state, [](THeaderControl& header) {
        for (const char* text : {"Room", "Monday", "Tuesday", "Wednesday"}) header.AddSection(text, 50);
    });
}
BENCHMARK(HeaderControl);

void PopupMenuWidget(benchmark::State& state) {
    THeadlessHarness harness;
    TPopupMenu menu(nullptr);
    for (const char* item : {"Cut", "Copy", "-", "Paste", "Show week numbers"}) menu.AddItem(item);
    menu.SetItemChecked(4, true);
    menu.Popup(Area.TopLeft());
    menu.SetBoundsRect(Area);
    harness.RunUntilIdle();
    for (auto _ : state) menu.Repaint();
}
BENCHMARK(PopupMenuWidget);

void MessageBoxWidget(benchmark::State& state) {
    THeadlessHarness harness;
    TMessageBox box(nullptr);
    box.Setup("Save the changes to the chart?", "Chart", MB_YESNOCANCEL);
    box.SetBoundsRect(Area);
    harness.RunUntilIdle();
    for (auto _ : state) box.Repaint();
}
BENCHMARK(MessageBoxWidget);

// Owner-drawn text in every cell, scrolled to the middle.
void DrawGridRows(benchmark::State& state) {
    PaintOf<TDrawGrid>(state, [&](TDrawGrid& grid) {
        grid.SetRowCount(int(state.range(0)));
        grid.SetTopRow(int(state.range(0)) / 2);
        grid.OnDrawCell = [&grid](TComponent*, int col, int row, const TRect& rect, TGridDrawState) {
            grid.Canvas().TextOut(rect.Left + 2, rect.Top + 2, std::to_string(col * row));
        };
    });
}
BENCHMARK(DrawGridRows)->Arg(100)->Arg(100000);

void Edit(benchmark::State& state) {
    PaintOf<TEdit>(state, [](TEdit& edit) {
        edit.SetText("Weekly review of the open tasks");
        edit.SetFocus();
        edit.SetSel(7, 6);
    });
}
BENCHMARK(Edit);

void Memo(benchmark::State& state) {
    PaintOf<TMemo>(state, [](TMemo& memo) {
        std::string text;
        for (int i = 0; i < 20; ++i) text += "Line " + std::to_string(i) + " of notes that wrap at the edge\n";
        memo.SetScrollBars(ssVertical);
        memo.SetText(text);
    });
}
BENCHMARK(Memo);

void ComboBox(benchmark::State& state) {
    PaintOf<TComboBox>(state, [](TComboBox& combo) {
        combo.SetItems({"Days", "Weeks", "Months"});
        combo.SetItemIndex(1);
    });
}
BENCHMARK(ComboBox);

void DateTimePicker(benchmark::State& state) {
    PaintOf<TDateTimePicker>(state, [](TDateTimePicker& picker) {
        picker.SetDateFormat(dfLong);
        picker.SetShowCheckbox(true);
    });
}
BENCHMARK(DateTimePicker);

void MonthCalendar(benchmark::State& state) {
    PaintOf<TMonthCalendar>(state, [](TMonthCalendar& calendar) { calendar.SetWeekNumbers(true); });
}
BENCHMARK(MonthCalendar);

// The open list of a combo box, scrolled to the middle item.
void ComboListRows(benchmark::State& state) {
    THeadlessHarness harness;
    TPanel form(nullptr);
    form.SetBounds(0, 0, Area.Width(), Area.Height());
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(0, 0, Area.Width(), 21);
    std::vector<std::string> items(size_t(state.range(0)));
    // Texts of one length, so that only the count differs.
    for (size_t i = 0; i < items.size(); ++i) items[i] = "Item " + std::to_string(1000000 + i).substr(1);
    combo->SetItems(std::move(items));
    combo->SetItemIndex(int(state.range(0)) / 2);
    combo->SetFocus();
    combo->SetDroppedDown(true);
    harness.RunUntilIdle();
    TControl& list = *combo->DropDown().Controls(0);
    for (auto _ : state) list.Repaint();
}
BENCHMARK(ComboListRows)->Arg(100)->Arg(100000);

} // namespace
