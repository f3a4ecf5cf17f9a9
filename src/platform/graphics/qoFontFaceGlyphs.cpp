// The glyph cache of a font face, the same whichever system renders the glyphs.
#include "platform/graphics/qoFontFace.h"

namespace qo {

const TqoGlyph& TqoFontFace::Glyph(char32_t c) {
    std::lock_guard guard(fLock);
    const auto found = fGlyphs.find(c);
    if (found != fGlyphs.end()) return found->second;
    TqoGlyph& g = fGlyphs[c];
    Rasterise(c, g);
    return g;
}

int32_t TqoFontFace::Width(std::u32string_view text) {
    int32_t width = 0;
    for (char32_t c : text) width += Glyph(c).Advance;
    return width;
}

} // namespace qo
