#pragma once
// Renders a canvas scene file with our canvas.
#include "platform/graphics/qoBitmap.h"

#include <memory>
#include <string>

namespace qo::scene {

// Throws std::runtime_error (a bad scene) or EqoError (a canvas failure). When
// asked, appends what the measuring commands answered, one line each, in the
// form of the GDI renderer's SCENE.gdi.extents.
std::unique_ptr<TBitmap> RenderScene(const std::string& path, std::string* extents = nullptr);

// Whether the answers hold more than the families of the fonts (which every
// scene with text gives): the GDI renderer writes its answers only then.
bool Measures(const std::string& extents);

} // namespace qo::scene
