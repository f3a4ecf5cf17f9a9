#include "grid/qoGridCellLayout.h"

#include "grid/qoGrid.h"

#include <cctype>

namespace qo {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

TqoCellLayout::TqoCellLayout(TqoCellLayouts* collection) : fCollection(collection) {
    fLayoutProperty.MinHeight = 20;
    fLayoutProperty.MinWidth = 20;
    fLayoutProperty.BackColor = clWindow;
    fLayoutProperty.FrameColor = clBtnFace;
    fLayoutProperty.FrameOptions = foRight;
    CopyFont();
}

TqoCellLayout::~TqoCellLayout() = default;

int TqoCellLayout::Index() const { return fCollection->IndexOf(this); }

std::string TqoCellLayout::DisplayName() const { return Name().empty() ? "TqoCellLayout" : Name(); }

void TqoCellLayout::Assign(const TqoCellLayout& source) {
    if (&source == this) return;
    fLayoutProperty = source.fLayoutProperty;
    fFont = source.fFont;
    // The name and the other values travel too: a copy with the font alone would lose the layout.
    Changed();
}

void TqoCellLayout::Apply(TBabCell* cell) {
    if (!cell) return;
    cell->SetLayoutProp(&fLayoutProperty);
    Changed();
}

void TqoCellLayout::Remove(TBabCell* cell) {
    if (!cell || cell->LayoutProp() != &fLayoutProperty) return;
    cell->SetLayoutProp(nullptr);
    Changed();
}

void TqoCellLayout::SetName(const std::string& name) {
    fLayoutProperty.Name = name;
    if (TqoGrid* grid = fCollection->OwningGrid()) grid->CellLayoutsChanged(nullptr);
}

void TqoCellLayout::SetUseFontInfo(bool v) {
    fLayoutProperty.UseFontInfo = v;
    CopyFont();
    Changed();
}

void TqoCellLayout::SetFont(const TFont& font) {
    fFont = font;
    CopyFont();
    Changed();
}

void TqoCellLayout::SetOnFrameLineDraw(TqoEvent<void(TFrameLineDrawArgs&)> handler) {
    fLayoutProperty.OnFrameLineDraw = std::move(handler);
    Changed();
}

void TqoCellLayout::CopyFont() {
    fLayoutProperty.FontName = fFont.Name;
    fLayoutProperty.FontSize = fFont.Size;
    fLayoutProperty.FontStyle = fFont.Style;
    fLayoutProperty.FontColor = fFont.Color;
}

void TqoCellLayout::Changed() {
    // Sizes may depend on the font, the minimum sizes and the wrapping.
    if (TqoGrid* grid = fCollection->OwningGrid()) grid->SetHardViewParamsOutOfDate();
}

// ---- TqoCellLayouts

TqoCellLayouts::~TqoCellLayouts() { Clear(); }

TqoCellLayout* TqoCellLayouts::Add() {
    TqoCellLayout* layout = fItems.Append(std::make_unique<TqoCellLayout>(this));
    if (fGrid) {
        fGrid->_CellLayoutCreated(layout);
        fGrid->CellLayoutsChanged(nullptr);
    }
    return layout;
}

void TqoCellLayouts::Delete(int i) {
    TqoCellLayout* layout = fItems.Item(i);
    const bool live = fGrid && !fGrid->Destroying();
    if (live) fGrid->_CellLayoutDestroy(layout);
    const int index = fItems.IndexOf(layout);
    if (index < 0) return;
    std::unique_ptr<TqoCellLayout> owned = fItems.Take(index);
    if (live) fGrid->CellLayoutsChanged(owned->LayoutProperty());
}

void TqoCellLayouts::Clear() {
    while (Count() > 0) Delete(Count() - 1);
}

void TqoCellLayouts::Assign(const TqoCellLayouts& source) {
    if (&source == this) return;
    Clear();
    for (int i = 0; i < source.Count(); ++i) Add()->Assign(*source.CellLayouts(i));
}

TqoCellLayout* TqoCellLayouts::LayoutByName(const std::string& name) const {
    for (int i = Count() - 1; i >= 0; --i)
        if (SameName(CellLayouts(i)->Name(), name)) return CellLayouts(i);
    return nullptr;
}

void TqoCellLayouts::ApplyFromLayoutName(const std::string& name, TBabCell* cell) {
    // The same layout as a column naming it gets: with equal names, the last one.
    if (TqoCellLayout* layout = LayoutByName(name)) layout->Apply(cell);
}

} // namespace qo
