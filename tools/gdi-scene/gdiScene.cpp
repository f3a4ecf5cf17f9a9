// Renders a canvas scene with real GDI into a PNG: the reference that the
// project's own canvas must match pixel for pixel. Built with mingw-w64 and
// run under Wine by regenerate.sh; not part of the CMake build.
//
// Besides the commands themselves it does what TCanvas does around them: the
// background colour and mode follow the brush (opaque on its colour, transparent
// when clear), so the gaps of dotted pens come out the same.
#include "../qo-scene/qoSceneReader.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using qo::scene::TSceneCommand;

// An uncompressed PNG (stored deflate blocks): no library needed on the Windows side.
class PngWriter {
public:
    static void Write(const char* path, const uint32_t* bgrx, int width, int height) {
        std::vector<uint8_t> raw;
        for (int y = 0; y < height; ++y) {
            raw.push_back(0);
            for (int x = 0; x < width; ++x) {
                const uint32_t p = bgrx[size_t(y) * width + x];
                raw.insert(raw.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
            }
        }
        std::vector<uint8_t> z{0x78, 0x01};
        for (size_t at = 0; at < raw.size() || at == 0;) {
            const size_t n = std::min<size_t>(65535, raw.size() - at);
            const bool last = at + n == raw.size();
            z.insert(z.end(), {uint8_t(last), uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
            z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
            at += n;
            if (last) break;
        }
        uint32_t a = 1, b = 0;
        for (uint8_t c : raw) a = (a + c) % 65521, b = (b + a) % 65521;
        Put32(z, (b << 16) | a);
        std::vector<uint8_t> header;
        Put32(header, width), Put32(header, height);
        header.insert(header.end(), {8, 2, 0, 0, 0});
        FILE* f = std::fopen(path, "wb");
        if (!f) throw std::runtime_error(std::string("cannot write ") + path);
        static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        std::fwrite(signature, 1, 8, f);
        Chunk(f, "IHDR", header), Chunk(f, "IDAT", z), Chunk(f, "IEND", {});
        std::fclose(f);
    }

private:
    static void Put32(std::vector<uint8_t>& v, uint32_t x) {
        v.insert(v.end(), {uint8_t(x >> 24), uint8_t(x >> 16), uint8_t(x >> 8), uint8_t(x)});
    }
    static uint32_t Crc(const std::vector<uint8_t>& data) {
        uint32_t c = 0xFFFFFFFF;
        for (uint8_t byte : data) {
            c ^= byte;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320 & (0 - (c & 1)));
        }
        return ~c;
    }
    static void Chunk(FILE* f, const char* type, const std::vector<uint8_t>& data) {
        std::vector<uint8_t> body(type, type + 4);
        body.insert(body.end(), data.begin(), data.end());
        std::vector<uint8_t> head, tail;
        Put32(head, uint32_t(data.size())), Put32(tail, Crc(body));
        std::fwrite(head.data(), 1, 4, f), std::fwrite(body.data(), 1, body.size(), f);
        std::fwrite(tail.data(), 1, 4, f);
    }
};

class GdiScene {
public:
    explicit GdiScene(const TSceneCommand& canvas) : fWidth(canvas.Int(0)), fHeight(canvas.Int(1)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), fWidth, -fHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        fDC = CreateCompatibleDC(nullptr);
        fBitmap = CreateDIBSection(fDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&fBits), nullptr, 0);
        SelectObject(fDC, fBitmap);
        PatBlt(fDC, 0, 0, fWidth, fHeight, WHITENESS);
        SelectPen(CreatePen(PS_SOLID, 1, 0));
        SelectBrush(CreateSolidBrush(0xFFFFFF), 0xFFFFFF);
    }

    void Run(const TSceneCommand& c) {
        const std::string& n = c.Name;
        if (n == "pen")
            Pen(c);
        else if (n == "brush")
            Brush(c);
        else if (n == "moveto")
            MoveToEx(fDC, c.Int(0), c.Int(1), nullptr);
        else if (n == "lineto")
            LineTo(fDC, c.Int(0), c.Int(1));
        else if (n == "polyline" || n == "polygon")
            Poly(c, n == "polygon");
        else if (n == "rectangle")
            Rectangle(fDC, c.Int(0), c.Int(1), c.Int(2), c.Int(3));
        else if (n == "fillrect" || n == "framerect" || n == "focusrect")
            Rect(c);
        else if (n == "pixel")
            SetPixel(fDC, c.Int(0), c.Int(1), c.Color(2));
        else if (n == "patinvert")
            PatBlt(fDC, c.Int(0), c.Int(1), c.Int(2) - c.Int(0), c.Int(3) - c.Int(1), PATINVERT);
        else if (n == "viewport")
            SetViewportOrgEx(fDC, c.Int(0), c.Int(1), nullptr);
        else if (n == "clip")
            Clip(c);
        else if (n == "noclip")
            SelectClipRgn(fDC, nullptr);
        else if (n == "font")
            Font(c);
        else if (n == "text")
            Text(c);
        else if (n == "extent")
            Extent(c);
        else if (n == "metrics")
            Metrics(c);
        else if (n == "drawtext")
            DrawTextCommand(c);
        else
            c.Fail("unknown command");
    }

