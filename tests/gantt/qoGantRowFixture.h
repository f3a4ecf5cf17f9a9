#pragma once
// Row tests stand on the small chart of qoGantRowFake.h with a tree that
// heads its rows, in the shared form fixture.
#include "qoGantRowFake.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo::test {

using Strings = std::vector<std::string>;

// A tree of 200 x 100 pixels with rows of 20 heading the fake chart.
class TGantRowFixture : public TFormFixture {
protected:
    TGantRowFixture() {
        tree = new TGantTree(&form, &gant, &gant);
        tree->SetParent(&form);
        tree->SetBoundsRect(TRect::Bounds(0, 0, 200, 100));
        tree->SetItemHeight(20);
        gant.Source = tree;
    }
    ~TGantRowFixture() override { delete tree; }
    TqoDataEntity_Tree* Add(TqoDataEntity_Tree* owner, const std::string& text) {
        TqoDataEntity_Tree* e = tree->AddDataEntity(owner);
        e->SetText(text);
        return e;
    }
    // a (a1, a2), b, c
    void Build() {
        a = Add(nullptr, "a");
        a1 = Add(a, "a1");
        a2 = Add(a, "a2");
        b = Add(nullptr, "b");
        c = Add(nullptr, "c");
        tree->EnsureDisplayUpToDate();
    }
    TGantRowList& Rows() { return *gant.RowList(); }
    TGantRow* RowOf(const TqoDataEntity_Tree* e) { return Rows().FindRowFromTreeNode(e); }
    std::string AtY(int y) { return TFakeGant::Name(Rows().FindRowFromY(y)); }
    Strings RowNames() {
        Strings out;
        for (int32_t i = 0; i < Rows().Count(); ++i) out.push_back(TFakeGant::Name(Rows().GetGantRow(i)));
        return out;
    }

    TFakeGant gant;
    TGantTree* tree;
    TqoDataEntity_Tree *a = nullptr, *a1 = nullptr, *a2 = nullptr, *b = nullptr, *c = nullptr;
};

} // namespace qo::test
