#include "qoScaler_test.h"

#include "support/golden/qoGolden.h"
#include "support/qoTestSupport.h"

#include <cmath>

namespace qo {
namespace {

using test::kMonday;
using test::kWeekend;

const double kLevels[] = {ScaleStep::Tenth,       ScaleStep::Second,      ScaleStep::TenSeconds,
                          ScaleStep::Minute,      ScaleStep::TenMinutes,  ScaleStep::Hour,
                          ScaleStep::Day,         ScaleStep::Week,        ScaleStep::Month,
                          ScaleStep::Quarter,     ScaleStep::Year,        ScaleStep::TenYears,
                          ScaleStep::TwentyYears, ScaleStep::HundredYears};

// Time per pixel that makes level i the short step: 15 pixels span about the
// geometric middle between the level below and this one.
double ScaleForLevel(size_t i) {
    const double span = i == 0   ? kLevels[0] / 2
                        : i == 1 ? kLevels[1] / 2
                                 : std::sqrt(kLevels[i - 1] * kLevels[i]);
    return span / 15;
}

TDateTime StartForLevel(size_t i) {
    // Centuries need room between the first date (day 0) and the last the scale shows.
    return kLevels[i] >= ScaleStep::Year ? EncodeDate(1901, 6, 15)
                                         : EncodeDate(1999, 12, 30) + EncodeTime(21, 47, 12, 345);
}

class ScalerPaint : public ::testing::Test {
protected:
    ScalerPaint() {
        form.SetBevelOuter(bvNone);
        form.SetColor(clBtnFace);
    }
    TqoDateScaler& Add(TRect bounds, bool horizontal) {
        auto* s = new TqoDateScaler(&form);
        s->SetParent(&form);
        s->SetHorizontal(horizontal);
        s->SetBoundsRect(bounds);
        s->DateFormat = "yyyy-mm-dd";
        s->TimeFormat = "hh:nn:ss";
        s->WeekNumbers = true;
        return *s;
    }
    // Setting the stop reaches below the 10 s that rescaling keeps to.
    static void SetRange(TqoDateScaler& s, TDateTime start, double scale) {
        s.SetStart(start);
        s.SetStop(s.VisibleTimeDiffToTrueTime(start, scale * s.GetScaleLen()));
    }
    // Every resolution level side by side (vertical) or one above the other.
    void AllLevels(bool horizontal, TLookAndFeel look) {
        const int count = int(std::size(kLevels));
        form.SetBounds(0, 0, horizontal ? 700 : count * 70, horizontal ? count * 60 : 520);
        for (size_t i = 0; i < std::size(kLevels); ++i) {
            const int n = int(i);
            TqoDateScaler& s =
                Add(horizontal ? TRect(0, n * 60, 700, n * 60 + 58) : TRect(n * 70, 0, n * 70 + 68, 520),
                    horizontal);
            s.SetLookAndFeel(look);
            SetRange(s, StartForLevel(i), ScaleForLevel(i));
            EXPECT_EQ(s.SmallStep(), kLevels[i]) << i;
        }
    }
    bool Matches(const std::string& name) {
        TBitmap picture;
        harness.Snapshot(form, picture);
        picture.SaveToPNG(test::OutputPath(name + ".png"));
        return test::MatchesGolden(picture.Raster(), name);
    }

