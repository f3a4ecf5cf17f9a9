#pragma once
// A project list in grid mode, as a PNG file or live in a window.
#include <string>

// Writes the picture into outDir and prints its path.
void RenderGridDemo(const std::string& outDir);

// Shows the list in a window until it is closed; false without a display.
bool ShowGridDemo();