    // The picture, and beside it what the measuring commands answered (SCENE.gdi.extents).
    void Save(const std::string& path) {
        GdiFlush();
        PngWriter::Write(path.c_str(), fBits, fWidth, fHeight);
        if (!fMeasured) return;
        const std::string extents = path.substr(0, path.rfind(".png")) + ".extents";
        FILE* f = std::fopen(extents.c_str(), "wb");
        if (!f) throw std::runtime_error("cannot write " + extents);
        std::fputs(fTranscript.c_str(), f);
        std::fclose(f);
    }

private:
    void SelectPen(HPEN pen) { DeleteObject(SelectObject(fDC, pen)); }
    void SelectBrush(HBRUSH brush, COLORREF background) {
        HGDIOBJ old = SelectObject(fDC, brush);
        if (old != GetStockObject(NULL_BRUSH)) DeleteObject(old);
        fBrushColor = background;
        SetBkColor(fDC, background);
        SetBkMode(fDC, brush == GetStockObject(NULL_BRUSH) ? TRANSPARENT : OPAQUE);
    }

    void Pen(const TSceneCommand& c) {
        const std::string& style = c.Arg(2);
        const std::string& mode = c.Arg(3);
        if (style != "solid" && style != "dot") c.Fail("pen style is solid or dot");
        SelectPen(CreatePen(style == "dot" ? PS_DOT : PS_SOLID, c.Int(1), c.Color(0)));
        if (mode == "copy")
            SetROP2(fDC, R2_COPYPEN);
        else if (mode == "not")
            SetROP2(fDC, R2_NOT);
        else if (mode == "xor")
            SetROP2(fDC, R2_XORPEN);
        else
            c.Fail("pen mode is copy, not or xor");
    }

    void Brush(const TSceneCommand& c) {
        const std::string& kind = c.Arg(0);
        if (kind == "solid")
            SelectBrush(CreateSolidBrush(c.Color(1)), c.Color(1));
        else if (kind == "clear")
            SelectBrush(HBRUSH(GetStockObject(NULL_BRUSH)), fBrushColor);
        else if (kind == "pattern")
            SelectBrush(Pattern(c), 0xFFFFFF);
        else
            c.Fail("brush is solid, clear or pattern");
    }

    HBRUSH Pattern(const TSceneCommand& c) {
        const int w = c.Int(1), h = c.Int(2);
        const std::string& bits = c.Arg(3);
        if (w <= 0 || h <= 0 || bits.size() != size_t(w) * h) c.Fail("pattern bits do not match W x H");
        const COLORREF colors[2] = {c.Color(4), c.Color(5)};
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        uint32_t* px = nullptr;
        HBITMAP bitmap =
            CreateDIBSection(fDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&px), nullptr, 0);
        for (size_t i = 0; i < bits.size(); ++i) {
            const COLORREF rgb = colors[bits[i] == '1'];
            px[i] = (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
        }
        HBRUSH brush = CreatePatternBrush(bitmap);
        DeleteObject(bitmap);
        return brush;
    }

    void Poly(const TSceneCommand& c, bool filled) {
        std::vector<POINT> points;
        for (auto [x, y] : c.Points()) points.push_back({x, y});
        if (filled)
            Polygon(fDC, points.data(), int(points.size()));
        else
            Polyline(fDC, points.data(), int(points.size()));
    }

    void Rect(const TSceneCommand& c) {
        const RECT r{c.Int(0), c.Int(1), c.Int(2), c.Int(3)};
        HBRUSH brush = HBRUSH(GetCurrentObject(fDC, OBJ_BRUSH));
        if (c.Name == "fillrect")
            FillRect(fDC, &r, brush);
        else if (c.Name == "framerect")
            FrameRect(fDC, &r, brush);
        else
            DrawFocusRect(fDC, &r);
    }

