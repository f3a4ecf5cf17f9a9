#pragma once
// The modal pieces: widgets run in the backend's nested loop, so that a
// headless run answers them from a script instead of blocking.
#include "platform/core/qoGeometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qo {

#ifndef MB_OK
enum : uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };
#endif

// The button a message box of these flags offers first.
int FirstButtonOf(uint32_t flags);

int MessageBox(const std::string& text, const std::string& caption, uint32_t flags);
void ShowMessage(const std::string& text);
// A menu of these items at a screen point: the chosen index, or -1.
int TrackPopupMenu(const std::vector<std::string>& items, TPoint screen);
void Beep();

} // namespace qo
