#pragma once
// Makes MessageBox and TrackPopupMenu show our widgets: the message box and
// the pop-up menu, run in the backend's nested loop. A backend with a display
// installs them; a headless run answers them from its script either way.
namespace qo {

void UseWidgetDialogs();

} // namespace qo
