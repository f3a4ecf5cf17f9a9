#pragma once
// A font at one pixel size: a FreeType face found through fontconfig, with its
// rendered glyphs cached so that text does not rasterise a glyph twice.
#include "platform/graphics/qoCanvas.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace qo {

struct TqoGlyph {
    int32_t Left = 0, Top = 0; // of the coverage, from the pen position on the baseline
    int32_t Width = 0, Height = 0;
    int32_t Advance = 0;
    std::vector<uint8_t> Coverage; // 0..255, Width x Height
};

class TqoFontFace {
public:
    // The shared face of a font at a resolution (faces are cached).
    static std::shared_ptr<TqoFontFace> Get(const TFont& font, int32_t dpi);
    // The family a font name resolves to ("MS Sans Serif" -> "Liberation Sans").
    static std::string ResolveFamily(const std::string& name);
    ~TqoFontFace();

    const std::string& Family() const { return fFamily; }
    const TTextMetric& Metric() const { return fMetric; }
    int32_t Ascent() const { return fMetric.Ascent; }
    int32_t Height() const { return fMetric.Height; }
    // The lines of the underline and strike-out styles: first row, from the
    // baseline downwards (negative above it), and thickness.
    struct TLine {
        int32_t Top = 1, Thickness = 1;
    };
    TLine Underline() const { return fUnderline; }
    TLine StrikeOut() const { return fStrikeOut; }

    // Glyphs already rendered are found without a lock.
    const TqoGlyph& Glyph(char32_t c) {
        if (c < kPages * 256)
            if (const TPage* page = fPages[c >> 8].load(std::memory_order_acquire))
                if (const TqoGlyph* g = (*page)[c & 0xFF].load(std::memory_order_acquire)) return *g;
        return Cache(c);
    }
    int32_t Width(std::u32string_view text);

    // A font file that fontconfig matched, and the styles it lacks.
    struct TFaceFile {
        std::string File, Family;
        int32_t Index = 0;
        bool Embolden = false, Oblique = false;
    };

private:
    TqoFontFace(const TFaceFile& file, int32_t pixels, bool classicCell);
    static bool HasClassicCell(const std::string& name);
    void SetMetrics(bool classicCell);
    void Rasterise(char32_t c, TqoGlyph& g);
    const TqoGlyph& Cache(char32_t c);
    void FreePages();
    const TqoGlyph& Rendered(char32_t c);

    // Rendered glyphs by code point, 256 to a page, published once complete.
    static constexpr char32_t kPages = 0x110000 / 256;
    using TPage = std::array<std::atomic<const TqoGlyph*>, 256>;
    std::array<std::atomic<TPage*>, kPages> fPages{};

    struct TImpl;
    std::unique_ptr<TImpl> fImpl;
    std::string fFamily;
    int32_t fPixels = 0;
    TTextMetric fMetric;
    TLine fUnderline, fStrikeOut;
    bool fEmbolden = false, fOblique = false;
    bool fMono = false; // black-and-white glyphs at this size
    std::mutex fLock;
    std::unordered_map<char32_t, TqoGlyph> fGlyphs;
};

} // namespace qo
