#pragma once
// A grid view whose cells edit in place, written as PNGs: the grid view demo.
#include <string>

// Edits a few cells by injected keys and clicks, writes a picture with each
// kind of editor open into outDir and prints the paths.
void RenderGridViewDemo(const std::string& outDir);
// Shows the grid view in a window until it is closed; false without a display.
bool ShowGridViewDemo();
