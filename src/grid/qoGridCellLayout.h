#pragma once
// Named drawing styles of grid cells. Each layout keeps its values in its own
// layout property object, which the cells that use it point at; a column
// names a layout for its cells, a host may apply one to a single cell.
#include "grid/qoBabGridContent.h"
#include "grid/qoGridCollection.h"
#include "platform/graphics/qoCanvas.h"

#include <string>

namespace qo {

class TqoGrid;
class TqoCellLayouts;

class TqoCellLayout {
public:
    explicit TqoCellLayout(TqoCellLayouts* collection);
    ~TqoCellLayout();
    TqoCellLayout(const TqoCellLayout&) = delete;
    TqoCellLayout& operator=(const TqoCellLayout&) = delete;

    TqoCellLayouts* Collection() const { return fCollection; }
    int Index() const;
    std::string DisplayName() const;
    // Copies the name, the font and every drawing value.
    void Assign(const TqoCellLayout& source);
    void Apply(TBabCell* cell);
    void Remove(TBabCell* cell);

    TLayoutProp* LayoutProperty() { return &fLayoutProperty; }
    const std::string& Name() const { return fLayoutProperty.Name; }
    void SetName(const std::string& name);
    bool WrapTextAndFit() const { return fLayoutProperty.WrapTextAndFit; }
    void SetWrapTextAndFit(bool v) { Store(&TLayoutProp::WrapTextAndFit, v); }
    bool UseFontInfo() const { return fLayoutProperty.UseFontInfo; }
    void SetUseFontInfo(bool v);
    bool WindowsFlagDraw() const { return fLayoutProperty.FlagDraw; }
    void SetWindowsFlagDraw(bool v) { Store(&TLayoutProp::FlagDraw, v); }
    uint32_t WindowsFlags() const { return fLayoutProperty.Flags; }
    void SetWindowsFlags(uint32_t v) { Store(&TLayoutProp::Flags, v); }
    int MinHeight() const { return fLayoutProperty.MinHeight; }
    void SetMinHeight(int v) { Store(&TLayoutProp::MinHeight, v); }
    int MinWidth() const { return fLayoutProperty.MinWidth; }
    void SetMinWidth(int v) { Store(&TLayoutProp::MinWidth, v); }
    TColor FrontColor() const { return fLayoutProperty.FrontColor; }
    void SetFrontColor(TColor v) { Store(&TLayoutProp::FrontColor, v); }
    TColor BackColor() const { return fLayoutProperty.BackColor; }
    void SetBackColor(TColor v) { Store(&TLayoutProp::BackColor, v); }
    const TFont& Font() const { return fFont; }
    void SetFont(const TFont& font);
    TColor FrameColor() const { return fLayoutProperty.FrameColor; }
    void SetFrameColor(TColor v) { Store(&TLayoutProp::FrameColor, v); }
    TFrameKind FrameKind() const { return fLayoutProperty.FrameKind; }
    void SetFrameKind(TFrameKind v) { Store(&TLayoutProp::FrameKind, v); }
    TFrameOptions FrameOptions() const { return fLayoutProperty.FrameOptions; }
    void SetFrameOptions(TFrameOptions v) { Store(&TLayoutProp::FrameOptions, v); }
    bool FrameOptionsUse() const { return fLayoutProperty.FrameOptionsUse; }
    void SetFrameOptionsUse(bool v) { Store(&TLayoutProp::FrameOptionsUse, v); }
    void SetOnFrameLineDraw(TqoEvent<void(TFrameLineDrawArgs&)> handler);
    bool HorzAlignCenter() const { return fLayoutProperty.HorzAlignCenter; }
    void SetHorzAlignCenter(bool v) { Store(&TLayoutProp::HorzAlignCenter, v); }
    bool HorzAlignRight() const { return fLayoutProperty.HorzAlignRight; }
    void SetHorzAlignRight(bool v) { Store(&TLayoutProp::HorzAlignRight, v); }
    bool VertAlignCenter() const { return fLayoutProperty.VertAlignCenter; }
    void SetVertAlignCenter(bool v) { Store(&TLayoutProp::VertAlignCenter, v); }
    bool EndEllipsis() const { return fLayoutProperty.EndEllipsis; }
    void SetEndEllipsis(bool v) { Store(&TLayoutProp::EndEllipsis, v); }

private:
    // The value goes into the layout property that the cells read; the grid repaints.
    template <class T, class V> void Store(T TLayoutProp::*field, V value) {
        fLayoutProperty.*field = T(value);
        Changed();
    }
    void CopyFont();
    void Changed();

    TLayoutProp fLayoutProperty;
    TFont fFont;
    TqoCellLayouts* fCollection;
};

class TqoCellLayouts {
public:
    explicit TqoCellLayouts(TqoGrid* grid) : fGrid(grid) {}
    virtual ~TqoCellLayouts();
    TqoCellLayouts(const TqoCellLayouts&) = delete;
    TqoCellLayouts& operator=(const TqoCellLayouts&) = delete;

    TqoGrid* OwningGrid() const { return fGrid; }
    int Count() const { return fItems.Count(); }
    TqoCellLayout* CellLayouts(int i) const { return fItems.Item(i); }
    int IndexOf(const TqoCellLayout* layout) const { return fItems.IndexOf(layout); }
    virtual TqoCellLayout* Add();
    // Cells that use the layout fall back to the default before it goes.
    void Delete(int i);
    void Clear();
    // Copies the other collection's layouts into fresh ones.
    void Assign(const TqoCellLayouts& source);
    // The last layout of that name, without regard to case; none when there is none.
    TqoCellLayout* LayoutByName(const std::string& name) const;
    // Gives the cell the layout of that name, as a column naming it would.
    void ApplyFromLayoutName(const std::string& name, TBabCell* cell);

private:
    TqoOwnedList<TqoCellLayout> fItems;
    TqoGrid* fGrid;
};

// Names of columns, layouts and sub-grid definitions compare without regard to case.
bool SameName(const std::string& a, const std::string& b);

} // namespace qo
