#include "app/road_choice.h"

#include "framework/strings.h"

Road ChooseRoad(const CommandLineMap& map, int installed) {
    bool silent = false;
    if (!map.empty()) {
        auto quiet = map.find(L"quiet");
        silent = quiet == map.end() || quiet->second != L"0";
    }
    if (!silent) return installed ? Road::MaintenanceFlow : Road::InstallFlow;
    auto uninstall = map.find(L"Uninstall");
    if (uninstall != map.end() && uninstall->second == L"1") return Road::SilentUninstall;
    return Road::SilentInstall;
}

