// The demo host. It grows with the library: for now it shows the core's date
// vocabulary on standard output.
#include "platform/core/qoDateFormat.h"

#include <cstdio>

int main() {
    using namespace qo;
    const TDateTime now = Now();
    for (const char* format : {"dddddd", "ddddd tt", "YYMMDD HH:MM:SS", "yyyy mmm", "dddd d mmmm yyyy"})
        std::printf("%-20s %s\n", format, FormatDateTime(format, now).c_str());
    return 0;
}
