#include "engine/install_sequence.h"

// Not built yet: the install sequence arrives with the engine.
void RunInstallJob(HWND) {}

int RunSilentInstall(const CommandLineMap&) { return 0; }
