// Removal of the installed product and rollback of a failed installation.
#pragma once

// 1 when the product's uninstaller was started, 0 otherwise.
int UninstallProduct();
// 1 when the medium's uninstaller was started on the failed run's log, 0 otherwise.
int RollBackFailedInstall();
