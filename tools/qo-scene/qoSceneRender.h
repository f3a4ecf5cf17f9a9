#pragma once
// Renders a canvas scene file with our canvas.
#include "platform/graphics/qoBitmap.h"

#include <memory>
#include <string>

namespace qo::scene {

// Throws std::runtime_error (a bad scene) or EqoError (a canvas failure).
std::unique_ptr<TBitmap> RenderScene(const std::string& path);

} // namespace qo::scene
