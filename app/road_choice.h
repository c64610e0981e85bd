// Which of the four roads a run takes, from the command line and the
// installed-product lookup.
#pragma once
#include <string>

#include "app/command_line.h"

enum class Road {
    InstallFlow,       // interactive, product not installed
    MaintenanceFlow,   // interactive, product installed
    SilentInstall,     // key=value pairs, quiet not "0"
    SilentUninstall,   // silent with Uninstall=1, whatever is installed
};

// An empty map is interactive; otherwise the run is silent unless quiet is
// exactly "0". A silent run with Uninstall exactly "1" removes the product.
Road ChooseRoad(const CommandLineMap& map, int installed);

