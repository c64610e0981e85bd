#include "tests/engine/engine_test_support.h"

#include <algorithm>
#include <sstream>

#include "engine/install_messages.h"

std::wstring FixtureDir() { return BuildDir() + L"\\tests\\fixtures"; }
std::wstring FixturePath(const std::wstring& name) { return FixtureDir() + L"\\" + name; }

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return L"";
    int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// --- BoxWatcher -------------------------------------------------------------

namespace {

std::wstring WindowText(HWND window) {
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

struct BoxParts {
    std::wstring Text;
    int FirstButton = 0;
};

BOOL CALLBACK CollectParts(HWND child, LPARAM parameter) {
    auto* parts = reinterpret_cast<BoxParts*>(parameter);
    std::wstring kind = ClassOf(child);
    if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        std::wstring text = WindowText(child);
        if (text.size() > parts->Text.size()) parts->Text = text;
    } else if (_wcsicmp(kind.c_str(), L"Button") == 0 && parts->FirstButton == 0 && IsWindowVisible(child)) {
        parts->FirstButton = GetDlgCtrlID(child);
    }
    return TRUE;
}

struct Candidates {
    DWORD Process;
    std::vector<HWND> Windows;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM parameter) {
    auto* candidates = reinterpret_cast<Candidates*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == candidates->Process && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
        candidates->Windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

BoxWatcher::BoxWatcher() : m_thread([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() {
    m_stop = true;
    m_thread.join();
}

std::vector<SeenBox> BoxWatcher::Boxes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

void BoxWatcher::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_boxes.clear();
}

void BoxWatcher::Watch() {
    while (!m_stop) {
        Sleep(40);
        {
            // A closed box's handle may be given to a later window.
            std::lock_guard<std::mutex> lock(m_mutex);
            m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(), [](HWND h) { return !IsWindow(h); }),
                             m_answered.end());
        }
        Candidates candidates{GetCurrentProcessId(), {}};
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&candidates));
        for (HWND box : candidates.Windows) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (std::find(m_answered.begin(), m_answered.end(), box) != m_answered.end()) continue;
            }
            BoxParts parts;
            EnumChildWindows(box, CollectParts, reinterpret_cast<LPARAM>(&parts));
            if (parts.FirstButton == 0) continue;  // not ready yet
            SeenBox seen{WindowText(box), parts.Text, (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0};
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_boxes.push_back(seen);
                m_answered.push_back(box);
            }
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(parts.FirstButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, parts.FirstButton)));
        }
    }
}

// --- NoticeCollector --------------------------------------------------------

