#include "framework/win_app.h"

#include "framework/strings.h"

namespace {
CWinApp* g_app = nullptr;
HINSTANCE g_resourceModule = nullptr;
}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_exitCode; }

int CWinApp::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return ExitInstance();
}

CWinApp* TheApp() { return g_app; }

HINSTANCE ResourceModule() {
    return g_resourceModule ? g_resourceModule : GetModuleHandleW(nullptr);
}

void SetResourceModule(HINSTANCE module) { g_resourceModule = module; }

std::wstring AppTitle() {
    if (g_app && !g_app->m_appName.empty()) return g_app->m_appName;
    std::wstring path = ModulePath(nullptr);
    size_t slash = path.rfind(L'\\');
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

int FrameworkMessageBox(const std::wstring& text, UINT type) {
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: type |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: type |= MB_ICONQUESTION; break;
        default: break;
        }
    }
    HWND owner = GetActiveWindow();
    return MessageBoxW(owner, text.c_str(), AppTitle().c_str(), type);
}

int RunApplication(HINSTANCE instance) {
    CWinApp* app = TheApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    if (app->m_appName.empty()) app->m_appName = AppTitle();
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
