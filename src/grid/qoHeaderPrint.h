#pragma once
// Where a row header printer prints (a device context, an origin, scales from
// screen pixels to device units), the page limits it is given, and how it
// tells its caller that the printed rows reached one: the caller continues on
// the next page.
#include <functional>

namespace qo {

class TqoDC;

struct TqoPrintTarget {
    TqoDC* DC = nullptr;
    // Origin in device units.
    int X = 0, Y = 0;
    double ScaleX = 1, ScaleY = 1;
    // Raises EqoError without a device context or with a scale that is not positive.
    void Check() const;
};

// isRight: the right limit was reached (false: the bottom one); value: how far
// the printed area reached, in device units; data: the printer's row at which
// printing stopped.
using TqoPrintSizeCallback = std::function<void(bool isRight, int value, void* data)>;

struct TqoHeaderPrint {
    // Device coordinates of the page; -1 for no limit.
    int Right = -1;
    int Bottom = -1;
    TqoPrintSizeCallback Callback;
    // Limits of -1 and -1, or no callback, are never reported.
    bool Armed() const { return Callback && !(Right == -1 && Bottom == -1); }
};

// What a header printer used of the page, in device units, and how many rows
// it counted toward the rows asked for.
struct TqoPrintResult {
    int UsedWidth = 0, UsedHeight = 0;
    int RowsPrinted = 0;
};

} // namespace qo
