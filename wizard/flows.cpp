#include "wizard/flows.h"

// Not built yet: the pages arrive with the wizard.
void RunInstallFlow() {}
void RunMaintenanceFlow() {}