    void Clip(const TSceneCommand& c) {
        HRGN region = CreateRectRgn(c.Int(0), c.Int(1), c.Int(2), c.Int(3));
        SelectClipRgn(fDC, region);
        DeleteObject(region);
    }

    void Font(const TSceneCommand& c) {
        const std::string& name = c.Arg(0);
        const std::string& style = c.Arg(2);
        auto has = [&](char s) { return style.find(s) != std::string::npos; };
        std::wstring wide(name.begin(), name.end());
        for (auto& ch : wide)
            if (ch == '_') ch = ' ';
        const int angle = c.Args.size() > 4 ? int(c.Int(4)) : 0;
        HFONT font = CreateFontW(-MulDiv(c.Int(1), 96, 72), 0, angle, angle, has('b') ? FW_BOLD : FW_NORMAL,
                                 has('i'), has('u'), has('s'), DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, wide.c_str());
        DeleteObject(SelectObject(fDC, font));
        SetTextColor(fDC, c.Color(3));
        Answer(c, Family());
    }

    // The family of the font file GDI took (GetTextFace answers the requested name).
    std::string Family() {
        std::vector<char> buffer(GetOutlineTextMetricsW(fDC, 0, nullptr));
        if (buffer.empty()) return "?";
        auto* otm = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        GetOutlineTextMetricsW(fDC, UINT(buffer.size()), otm);
        return Utf8(reinterpret_cast<const wchar_t*>(buffer.data() + size_t(otm->otmpFamilyName)));
    }

    void Text(const TSceneCommand& c) {
        const std::wstring text = Wide(c.TextAfter(2));
        const int mode = SetBkMode(fDC, TRANSPARENT);
        TextOutW(fDC, c.Int(0), c.Int(1), text.c_str(), int(text.size()));
        SetBkMode(fDC, mode);
    }

    void Extent(const TSceneCommand& c) {
        const std::wstring text = Wide(c.TextAfter(0));
        SIZE size{};
        GetTextExtentPoint32W(fDC, text.c_str(), int(text.size()), &size);
        Answer(c, Numbers({size.cx, size.cy}));
    }

    void Metrics(const TSceneCommand& c) {
        TEXTMETRICW tm{};
        GetTextMetricsW(fDC, &tm);
        Answer(c, Numbers({tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmInternalLeading, tm.tmExternalLeading,
                           tm.tmAveCharWidth}));
    }

    // DrawTextW over a transparent background; the answer is its result and the rectangle after it.
    void DrawTextCommand(const TSceneCommand& c) {
        RECT r{c.Int(0), c.Int(1), c.Int(2), c.Int(3)};
        const std::wstring text = Wide(c.TextAfter(5));
        const int mode = SetBkMode(fDC, TRANSPARENT);
        const int height = DrawTextW(fDC, text.c_str(), int(text.size()), &r, UINT(c.Int(4)));
        SetBkMode(fDC, mode);
        Answer(c, Numbers({height, r.left, r.top, r.right, r.bottom}));
    }

    void Answer(const TSceneCommand& c, const std::string& values) {
        fTranscript += std::to_string(c.Line) + " " + c.Name + " " + values + "\n";
        fMeasured = fMeasured || c.Name != "font";
    }
    static std::string Numbers(std::initializer_list<long> values) {
        std::string out;
        for (long v : values) out += (out.empty() ? "" : " ") + std::to_string(v);
        return out;
    }
    static std::wstring Wide(const std::string& utf8) {
        std::wstring out(utf8.size(), L'\0');
        out.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), int(out.size())));
        return out;
    }
    static std::string Utf8(const std::wstring& wide) {
        std::string out(wide.size() * 3, '\0');
        out.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), int(out.size()),
                                       nullptr, nullptr));
        return out;
    }

    int fWidth, fHeight;
    HDC fDC;
    HBITMAP fBitmap;
    uint32_t* fBits = nullptr;
    COLORREF fBrushColor = 0xFFFFFF;
    std::string fTranscript;
    bool fMeasured = false;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gdi-scene SCENE.txt OUT.png\n");
        return 2;
    }
    try {
        const auto commands = qo::scene::ReadScene(argv[1]);
        GdiScene scene(commands[0]);
        for (size_t i = 1; i < commands.size(); ++i) scene.Run(commands[i]);
        scene.Save(argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gdi-scene: %s\n", e.what());
        return 1;
    }
    return 0;
}
