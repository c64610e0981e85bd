// The application object and the process-wide services that hang off it:
// the resource module that dialogs, bitmaps and strings are loaded from, the
// application title, and the framework's message box.
#pragma once
#include <windows.h>
#include <string>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Returns FALSE to end the program without a message loop of its own.
    virtual BOOL InitInstance();
    // Returns the process exit code.
    virtual int ExitInstance();

    // Message loop, entered only when InitInstance returns TRUE.
    virtual int Run();

    HINSTANCE m_hInstance = nullptr;
    std::wstring m_appName;          // program file name without extension
    DWORD m_restartManagerSupport = 0;
    int m_exitCode = 0;              // what ExitInstance returns by default
};

// The one application object (set by the CWinApp constructor).
CWinApp* TheApp();

// The module that templates, bitmaps, icons and strings are looked up in.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);

// The application title: the program file's name without its extension.
std::wstring AppTitle();

// The framework's message box: owner is the active window of the thread,
// caption the application title; a box without an icon flag gets the
// exclamation icon for MB_OK / MB_OKCANCEL and the question icon for
// MB_YESNO / MB_YESNOCANCEL, as users of the framework expect.
int FrameworkMessageBox(const std::wstring& text, UINT type = MB_OK);

// Entry used by wWinMain: runs the application object and returns its exit code.
int RunApplication(HINSTANCE instance);
