// The Gantt component's pictures: empty, with a tree of phases whose rows the
// stripes follow, with the splitter's drag line over it, and with its hint.
#include "gantt/qoGant.h"

#include "data/qoDoLater.h"
#include "support/golden/qoGolden.h"
#include "support/widgets/qoWidgetFixture.h"

namespace qo {
namespace {

const TDateTime kMonday = EncodeDate(2024, 3, 4);

class GantLooks : public test::TFormFixture {
protected:
    GantLooks() {
        form.SetBounds(0, 0, 400, 260);
        gant = new TqoGant(&form);
        gant->SetParent(&form);
        gant->SetAlign(alClient);
        gant->SetScaleAndTree(kMonday, kMonday + 14, 100);
    }
    ~GantLooks() override { TDoLater::Shutdown(); }
    TqoDataEntity_Tree* Node(TqoDataEntity_Tree* parent, const std::string& text) {
        TqoDataEntity_Tree* node = gant->TreeView()->AddDataEntity(parent);
        node->SetText(text);
        return node;
    }
    void AddPhases() {
        gant->SetMaxLevelsTree(2);
        for (const char* phase : {"Design", "Build", "Test"}) {
            TqoDataEntity_Tree* p = Node(nullptr, phase);
            for (int t = 1; t <= 3; ++t) Node(p, std::string(phase) + " task " + std::to_string(t));
            p->SetExpanded(std::string(phase) != "Build");
        }
    }
    TqoGant* gant;
};

TEST_F(GantLooks, Empty) {
    harness.RunUntilIdle();
    EXPECT_TRUE(test::LooksLike(harness, *gant, "gantt_default"));
}

TEST_F(GantLooks, StripesFollowTheTreeRows) {
    AddPhases();
    harness.RunUntilIdle();
    EXPECT_EQ(gant->RowHeight(), gant->TreeView()->ItemHeight()) << "the row height comes from the tree";
    EXPECT_TRUE(test::LooksLike(harness, *gant, "gantt_tree_mode"));
}

TEST_F(GantLooks, TheSplittersDragLineShowsOverTheChart) {
    AddPhases();
    harness.RunUntilIdle();
    TqoSplitter& splitter = *gant->Splitter();
    harness.MouseDown(splitter, {1, 100});
    harness.MouseMove(form, {200, 100}, ssLeft);
    TBitmap picture;
    harness.Snapshot(form, picture);
    EXPECT_TRUE(test::MatchesGolden(picture.Raster(), "gantt_splitter_drag_line"));
    harness.MouseUp(form, {200, 100});
    harness.RunUntilIdle();
    EXPECT_EQ(gant->TreeWidth(), 198) << "the tree takes the width at the release";
    EXPECT_TRUE(gant->TreeView()->Width() == 198 && gant->GA()->Width() == 400 - 2 - 198 - 3);
}

TEST_F(GantLooks, TheHintShowsOverTheBlankAboveTheTree) {
    AddPhases();
    form.SetFocus();
    harness.RunUntilIdle();
    TGraphHintWindow& hint = *gant->Hint();
    hint.ShowMoveInfo("04.03.2024 08:00", "06.03.2024 17:30", "2 09:30", 0, 0);
    harness.RunUntilIdle();
    ASSERT_TRUE(hint.IsOpen());
    TBitmap whole, tip;
    harness.Snapshot(form, whole);
    harness.Snapshot(hint, tip);
    const TPoint at = form.ScreenToClient(hint.ClientOrigin());
    whole.Canvas().Draw(at.X, at.Y, tip);
    EXPECT_TRUE(test::MatchesGolden(whole.Raster(), "gantt_hint"));
}

// Frames every item in the rectangle its row gives it, so that the bands show.
class TFramingGant : public TqoGant_ComBasic {
public:
    using TqoGant_ComBasic::TqoGant_ComBasic;

protected:
    void DrawTimeItem(TqoDataEntity_GantTime* item, const TRect& rect) override {
        TCanvas& c = GA()->OffscreenCanvas();
        c.Brush().Color = item->Color();
        c.Pen() = {clBlack, 1, TPenStyle::psSolid, TPenMode::pmCopy};
        c.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
    }
};

TEST_F(GantLooks, SubColumnBandsSplitARow) {
    delete gant;
    auto* framing = new TFramingGant(&form);
    framing->SetParent(&form);
    framing->SetAlign(alClient);
    framing->SetScaleAndTree(kMonday, kMonday + 14, 100);
    framing->TreeView()->SetItemHeight(40);
    framing->SetMaxLevelsTree(1);
    const TColor colors[] = {clRed, clLime, clAqua};
    auto item = [&](TqoDataEntity_Tree* node, int layer, double from, double to) {
        TqoDataEntity_GantTime* i = framing->AddGantTime(node, layer);
        i->SetStart(kMonday + from);
        i->SetStop(kMonday + to);
        i->SetColor(colors[layer % 3]);
        return i;
    };
    // A row whose three layers each take a band of their own.
    TqoDataEntity_Tree* byLayer = framing->AddRootDataEntityTree();
    byLayer->SetText("By layer");
    TGantRow* row = framing->RowList()->FindRowFromTreeNode(byLayer);
    row->SetUseSubCols(3);
    for (int layer = 0; layer < 3; ++layer) {
        row->DataListOnSubCol(layer, 2 - layer);
        item(byLayer, layer, 1 + layer, 5 + 2 * layer);
    }
    // A row without bands, and one with two bands given by item.
    framing->AddRootDataEntityTree()->SetText("Whole");
    item(framing->TreeView()->RootDataEntities()->Item(1), 0, 2, 9);
    TqoDataEntity_Tree* byItem = framing->AddRootDataEntityTree();
    byItem->SetText("By item");
    TGantRow* second = framing->RowList()->FindRowFromTreeNode(byItem);
    second->SetUseSubCols(2);
    second->SetDataListOnSubColUse(false);
    item(byItem, 0, 1, 4)->SetSubCol(1);
    item(byItem, 0, 3, 8)->SetSubCol(2);
    item(byItem, 0, 9, 12)->SetSubCol(0);
    harness.RunUntilIdle();
    EXPECT_TRUE(test::LooksLike(harness, *framing, "gantt_subcolumn_bands"));
}

} // namespace
} // namespace qo
