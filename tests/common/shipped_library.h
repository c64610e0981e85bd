// Makes the built IntallerRes.dll (bin/) the resource module for as long as
// the object lives, loaded the way start-up loads it: as a data file.
#pragma once
#include <windows.h>

#include "framework/win_app.h"
#include "tests/common/test_paths.h"

class ShippedResourceLibrary {
public:
    ShippedResourceLibrary()
        : m_library(LoadLibraryExW((BinDir() + L"\\IntallerRes.dll").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)),
          m_saved(ResourceModule()) {
        if (m_library) SetResourceModule(m_library);
    }
    ~ShippedResourceLibrary() {
        SetResourceModule(m_saved);
        if (m_library) FreeLibrary(m_library);
    }
    ShippedResourceLibrary(const ShippedResourceLibrary&) = delete;
    ShippedResourceLibrary& operator=(const ShippedResourceLibrary&) = delete;

    bool Loaded() const { return m_library != nullptr; }

private:
    HMODULE m_library;
    HINSTANCE m_saved;
};
