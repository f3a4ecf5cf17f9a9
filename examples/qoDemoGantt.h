#pragma once
// A Gantt chart of a realistic project: a few hundred tasks in a tree of
// phases over weeks with the weekends hidden, as a PNG and live in a window.
#include <string>

namespace qo {
class TPanel;
class TqoGant;
} // namespace qo

// Builds the project's chart on the form, which it sizes to 960 x 540.
void BuildGanttDemoForm(qo::TPanel& form, qo::TqoGant*& gant);

// Writes the chart into outDir and prints its path.
void RenderGanttDemo(const std::string& outDir);
// Shows the chart in a window until it is closed; false without a display.
bool ShowGanttDemo();
