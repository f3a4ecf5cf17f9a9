#pragma once
// One drawing backend behind the workloads of the peer benchmark: our canvas,
// cairo's image surface or QPainter on a QImage, each on its own surface.
// Shapes use a black one-pixel pen; colours are 0xRRGGBB.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace qo::peers {

struct TPt {
    int32_t X = 0, Y = 0;
};

class TPeerPainter {
public:
    virtual ~TPeerPainter() = default;
    virtual void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) = 0;
    // Filled with `rgb` and outlined, right and bottom edges excluded.
    virtual void OutlinedRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) = 0;
    virtual void Line(TPt a, TPt b) = 0;
    virtual void Polyline(std::span<const TPt> points) = 0;
    virtual void Polygon(std::span<const TPt> points, uint32_t rgb) = 0;
    virtual void SetFontSize(int32_t points) = 0;
    // Black, transparent, (x, y) the top left of the text cell.
    virtual void Text(int32_t x, int32_t y, std::string_view utf8) = 0;
    // Makes sure that everything drawn has reached the pixels.
    virtual void Finish() {}
};

constexpr int32_t kWidth = 1920, kHeight = 1080;

std::unique_ptr<TPeerPainter> MakeOurPainter();
std::unique_ptr<TPeerPainter> MakeCairoPainter(bool antialias, const std::string& fontFile);
std::unique_ptr<TPeerPainter> MakeQtPainter(bool antialias, const std::string& fontFile);

} // namespace qo::peers
