#pragma once
// A Gantt component filling a form, on a ten-day scale from a Monday, with
// helpers to add tree nodes and items as a host does and to paint the chart.
#include "gantt/qoGant.h"

#include "data/qoDoLater.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

const TDateTime kMonday = EncodeDate(2024, 3, 4);

class GantModel : public test::TFormFixture {
protected:
    GantModel() {
        form.SetBounds(0, 0, 500, 300);
        gant = new TqoGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 10, 100);
    }
    ~GantModel() override { TDoLater::Shutdown(); }
    TqoDataEntity_Tree* Node(TqoDataEntity_Tree* parent, const std::string& text) {
        TqoDataEntity_Tree* node = gant->AddDataEntityTree(parent);
        node->SetText(text);
        return node;
    }
    TqoDataEntity_GantTime* Item(TqoDataEntity_Tree* node, int layer, double from, double to) {
        TqoDataEntity_GantTime* item = gant->AddGantTime(node, layer);
        item->SetStart(kMonday + from);
        item->SetStop(kMonday + to);
        return item;
    }
    TqoDataEntity_Link* Link(TqoDataEntity_GantTime* from, TqoDataEntity_GantTime* to) {
        TqoDataEntity_Link* link = gant->AddLink();
        link->SetLinkOwner(from);
        link->SetLinkedTo(to);
        return link;
    }
    TGantRow* RowOf(TqoDataEntity_Tree* node) { return gant->RowList()->FindRowFromTreeNode(node); }
    void Paint() {
        harness.RunUntilIdle();
        gant->GA()->Repaint();
    }
    TqoGant* gant;
};

} // namespace
} // namespace qo
