#pragma once
// A work breakdown of a few hundred tasks in the tree component: the demo tree.
#include <string>

// Writes the tree into outDir and prints its path.
void RenderTreeDemo(const std::string& outDir);
// Shows the tree in a window until it is closed, to be expanded, selected and
// edited with the mouse and the keys; false without a display.
bool ShowTreeDemo();