NoticeCollector::NoticeCollector() {
    static const wchar_t* kClass = L"EngineTestNoticeCollector";
    static ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &NoticeCollector::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClass;
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
    m_window = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NoticeCollector::~NoticeCollector() {
    if (m_window) DestroyWindow(m_window);
}

LRESULT CALLBACK NoticeCollector::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NoticeCollector*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message >= WM_INSTALL_STARTED && message <= WM_PACKAGE_FINISHED) {
        self->m_notices.push_back(message);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void NoticeCollector::PumpUntil(UINT last, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (last && std::find(m_notices.begin(), m_notices.end(), last) != m_notices.end()) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

void NoticeCollector::Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int NoticeCollector::Count(UINT message) const {
    return static_cast<int>(std::count(m_notices.begin(), m_notices.end(), message));
}

std::wstring NoticeNames(const std::vector<UINT>& notices) {
    std::wstring names;
    for (UINT notice : notices) {
        if (!names.empty()) names += L" ";
        switch (notice) {
        case WM_INSTALL_STARTED: names += L"INSTALL_STARTED"; break;
        case WM_INSTALL_FINISHED: names += L"INSTALL_FINISHED"; break;
        case WM_INSTALL_FAILED: names += L"INSTALL_FAILED"; break;
        case WM_PACKAGE_STARTED: names += L"PACKAGE_STARTED"; break;
        case WM_PACKAGE_FINISHED: names += L"PACKAGE_FINISHED"; break;
        default: names += std::to_wstring(notice); break;
        }
    }
    return names;
}

// --- RecorderLog ------------------------------------------------------------

RecorderLog::RecorderLog(const std::wstring& path) : m_path(path) {
    DeleteFileW(m_path.c_str());
    SetEnvironmentVariableW(L"RECORDER_LOG", m_path.c_str());
}

RecorderLog::~RecorderLog() { SetEnvironmentVariableW(L"RECORDER_LOG", nullptr); }

std::vector<RecordedRun> RecorderLog::Runs() const {
    std::vector<RecordedRun> runs;
    std::wstring all = FromUtf8(ReadFileBytes(m_path));
    std::wstringstream lines(all);
    std::wstring line;
    while (std::getline(lines, line)) {
        size_t tab = line.find(L'\t');
        RecordedRun run;
        run.CommandLine = line.substr(0, tab);
        if (tab != std::wstring::npos) {
            std::wstring rest = line.substr(tab + 1);
            run.Folder = rest.substr(0, rest.find(L'\t'));
        }
        runs.push_back(run);
    }
    return runs;
}

std::vector<std::wstring> RecorderLog::CommandLines() const {
    std::vector<std::wstring> lines;
    for (const RecordedRun& run : Runs()) lines.push_back(run.CommandLine);
    return lines;
}

bool RecorderLog::WaitForRuns(size_t count, DWORD milliseconds) const {
    DWORD start = GetTickCount();
    for (;;) {
        if (Runs().size() >= count) return true;
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
}

// --- FixtureMedium ----------------------------------------------------------

void FixtureMedium::Place(const std::wstring& fixture, const std::wstring& path) {
    CopyFileW(FixturePath(fixture).c_str(), path.c_str(), FALSE);
}

void FixtureMedium::SetExitCode(const std::wstring& program, int code) {
    WriteFileBytes(program + L".exit", std::to_string(code));
}

FixtureMedium::FixtureMedium() {
    CreateDirectoryW((Folder() + L"\\Msi").c_str(), nullptr);
    CreateDirectoryW((Folder() + L"\\files").c_str(), nullptr);
    for (const wchar_t* name : {L"WindowsInstaller-KB893803-v2-x86.exe", L"vcredist_x86_10.exe", L"vcredist_x64_10.exe"}) {
        Place(L"recorder.exe", Msi(name));
    }
    Place(L"fixture_ok.msi", Msi(L"msxml6.msi"));
    Place(L"fixture_ok.msi", Msi(L"msxml6_x64.msi"));
    for (const wchar_t* name : {L"pelm_global.exe", L"pelm_local.exe", L"pelm_help.exe", L"pelm_encryption.exe",
                                L"WriteRegister.exe", L"WriteRegister_x64.exe"}) {
        Place(L"recorder.exe", Files(name));
    }
    // The setup's own files are only copied, never run, by the sequence.
    WriteFileBytes(Folder() + L"\\Setup.exe", "setup program");
    WriteFileBytes(Folder() + L"\\IntallerRes.dll", "resource library");
    WriteFileBytes(Folder() + L"\\Setup.ini", "[SETUP]\r\nWOW64=0\r\n[packnum]\r\ncount=2\r\n[sub1]\r\ncheck=1\r\n[sub2]\r\ncheck=0\r\n");
    Place(L"recorder.exe", Folder() + L"\\PUninstall.exe");
}

std::vector<std::wstring> LogRecords(const std::wstring& path) {
    std::string bytes = ReadFileBytes(path);
    std::vector<std::wstring> records;
    const std::string separator = "\r\r\n";
    size_t at = bytes.find(separator);
    while (at != std::string::npos) {
        size_t next = bytes.find(separator, at + separator.size());
        std::string record = bytes.substr(at + separator.size(),
                                          next == std::string::npos ? std::string::npos : next - at - separator.size());
        int size = MultiByteToWideChar(CP_ACP, 0, record.data(), static_cast<int>(record.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(size), L'\0');
        MultiByteToWideChar(CP_ACP, 0, record.data(), static_cast<int>(record.size()), wide.data(), size);
        records.push_back(wide);
        at = next;
    }
    return records;
}
