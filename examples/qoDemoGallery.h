#pragma once
// Every common widget in one window, written as a PNG: the widget gallery.
#include <string>

// Writes the gallery into outDir and prints its path.
void RenderWidgetGallery(const std::string& outDir);
