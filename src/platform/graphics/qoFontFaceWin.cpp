// Fonts through GDI: the system's font mapper picks the face a host would
// see, and GDI renders each glyph's coverage; our canvas blends it.
#ifdef _WIN32
#include "platform/core/qoWin32.h"

#include "platform/core/qoErrors.h"
#include "platform/graphics/qoFontFace.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

namespace qo {

namespace {

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// A big-endian 16-bit field of one of the selected font's tables; -1 when absent.
int32_t FontTableU16(HDC dc, const char (&tag)[5], DWORD offset) {
    const DWORD name = DWORD(uint8_t(tag[0])) | DWORD(uint8_t(tag[1])) << 8 | DWORD(uint8_t(tag[2])) << 16 |
                       DWORD(uint8_t(tag[3])) << 24;
    uint8_t bytes[2];
    if (GetFontData(dc, name, offset, bytes, 2) != 2) return -1;
    return int32_t(bytes[0]) << 8 | bytes[1];
}

// Where the font's 'gasp' table turns grey levels off at this size, GDI draws
// black and white.
bool MonoAt(HDC dc, int32_t pixels) {
    const int32_t ranges = FontTableU16(dc, "gasp", 2);
    for (int32_t i = 0; i < ranges; ++i) {
        const int32_t maxPPEM = FontTableU16(dc, "gasp", DWORD(4 + 4 * i));
        if (pixels <= maxPPEM) return !(FontTableU16(dc, "gasp", DWORD(6 + 4 * i)) & 2);
    }
    return false;
}

} // namespace

struct TqoFontFace::TImpl {
    HDC Dc = nullptr;
    HFONT Font = nullptr;
    HGDIOBJ Previous = nullptr;
};

// GDI's own substitutes apply; the names are passed on as the host gave them.
std::string TqoFontFace::ResolveFamily(const std::string& name) {
    return name;
}

std::shared_ptr<TqoFontFace> TqoFontFace::Get(const TFont& font, int32_t dpi) {
    static std::mutex lock;
    static std::map<std::tuple<std::string, int32_t, TFontStyles>, std::shared_ptr<TqoFontFace>> cache;
    const int32_t pixels = std::max(1, MulDiv(std::abs(font.Size), dpi, 72));
    const TFontStyles shape = font.Style & (fsBold | fsItalic);
    const auto key = std::make_tuple(font.Name, pixels, shape);
    std::lock_guard guard(lock);
    auto& face = cache[key];
    // GDI makes up the styles a family lacks: the face file only asks for them.
    if (!face) face.reset(new TqoFontFace({"", font.Name, 0, bool(shape & fsBold), bool(shape & fsItalic)}, pixels,
                                          HasClassicCell(font.Name)));
    return face;
}

bool TqoFontFace::HasClassicCell(const std::string& name) {
    return Lowered(name) == "ms sans serif";
}

TqoFontFace::TqoFontFace(const TFaceFile& file, int32_t pixels, bool classicCell)
    : fImpl(std::make_unique<TImpl>()), fPixels(pixels), fEmbolden(file.Embolden), fOblique(file.Oblique) {
    LOGFONTW logFont{};
    logFont.lfHeight = -pixels;
    logFont.lfWeight = fEmbolden ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = fOblique;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = ANTIALIASED_QUALITY;
    const std::wstring name = Wide(file.Family);
    name.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    fImpl->Dc = CreateCompatibleDC(nullptr);
    fImpl->Font = CreateFontIndirectW(&logFont);
    if (!fImpl->Dc || !fImpl->Font) throw EqoError("No font found for \"" + file.Family + "\"");
    fImpl->Previous = SelectObject(fImpl->Dc, fImpl->Font);
    fMono = MonoAt(fImpl->Dc, pixels);
    SetMetrics(classicCell);
}

// GDI's TEXTMETRIC, and the family of the font file GDI took (GetTextFace
// answers the requested name). A stand-in for the classic bitmap font rounds
// its descent up, as on Linux, to keep the 13-pixel cell at 8 points.
void TqoFontFace::SetMetrics(bool classicCell) {
    const HDC dc = fImpl->Dc;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    fMetric = {tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmInternalLeading, tm.tmExternalLeading, tm.tmAveCharWidth};
    auto line = [](int32_t position, int32_t thickness) {
        const int32_t t = std::max(1, thickness);
        return TLine{-position - t / 2, t};
    };
    std::vector<char> buffer(GetOutlineTextMetricsW(dc, 0, nullptr));
    auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (buffer.empty() || !GetOutlineTextMetricsW(dc, UINT(buffer.size()), otm)) {
        wchar_t face[LF_FACESIZE] = {};
        GetTextFaceW(dc, LF_FACESIZE, face);
        fFamily = Narrow(face);
        fUnderline = line(-1, 1);
        fStrikeOut = line(fMetric.Ascent / 3, 1);
        return; // a bitmap font: its cell is its own
    }
    fFamily = Narrow(reinterpret_cast<const wchar_t*>(buffer.data() + size_t(otm->otmpFamilyName)));
    fUnderline = line(otm->otmsUnderscorePosition, int32_t(otm->otmsUnderscoreSize));
    fStrikeOut = line(otm->otmsStrikeoutPosition, int32_t(otm->otmsStrikeoutSize));
    const int32_t em = FontTableU16(dc, "head", 18), winDescent = FontTableU16(dc, "OS/2", 76);
    if (classicCell && em > 0 && winDescent >= 0) {
        fMetric.Descent = int32_t(std::ceil(double(winDescent) * fPixels / em));
        fMetric.Height = fMetric.Ascent + fMetric.Descent;
    }
}

TqoFontFace::~TqoFontFace() {
    FreePages();
    if (fImpl->Previous) SelectObject(fImpl->Dc, fImpl->Previous);
    if (fImpl->Font) DeleteObject(fImpl->Font);
    if (fImpl->Dc) DeleteDC(fImpl->Dc);
}

// GDI's glyph bitmap: 17 grey levels, or black and white, rows on 4-byte bounds.
void TqoFontFace::Rasterise(char32_t c, TqoGlyph& g) {
    const UINT format = fMono ? GGO_BITMAP : GGO_GRAY4_BITMAP;
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS gm{};
    const DWORD size = GetGlyphOutlineW(fImpl->Dc, UINT(c), format, &gm, 0, nullptr, &identity);
    if (size == GDI_ERROR) return;
    // Text extents add up GDI's character widths, not the rendered cell's.
    INT advance = gm.gmCellIncX;
    GetCharWidth32W(fImpl->Dc, UINT(c), UINT(c), &advance);
    g.Advance = advance;
    if (size == 0) return; // a blank glyph: its box is nominal
    std::vector<uint8_t> bits(size);
    if (GetGlyphOutlineW(fImpl->Dc, UINT(c), format, &gm, size, bits.data(), &identity) == GDI_ERROR) return;
    g.Left = gm.gmptGlyphOrigin.x;
    g.Top = gm.gmptGlyphOrigin.y;
    g.Width = int32_t(gm.gmBlackBoxX);
    g.Height = int32_t(gm.gmBlackBoxY);
    const int32_t pitch = fMono ? (g.Width + 31) / 32 * 4 : (g.Width + 3) / 4 * 4;
    if (size_t(pitch) * size_t(g.Height) > bits.size()) {
        g.Width = g.Height = 0;
        return;
    }
    g.Coverage.resize(size_t(g.Width) * size_t(g.Height));
    for (int32_t y = 0; y < g.Height; ++y) {
        const uint8_t* row = bits.data() + size_t(y) * size_t(pitch);
        for (int32_t x = 0; x < g.Width; ++x) {
            const int32_t level = fMono ? (row[x / 8] >> (7 - x % 8) & 1) * 16 : row[x];
            g.Coverage[size_t(y) * size_t(g.Width) + size_t(x)] = uint8_t((level * 255 + 8) / 16);
        }
    }
}

} // namespace qo
#endif
