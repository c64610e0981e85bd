// Stand-in for the product's program pelm.exe, placed in the target folder by
// pelm_global.exe. It is not the product: run without arguments it shows a
// small window saying so. The setup runs it as `"<path>" -Regserver -nologo`
// after the packages and as `"<path>" -UnRegserver -nologo` on removal; these
// register and remove a COM class of its own under
// HKLM\Software\Classes (32-bit view): the class key, its ProgID and the
// version-independent ProgID. The class is registered as a local server but
// the stand-in serves no objects. Exit code 0 on success, 1 on failure.
#include "medium/common/standin.h"

#include <windows.h>

#include <string>

namespace {

const std::wstring kClassesKey = L"Software\\Classes\\";

std::wstring ClassKey() { return kClassesKey + L"CLSID\\" + standin::kProductClsid; }

bool Register() {
    const std::wstring classKey = ClassKey();
    const std::wstring progIdKey = kClassesKey + standin::kProductProgId;
    const std::wstring independentKey = kClassesKey + standin::kProductProgIdIndependent;
    const std::wstring description = L"Pelmora 2016 Application (stand-in of the sample medium)";
    bool ok = standin::WriteMachineString(classKey.c_str(), nullptr, description);
    ok &= standin::WriteMachineString((classKey + L"\\LocalServer32").c_str(), nullptr,
                                      L"\"" + standin::OwnPath() + L"\"");
    ok &= standin::WriteMachineString((classKey + L"\\ProgID").c_str(), nullptr, standin::kProductProgId);
    ok &= standin::WriteMachineString((classKey + L"\\VersionIndependentProgID").c_str(), nullptr,
                                      standin::kProductProgIdIndependent);
    ok &= standin::WriteMachineString(progIdKey.c_str(), nullptr, description);
    ok &= standin::WriteMachineString((progIdKey + L"\\CLSID").c_str(), nullptr, standin::kProductClsid);
    ok &= standin::WriteMachineString(independentKey.c_str(), nullptr, description);
    ok &= standin::WriteMachineString((independentKey + L"\\CLSID").c_str(), nullptr, standin::kProductClsid);
    ok &= standin::WriteMachineString((independentKey + L"\\CurVer").c_str(), nullptr, standin::kProductProgId);
    return ok;
}

bool Unregister() {
    bool ok = standin::DeleteMachineTree(ClassKey().c_str());
    ok &= standin::DeleteMachineTree((kClassesKey + standin::kProductProgId).c_str());
    ok &= standin::DeleteMachineTree((kClassesKey + standin::kProductProgIdIndependent).c_str());
    return ok;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int ShowWindowProgram(HINSTANCE instance, int show) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"PelmoraSampleProgram";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Pelmora 2016", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 460, 160, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    CreateWindowExW(0, L"STATIC",
                    L"Pelmora 2016\r\nThis is the stand-in for the product program, "
                    L"installed from the sample medium. It does nothing else.",
                    WS_CHILD | WS_VISIBLE, 16, 16, 410, 80, window, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    bool registerClass = false, unregisterClass = false;
    for (const std::wstring& argument : standin::Arguments()) {
        std::wstring lower = standin::Lower(argument);
        if (lower == L"-regserver" || lower == L"/regserver") registerClass = true;
        else if (lower == L"-unregserver" || lower == L"/unregserver") unregisterClass = true;
        // "-nologo" asks for no splash window; the stand-in has none.
    }
    if (unregisterClass) return Unregister() ? 0 : 1;
    if (registerClass) return Register() ? 0 : 1;
    return ShowWindowProgram(instance, show);
}
