// Snapping of dragged times: quanta from midnight, screen-sized quanta, moves
// that keep their length, and moves of more than half a day becoming whole days.
#include "gantt/qoSnapHandler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qo {
namespace {

constexpr double Min = OneMinute;
constexpr double Hour = OneHour;
const TDateTime Day = EncodeDate(2024, 3, 4);

TDateTime At(int hour, int minute, int second = 0) { return Day + EncodeTime(hour, minute, second, 0); }

// Compares to the millisecond, as a date-time is shown.
#define EXPECT_TIME(actual, expected) EXPECT_NEAR(actual, expected, OneMillisecond / 2)

TEST(SnapHandler, SnapsToQuantaFromMidnightNeverFinerThanAPixel) {
    struct Case {
        const char* what;
        double resolution; // days per pixel
        double quantum;
        TDateTime time, expected;
    } cases[] = {
        {"nearest 5 minutes, down", Min, 5 * Min, At(9, 2, 29), At(9, 0)},
        {"nearest 5 minutes, up", Min, 5 * Min, At(9, 2, 31), At(9, 5)},
        {"a pixel of 20 minutes makes the quantum 20 minutes", 20 * Min, 5 * Min, At(9, 11), At(9, 20)},
        {"a pixel of 12 minutes rounds to 2 quanta", 12 * Min, 5 * Min, At(9, 14), At(9, 10)},
        {"a pixel finer than the quantum keeps it", 0.1 * Min, 5 * Min, At(9, 3), At(9, 5)},
        {"no resolution yet keeps it", 0, 5 * Min, At(9, 3), At(9, 5)},
        {"quanta count from midnight, not from the epoch", Min, 7 * Min, At(0, 8), At(0, 7)},
        {"late in the day rounds into the next midnight", Min, 5 * Min, At(23, 58), Day + 1},
        {"before the epoch", Min, 5 * Min, -1 - EncodeTime(6, 2, 0, 0), -1 - 6 * Hour},
        {"a zero quantum leaves the time", Min, 0, At(9, 3), At(9, 3)},
        {"a negative quantum leaves the time", Min, -5 * Min, At(9, 3), At(9, 3)},
        {"a quantum that is no number leaves the time", Min, std::numeric_limits<double>::quiet_NaN(), At(9, 3),
         At(9, 3)},
        {"a resolution that is no number keeps the quantum", std::numeric_limits<double>::quiet_NaN(), 5 * Min,
         At(9, 3), At(9, 5)},
    };
    for (const Case& c : cases) {
        TSnapHandler snap(c.quantum, c.quantum);
        snap.SetCurrentScreenResolution(c.resolution);
        TDateTime start = c.time, stop = c.time;
        snap.Snap(start, stop);
        EXPECT_TIME(start, c.expected) << c.what;
        EXPECT_TIME(stop, c.expected) << c.what;
    }
}

TEST(SnapHandler, StartAndStopSnapByTheirOwnQuantaWhenSwitchedOn) {
    TSnapHandler snap; // 5 minutes for the start, 1 minute for the stop
    snap.SetCurrentScreenResolution(0.1 * Min);
    TDateTime start = At(8, 3), stop = At(10, 0, 40);
    snap.Snap(start, stop);
    EXPECT_TIME(start, At(8, 5));
    EXPECT_TIME(stop, At(10, 1));

    snap.SetStartSnapONOFF(false);
    snap.SetStopSnapONOFF(false);
    start = At(8, 3), stop = At(10, 0, 40);
    snap.Snap(start, stop);
    EXPECT_EQ(start, At(8, 3));
    EXPECT_EQ(stop, At(10, 0, 40));
    const TDateTime nan = std::numeric_limits<double>::quiet_NaN();
    snap.SetStartSnapONOFF(true);
    start = nan;
    snap.Snap(start, stop);
    EXPECT_TRUE(std::isnan(start)) << "a time that is no number is left alone";
}

TEST(SnapHandler, AMovedItemKeepsItsLengthUnlessTheStopSnapsWhileMoving) {
    TSnapHandler snap;
    snap.SetCurrentScreenResolution(Min);
    TDateTime start = At(8, 3), stop = At(9, 10, 20);
    snap.SnapMove(start, stop);
    EXPECT_TIME(start, At(8, 5));
    EXPECT_TIME(stop, At(9, 12, 20));

    snap.SetStopSnapOnMoveONOFF(true);
    start = At(8, 3), stop = At(9, 10, 20);
    snap.SnapMove(start, stop);
    EXPECT_TIME(start, At(8, 5));
    EXPECT_TIME(stop, At(9, 10));
}

TEST(SnapHandler, AMoveOfMoreThanHalfADayAtBothEndsBecomesWholeDays) {
    struct Case {
        const char* what;
        double startMove, stopMove, expectedStartMove, expectedStopMove;
    } cases[] = {
        {"13 hours become a day", 13 * Hour, 13 * Hour, 1, 1},
        {"back 13 hours becomes a day back", -13 * Hour, -13 * Hour, -1, -1},
        {"37 hours become two days", 37 * Hour, 37 * Hour, 2, 2},
        {"11 hours stay", 11 * Hour, 11 * Hour, 11 * Hour, 11 * Hour},
        {"only one end over 12 hours stays", 13 * Hour, 11 * Hour, 13 * Hour, 11 * Hour},
        {"exactly 12 hours stays", 12 * Hour, 12 * Hour, 12 * Hour, 12 * Hour},
    };
    const TSnapHandler snap;
    const TDateTime s0 = At(8, 0), t0 = At(17, 30);
    for (const Case& c : cases) {
        TDateTime start = s0 + c.startMove, stop = t0 + c.stopMove;
        snap.SnapMoveTo24HIfMoveOver12H(s0, t0, start, stop);
        EXPECT_TIME(start, s0 + c.expectedStartMove) << c.what;
        EXPECT_TIME(stop, t0 + c.expectedStopMove) << c.what;
    }
}

} // namespace
} // namespace qo
