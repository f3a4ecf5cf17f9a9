#pragma once
// A Gantt chart of a realistic project: a few hundred tasks in a tree of
// phases over weeks with the weekends hidden, as a PNG and live in a window.
#include <string>

// Writes the chart into outDir and prints its path.
void RenderGanttDemo(const std::string& outDir);
// Shows the chart in a window until it is closed; false without a display.
bool ShowGanttDemo();
