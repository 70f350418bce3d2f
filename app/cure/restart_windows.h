// Restarting Windows when the user asks for it after a cure that left items
// for the next start.
#pragma once

namespace cure {

// Restarts Windows (ExitWindowsEx), on the NT family with the shutdown
// privilege enabled first. False when the system refused.
bool RestartWindows();

// For tests, which must never restart the machine: what RestartWindows calls
// instead of the system, until it is given nullptr again.
void ReplaceRestartForTests(bool (*restart)());

}  // namespace cure
