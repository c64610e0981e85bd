#include "wizard/progress_steps.h"

#include <objbase.h>

int PackageItemCount(const std::wstring& packageList) {
    int count = 1;
    std::wstring_view rest = packageList;
    for (;;) {
        size_t semicolon = rest.find(L';');
        if (semicolon == std::wstring_view::npos || semicolon == 0) break;
        rest = rest.substr(semicolon + 1);
        if (rest.empty()) break;
        ++count;
    }
    return count;
}

int CopyFilesStepTotal(const ProgressFacts& facts, const std::vector<FeatureRecord>& features) {
    int total = 7;
    if (facts.WindowsInstallerMissing) ++total;
    if (facts.Is64BitSystem) ++total;
    if (!facts.Is64BitPackage) ++total;
    for (const FeatureRecord& feature : features) {
        if (feature.Check == 1) total += PackageItemCount(feature.Package);
    }
    return total;
}

ProgressFacts CurrentProgressFacts() {
    const SetupState& state = State();
    ProgressFacts facts;
    CLSID clsid;
    facts.WindowsInstallerMissing = FAILED(CLSIDFromProgID(L"WindowsInstaller.Installer", &clsid));
    facts.Is64BitSystem = state.Is64BitSystem == 1;
    facts.Is64BitPackage = state.Is64BitPackage == 1;
    return facts;
}
