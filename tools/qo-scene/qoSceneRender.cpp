#include "qoSceneRender.h"

#include "qoSceneReader.h"

#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

namespace qo::scene {

namespace {

TPenMode PenMode(const TSceneCommand& c, const std::string& mode) {
    if (mode == "copy") return TPenMode::pmCopy;
    if (mode == "not") return TPenMode::pmNot;
    if (mode == "xor") return TPenMode::pmXor;
    c.Fail("pen mode is copy, not or xor");
}

void SetPen(TCanvas& canvas, const TSceneCommand& c) {
    const std::string& style = c.Arg(2);
    if (style != "solid" && style != "dot") c.Fail("pen style is solid or dot");
    canvas.Pen() = {c.Color(0), int32_t(c.Int(1)), style == "dot" ? TPenStyle::psDot : TPenStyle::psSolid,
                    PenMode(c, c.Arg(3))};
}

void SetBrush(TCanvas& canvas, const TSceneCommand& c) {
    TBrush& brush = canvas.Brush();
    const std::string& kind = c.Arg(0);
    brush.ClearPattern();
    if (kind == "solid") {
        brush.Style = TBrushStyle::bsSolid;
        brush.Color = c.Color(1);
    } else if (kind == "clear") {
        brush.Style = TBrushStyle::bsClear;
    } else if (kind == "pattern") {
        const long w = c.Int(1), h = c.Int(2);
        const std::string& bits = c.Arg(3);
        if (w <= 0 || h <= 0 || w > 64 || h > 64 || bits.size() != size_t(w * h))
            c.Fail("pattern bits do not match W x H");
        TqoRaster pattern{int32_t(w), int32_t(h)};
        const uint32_t colors[2] = {ColorToPixel(c.Color(4)), ColorToPixel(c.Color(5))};
        for (size_t i = 0; i < bits.size(); ++i) pattern.Data()[i] = colors[bits[i] == '1'];
        brush.SetPattern(pattern);
        // Gaps of dotted pens take the background colour, white here.
        brush.Style = TBrushStyle::bsSolid;
        brush.Color = clWhite;
    } else {
        c.Fail("brush is solid, clear or pattern");
    }
}

void SetFont(TCanvas& canvas, const TSceneCommand& c) {
    TFont& font = canvas.Font();
    font.Name = c.Arg(0);
    for (char& ch : font.Name)
        if (ch == '_') ch = ' ';
    font.Size = int32_t(c.Int(1));
    font.Color = c.Color(3);
    font.Style = 0;
    for (char s : c.Arg(2)) {
        if (s == 'b')
            font.Style |= fsBold;
        else if (s == 'i')
            font.Style |= fsItalic;
        else if (s == 'u')
            font.Style |= fsUnderline;
        else if (s == 's')
            font.Style |= fsStrikeOut;
        else if (s != '-')
            c.Fail("font style letters are b, i, u and s");
    }
    font.Orientation = c.Args.size() > 4 ? int32_t(c.Int(4)) : 0;
    if (font.Orientation != 0 && font.Orientation != 900) c.Fail("font angle is 0 or 900");
}

std::vector<TPoint> Points(const TSceneCommand& c) {
    std::vector<TPoint> points;
    for (auto [x, y] : c.Points()) points.emplace_back(int32_t(x), int32_t(y));
    return points;
}

TRect RectArg(const TSceneCommand& c) {
    return {int32_t(c.Int(0)), int32_t(c.Int(1)), int32_t(c.Int(2)), int32_t(c.Int(3))};
}

TPoint PointArg(const TSceneCommand& c) {
    return {int32_t(c.Int(0)), int32_t(c.Int(1))};
}

void TextCommand(TCanvas& canvas, const TSceneCommand& c) {
    const TBrush brush = canvas.Brush();
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.TextOut(int32_t(c.Int(0)), int32_t(c.Int(1)), c.TextAfter(2));
    canvas.Brush() = brush;
}

std::string Numbers(std::initializer_list<int32_t> values) {
    std::string out;
    for (int32_t v : values) out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

// DrawTextW over a transparent background: its result and the rectangle after it.
std::string DrawTextCommand(TCanvas& canvas, const TSceneCommand& c) {
    TRect r = RectArg(c);
    const TBrush brush = canvas.Brush();
    canvas.Brush().Style = TBrushStyle::bsClear;
    const int32_t height = canvas.DrawTextW(c.TextAfter(5), r, uint32_t(c.Int(4)));
    canvas.Brush() = brush;
    return Numbers({height, r.Left, r.Top, r.Right, r.Bottom});
}

// The commands that answer with what they measured, in the words of the GDI renderer.
std::optional<std::string> Measure(TCanvas& canvas, const TSceneCommand& c) {
    if (c.Name == "font") return canvas.FontFamily();
    if (c.Name == "extent") {
        const TSize size = canvas.TextExtent(c.TextAfter(0));
        return Numbers({size.cx, size.cy});
    }
    if (c.Name == "metrics") {
        const TTextMetric m = canvas.TextMetrics();
        return Numbers({m.Height, m.Ascent, m.Descent, m.InternalLeading, m.ExternalLeading, m.AveCharWidth});
    }
    if (c.Name == "drawtext") return DrawTextCommand(canvas, c);
    return std::nullopt;
}

void Run(TBitmap& bitmap, const TSceneCommand& c) {
    using TCommand = std::function<void(TBitmap&, TCanvas&, const TSceneCommand&)>;
    static const std::map<std::string, TCommand> commands = {
        {"pen", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { SetPen(k, c); }},
        {"brush", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { SetBrush(k, c); }},
        {"font", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { SetFont(k, c); }},
        {"moveto",
         [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.MoveTo(PointArg(c).X, PointArg(c).Y); }},
        {"lineto",
         [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.LineTo(PointArg(c).X, PointArg(c).Y); }},
        {"polyline", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.Polyline(Points(c)); }},
        {"polygon", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.Polygon(Points(c)); }},
        {"rectangle", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.Rectangle(RectArg(c)); }},
        {"fillrect", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.FillRect(RectArg(c)); }},
        {"framerect", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.FrameRect(RectArg(c)); }},
        {"focusrect", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { k.DrawFocusRect(RectArg(c)); }},
        {"pixel", [](TBitmap&, TCanvas& k,
                     const TSceneCommand& c) { k.SetPixel(PointArg(c).X, PointArg(c).Y, c.Color(2)); }},
        {"patinvert",
         [](TBitmap&, TCanvas& k, const TSceneCommand& c) {
             const TRect r = RectArg(c);
             k.PatBlt(r.Left, r.Top, r.Width(), r.Height(), PATINVERT);
         }},
        {"viewport",
         [](TBitmap& b, TCanvas&, const TSceneCommand& c) { b.Handle().SetViewportOrg(PointArg(c)); }},
        {"clip",
         [](TBitmap& b, TCanvas&, const TSceneCommand& c) {
             const TqoRegion region(RectArg(c));
             b.Handle().SelectClipRgn(&region);
         }},
        {"noclip", [](TBitmap& b, TCanvas&, const TSceneCommand&) { b.Handle().SelectClipRgn(nullptr); }},
        {"text", [](TBitmap&, TCanvas& k, const TSceneCommand& c) { TextCommand(k, c); }},
        {"extent", [](TBitmap&, TCanvas&, const TSceneCommand&) {}},
        {"metrics", [](TBitmap&, TCanvas&, const TSceneCommand&) {}},
        {"drawtext", [](TBitmap&, TCanvas&, const TSceneCommand&) {}},
    };
    const auto found = commands.find(c.Name);
    if (found == commands.end()) c.Fail("unknown command");
    found->second(bitmap, bitmap.Canvas(), c);
}

} // namespace

std::unique_ptr<TBitmap> RenderScene(const std::string& path, std::string* extents) {
    const std::vector<TSceneCommand> commands = ReadScene(path);
    const long w = commands[0].Int(0), h = commands[0].Int(1);
    if (w <= 0 || h <= 0 || w > 8192 || h > 8192) commands[0].Fail("canvas size out of range");
    auto bitmap = std::make_unique<TBitmap>(int32_t(w), int32_t(h));
    bitmap->Canvas().Font().Color = clBlack;
    for (size_t i = 1; i < commands.size(); ++i) {
        const TSceneCommand& c = commands[i];
        Run(*bitmap, c);
        const std::optional<std::string> answer = Measure(bitmap->Canvas(), c);
        if (answer && extents) *extents += std::to_string(c.Line) + " " + c.Name + " " + *answer + "\n";
    }
    return bitmap;
}

bool Measures(const std::string& extents) {
    std::istringstream lines(extents);
    for (std::string line, number, name; std::getline(lines, line);)
        if (std::istringstream(line) >> number >> name && name != "font") return true;
    return false;
}

} // namespace qo::scene
