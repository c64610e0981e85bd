#include <windows.h>

#include "app/pelm_installer_app.h"
#include "framework/module.h"

CPelmInstallerApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    // Before anything can load a library: only the system folder is searched,
    // so nothing planted beside the setup (a download folder, a medium) is loaded.
    using SetDirs = BOOL(WINAPI*)(DWORD);
    if (auto set = GetProc<SetDirs>(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return RunApplication(instance);
}
