// Stand-in for the product's configuration tool, built as WriteRegister.exe
// and WriteRegister_x64.exe (both of the build's own architecture). The setup
// runs it as
//   "<path>" lang=<l> TARGETDIR="<t>" PRODUCTNAME="<p>" VERSION=<v> PLATFROM=<x86|x64> NUM=<n> WorkspaceName=<w> -q
// It writes every key=value property, as given, as a string value into
// HKLM\SOFTWARE\Orvanti\Pelmora\2016\Config (32-bit view), and appends its
// whole command line as one UTF-8 line to <TARGETDIR>\WriteRegister.runs, so
// tests can count its runs; that file is listed in <TARGETDIR>\packages.manifest
// for the uninstaller. Exit codes: 0 done; 87 no usable TARGETDIR; 1603 a
// value or the run record could not be written.
#include "medium/common/standin.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::vector<std::pair<std::wstring, std::wstring>> properties;
    std::wstring target;
    for (const std::wstring& argument : standin::Arguments()) {
        size_t equals = argument.find(L'=');
        if (equals == std::wstring::npos || equals == 0) continue;  // "-q" and other switches
        std::wstring name = argument.substr(0, equals), value = argument.substr(equals + 1);
        // A value that reached us with its quotes still on (quoted twice) loses them.
        if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') value = value.substr(1, value.size() - 2);
        if (name == L"TARGETDIR") {
            while (!value.empty() && value.back() == L'\\') value.pop_back();
            target = value;
        }
        properties.emplace_back(name, value);
    }
    if (!standin::IsAbsoluteFolder(target) || !standin::FolderExists(target)) return ERROR_INVALID_PARAMETER;

    bool ok = true;
    for (const auto& [name, value] : properties)
        ok &= standin::WriteMachineString(standin::kConfigKey, name.c_str(), value);

    const std::wstring runs = target + L"\\" + standin::kConfigurationRunsName;
    ok &= standin::AddManifestEntry(target, false, runs);
    ok &= standin::AppendToFile(runs, standin::Narrow(GetCommandLineW(), CP_UTF8) + "\r\n");
    return ok ? 0 : 1603;
}
