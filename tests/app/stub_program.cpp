// A stand-in for programs the setup looks for or starts (for example the
// product's pelm.exe). It appends its own command line as one UTF-8 line to
// "<its own path>.calls", then sleeps for "sleep-ms=N" milliseconds if the
// command line holds that, and exits with "exit=N" (default 0).
// With "yesno-boxes=N" it first asks N Yes/No questions (caption "Stub",
// text "Question k?") and exits with the answers as decimal digits instead
// (IDYES 6, IDNO 7: Yes then No gives 67).
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

int NumberAfter(const std::wstring& text, const wchar_t* key, int fallback) {
    size_t at = text.find(key);
    return at == std::wstring::npos ? fallback : _wtoi(text.c_str() + at + wcslen(key));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    std::wstring commandLine = GetCommandLineW();
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring record = std::wstring(self) + L".calls";
    HANDLE file = CreateFileW(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::wstring line = commandLine + L"\n";
        int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                       nullptr, nullptr);
        std::string utf8(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr,
                            nullptr);
        DWORD written = 0;
        WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        CloseHandle(file);
    }
    int questions = NumberAfter(commandLine, L"yesno-boxes=", 0);
    if (questions > 0) {
        int answers = 0;
        for (int k = 1; k <= questions && k <= 8; ++k) {
            std::wstring text = L"Question " + std::to_wstring(k) + L"?";
            answers = answers * 10 + MessageBoxW(nullptr, text.c_str(), L"Stub", MB_YESNO);
        }
        return answers;
    }
    int sleepMs = NumberAfter(commandLine, L"sleep-ms=", 0);
    if (sleepMs > 0) Sleep(static_cast<DWORD>(sleepMs));
    return NumberAfter(commandLine, L"exit=", 0);
}
