// The glyph cache of a font face, the same whichever system renders the glyphs.
#include "platform/graphics/qoFontFace.h"

namespace qo {

// The glyph rendered (once, under the lock) and published for lookups without it.
const TqoGlyph& TqoFontFace::Cache(char32_t c) {
    const TqoGlyph& g = Rendered(c);
    if (c >= kPages * 256) return g;
    std::atomic<TPage*>& slot = fPages[c >> 8];
    TPage* page = slot.load(std::memory_order_acquire);
    if (!page) {
        auto fresh = std::make_unique<TPage>();
        page = slot.compare_exchange_strong(page, fresh.get(), std::memory_order_acq_rel) ? fresh.release()
                                                                                          : page;
    }
    (*page)[c & 0xFF].store(&g, std::memory_order_release);
    return g;
}

void TqoFontFace::FreePages() {
    for (auto& page : fPages) delete page.load();
}

// The map keeps its elements in place, so the references handed out stay valid.
const TqoGlyph& TqoFontFace::Rendered(char32_t c) {
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
