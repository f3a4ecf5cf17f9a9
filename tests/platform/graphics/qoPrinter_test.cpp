// Printer pages: their own resolution and size, written as PNG files and one PDF.
#include "platform/core/qoErrors.h"
#include "platform/graphics/qoPNG.h"
#include "platform/graphics/qoPrinter.h"
#include "support/qoTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <zlib.h>

namespace qo {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Printer, PagesHaveTheirOwnResolutionAndSize) {
    TqoPrinter printer;
    printer.SetResolution(300);
    printer.SetPageSize(8500, 11000);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.PageWidth(), 3300);
    EXPECT_EQ(printer.PageHeight(), 2550);
    printer.BeginDoc();
    EXPECT_TRUE(printer.Printing());
    EXPECT_EQ(printer.Handle().GetDeviceCaps(LOGPIXELSX), 300);
    EXPECT_EQ(printer.Handle().GetDeviceCaps(HORZRES), 3300);
    EXPECT_GT(printer.Canvas().TextHeight("X"), 2 * 13);
    EXPECT_THROW(printer.SetResolution(600), EqoError);
    EXPECT_THROW(printer.BeginDoc(), EqoError);
    printer.EndDoc();
    EXPECT_THROW(printer.Canvas(), EqoError);
    EXPECT_THROW(printer.NewPage(), EqoError);
}

TEST(Printer, AbortDropsThePages) {
    TqoPrinter printer;
    printer.BeginDoc();
    printer.NewPage();
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(printer.Printing());
    EXPECT_EQ(printer.PageNumber(), 0);
    EXPECT_THROW(printer.SaveToPDF(test::OutputPath("aborted.pdf")), EqoError);
}

TEST(Printer, WritesPagesAsPngFilesAndOnePdf) {
    TqoPrinter printer;
    printer.SetResolution(72);
    printer.SetPageSize(2000, 1000);
    printer.Title = "Plan (draft)";
    printer.BeginDoc();
    printer.Canvas().Brush().Color = clRed;
    printer.Canvas().FillRect({10, 10, 50, 30});
    EXPECT_THROW(printer.SaveToPDF(test::OutputPath("early.pdf")), EqoError);
    printer.NewPage();
    printer.Canvas().TextOut(10, 10, "Page 2");
    printer.EndDoc();
    ASSERT_EQ(printer.PageNumber(), 2);

    const auto paths = printer.SaveToPNG(test::OutputPath("printer-page"));
    ASSERT_EQ(paths.size(), 2u);
    const TqoRaster first = LoadPNG(paths[0]);
    EXPECT_EQ(first.Width(), 144);
    EXPECT_EQ(first.Height(), 72);
    EXPECT_EQ(PixelToColor(first.Row(20)[20]), clRed);

    const std::string pdfPath = test::OutputPath("printer.pdf");
    printer.SaveToPDF(pdfPath);
    const std::string pdf = ReadAll(pdfPath);
    EXPECT_EQ(pdf.rfind("%PDF-1.4", 0), 0u);
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
    EXPECT_NE(pdf.find("/MediaBox [0 0 144 72]"), std::string::npos);
    EXPECT_NE(pdf.find("(Plan \\(draft\\))"), std::string::npos);
    // The cross-reference table points at each object.
    const size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref") + 10));
    EXPECT_EQ(pdf.compare(xref, 4, "xref"), 0);
    const size_t entries = pdf.find("0000000000 65535 f \n", xref) + 20;
    for (int object = 1; object <= 9; ++object) {
        const size_t offset = std::stoul(pdf.substr(entries + size_t(object - 1) * 20, 10));
        EXPECT_EQ(pdf.compare(offset, std::to_string(object).size() + 6, std::to_string(object) + " 0 obj"),
                  0)
            << object;
    }
    // The first page's image inflates to its pixels.
    const size_t stream = pdf.find("stream\n", pdf.find("/Subtype /Image")) + 7;
    std::vector<uint8_t> rgb(144 * 72 * 3);
    uLongf size = uLongf(rgb.size());
    ASSERT_EQ(uncompress(rgb.data(), &size, reinterpret_cast<const Bytef*>(pdf.data() + stream),
                         uLong(pdf.size() - stream)),
              Z_OK);
    EXPECT_EQ(size, rgb.size());
    const size_t at = (20 * 144 + 20) * 3;
    EXPECT_EQ(rgb[at], 255);
    EXPECT_EQ(rgb[at + 1], 0);
}

} // namespace
} // namespace qo
