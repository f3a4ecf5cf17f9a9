// The workloads on our canvas.
#include "qoPeerPainter.h"

#include "platform/graphics/qoBitmap.h"

#include <vector>

namespace qo::peers {

namespace {

TColor ColorOf(uint32_t rgb) {
    return PixelToColor(rgb);
}

class TOurPainter final : public TPeerPainter {
public:
    TOurPainter() : fBitmap(kWidth, kHeight), fCanvas(fBitmap.Canvas()) {
        fCanvas.Font() = {"DejaVu Sans", 8, clBlack, 0, 0};
    }
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) override {
        SetBrush(rgb);
        fCanvas.FillRect(TRect::Bounds(x, y, w, h));
    }
    void OutlinedRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) override {
        SetBrush(rgb);
        fCanvas.Rectangle(x, y, x + w, y + h);
    }
    void Line(TPt a, TPt b) override {
        fCanvas.MoveTo(a.X, a.Y);
        fCanvas.LineTo(b.X, b.Y);
    }
    void Polyline(std::span<const TPt> points) override { fCanvas.Polyline(Points(points)); }
    void Polygon(std::span<const TPt> points, uint32_t rgb) override {
        SetBrush(rgb);
        fCanvas.Polygon(Points(points));
    }
    void SetFontSize(int32_t points) override { fCanvas.Font().Size = points; }
    void Text(int32_t x, int32_t y, std::string_view utf8) override {
        fCanvas.Brush().Style = TBrushStyle::bsClear;
        fCanvas.TextOut(x, y, utf8);
    }

private:
    void SetBrush(uint32_t rgb) {
        fCanvas.Brush().Style = TBrushStyle::bsSolid;
        fCanvas.Brush().Color = ColorOf(rgb);
    }
    std::span<const TPoint> Points(std::span<const TPt> points) {
        fPoints.clear();
        for (const TPt& p : points) fPoints.emplace_back(p.X, p.Y);
        return fPoints;
    }

    TBitmap fBitmap;
    TCanvas& fCanvas;
    std::vector<TPoint> fPoints;
};

} // namespace

std::unique_ptr<TPeerPainter> MakeOurPainter() {
    return std::make_unique<TOurPainter>();
}

} // namespace qo::peers
