#include "wizard/progress_steps.h"

#include <objbase.h>

#include "engine/install_sequence.h"

// The install sequence runs one package per entry of this split, so the bar
// counts exactly what the job will run.
int PackageItemCount(const std::wstring& packageList) {
    return static_cast<int>(SplitFeaturePackages(packageList).size());
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
