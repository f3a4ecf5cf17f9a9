#pragma once
// A project list in grid mode, as a PNG file.
#include <string>

// Writes the picture into outDir and prints its path.
void RenderGridDemo(const std::string& outDir);
