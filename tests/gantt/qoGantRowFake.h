#pragma once
// A small chart for row tests and benchmarks: it owns the row list, the list
// of every layer set and the time-item controller, maps a day to 100 pixels,
// takes the rows' layout from a row source, and logs the row list's hooks and
// the items it is asked to draw.
#include "gantt/qoGantRow.h"
#include "gantt/qoGantRowList.h"
#include "gantt/qoGantTree.h"
#include "platform/core/qoRounding.h"

#include <functional>
#include <string>
#include <vector>

namespace qo::test {

class TFakeGant : public IGantRowOwner, public IGantTreeOwner {
public:
    static constexpr double kPixelsPerDay = 100;

    TFakeGant() {
        fAll = new TqoDataList3lev;
        fRows = new TGantRowList(this);
    }
    ~TFakeGant() {
        FreeRows();
        fAll->FreeWheneverPossible();
    }
    void FreeRows() {
        if (TGantRowList* rows = std::exchange(fRows, nullptr)) rows->FreeWheneverPossible();
    }

    // ---- IGantRowOwner ----
    TGantRowList* RowList() override { return fRows; }
    TGantRow* CreateRow(TGantRowList* list, TqoDataEntity_Tree* tree, TqoDataEntity_GridTreeNode* grid) override {
        return new TGantRow(list, tree, grid);
    }
    TqoDataList2lev* CreateDataList2Lev() override { return new TqoDataList2lev; }
    TqoDataList_GantRow* CreateDataList_GantRow() override { return new TqoDataList_GantRow; }
    TqoListController* GantTimeListController() override { return &Controller; }
    const TqoDataEntityClass& ClassOfDataEntity_GantTime() override { return fItemClass; }
    TqoDataList3lev* AllDataEntities() override { return fAll; }
    TGantRow* UserCreateGantRow(TGantRowList* list, TqoDataEntity_Tree* tree,
                                TqoDataEntity_GridTreeNode* grid) override {
        return OnUserCreate ? OnUserCreate(list, tree, grid) : nullptr;
    }
    void AfterAddGantRow(TGantRowList*, TGantRow* row) override {
        if (Logging) Log.push_back("add " + Name(row));
    }
    void BeforeFreeGantRow(TGantRowList*, TGantRow* row) override {
        if (Logging) Log.push_back("free " + Name(row));
        if (OnBeforeFree) OnBeforeFree(row);
    }
    IGantRowSource* RowSource() override { return Source; }
    bool UseGridNotTree() const override { return GridMode; }
    int DateToPixel(TDateTime time) override { return Round(time * kPixelsPerDay); }
    int RowDrawOffset() const override { return DrawOffset; }
    void SetRowHeight(int height) override { RowHeight = height; }
    int ChartWidth() const override { return 400; }
    bool ChartPrinting() const override { return Printing; }
    double ChartScalex() const override { return Printing ? Scalex : 1.0; }
    double ChartScaley() const override { return Printing ? Scaley : 1.0; }
    bool IsTimeVisible(TqoDataEntity_GantTime*) override { return true; }
    void VisibleTimeWindow(TDateTime& from, TDateTime& to) override {
        from = -1e9;
        to = 1e9;
    }
    void DrawTimeItem(TqoDataEntity_GantTime* item, const TRect&) override {
        Drawn.push_back(item);
        if (OnDraw) OnDraw(item);
    }
    void InvalidateChart() override { ++Invalidations; }
    TOnTimeItemTextStyleSet TimeItemTextStyleSet() override { return nullptr; }
    void CollisionDetected(TqoDataEntity_GantTime* item, int32_t position) override {
        if (OnCollision) OnCollision(item, position);
    }
    bool PausedCollisionDetectionRows() const override { return Paused; }
    void SetPausedCollisionDetectionRows(bool paused) override { Paused = paused; }
    void UnPauseCollisionDetectionRows() override {
        Paused = false;
        for (int32_t i = 0; fRows && i < fRows->Count(); ++i) fRows->GetGantRow(i)->SetCollisionDetectionPause(false);
    }
    void SetGridRowHeight(TGantRow& row, int height) override { GridRowHeights.emplace_back(&row, height); }

    // ---- IGantTreeOwner ----
    void HandleTreeAlign() override { Log.push_back("align"); }
    void RefreshOthers(TComponent*) override { Log.push_back("refresh"); }
    void RealignScrollbar() override { Log.push_back("realign"); }
    void ChangeInTree() override { Log.push_back("change"); }

    static std::string Name(const TGantRow* row) {
        return row && row->TreeNode() ? std::string(row->TreeNode()->Text()) : row ? "(no node)" : "nil";
    }
    // A row with one layer holding one item from start to stop (in days).
    TqoDataEntity_GantTime* AddItem(TGantRow* row, int32_t layer, double start, double stop) {
        auto* item = static_cast<TqoDataEntity_GantTime*>(row->Layer(layer)->Add());
        item->SetStart(start);
        item->SetStop(stop);
        return item;
    }

    TqoListController Controller;
    IGantRowSource* Source = nullptr;
    int DrawOffset = 0;
    int RowHeight = 18;
    bool Printing = false;
    bool GridMode = false;
    double Scalex = 1, Scaley = 1;
    int Invalidations = 0;
    bool Logging = true;
    std::vector<std::string> Log;
    std::vector<TqoDataEntity_GantTime*> Drawn;
    std::function<TGantRow*(TGantRowList*, TqoDataEntity_Tree*, TqoDataEntity_GridTreeNode*)> OnUserCreate;
    std::function<void(TGantRow*)> OnBeforeFree;
    std::function<void(TqoDataEntity_GantTime*)> OnDraw;
    std::function<void(TqoDataEntity_GantTime*, int32_t)> OnCollision;
    bool Paused = false;
    std::vector<std::pair<TGantRow*, int>> GridRowHeights;

private:
    TqoDataList3lev* fAll;
    TGantRowList* fRows;
    TqoDataEntityClass fItemClass = TqoDataEntityClass::Of<TqoDataEntity_GantTime>();
};

} // namespace qo::test
