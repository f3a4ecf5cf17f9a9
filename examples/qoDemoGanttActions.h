#pragma once
// What the live Gantt demo does when the user drops a bar on another row,
// copies one with Ctrl, or draws a link: the chart only reports these wishes,
// and a host carries them out.
namespace qo {
class TqoGant_ComBasic;
}

// Moves dropped bars to their new row, adds the copies, adds drawn links; a
// right click arms link drawing for the next press on a bar.
void WireGanttActions(qo::TqoGant_ComBasic& gant);
