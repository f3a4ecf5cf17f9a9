// The workloads on cairo's image surface; lines run through pixel centres.
#include "qoPeerPainter.h"

#include <cairo-ft.h>
#include <cairo.h>

#include <stdexcept>

namespace qo::peers {

namespace {

class TCairoPainter final : public TPeerPainter {
public:
    TCairoPainter(bool antialias, const std::string& fontFile)
        : fSurface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight)),
          fCr(cairo_create(fSurface)) {
        cairo_set_antialias(fCr, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
        cairo_set_line_width(fCr, 1);
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(fontFile.c_str()));
        fFace = cairo_ft_font_face_create_for_pattern(pattern);
        FcPatternDestroy(pattern);
        cairo_set_font_face(fCr, fFace);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(fCr, options);
        cairo_font_options_destroy(options);
        if (cairo_status(fCr) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo could not start");
    }
    ~TCairoPainter() override {
        cairo_destroy(fCr);
        cairo_font_face_destroy(fFace);
        cairo_surface_destroy(fSurface);
    }
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) override {
        Color(rgb);
        cairo_rectangle(fCr, x, y, w, h);
        cairo_fill(fCr);
    }
    void OutlinedRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) override {
        Color(rgb);
        cairo_rectangle(fCr, x + 0.5, y + 0.5, w - 1, h - 1);
        cairo_fill_preserve(fCr);
        Color(0);
        cairo_stroke(fCr);
    }
    void Line(TPt a, TPt b) override {
        Color(0);
        cairo_move_to(fCr, a.X + 0.5, a.Y + 0.5);
        cairo_line_to(fCr, b.X + 0.5, b.Y + 0.5);
        cairo_stroke(fCr);
    }
    void Polyline(std::span<const TPt> points) override {
        Path(points);
        Color(0);
        cairo_stroke(fCr);
    }
    void Polygon(std::span<const TPt> points, uint32_t rgb) override {
        Path(points);
        cairo_close_path(fCr);
        Color(rgb);
        cairo_fill_preserve(fCr);
        Color(0);
        cairo_stroke(fCr);
    }
    void SetFontSize(int32_t points) override {
        cairo_set_font_size(fCr, points * 96.0 / 72.0);
        cairo_font_extents_t extents;
        cairo_font_extents(fCr, &extents);
        fAscent = extents.ascent;
    }
    void Text(int32_t x, int32_t y, std::string_view utf8) override {
        fText.assign(utf8);
        Color(0);
        cairo_move_to(fCr, x, y + fAscent);
        cairo_show_text(fCr, fText.c_str());
    }
    void Finish() override { cairo_surface_flush(fSurface); }

private:
    void Color(uint32_t rgb) {
        cairo_set_source_rgb(fCr, (rgb >> 16) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
    }
    void Path(std::span<const TPt> points) {
        cairo_move_to(fCr, points[0].X + 0.5, points[0].Y + 0.5);
        for (const TPt& p : points.subspan(1)) cairo_line_to(fCr, p.X + 0.5, p.Y + 0.5);
    }

    cairo_surface_t* fSurface;
    cairo_t* fCr;
    cairo_font_face_t* fFace = nullptr;
    std::string fText;
    double fAscent = 0;
};

} // namespace

std::unique_ptr<TPeerPainter> MakeCairoPainter(bool antialias, const std::string& fontFile) {
    return std::make_unique<TCairoPainter>(antialias, fontFile);
}

} // namespace qo::peers
