// Stand-in content for the gallery's pages: what a medium would bring
// (features, licence text) in the library's language.
#pragma once
#include <string>
#include <vector>

struct SampleFeature {
    std::wstring Name;
    std::wstring Description;
    int Check;
    int Enable;
};

std::vector<SampleFeature> SampleFeatures(bool chinese);
// An RTF document; non-ASCII characters as \u escapes.
std::string SampleLicenceRtf(bool chinese);
std::wstring SampleTargetDir();
