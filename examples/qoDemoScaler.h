#pragma once
// The date scaler at several ranges, horizontal and vertical, as PNG files.
#include <string>

// Writes the pictures into outDir and prints their paths.
void RenderScalerDemo(const std::string& outDir);
