#include "app/road_choice.h"

#include <gtest/gtest.h>

namespace {

const char* RoadName(Road road) {
    switch (road) {
    case Road::InstallFlow: return "InstallFlow";
    case Road::MaintenanceFlow: return "MaintenanceFlow";
    case Road::SilentInstall: return "SilentInstall";
    case Road::SilentUninstall: return "SilentUninstall";
    }
    return "?";
}

// Whole command lines as Windows hands them over, through the parser to the road.
TEST(ChooseRoad, FromCommandLines) {
    struct Case {
        const wchar_t* CommandLine;
        int Installed;
        Road Expected;
    };
    const Case table[] = {
        {LR"("C:\m\Setup.exe")", 0, Road::InstallFlow},
        {LR"("C:\m\Setup.exe")", 1, Road::MaintenanceFlow},
        {LR"("C:\m\Setup.exe"   )", 1, Road::MaintenanceFlow},
        {LR"("C:\m\Setup.exe" quiet=0 TARGETDIR=D:\P NUM=3)", 0, Road::InstallFlow},
        {LR"("C:\m\Setup.exe" quiet=0 Uninstall=1)", 1, Road::MaintenanceFlow},
        {LR"("C:\m\Setup.exe" quiet=1)", 0, Road::SilentInstall},
        {LR"("C:\m\Setup.exe" quiet=1)", 1, Road::SilentInstall},
        {LR"("C:\m\Setup.exe" NUM=3)", 0, Road::SilentInstall},
        {LR"("C:\m\Setup.exe" quiet=00)", 0, Road::SilentInstall},
        {LR"("C:\m\Setup.exe" Quiet=0)", 0, Road::SilentInstall},  // keys are case-sensitive
        {LR"("C:\m\Setup.exe" Uninstall=yes)", 1, Road::SilentInstall},
        {LR"("C:\m\Setup.exe" uninstall=1)", 1, Road::SilentInstall},
        {LR"("C:\m\Setup.exe" Uninstall=1)", 0, Road::SilentUninstall},  // whatever Installed says
        {LR"("C:\m\Setup.exe" Uninstall=1 TARGETDIR="D:\Pel Mora\")", 1, Road::SilentUninstall},
        {LR"("C:\m\Setup.exe" quiet=1 Uninstall=1)", 1, Road::SilentUninstall},
        {LR"("C:\m\Setup.exe" flag)", 0, Road::InstallFlow},  // no pair: interactive
        {LR"("C:\m\Setup.exe" quiet=)", 0, Road::InstallFlow},
    };
    for (const Case& c : table) {
        CommandLineMap map;
        ParseCommandLine(c.CommandLine, map);
        EXPECT_STREQ(RoadName(ChooseRoad(map, c.Installed)), RoadName(c.Expected))
            << testing::PrintToString(std::wstring(c.CommandLine)) << " installed=" << c.Installed;
    }
}

TEST(TargetDirFromCommandLine, StripsQuotesThenBackslashes) {
    const std::pair<const wchar_t*, const wchar_t*> table[] = {
        {LR"("D:\Pel Mora\")", LR"(D:\Pel Mora)"},
        {LR"(""D:\P\\"")", LR"(D:\P)"},
        {LR"(D:\P)", LR"(D:\P)"},
        {LR"(D:\P\"\)", LR"(D:\P\")"},  // quotes only at the very end are removed before backslashes
        {LR"(")", L""},
    };
    for (const auto& [value, expected] : table) EXPECT_EQ(TargetDirFromCommandLine(value), expected) << testing::PrintToString(std::wstring(value));
}

}  // namespace
