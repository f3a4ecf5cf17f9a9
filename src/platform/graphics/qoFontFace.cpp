#include "platform/graphics/qoFontFace.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>

namespace qo {

namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib)) throw EqoError("FreeType could not be initialised");
        return lib;
    }();
    return library;
}

struct TFaceFile {
    std::string File, Family;
    int32_t Index = 0;
    bool Embolden = false, Oblique = false;
};

TFaceFile Match(const std::string& family, TFontStyles style) {
    // fontconfig keeps its configuration until told to let go.
    static const bool finiAtExit = [] { return std::atexit(FcFini) == 0; }();
    (void)finiAtExit;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcPatternAddInteger(pattern, FC_WEIGHT, style & fsBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, style & fsItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    TFaceFile found;
    FcChar8* text = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch) {
        found.File = reinterpret_cast<const char*>(text);
        if (FcPatternGetString(match, FC_FAMILY, 0, &text) == FcResultMatch)
            found.Family = reinterpret_cast<const char*>(text);
        int value = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &value);
        found.Index = value;
        // Synthesise what the file lacks.
        if (FcPatternGetInteger(match, FC_WEIGHT, 0, &value) == FcResultMatch)
            found.Embolden = (style & fsBold) && value < FC_WEIGHT_DEMIBOLD;
        if (FcPatternGetInteger(match, FC_SLANT, 0, &value) == FcResultMatch)
            found.Oblique = (style & fsItalic) && value == FC_SLANT_ROMAN;
    }
    if (match) FcPatternDestroy(match);
    if (found.File.empty()) throw EqoError("No font found for \"" + family + "\"");
    return found;
}

} // namespace

struct TqoFontFace::TImpl {
    FT_Face Face = nullptr;
};

std::string TqoFontFace::ResolveFamily(const std::string& name) {
    static const std::map<std::string, std::string> metricTwins = {
        {"ms sans serif", "Liberation Sans"}, {"microsoft sans serif", "Liberation Sans"},
        {"arial", "Liberation Sans"},         {"helvetica", "Liberation Sans"},
        {"tahoma", "Liberation Sans"},        {"times new roman", "Liberation Serif"},
        {"courier new", "Liberation Mono"},   {"courier", "Liberation Mono"}};
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    const auto it = metricTwins.find(key);
    return it != metricTwins.end() ? it->second : name;
}

std::shared_ptr<TqoFontFace> TqoFontFace::Get(const TFont& font, int32_t dpi) {
    static std::mutex lock;
    static std::map<std::tuple<std::string, int32_t, TFontStyles>, std::shared_ptr<TqoFontFace>> cache;
    const int32_t pixels = std::max(1, Round(double(std::abs(font.Size)) * dpi / 72.0));
    const TFontStyles shape = font.Style & (fsBold | fsItalic);
    const auto key = std::make_tuple(font.Name, pixels, shape);
    std::lock_guard guard(lock);
    auto& face = cache[key];
    if (!face) {
        const TFaceFile file = Match(ResolveFamily(font.Name), shape);
        face.reset(new TqoFontFace(file.File, file.Index, pixels, file.Embolden, file.Oblique));
        face->fFamily = file.Family;
    }
    return face;
}

TqoFontFace::TqoFontFace(const std::string& file, int32_t faceIndex, int32_t pixels, bool embolden,
                         bool oblique)
    : fImpl(std::make_unique<TImpl>()), fEmbolden(embolden), fOblique(oblique) {
    if (FT_New_Face(Library(), file.c_str(), faceIndex, &fImpl->Face) ||
        FT_Set_Pixel_Sizes(fImpl->Face, 0, FT_UInt(pixels)))
        throw EqoError("Font file \"" + file + "\" could not be loaded");
    const FT_Face f = fImpl->Face;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
    auto scaled = [&](double units) { return units * pixels / std::max<int32_t>(f->units_per_EM, 1); };
    // The cell of a GDI font: the Windows ascent rounded, the descent rounded up
    // (so that the 8-point default font keeps its classic 13 pixels).
    fAscent = os2 ? Round(scaled(os2->usWinAscent)) : int32_t((f->size->metrics.ascender + 32) >> 6);
    fDescent = int32_t(std::ceil(os2 ? scaled(os2->usWinDescent) : -f->size->metrics.descender / 64.0));
    // Lines are centred on their position, the odd pixel below.
    auto line = [&](double position, double thickness) {
        const int32_t t = std::max(1, Round(scaled(thickness)));
        return TLine{-Round(scaled(position)) - t / 2, t};
    };
    fUnderline = post ? line(int32_t(post->underlinePosition), double(post->underlineThickness))
                      : line(f->underline_position, f->underline_thickness);
    fStrikeOut = os2 ? line(os2->yStrikeoutPosition, os2->yStrikeoutSize) : line(fAscent / 3.0, 1);
}

TqoFontFace::~TqoFontFace() {
    for (auto& page : fPages) delete page.load();
    if (fImpl->Face) FT_Done_Face(fImpl->Face);
}

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

// The map keeps its elements in place, so the references handed out stay valid.
const TqoGlyph& TqoFontFace::Rendered(char32_t c) {
    std::lock_guard guard(fLock);
    const auto found = fGlyphs.find(c);
    if (found != fGlyphs.end()) return found->second;
    TqoGlyph& g = fGlyphs[c];
    const FT_Face f = fImpl->Face;
    if (FT_Load_Char(f, c, FT_LOAD_TARGET_NORMAL)) return g;
    if (fEmbolden) FT_GlyphSlot_Embolden(f->glyph);
    if (fOblique) FT_GlyphSlot_Oblique(f->glyph);
    g.Advance = int32_t((f->glyph->advance.x + 32) >> 6);
    if (FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL)) return g;
    const FT_Bitmap& bm = f->glyph->bitmap;
    g.Left = f->glyph->bitmap_left;
    g.Top = f->glyph->bitmap_top;
    g.Width = int32_t(bm.width);
    g.Height = int32_t(bm.rows);
    g.Coverage.resize(size_t(g.Width) * size_t(g.Height));
    for (int32_t y = 0; y < g.Height; ++y)
        std::memcpy(g.Coverage.data() + size_t(y) * g.Width, bm.buffer + ptrdiff_t(y) * bm.pitch,
                    size_t(g.Width));
    return g;
}

int32_t TqoFontFace::Width(std::u32string_view text) {
    int32_t width = 0;
    for (char32_t c : text) width += Glyph(c).Advance;
    return width;
}

} // namespace qo
