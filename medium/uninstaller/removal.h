// The uninstaller's work: undo what install.log records, what the packages
// listed in their manifest, and the files and keys that the setup itself
// leaves, in the reverse order of the installation.
#pragma once
#include "medium/uninstaller/install_log_records.h"

#include <functional>
#include <string>
#include <vector>

struct RemovalReport {
    std::wstring TargetFolder;            // empty when none could be worked out
    std::vector<std::wstring> Leftovers;  // files, folders or keys that could not be removed
};

// Target folder of the installation: the folder of the uninstaller copy that
// the log names, else the logged InstallLocation, else the setup record
// ("path"), which is all a silent installation leaves. Empty when none of
// them is an absolute folder path.
std::wstring FindTargetFolder(const InstallLogRecords& records);

// `progress` is told what is being removed (for the window); it may be empty.
RemovalReport RemoveInstallation(const InstallLogRecords& records,
                                 const std::function<void(const std::wstring&)>& progress);
