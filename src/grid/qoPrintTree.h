#pragma once
// Prints the rows of a tree as indented lines of text with their icons onto a
// foreign device context, at a position and a scale, from a start row on. A
// bottom limit ends the page at the first row that does not fit and names it
// to the caller, which prints the next page from there.
#include "grid/qoHeaderPrint.h"
#include "grid/qoTree.h"

#include <memory>

namespace qo {

struct TqoTreePrintArgs : TqoPrintTarget {
    TqoTree_ComBasic* Tree = nullptr;
    // Screen pixels.
    int Width = 0;
    // The first entity to print; nil for the first one.
    TqoDataEntity_Tree* StartRow = nullptr;
    // Negative: every row from the start row on.
    int RowsToPrint = -1;
    // Collapsed branches print too.
    bool ExpandAll = false;
    // Screen pixels; 0 takes the tree's own (18, or its images' height + 2).
    int RowHeight = 0;
    TqoHeaderPrint Limits;
};

class TqoPrintTree {
public:
    // Raises EqoError for a start row of another tree or a scale that is not
    // positive; the device context comes back as it was, also after a failure.
    static TqoPrintResult Print(const TqoTreePrintArgs& args);
    // The row a print starts at: the start row, or the tree's first shown one.
    static TqoDataEntity_Tree* FirstRow(TqoTree_ComBasic* tree, TqoDataEntity_Tree* start);

private:
    explicit TqoPrintTree(const TqoTreePrintArgs& args);
    TqoPrintResult Run();
    // The row after an entity in print order, hidden ones left out; nil after the last.
    TqoDataEntity_Tree* NextRow(TqoDataEntity_Tree* entity) const;
    static TqoDataEntity_Tree* FirstShown(TqoDataList_Tree* list, int32_t from);
    bool Descends(TqoDataEntity_Tree* entity) const;
    int RowTop(int row) const;
    void PrintRow(TqoDataEntity_Tree* entity, int row);
    // How many rows go on this page, and the first row left for the next.
    int CountRows(TqoDataEntity_Tree*& nextPage) const;

    int FPrintx, FPrinty;
    double FPrintScalex, FPrintScaley;
    std::unique_ptr<TCanvas> fTemporaryPrintingCanvas;
    bool fExpandAll;
    int fRowsToPrint;
    TqoDataEntity_Tree* fStartRow;
    TqoTree_ComBasic* fTree;
    int fRowCount = 0;
    int fRowHeight;
    int fWidth;
    double fFontScale = 1;
    TqoHeaderPrint fLimits;
};

} // namespace qo