    THeadlessHarness harness;
    TPanel form{nullptr};
};

struct TLevelsCase {
    bool horizontal;
    TLookAndFeel look;
    const char* golden;
};

class ScalerLevels : public ScalerPaint, public ::testing::WithParamInterface<TLevelsCase> {};

TEST_P(ScalerLevels, EveryLevelIsLegible) {
    AllLevels(GetParam().horizontal, GetParam().look);
    EXPECT_TRUE(Matches(GetParam().golden));
}

INSTANTIATE_TEST_SUITE_P(LooksAndOrientations, ScalerLevels,
                         ::testing::Values(TLevelsCase{true, tlfClassic, "scaler_levels_h_classic"},
                                           TLevelsCase{true, tlfBoxed, "scaler_levels_h_boxed"},
                                           TLevelsCase{false, tlfClassic, "scaler_levels_v_classic"},
                                           TLevelsCase{false, tlfBoxed, "scaler_levels_v_boxed"}),
                         [](const auto& info) { return std::string(info.param.golden); });

TEST_F(ScalerPaint, HiddenTimeLeavesNoMarks) {
    form.SetBounds(0, 0, 700, 4 * 50);
    const struct {
        TLookAndFeel look;
        TqoHiddenDays days;
        TqoHiddenHours hours;
        double scale;
        bool leftEnd;
    } rows[] = {
        {tlfClassic, kWeekend, 0, 14.0 / 700, false},
        {tlfBoxed, kWeekend, 0, 14.0 / 700, false},
        {tlfClassic, kWeekend, 0xFC00FF, OneHour / 25, false},
        {tlfBoxed, kWeekend, 0, 70.0 / 700, true},
    };
    for (int i = 0; i < 4; ++i) {
        TqoDateScaler& s = Add(TRect(0, i * 50, 700, i * 50 + 48), true);
        s.SetLookAndFeel(rows[i].look);
        s.LongDatesToLeftEnd = rows[i].leftEnd;
        s.SetHiddenDays(rows[i].days);
        s.SetHiddenHours(rows[i].hours);
        SetRange(s, kMonday + 0.5, rows[i].scale);
    }
    EXPECT_TRUE(Matches("scaler_hidden_time"));
}

TEST_F(ScalerPaint, IndicatorsAndButtons) {
    form.SetBounds(0, 0, 700 + 2 * 62, 5 * 50);
    const struct {
        TIndicatorStyle style;
        TScrollButtons buttons;
        double days;
    } rows[] = {
        {isNormal, tsbClassic, 20}, {isColorfull, tsbClassic, 20}, {isSober, tsbSmall, 20},
        {isSober, tsbOff, 2},       {isNone, tsbClassic, 400},
    };
    for (int i = 0; i < 5; ++i) {
        TqoDateScaler& s = Add(TRect(0, i * 50, 700, i * 50 + 48), true);
        s.IndicatorStyle = rows[i].style;
        s.SetScrollButtons(rows[i].buttons);
        SetRange(s, kMonday, rows[i].days / 700);
    }
    for (int i = 0; i < 2; ++i) {
        TqoDateScaler& s = Add(TRect(700 + i * 62, 0, 700 + i * 62 + 60, 250), false);
        s.IndicatorStyle = isSober;
        s.VerticalText = i == 0;
        SetRange(s, kMonday, 20.0 / 250);
    }
    EXPECT_TRUE(Matches("scaler_indicators"));
}

TEST_F(ScalerPaint, PublishedLinePositionsFollowTheMarks) {
    form.SetBounds(0, 0, 700, 50);
    TqoDateScaler& s = Add(TRect(0, 0, 700, 48), true);
    SetRange(s, kMonday, 0.01);
    harness.RunUntilIdle();
    ASSERT_EQ(s.ShortLinePos().size(), s.ShortMarks().size());
    ASSERT_EQ(s.LongLinePos().size(), s.LongMarks().size());
    for (size_t i = 0; i < s.ShortMarks().size(); ++i)
        EXPECT_EQ(s.ShortLinePos()[i], s.DateToPixel(s.ShortMarks()[i].DateTime));
    // Each classic tick sits on its mark's pixel at the bottom edge.
    TBitmap picture;
    harness.Snapshot(form, picture);
    EXPECT_EQ(picture.Pixel(s.ShortLinePos()[2], 47), clBlack);
    EXPECT_EQ(picture.Pixel(s.ShortLinePos()[2] + 1, 47), ColorToRGB(clWindow));
}

} // namespace
} // namespace qo
