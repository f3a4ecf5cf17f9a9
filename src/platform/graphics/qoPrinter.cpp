#include "platform/graphics/qoPrinter.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoPDF.h"

namespace qo {

TqoPrinter::TqoPrinter() = default;
TqoPrinter::~TqoPrinter() = default;

void TqoPrinter::CheckIdle(const char* what) const {
    if (fPrinting) throw EqoError(Format("Cannot change the %s while printing", what));
}

void TqoPrinter::SetPageSize(int32_t widthMils, int32_t heightMils) {
    CheckIdle("page size");
    if (widthMils <= 0 || heightMils <= 0 || widthMils > 100000 || heightMils > 100000)
        throw EqoError(Format("Invalid page size %dx%d", widthMils, heightMils));
    fWidthMils = widthMils;
    fHeightMils = heightMils;
}

void TqoPrinter::SetResolution(int32_t dpi) {
    CheckIdle("resolution");
    if (dpi < 24 || dpi > 2400) throw EqoError(Format("Invalid printer resolution %d", dpi));
    fDpi = dpi;
}

void TqoPrinter::SetOrientation(TPrinterOrientation orientation) {
    CheckIdle("orientation");
    fOrientation = orientation;
}

int32_t TqoPrinter::PageWidth() const {
    return Round(double(fOrientation == TPrinterOrientation::poPortrait ? fWidthMils : fHeightMils) * fDpi /
                 1000);
}

int32_t TqoPrinter::PageHeight() const {
    return Round(double(fOrientation == TPrinterOrientation::poPortrait ? fHeightMils : fWidthMils) * fDpi /
                 1000);
}

void TqoPrinter::StartPage() {
    auto page = std::make_unique<TBitmap>(PageWidth(), PageHeight());
    page->Handle().SetResolution(fDpi, fDpi);
    fPages.push_back(std::move(page));
}

void TqoPrinter::BeginDoc() {
    if (fPrinting) throw EqoError("Printing in progress");
    fPages.clear();
    fAborted = false;
    fPrinting = true;
    StartPage();
}

void TqoPrinter::NewPage() {
    CheckPrinting("NewPage");
    StartPage();
}

void TqoPrinter::EndDoc() {
    CheckPrinting("EndDoc");
    fPrinting = false;
}

void TqoPrinter::Abort() {
    fPages.clear();
    fPrinting = false;
    fAborted = true;
}

void TqoPrinter::CheckPrinting(const char* operation) const {
    if (!fPrinting) throw EqoError(Format("Printer is not printing (%s)", operation));
}

TCanvas& TqoPrinter::Canvas() {
    CheckPrinting("Canvas");
    return fPages.back()->Canvas();
}

TqoDC& TqoPrinter::Handle() {
    CheckPrinting("Handle");
    return fPages.back()->Handle();
}

std::vector<std::string> TqoPrinter::SaveToPNG(const std::string& prefix) const {
    CheckFinished();
    std::vector<std::string> paths;
    for (size_t i = 0; i < fPages.size(); ++i) {
        paths.push_back(prefix + "-" + std::to_string(i + 1) + ".png");
        fPages[i]->SaveToPNG(paths.back());
    }
    return paths;
}

void TqoPrinter::SaveToPDF(const std::string& path) const {
    CheckFinished();
    std::vector<const TqoRaster*> pages;
    for (const auto& page : fPages) pages.push_back(&page->Raster());
    WritePDF(path, pages, fDpi, Title);
}

void TqoPrinter::CheckFinished() const {
    if (fPrinting) throw EqoError("The document is still printing");
    if (fPages.empty()) throw EqoError("There are no printed pages");
}

} // namespace qo
