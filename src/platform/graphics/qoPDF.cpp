#include "platform/graphics/qoPDF.h"

#include "platform/core/qoErrors.h"

#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace qo {

namespace {

std::string Compressed(const TqoRaster& page) {
    std::string rgb;
    rgb.reserve(size_t(page.Width()) * page.Height() * 3);
    for (int32_t y = 0; y < page.Height(); ++y)
        for (int32_t x = 0; x < page.Width(); ++x) {
            const uint32_t p = page.Row(y)[x];
            rgb += char(p >> 16), rgb += char(p >> 8), rgb += char(p);
        }
    uLongf size = compressBound(uLong(rgb.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(rgb.data()),
                  uLong(rgb.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw EqoError("Cannot compress a PDF page");
    out.resize(size);
    return out;
}

// PDF literal strings escape their delimiters; other bytes pass.
std::string Literal(const std::string& text) {
    std::string out = "(";
    for (char c : text) {
        if (c == '(' || c == ')' || c == '\\') out += '\\';
        out += c;
    }
    return out + ")";
}

class TPdfWriter {
public:
    int32_t Begin() {
        fOffsets.push_back(fOut.tellp());
        fOut << fOffsets.size() << " 0 obj\n";
        return int32_t(fOffsets.size());
    }
    void End() { fOut << "endobj\n"; }
    std::ostringstream& Out() { return fOut; }

    std::string Finish(int32_t root, int32_t info) {
        const auto xref = fOut.tellp();
        fOut << "xref\n0 " << fOffsets.size() + 1 << "\n0000000000 65535 f \n";
        char line[32];
        for (auto offset : fOffsets) {
            std::snprintf(line, sizeof line, "%010lld 00000 n \n", static_cast<long long>(offset));
            fOut << line;
        }
        fOut << "trailer\n<< /Size " << fOffsets.size() + 1 << " /Root " << root << " 0 R /Info " << info
             << " 0 R >>\nstartxref\n"
             << xref << "\n%%EOF\n";
        return fOut.str();
    }

private:
    std::ostringstream fOut{"%PDF-1.4\n%\xE2\xE3\xCF\xD3\n", std::ios::ate};
    std::vector<std::streamoff> fOffsets;
};

} // namespace

void WritePDF(const std::string& path, const std::vector<const TqoRaster*>& pages, int32_t dpi,
              const std::string& title) {
    if (pages.empty()) throw EqoError("A PDF document needs a page");
    // Objects: 1 catalog, 2 page tree, 3 info, then page, content and image for each page.
    TPdfWriter pdf;
    std::ostringstream& o = pdf.Out();
    pdf.Begin();
    o << "<< /Type /Catalog /Pages 2 0 R >>\n";
    pdf.End();
    pdf.Begin();
    o << "<< /Type /Pages /Count " << pages.size() << " /Kids [";
    for (size_t i = 0; i < pages.size(); ++i) o << ' ' << 4 + 3 * i << " 0 R";
    o << " ] >>\n";
    pdf.End();
    pdf.Begin();
    o << "<< /Title " << Literal(title) << " /Producer (qoChartix) >>\n";
    pdf.End();
    for (size_t i = 0; i < pages.size(); ++i) {
        const TqoRaster& page = *pages[i];
        const double w = page.Width() * 72.0 / dpi, h = page.Height() * 72.0 / dpi;
        const int32_t self = pdf.Begin();
        o << "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " << w << ' ' << h << "] /Contents " << self + 1
          << " 0 R /Resources << /XObject << /Im0 " << self + 2 << " 0 R >> >> >>\n";
        pdf.End();
        std::ostringstream content;
        content << "q " << w << " 0 0 " << h << " 0 0 cm /Im0 Do Q\n";
        pdf.Begin();
        o << "<< /Length " << content.str().size() << " >>\nstream\n" << content.str() << "endstream\n";
        pdf.End();
        const std::string data = Compressed(page);
        pdf.Begin();
        o << "<< /Type /XObject /Subtype /Image /Width " << page.Width() << " /Height " << page.Height()
          << " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " << data.size()
          << " >>\nstream\n";
        o.write(data.data(), std::streamsize(data.size()));
        o << "\nendstream\n";
        pdf.End();
    }
    const std::string document = pdf.Finish(1, 3);
    std::ofstream file(path, std::ios::binary);
    if (!file.write(document.data(), std::streamsize(document.size())))
        throw EqoError("Cannot write \"" + path + "\"");
}

} // namespace qo
