// Time items as the chart hands them out: every item, inserted or loaded
// virtually, has its texts, whose styles become the chart's three item fonts
// (grown while printing); plain property writes neither repaint nor notify.
#include "qoGantModelFixture.h"

namespace qo {
namespace {

using TimeItems = GantModel;

TFont NamedFont(const std::string& name, int32_t size) {
    TFont font;
    font.Name = name;
    font.Size = size;
    return font;
}

TEST_F(TimeItems, TextStylesBecomeTheChartsItemFonts) {
    gant->SetFontTimeItemStyle(1, NamedFont("Arial", 9));
    gant->SetFontTimeItemStyle(2, NamedFont("Courier New", 10));
    gant->SetFontTimeItemStyle(3, NamedFont("Times New Roman", 11));
    TqoTimeItemTextCollection* texts = gant->AddGantTime(Node(nullptr, "A"), 0)->TextCollection();
    ASSERT_NE(texts, nullptr);
    ASSERT_TRUE(texts->OnStyleSet());
    TCanvas& canvas = gant->GA()->OffscreenCanvas();
    const std::pair<int32_t, const char*> cases[] = {
        {1, "Arial"}, {2, "Courier New"}, {3, "Times New Roman"}, {7, "Arial"}, {0, "Arial"}, {-2, "Arial"}};
    for (const auto& [style, name] : cases) {
        canvas.Font() = TFont{};
        texts->OnStyleSet()(texts, canvas, style);
        EXPECT_EQ(canvas.Font().Name, name) << style;
    }
    gant->GA()->InternalSetPrintScaley(2);
    gant->GA()->BeginPrint();
    texts->OnStyleSet()(texts, canvas, 2);
    gant->GA()->EndPrint();
    EXPECT_EQ(canvas.Font().Size, 20) << "the font grows with the print scale";
}

TEST_F(TimeItems, ItemsLoadedVirtuallyGetTheirTextsToo) {
    TqoDataList_GantRow* layer = RowOf(Node(nullptr, "A"))->Layer(0);
    std::vector<TqoDataEntity_GantTime*> loaded;
    gant->OnVirtualLoad_GantTime = [&](TComponent*, TqoDataEntity_GantTime* item) {
        EXPECT_NE(item->TextCollection(), nullptr) << "before the host fills it";
        loaded.push_back(item);
    };
    layer->AddUnloaded(3);
    auto* item = static_cast<TqoDataEntity_GantTime*>(layer->Items(1));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(loaded.empty());
    TqoTimeItemTextCollection* texts = item->TextCollection();
    ASSERT_NE(texts, nullptr);
    EXPECT_TRUE(texts->OnStyleSet());
    texts->AddText("loaded", 0, 0, 1);
    TBitmap bitmap;
    bitmap.SetSize(100, 30);
    texts->DrawToCanvasInsideRect({0, 0, 100, 30}, bitmap.Canvas(), 1, 1);
}

TEST_F(TimeItems, PlainWritesNeitherRepaintNorNotify) {
    TqoDataEntity_GantTime* item = Item(Node(nullptr, "A"), 0, 1, 2);
    gant->OnContentChanged_GantTime = [this](TComponent*, TqoDataList*) { Record("content"); };
    gant->OnChangeDataEntity_GantTime = [this](TComponent*, TqoDataEntity_GantTime*) { Record("change"); };
    gant->OnValueChanged_GantTime = [this](TComponent*, TqoDataEntity_GantTime*) { Record("value"); };
    Paint();
    item->SetStart(kMonday + 5);
    item->SetStop(kMonday + 3); // before the start: kept as it is
    item->SetStyle(gtsPipe);
    item->SetColor(clRed);
    item->SetTopInset(2);
    item->SetBottomInset(3);
    item->SetFixedSize(12);
    item->SetImageIndex(4);
    item->SetSubCol(1);
    EXPECT_EQ(gant->GA()->InvalidateCount(), 0);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(item->Stop(), kMonday + 3);
    EXPECT_FALSE(item->IsResizable());
    item->DoInfoPush();
    EXPECT_EQ(Log, std::vector<std::string>({"change", "value"}));
}

// The settings most items leave alone and the texts share one block: an item
// made outside a chart starts with the defaults and without texts, a setting
// gives it none, texts given are made when first asked for, and they leave
// the settings as they were.
TEST(TimeItemSettings, DefaultsSettingsAndTextsStayApart) {
    struct TField {
        const char* Name;
        void (TqoDataEntity_GantTime::*Set)(int32_t);
        int32_t (TqoDataEntity_GantTime::*Get)() const;
        int32_t Value;
    };
    const TField fields[] = {{"top inset", &TqoDataEntity_GantTime::SetTopInset, &TqoDataEntity_GantTime::TopInset, 2},
                             {"bottom inset", &TqoDataEntity_GantTime::SetBottomInset,
                              &TqoDataEntity_GantTime::BottomInset, -3},
                             {"fixed size", &TqoDataEntity_GantTime::SetFixedSize, &TqoDataEntity_GantTime::FixedSize, 12},
                             {"image index", &TqoDataEntity_GantTime::SetImageIndex,
                              &TqoDataEntity_GantTime::ImageIndex, 7}};
    auto* item = new TqoDataEntity_GantTime;
    EXPECT_TRUE(item->IsResizable());
    for (const TField& f : fields) {
        EXPECT_EQ((item->*f.Get)(), 0) << f.Name;
        (item->*f.Set)(f.Value);
    }
    EXPECT_EQ(item->TextCollection(), nullptr) << "settings give no texts";
    EXPECT_FALSE(item->IsResizable());
    item->GiveTexts();
    EXPECT_EQ(item->MadeTextCollection(), nullptr) << "given, made when first asked for";
    ASSERT_NE(item->TextCollection(), nullptr);
    EXPECT_EQ(item->MadeTextCollection(), item->TextCollection());
    item->TextCollection()->AddText("text", 0, 0, 1);
    EXPECT_EQ(item->TextCollection()->Count(), 1);
    for (const TField& f : fields) EXPECT_EQ((item->*f.Get)(), f.Value) << f.Name;
    item->FreeWheneverPossible();
}

} // namespace
} // namespace qo
