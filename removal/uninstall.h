// Removal of the installed product and rollback of a failed installation.
// Both hand the real work to the product's uninstaller PUninstall and do
// not wait for it.
#pragma once
#include <string>

// Removes pelm.exe's COM registration and the companion package, copies the
// uninstaller, install.log and IntallerRes.dll out of TargetDir into a new
// folder of its own inside the temporary folder, and starts the uninstaller
// there with "/norestart". 1 when the uninstaller was started, 0 otherwise.
int UninstallProduct();

// Copies TargetDir\install.log beside the setup program and starts the
// medium's PUninstall.exe with "/quiet /norestart". 1 when it was started.
int RollBackFailedInstall();
int RollBackFailedInstallFrom(const std::wstring& setupFolder);

// Creates a new, uniquely named folder inside `parent` (which ends in "\")
// and returns its path without trailing backslash; empty when none could be made.
std::wstring CreateUniqueFolder(const std::wstring& parent);
