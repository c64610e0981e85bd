#include "removal/uninstall.h"

// Not built yet: removal arrives with the engine.
int UninstallProduct() { return 0; }
int RollBackFailedInstall() { return 0; }
