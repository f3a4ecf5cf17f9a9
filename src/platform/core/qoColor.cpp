#include "platform/core/qoColor.h"

namespace qo {

namespace {
// The classic Windows scheme, so that screens and golden images agree everywhere.
constexpr TColor kSysColors[SysColorCount] = {
    0xC8D0D4, // scroll bar
    0xA56E3A, // desktop
    0x6A240A, // active caption
    0x808080, // inactive caption
    0xC8D0D4, // menu
    0xFFFFFF, // window
    0x000000, // window frame
    0x000000, // menu text
    0x000000, // window text
    0xFFFFFF, // caption text
    0xC8D0D4, // active border
    0xC8D0D4, // inactive border
    0x808080, // app workspace
    0x6A240A, // highlight
    0xFFFFFF, // highlight text
    0xC8D0D4, // button face
    0x808080, // button shadow
    0x808080, // gray text
    0x000000, // button text
    0xC8D0D4, // inactive caption text
    0xFFFFFF, // button highlight
    0x404040, // 3-D dark shadow
    0xC8D0D4, // 3-D light
    0x000000, // info text
    0xE1FFFF, // info background
    0xB5B5B5, // (unused slot 25)
    0x800000, // hot light
    0xF0CAA6, // gradient active caption
    0xC0C0C0, // gradient inactive caption
    0xFF0000, // menu highlight
    0xF0F0F0, // menu bar
};
} // namespace

bool IsSystemColor(TColor color) {
    const uint32_t high = color & 0xFF000000u;
    return high == 0x80000000u || high == 0xFF000000u;
}

TColor GetSysColor(uint32_t index) { return index < SysColorCount ? kSysColors[index] : clBlack; }

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(color & 0xFFu);
    return color & 0x00FFFFFFu;
}

} // namespace qo
