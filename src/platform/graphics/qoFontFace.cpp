// Fonts through fontconfig and FreeType.
#ifndef _WIN32
#include "platform/graphics/qoFontFace.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GASP_H
#include FT_OUTLINE_H
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

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

TqoFontFace::TFaceFile Match(const std::string& family, TFontStyles style) {
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
    TqoFontFace::TFaceFile found;
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

// Coverage 0..255: black and white, or GDI's 17 grey levels.
void ScanConvert(FT_Outline& outline, const FT_BBox& box, bool mono, TqoGlyph& g) {
    const int32_t pitch = mono ? (g.Width + 31) / 32 * 4 : (g.Width + 3) / 4 * 4;
    std::vector<uint8_t> bits(size_t(pitch) * size_t(g.Height));
    FT_Bitmap bitmap{};
    bitmap.rows = unsigned(g.Height);
    bitmap.width = unsigned(g.Width);
    bitmap.pitch = pitch;
    bitmap.buffer = bits.data();
    bitmap.num_grays = 256;
    bitmap.pixel_mode = mono ? FT_PIXEL_MODE_MONO : FT_PIXEL_MODE_GRAY;
    FT_Outline_Translate(&outline, -box.xMin, -box.yMin);
    FT_Outline_Get_Bitmap(Library(), &outline, &bitmap);
    g.Coverage.resize(size_t(g.Width) * size_t(g.Height));
    for (int32_t y = 0; y < g.Height; ++y) {
        const uint8_t* row = bits.data() + size_t(y) * size_t(pitch);
        for (int32_t x = 0; x < g.Width; ++x) {
            const int32_t level = mono ? (row[x / 8] >> (7 - x % 8) & 1) * 16 : row[x] * 17 / 256;
            g.Coverage[size_t(y) * size_t(g.Width) + size_t(x)] = uint8_t((level * 255 + 8) / 16);
        }
    }
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
    const auto it = metricTwins.find(Lowered(name));
    return it != metricTwins.end() ? it->second : name;
}

std::shared_ptr<TqoFontFace> TqoFontFace::Get(const TFont& font, int32_t dpi) {
    static std::mutex lock;
    static std::map<std::tuple<std::string, int32_t, TFontStyles>, std::shared_ptr<TqoFontFace>> cache;
    // GDI's em height of a point size: MulDiv, halves away from zero.
    const int32_t pixels = std::max(1, int32_t((int64_t(std::abs(font.Size)) * dpi * 2 + 72) / 144));
    const TFontStyles shape = font.Style & (fsBold | fsItalic);
    const auto key = std::make_tuple(font.Name, pixels, shape);
    std::lock_guard guard(lock);
    auto& face = cache[key];
    if (!face) {
        const TFaceFile file = Match(ResolveFamily(font.Name), shape);
        face.reset(new TqoFontFace(file, pixels, HasClassicCell(font.Name)));
    }
    return face;
}

// The default font of the controls names the Windows bitmap font whose 8-point
// cell is 13 pixels; its stand-in rounds the descent up to keep that cell.
bool TqoFontFace::HasClassicCell(const std::string& name) {
    return Lowered(name) == "ms sans serif";
}

TqoFontFace::TqoFontFace(const TFaceFile& file, int32_t pixels, bool classicCell)
    : fImpl(std::make_unique<TImpl>()), fFamily(file.Family), fPixels(pixels), fEmbolden(file.Embolden),
      fOblique(file.Oblique) {
    if (FT_New_Face(Library(), file.File.c_str(), file.Index, &fImpl->Face) ||
        FT_Set_Pixel_Sizes(fImpl->Face, 0, FT_UInt(pixels)))
        throw EqoError("Font file \"" + file.File + "\" could not be loaded");
    const FT_Face f = fImpl->Face;
    // Where the font's own table turns grey levels off, GDI draws the glyphs in
    // black and white, hinted for that.
    const FT_Int gasp = FT_Get_Gasp(f, FT_UInt(pixels));
    fMono = gasp != FT_GASP_NO_TABLE && !(gasp & FT_GASP_DO_GRAY);
    SetMetrics(classicCell);
}

// GDI's TEXTMETRIC of a TrueType face: the Windows ascent and descent scaled
// to the em height in 16.16 fixed point and rounded each.
void TqoFontFace::SetMetrics(bool classicCell) {
    const FT_Face f = fImpl->Face;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
    const FT_Long em = std::max<FT_Long>(f->units_per_EM, 1);
    const FT_Fixed scale = FT_MulDiv(fPixels, 1 << 16, em);
    auto scaled = [&](FT_Long units) { return int32_t(FT_MulFix(units, scale)); };
    FT_Long ascent = hhea ? hhea->Ascender : f->ascender, descent = hhea ? -hhea->Descender : -f->descender;
    if (os2 && os2->usWinAscent + std::abs(int16_t(os2->usWinDescent)) > 0) {
        ascent = os2->usWinAscent;
        descent = std::abs(int16_t(os2->usWinDescent));
    }
    fMetric.Ascent = scaled(ascent);
    fMetric.Descent = classicCell ? int32_t(std::ceil(double(descent) * fPixels / em)) : scaled(descent);
    fMetric.Height = fMetric.Ascent + fMetric.Descent;
    fMetric.InternalLeading = scaled(ascent + descent - em);
    const FT_Long lineGap = hhea ? hhea->Line_Gap - ((ascent + descent) - (hhea->Ascender - hhea->Descender)) : 0;
    fMetric.ExternalLeading = std::max(0, scaled(lineGap));
    fMetric.AveCharWidth = std::max(1, os2 ? scaled(os2->xAvgCharWidth) : fPixels / 2);
    // Lines are centred on their position, the odd pixel below.
    auto line = [&](FT_Long position, FT_Long thickness) {
        const int32_t t = std::max(1, scaled(thickness));
        return TLine{-scaled(position) - t / 2, t};
    };
    fUnderline = post ? line(post->underlinePosition, post->underlineThickness)
                      : line(f->underline_position, f->underline_thickness);
    fStrikeOut = os2 ? line(os2->yStrikeoutPosition, os2->yStrikeoutSize) : line(ascent / 3, em / 20);
}

TqoFontFace::~TqoFontFace() {
    FreePages();
    if (fImpl->Face) FT_Done_Face(fImpl->Face);
}

// GDI's glyph: the hinted outline (emboldened or slanted where the file lacks
// the style), its box cut to the cell and widened to whole pixels, scan-converted
// in that box. The advance is the hinted one rounded up, a pixel more when bold
// is synthesised.
void TqoFontFace::Rasterise(char32_t c, TqoGlyph& g) {
    const FT_Face f = fImpl->Face;
    const FT_Int32 load = FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_NO_BITMAP;
    auto loaded = [&](FT_Int32 target) {
        return !FT_Load_Char(f, c, load | target) || !FT_Load_Char(f, c, load | FT_LOAD_NO_HINTING);
    };
    // Advances come from the grey-scale hinting even where the glyphs are black and white.
    if (!loaded(FT_LOAD_TARGET_NORMAL)) return;
    g.Advance = int32_t((f->glyph->metrics.horiAdvance + 63) >> 6) + (fEmbolden ? 1 : 0);
    if (fMono && !loaded(FT_LOAD_TARGET_MONO)) return;
    FT_Outline& outline = f->glyph->outline;
    const FT_Glyph_Metrics& m = f->glyph->metrics;
    FT_BBox box{m.horiBearingX, m.horiBearingY - m.height, m.horiBearingX + m.width, m.horiBearingY};
    if (fEmbolden) {
        FT_Outline_Embolden(&outline, FT_MulDiv(fPixels, 64, 24));
        FT_Outline_Get_CBox(&outline, &box);
    }
    box.yMax = std::min<FT_Pos>(box.yMax, FT_Pos(fMetric.Ascent) * 64);
    box.yMin = std::max<FT_Pos>(box.yMin, -FT_Pos(fMetric.Descent) * 64);
    if (fOblique) {
        // A quarter of the height to the right, as GDI slants.
        const FT_Matrix slant{1 << 16, 1 << 14, 0, 1 << 16};
        FT_Outline_Transform(&outline, &slant);
        const FT_Pos top = box.yMax, bottom = box.yMin;
        box.xMin += std::min<FT_Pos>(FT_MulFix(top, 1 << 14), FT_MulFix(bottom, 1 << 14));
        box.xMax += std::max<FT_Pos>(FT_MulFix(top, 1 << 14), FT_MulFix(bottom, 1 << 14));
    }
    box = {box.xMin & -64, box.yMin & -64, (box.xMax + 63) & -64, (box.yMax + 63) & -64};
    g.Left = int32_t(box.xMin >> 6);
    g.Top = int32_t(box.yMax >> 6);
    g.Width = int32_t((box.xMax - box.xMin) >> 6);
    g.Height = int32_t((box.yMax - box.yMin) >> 6);
    if (g.Width <= 0 || g.Height <= 0 || outline.n_points == 0) {
        g.Width = g.Height = 0;
        return;
    }
    ScanConvert(outline, box, fMono, g);
}

} // namespace qo
#endif
