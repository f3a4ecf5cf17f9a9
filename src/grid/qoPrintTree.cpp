// Tree printing: the rows in print order (pre-order, hidden entities left out,
// children of expanded entities or of all with ExpandAll) from the start row
// on, each an indented line of text after its icon.
#include "grid/qoPrintTree.h"

#include "platform/core/qoErrors.h"
#include "platform/core/qoRounding.h"
#include "platform/graphics/qoDCSaver.h"
#include "platform/graphics/qoImageList.h"
#include "scale/qoOffscreenPaint.h"


namespace qo {

namespace {
constexpr int DefaultRowHeight = 18;
constexpr int IconGap = 3;

int OwnRowHeight(TqoTree_ComBasic* tree) {
    TImageList* images = tree->Images();
    return images ? images->Height() + 2 : DefaultRowHeight;
}

void DrawIcon(TCanvas& canvas, const TRect& rect, const TImageList& images, int index) {
    if (index < 0 || index >= images.Count() || rect.IsEmpty()) return;
    TBitmap image;
    images.GetBitmap(index, image);
    canvas.StretchDraw(rect, image);
}
} // namespace

TqoPrintResult TqoPrintTree::Print(const TqoTreePrintArgs& args) {
    if (!args.Tree) throw EqoError("Tree printing needs a tree");
    args.Check();
    if (args.StartRow && args.StartRow->Tree() != args.Tree)
        throw EqoError("The start row is not a row of this tree");
    TqoPrintTree printer(args);
    return printer.Run();
}

TqoPrintTree::TqoPrintTree(const TqoTreePrintArgs& args)
    : FPrintx(args.X), FPrinty(args.Y), FPrintScalex(args.ScaleX), FPrintScaley(args.ScaleY),
      fTemporaryPrintingCanvas(std::make_unique<TCanvas>(args.DC)), fExpandAll(args.ExpandAll),
      fRowsToPrint(args.RowsToPrint), fStartRow(args.StartRow), fTree(args.Tree),
      fRowHeight(args.RowHeight > 0 ? args.RowHeight : OwnRowHeight(args.Tree)), fWidth(std::max(0, args.Width)),
      fLimits(args.Limits) {
    fStartRow = FirstRow(fTree, fStartRow);
}

TqoPrintResult TqoPrintTree::Run() {
    TCanvas& canvas = *fTemporaryPrintingCanvas;
    canvas.Font() = fTree->Font();
    fFontScale = TqoOffscreenPaint::GetFontScale(canvas);
    TqoDataEntity_Tree* nextPage = nullptr;
    const int rows = CountRows(nextPage);
    TqoPrintResult result;
    result.UsedWidth = Round(fWidth * FPrintScalex);
    result.UsedHeight = RowTop(rows);
    {
        TqoDCSaver saver(canvas);
        TqoDC& dc = *canvas.Handle();
        dc.OffsetViewportOrg(FPrintx, FPrinty);
        dc.IntersectClipRect({0, 0, result.UsedWidth, result.UsedHeight});
        TqoDataEntity_Tree* entity = fStartRow;
        for (fRowCount = 0; fRowCount < rows && entity; ++fRowCount, entity = NextRow(entity))
            PrintRow(entity, fRowCount);
    }
    result.RowsPrinted = fRowCount;
    // Told last: the caller's callback may do anything once the canvas is given back.
    if (nextPage) fLimits.Callback(false, result.UsedHeight, nextPage);
    return result;
}

int TqoPrintTree::CountRows(TqoDataEntity_Tree*& nextPage) const {
    const bool bottomLimit = fLimits.Armed() && fLimits.Bottom != -1;
    int rows = 0;
    for (TqoDataEntity_Tree* entity = fStartRow; entity && (fRowsToPrint < 0 || rows < fRowsToPrint);
         entity = NextRow(entity)) {
        // A row taller than the page still prints, cut, so that every page moves on.
        if (bottomLimit && rows > 0 && FPrinty + RowTop(rows + 1) > fLimits.Bottom) {
            nextPage = entity;
            break;
        }
        ++rows;
    }
    return rows;
}

int TqoPrintTree::RowTop(int row) const { return Round(row * fRowHeight * FPrintScaley); }

bool TqoPrintTree::Descends(TqoDataEntity_Tree* entity) const {
    TqoDataList_Tree* children = entity->SubDataList();
    return children && children->Count() > 0 && (fExpandAll || entity->Expanded());
}

TqoDataEntity_Tree* TqoPrintTree::FirstRow(TqoTree_ComBasic* tree, TqoDataEntity_Tree* start) {
    return start ? start : FirstShown(tree->RootDataEntities(), 0);
}

TqoDataEntity_Tree* TqoPrintTree::FirstShown(TqoDataList_Tree* list, int32_t from) {
    if (!list) return nullptr;
    for (int32_t i = from; i < list->Count(); ++i) {
        TqoDataEntity_Tree* entity = list->IsLoaded(i) ? list->Item(i) : nullptr;
        if (entity && !entity->HideNode()) return entity;
    }
    return nullptr;
}

TqoDataEntity_Tree* TqoPrintTree::NextRow(TqoDataEntity_Tree* entity) const {
    if (Descends(entity))
        if (TqoDataEntity_Tree* child = FirstShown(entity->SubDataList(), 0)) return child;
    for (TqoDataEntity_Tree* e = entity; e; e = e->ParentNode()) {
        auto* list = static_cast<TqoDataList_Tree*>(e->OwningDataList());
        if (TqoDataEntity_Tree* sibling = FirstShown(list, e->ListIndex() + 1)) return sibling;
    }
    return nullptr;
}

void TqoPrintTree::PrintRow(TqoDataEntity_Tree* entity, int row) {
    TCanvas& canvas = *fTemporaryPrintingCanvas;
    const int top = RowTop(row), bottom = RowTop(row + 1);
    int x = Round(fTree->Indent() * entity->Level() * FPrintScalex);
    if (TImageList* images = fTree->Images()) {
        const int w = Round(images->Width() * FPrintScalex);
        DrawIcon(canvas, {x, top, x + w, top + Round(images->Height() * FPrintScaley)}, *images,
                 entity->ImageIndex());
        x += w + Round(IconGap * FPrintScalex);
    }
    canvas.Font() = fTree->Font();
    if (!entity->FontName().empty()) canvas.Font().Name = entity->FontName();
    canvas.Font().Style = entity->FontStyle();
    canvas.Font().Size = Round(fTree->Font().Size * fFontScale * FPrintScaley);
    canvas.Brush().Style = TBrushStyle::bsClear;
    const std::string_view text = entity->Text();
    // Centred in its row, as the bars beside it are.
    canvas.TextOut(x, top + (bottom - top - canvas.TextHeight(text)) / 2, text);
}

} // namespace qo
