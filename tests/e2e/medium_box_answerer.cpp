// medium_box_answerer.exe: waits for programs that someone else started (by
// their file name), answers their message boxes with the default button and
// reports them, and ends when none of them runs any more. scripts/demo uses
// it for the uninstaller, which the setup starts and leaves running.
//
//   medium_box_answerer.exe --image PUninstall.exe [--timeout SECONDS] [--appear SECONDS]
//
// Prints "window: <class> | <text>" for each window that is not a message box
// and "box: <caption> | <text>" for each box, then "ended" (exit 0) once no
// such program runs, or "timeout" (exit 3258) when one still runs after
// --timeout seconds (default 60). A program that does not appear within
// --appear seconds (default 10) is reported as "not seen" (exit 0).
#include "tests/e2e/medium_fixture.h"

#include <cstdio>
#include <string>

namespace {

void Print(const std::wstring& line) {
    std::string utf8;
    for (wchar_t ch : line) {
        if (ch == L'\r') continue;
        if (ch == L'\n') { utf8 += "\\n"; continue; }
        utf8 += standin::Narrow(std::wstring(1, ch), CP_UTF8);
    }
    utf8 += "\n";
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring image;
    DWORD timeoutMs = 60000, appearMs = 10000;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::wstring option = argv[i];
        if (option == L"--image") image = argv[i + 1];
        else if (option == L"--timeout") timeoutMs = static_cast<DWORD>(_wtoi(argv[i + 1])) * 1000;
        else if (option == L"--appear") appearMs = static_cast<DWORD>(_wtoi(argv[i + 1])) * 1000;
    }
    if (image.empty()) {
        Print(L"usage: medium_box_answerer.exe --image <file name> [--timeout SECONDS] [--appear SECONDS]");
        return 2;
    }
    LeftRunning run = AnswerUntilEnded(image, timeoutMs, appearMs);
    for (const std::wstring& window : run.OtherWindows) Print(L"window: " + window);
    for (const driver::MessageBoxInfo& box : run.Boxes) Print(L"box: " + box.Caption + L" | " + box.Text);
    if (!run.Ended) {
        Print(L"timeout");
        return driver::kDriverTimeoutExit;
    }
    Print(run.Seen ? L"ended" : L"not seen");
    return 0;
}
