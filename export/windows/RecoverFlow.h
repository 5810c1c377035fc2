// What "Recover" does: asks where to save, refuses a folder that the export must not or cannot
// write into, then runs the export window over the caller's window.
#pragma once

#include "export/ExportRun.h"

namespace zbe {

class CSettings;
class CWindowWnd;

// Results of RunRecovery besides the export window's own (1 finished, 2 cancelled or ended
// before it began).
inline constexpr int kRecoveryNoFolder = 0;  // the user chose no folder; nothing happened
inline constexpr int kRecoveryRefused = 3;   // the folder was refused with a message box

// Asks for the destination with the folder picker titled by "MSG0509", owned by "owner". A
// folder inside the backup (or holding it) is refused with "MSG1105", one that cannot be written
// into with "MSG1107"; nothing is written then. Otherwise "inputs" (everything but the
// destination, which the chosen folder sets) go to a CRecoverProcessWnd shown modally, 770 by
// 700, over "owner", and its result is returned. "settings" and what "inputs" borrow must stay
// valid and unchanged until the call returns.
int RunRecovery(CWindowWnd& owner, const CSettings& settings, ExportInputs inputs);

}  // namespace zbe
