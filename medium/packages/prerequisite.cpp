// Stand-in for the prerequisite installers of the medium's Msi folder
// (vcredist_x86_10.exe, vcredist_x64_10.exe,
// WindowsInstaller-KB893803-v2-x86.exe). It installs nothing: started as
// `"<path>" -q -norestart`, it records that it ran under
// HKLM\SOFTWARE\Orvanti Sample Medium\Prerequisites (32-bit view): value
// "<file name>" = the last command line, "<file name> runs" = how many times.
// Prerequisites stay installed when the product is removed, so this record is
// kept by design and the demo reports it as such. Exit code 0, or 1603 when
// the record cannot be written.
#include "medium/common/standin.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring path = standin::OwnPath();
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    DWORD runs = 0;
    standin::ReadMachineDword(standin::kPrerequisiteKey, (name + L" runs").c_str(), runs);
    bool ok = standin::WriteMachineString(standin::kPrerequisiteKey, name.c_str(), GetCommandLineW());
    ok &= standin::WriteMachineDword(standin::kPrerequisiteKey, (name + L" runs").c_str(), runs + 1);
    return ok ? 0 : 1603;
}
