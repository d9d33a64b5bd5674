// What the installer and its uninstaller show the world besides files and
// keys: their exit codes and the mutex that keeps two of them from running at
// once. installer/vantrel.nsi reads this file when it is built: keep the
// pattern `kName = value;` on one line each.
#pragma once

namespace vantrel::setup {

// Exit codes of the installer and the uninstaller. NSIS itself gives 1 when
// the user cancels.
inline constexpr int kExitFileInUse = 2;           // a file could be neither replaced nor renamed
inline constexpr int kExitRegistrationFailed = 3;  // regsvr32 failed for a module
inline constexpr int kExitStillRunning = 4;        // a Vantrel did not end
inline constexpr int kExitNotUndone = 5;           // uninstall: something could not be removed
inline constexpr int kExitAnotherSetup = 6;        // an installer or uninstaller already runs
inline constexpr int kExitNewerInstalled = 7;      // a silent downgrade without /FORCE
inline constexpr int kExitUnsupportedMachine = 8;  // ARM64 Windows
inline constexpr int kExitRestartNeeded = 3010;    // done; a restart completes it

// Taken by every installer and uninstaller, in the Global namespace so that
// runs in other sessions see it too.
inline constexpr char kMutexName[] = "QuorvaleVantrelSetup";

}  // namespace vantrel::setup
