// The workloads on QPainter over a QImage: integer calls without antialiasing
// (Qt's fastest), pixel centres with it.
#include "qoPeerPainter.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <stdexcept>

namespace qo::peers {

namespace {

class TQtPainter final : public TPeerPainter {
public:
    TQtPainter(bool antialias, const std::string& fontFile)
        : fImage(kWidth, kHeight, QImage::Format_RGB32), fPainter(&fImage), fAntialias(antialias) {
        fPainter.setRenderHint(QPainter::Antialiasing, antialias);
        fPainter.setRenderHint(QPainter::TextAntialiasing, antialias);
        static const int id = QFontDatabase::addApplicationFont(QString::fromStdString(fontFile));
        if (id < 0) throw std::runtime_error("Qt could not load " + fontFile);
        fFont = QFont(QFontDatabase::applicationFontFamilies(id).value(0));
        fFont.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
        fPainter.setPen(QPen(Qt::black, 1));
    }
    void FillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) override {
        fPainter.fillRect(QRect(x, y, w, h), QColor::fromRgb(rgb));
    }
    void OutlinedRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) override {
        fPainter.setBrush(QColor::fromRgb(rgb));
        if (fAntialias)
            fPainter.drawRect(QRectF(x + 0.5, y + 0.5, w - 1, h - 1));
        else
            fPainter.drawRect(QRect(x, y, w - 1, h - 1));
    }
    void Line(TPt a, TPt b) override {
        if (fAntialias)
            fPainter.drawLine(QPointF(a.X + 0.5, a.Y + 0.5), QPointF(b.X + 0.5, b.Y + 0.5));
        else
            fPainter.drawLine(a.X, a.Y, b.X, b.Y);
    }
    void Polyline(std::span<const TPt> points) override {
        if (fAntialias)
            fPainter.drawPolyline(PointsF(points));
        else
            fPainter.drawPolyline(Points(points));
    }
    void Polygon(std::span<const TPt> points, uint32_t rgb) override {
        fPainter.setBrush(QColor::fromRgb(rgb));
        if (fAntialias)
            fPainter.drawPolygon(PointsF(points));
        else
            fPainter.drawPolygon(Points(points));
    }
    void SetFontSize(int32_t points) override {
        fFont.setPixelSize(points * 96 / 72);
        fPainter.setFont(fFont);
        fAscent = QFontMetrics(fFont).ascent();
    }
    void Text(int32_t x, int32_t y, std::string_view utf8) override {
        fPainter.drawText(x, y + fAscent, QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
    }

private:
    const QPolygon& Points(std::span<const TPt> points) {
        fPolygon.resize(qsizetype(points.size()));
        for (size_t i = 0; i < points.size(); ++i) fPolygon[qsizetype(i)] = QPoint(points[i].X, points[i].Y);
        return fPolygon;
    }
    const QPolygonF& PointsF(std::span<const TPt> points) {
        fPolygonF.resize(qsizetype(points.size()));
        for (size_t i = 0; i < points.size(); ++i)
            fPolygonF[qsizetype(i)] = QPointF(points[i].X + 0.5, points[i].Y + 0.5);
        return fPolygonF;
    }

    QImage fImage;
    QPainter fPainter;
    bool fAntialias;
    QFont fFont;
    int fAscent = 0;
    QPolygon fPolygon;
    QPolygonF fPolygonF;
};

} // namespace

std::unique_ptr<TPeerPainter> MakeQtPainter(bool antialias, const std::string& fontFile) {
    return std::make_unique<TQtPainter>(antialias, fontFile);
}

} // namespace qo::peers
