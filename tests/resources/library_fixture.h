// Every test of the resource library runs once per language library.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_paths.h"

struct LanguageLibrary {
    const char* Name;        // test name suffix
    const wchar_t* SubDir;   // folder under bin, empty for English
};

inline const LanguageLibrary kLanguageLibraries[] = {
    {"en", L""},
    {"zh_cn", L"zh_cn"},
};

inline std::wstring LibraryPath(const LanguageLibrary& library) {
    std::wstring path = BinDir();
    if (*library.SubDir) path += std::wstring(L"\\") + library.SubDir;
    return path + L"\\IntallerRes.dll";
}

// Loads the library the way the setup program does: as a data file.
class ResourceLibraryTest : public ::testing::TestWithParam<LanguageLibrary> {
protected:
    void SetUp() override {
        m_module = LoadLibraryExW(LibraryPath(GetParam()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr) << "cannot load " << GetParam().Name << " library";
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE Module() const { return m_module; }
    bool IsEnglish() const { return *GetParam().SubDir == 0; }

private:
    HMODULE m_module = nullptr;
};

#define INSTANTIATE_FOR_EVERY_LANGUAGE(suite)                                          \
    INSTANTIATE_TEST_SUITE_P(Languages, suite, ::testing::ValuesIn(kLanguageLibraries), \
                             [](const auto& info) { return std::string(info.param.Name); })
