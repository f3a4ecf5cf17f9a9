#pragma once
// A printer that renders its pages into rasters of its own resolution; a host
// writes them out as PNG files or as one PDF document.
#include "platform/graphics/qoBitmap.h"

#include <memory>
#include <string>
#include <vector>

namespace qo {

enum class TPrinterOrientation { poPortrait, poLandscape };

class TqoPrinter {
public:
    // A4 at 300 DPI by default.
    TqoPrinter();
    ~TqoPrinter();

    // Page size in thousandths of an inch, portrait. Size, resolution and
    // orientation cannot change while printing.
    void SetPageSize(int32_t widthMils, int32_t heightMils);
    void SetResolution(int32_t dpi);
    int32_t Resolution() const { return fDpi; }
    void SetOrientation(TPrinterOrientation orientation);
    TPrinterOrientation Orientation() const { return fOrientation; }
    // Pixels of a page in the current orientation.
    int32_t PageWidth() const;
    int32_t PageHeight() const;

    std::string Title;

    // BeginDoc starts page 1; NewPage ends the current page and starts the next.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Drops every page of the current document; harmless when not printing.
    void Abort();
    bool Printing() const { return fPrinting; }
    bool Aborted() const { return fAborted; }
    int32_t PageNumber() const { return int32_t(fPages.size()); }

    // The current page's canvas; only while printing.
    TCanvas& Canvas();
    TqoDC& Handle();

    // The finished pages of the last document.
    const std::vector<std::unique_ptr<TBitmap>>& Pages() const { return fPages; }
    // After EndDoc. Writes PREFIX-1.png, PREFIX-2.png, ... and returns the paths.
    std::vector<std::string> SaveToPNG(const std::string& prefix) const;
    void SaveToPDF(const std::string& path) const;

private:
    void StartPage();
    void CheckPrinting(const char* operation) const;
    void CheckIdle(const char* what) const;
    void CheckFinished() const;

    int32_t fWidthMils = 8268, fHeightMils = 11693;
    int32_t fDpi = 300;
    TPrinterOrientation fOrientation = TPrinterOrientation::poPortrait;
    bool fPrinting = false;
    bool fAborted = false;
    std::vector<std::unique_ptr<TBitmap>> fPages;
};

} // namespace qo
