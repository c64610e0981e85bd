// Stands in for a package or the uninstaller in the wizard's end-to-end
// tests. Appends its command line (UTF-8, one line) to "<own path>.runs" and
// to the file named by WIZARD_FIXTURE_LOG (for copies that run from folders
// the test cannot predict), then sleeps for the milliseconds written in
// "<own path>.delay", if any.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {
std::wstring OwnPath() {
    wchar_t path[32768];
    DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    return std::wstring(path, length);
}

std::string ReadSmallFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    char buffer[64] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof(buffer) - 1, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const std::wstring self = OwnPath();
    const wchar_t* commandLine = GetCommandLineW();
    int size = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), size, nullptr, nullptr);
    line += "\n";
    wchar_t shared[32768];
    DWORD sharedLength = GetEnvironmentVariableW(L"WIZARD_FIXTURE_LOG", shared, 32768);
    for (const std::wstring& path :
         {self + L".runs", sharedLength > 0 && sharedLength < 32768 ? std::wstring(shared, sharedLength) : std::wstring()}) {
        if (path.empty()) continue;
        HANDLE log = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log == INVALID_HANDLE_VALUE) continue;
        DWORD written = 0;
        WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(log);
    }
    int delay = atoi(ReadSmallFile(self + L".delay").c_str());
    if (delay > 0) Sleep(static_cast<DWORD>(delay));
    return 0;
}
