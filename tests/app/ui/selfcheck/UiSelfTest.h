#pragma once

#include <QString>

class CCorvessaApp;

// The walk of the corvessa_selfcheck test program (corvessa as it starts, plus this walk) through the windows
// on a display: set CORVESSA_UI_SELFTEST to a folder and, once start-up is done, the program goes through the four main views with the Windows menu's
// commands taking a picture of each, opens each menu of the menu bar taking a picture of it and noting its
// entries (text, keys, enabled state, status tip), notes which command each of Ctrl+N, Ctrl+O and Ctrl+S
// reaches, writes what it saw to selftest.txt in that folder and closes its main window.
namespace CorvUiSelfTest {

inline const char kVariable[] = "CORVESSA_UI_SELFTEST";

// Starts the check when the variable names a folder; false when it does not.
bool ScheduleFromEnvironment(CCorvessaApp &app);

} // namespace CorvUiSelfTest
