// How many progress steps the copy-files page expects for one installation.
// An estimate from the facts the job will meet; the page wraps when it is low.
#pragma once
#include <string>
#include <vector>

#include "app/setup_state.h"

// Items of a ";"-separated package list, counted the way the install
// sequence splits it: an empty list and a list starting with ";" count 1,
// a final ";" adds nothing.
int PackageItemCount(const std::wstring& packageList);

struct ProgressFacts {
    bool WindowsInstallerMissing = false;  // its installer runs first
    bool Is64BitSystem = false;
    bool Is64BitPackage = false;
};

int CopyFilesStepTotal(const ProgressFacts& facts, const std::vector<FeatureRecord>& features);

// The facts of this machine and State(): Windows Installer is missing when
// its programmatic identifier does not resolve to a class id.
ProgressFacts CurrentProgressFacts();
