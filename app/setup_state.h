// The process-wide record of what Setup.ini, the registry, the command line
// and the wizard pages have settled. Filled on the main thread by start-up;
// read by the install thread only while the wizard leaves it alone.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

enum InstallMode : int {
    Install = 0,
    Modify = 1,
    Repair = 2,
    Remove = 3,
};

struct FeatureRecord {
    std::wstring Name;         // at most 259 characters; empty: no button
    std::wstring Description;  // at most 259 characters
    std::wstring Package;      // ";"-separated package file names
    int Check = 0;             // 1: selected (medium) or installed (installed copy)
    int Enable = 1;            // 0: button disabled on the feature page
};

struct SetupState {
    std::wstring ProductName;
    std::wstring CompanyName;
    std::wstring Version;
    std::wstring TargetDir;      // never ends in "\" except where a page keeps one on purpose
    std::wstring Language;       // as written in Setup.ini
    std::wstring LanguageLower;
    std::wstring LanguageId;     // decimal Windows language id
    int Is64BitPackage = 0;
    int Is64BitSystem = 0;
    int NetTest = 0;
    int Num = 1;
    int Classic = 0;
    int FeatureCount = 0;
    std::vector<FeatureRecord> Features;
    int Installed = 0;
    int InstalledIs64 = 0;
    int InstallMode = Remove;
    int AgreementAccepted = 0;
    HMODULE ResourceModule = nullptr;
    HMODULE SavedResourceModule = nullptr;
};

// The one record of the process.
SetupState& State();

// Folder of the running setup program, without trailing backslash.
std::wstring SetupFolder();
