// The two page flows of the wizard.
#pragma once

void RunInstallFlow();
void RunMaintenanceFlow();
