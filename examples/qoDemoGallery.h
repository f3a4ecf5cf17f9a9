#pragma once
// Every common widget in one window, written as a PNG: the widget gallery.
#include <string>

// Writes the gallery into outDir and prints its path.
void RenderWidgetGallery(const std::string& outDir);
// Shows the gallery in a window on X11 until it is closed; false without a display.
bool ShowWidgetGallery();
