// Collision detection on plain holders: the examples the chart's users meet,
// and the sweep against the pairwise loop on thousands of random rows.
#include "gantt/qoTimeDistinct.h"

#include "platform/window/qoThreads.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace qo {
namespace {

const TDateTime kDay = EncodeDate(2024, 3, 4);

struct THolderSpec {
    double From, To; // hours into the day
    int Layer = 0;
};

// Holders as a row collects them: whole seconds, one quantity per layer unless
// detection spans the layers.
void Fill(TDistinctTimeHolderList& list, const std::vector<THolderSpec>& specs, bool betweenLayers,
          TDateTime day = kDay) {
    for (const THolderSpec& s : specs)
        list.Add(RoundToSec(day + s.From * OneHour), RoundToSec(day + s.To * OneHour),
                 betweenLayers ? "" : std::to_string(s.Layer), nullptr);
}

std::vector<int32_t> Positions(const TDistinctTimeHolderList& list) {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < list.Count(); ++i) out.push_back(list.Get(i)->DistinctPosition);
    return out;
}

TEST(TimeDistinct, ExamplesGiveTheSameSubColumnsByLoopAndBySweep) {
    struct TCase {
        const char* What;
        std::vector<THolderSpec> Items;
        bool BetweenLayers;
        std::vector<int32_t> Expected;
    };
    const TCase cases[] = {
        {"A 8-10, B 9-11, C 12-13: the pair B, A is met first", {{8, 10}, {9, 11}, {12, 13}}, false, {2, 1, 0}},
        {"touching items do not conflict", {{8, 9}, {9, 10}}, false, {0, 0}},
        {"equal instants take a second each and conflict", {{8, 8}, {8, 8}}, false, {2, 1}},
        {"touching items share a sub-column", {{8, 12}, {9, 10}, {10, 11}}, false, {2, 1, 1}},
        {"different layers do not meet", {{8, 10, 0}, {9, 11, 1}}, false, {0, 0}},
        {"unless detection spans the layers", {{8, 10, 0}, {9, 11, 1}}, true, {2, 1}},
        {"layers keep their own sub-columns", {{8, 10, 0}, {9, 11, 0}, {8, 10, 1}, {9, 11, 1}}, false, {2, 1, 2, 1}},
    };
    for (const TCase& c : cases) {
        TDistinctTimeHolderList byLoop, bySweep;
        Fill(byLoop, c.Items, c.BetweenLayers);
        Fill(bySweep, c.Items, c.BetweenLayers);
        EXPECT_FALSE(TTimeDistinctGeneric(&byLoop).ConflictLoop(true)) << c.What;
        TTimeDistinctGeneric(&bySweep).ResolveConflicts();
        EXPECT_EQ(Positions(byLoop), c.Expected) << c.What;
        EXPECT_EQ(Positions(bySweep), c.Expected) << c.What;
    }
}

TEST(TimeDistinct, TimesRoundToWholeSecondsWithinTheirDay) {
    for (double seconds : {0.0, 0.4, 0.6, 59.7, 3600.2, 86399.6}) {
        const double expected = std::round(seconds);
        EXPECT_NEAR(RoundToSec(kDay + seconds * OneSecond), kDay + expected * OneSecond, 1e-9) << seconds;
        EXPECT_NEAR(RoundToSec(-3 + seconds * OneSecond), -3 + expected * OneSecond, 1e-9) << seconds;
    }
    const double infinite = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RoundToSec(infinite), infinite);
    TDistinctTimeHolderList list;
    const TDistinctTimeHolder* instant = list.Add(kDay, kDay, "", &list);
    EXPECT_NEAR(instant->Stop - instant->Start, OneSecond, 1e-9) << "an instant lasts a second";
    EXPECT_EQ(list.FindFromReference(&list), instant);
    EXPECT_EQ(list.FindFromReference(nullptr), nullptr);
}

TEST(TimeDistinct, HasConflictsOnlyWithinAQuantity) {
    TDistinctTimeHolderList list;
    Fill(list, {{8, 10, 0}, {9, 11, 1}, {10, 11, 0}}, false);
    TTimeDistinctGeneric detection(&list);
    EXPECT_FALSE(detection.HasConflicts());
    list.Add(list.Get(0)->Start, list.Get(0)->Stop, "1", nullptr);
    EXPECT_TRUE(detection.HasConflicts());
    EXPECT_EQ(Positions(list), (std::vector<int32_t>{0, 0, 0, 0})) << "asking places nothing";
}

// A row of random items: starts and lengths on a coarse grid of minutes, so
// that equal starts, equal stops, touching items and instants are common;
// now and then a stop before its start.
std::vector<THolderSpec> RandomRow(std::mt19937& random, int count, int layers, int span) {
    std::uniform_int_distribution<int> minute(0, span), length(0, 12), layer(0, layers - 1), odd(0, 40);
    std::vector<THolderSpec> row;
    for (int i = 0; i < count; ++i) {
        const int from = minute(random);
        const int to = odd(random) == 0 ? from - length(random) : from + length(random);
        row.push_back({from / 60.0, to / 60.0, layer(random)});
    }
    return row;
}

TEST(TimeDistinct, TheSweepPlacesEveryRandomRowAsTheLoopDoes) {
    std::mt19937 random(20261211);
    int32_t deepest = 0;
    struct TShape {
        int Rows, MaxCount, Layers, Span;
        TDateTime Day = kDay;
    };
    // Crowded rows go beyond 64 sub-columns; rows around the day zero have
    // times on both sides of it.
    for (const TShape& shape : {TShape{3000, 40, 1, 30}, {2000, 60, 3, 60}, {8, 1500, 2, 2000}, {30, 300, 1, 10},
                                {500, 60, 2, 60, -30 * OneMinute}}) {
        std::uniform_int_distribution<int> count(0, shape.MaxCount);
        for (int r = 0; r < shape.Rows; ++r) {
            const std::vector<THolderSpec> row = RandomRow(random, count(random), shape.Layers, shape.Span);
            const bool betweenLayers = r % 2 == 1;
            TDistinctTimeHolderList byLoop, bySweep;
            Fill(byLoop, row, betweenLayers, shape.Day);
            Fill(bySweep, row, betweenLayers, shape.Day);
            TTimeDistinctGeneric loop(&byLoop);
            loop.ConflictLoop(true);
            TTimeDistinctGeneric(&bySweep).ResolveConflicts();
            deepest = std::max(deepest, loop.SubColumnCount());
            ASSERT_EQ(Positions(bySweep), Positions(byLoop))
                << "row " << r << " of " << row.size() << " items, " << shape.Layers << " layers"
                << (betweenLayers ? ", between layers" : "");
        }
    }
    EXPECT_GT(deepest, 64) << "the rows reach the sub-columns kept beyond the first 64";
}

class TIdleThread : public TThread {
protected:
    void Execute() override {}
};

TEST(TimeDistinct, ATerminatedCallerStopsBothWithoutPlacing) {
    TDistinctTimeHolderList list;
    Fill(list, {{8, 10}, {9, 11}, {9, 12}, {11, 12, 0}, {12, 11}}, false);
    TIdleThread caller;
    caller.Terminate();
    TTimeDistinctGeneric detection(&list);
    detection.SetCallerThread(&caller);
    EXPECT_FALSE(detection.ConflictLoop(true));
    EXPECT_FALSE(detection.HasConflicts()) << "a terminated loop reports no conflict";
    detection.ResolveConflicts();
    EXPECT_EQ(Positions(list), (std::vector<int32_t>(5, 0)));
}

} // namespace
} // namespace qo
