#include "tests/driver/driver.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <set>
#include <utility>

namespace driver {

namespace {

constexpr DWORD kPollMs = 50;
// A window of a hung program must not hang the driver.
constexpr UINT kSendTimeoutMs = 2000;

DWORD Now() { return GetTickCount(); }

struct EnumContext {
    std::set<DWORD> Ids;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* context = reinterpret_cast<EnumContext*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (context->Ids.count(owner) && IsWindowVisible(window)) context->Found.push_back(window);
    return TRUE;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM param) {
    if (GetDlgCtrlID(child) == 0xFFFF && ClassName(child) == L"Static") {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

std::wstring EnvironmentBlock(const std::vector<std::wstring>& extra) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1) entries.emplace_back(p);
        FreeEnvironmentStringsW(block);
    }
    auto nameOf = [](const std::wstring& entry) {
        size_t equals = entry.find(L'=', 1);  // "=C:=C:\x" entries start with "="
        std::wstring name = entry.substr(0, equals);
        for (auto& ch : name) ch = static_cast<wchar_t>(std::towupper(ch));
        return name;
    };
    for (const std::wstring& add : extra) {
        std::wstring name = nameOf(add);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::wstring& e) { return nameOf(e) == name; }),
                      entries.end());
        entries.push_back(add);
    }
    std::wstring block;
    for (const std::wstring& entry : entries) {
        block += entry;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

void WriteLittleEndian(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

// --- Windows ----------------------------------------------------------------

std::wstring WindowText(HWND window) {
    if (!window) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
        wchar_t buffer[1024] = {};
        GetWindowTextW(window, buffer, 1024);
        return buffer;
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kSendTimeoutMs, &copied);
    text.resize(std::min<size_t>(static_cast<size_t>(copied), wcslen(text.c_str())));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

bool IsMessageBox(HWND window) {
    if (!window || ClassName(window) != L"#32770") return false;
    HWND text = nullptr;
    EnumChildWindows(window, FindMessageText, reinterpret_cast<LPARAM>(&text));
    return text != nullptr;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.Window = box;
    info.Caption = WindowText(box);
    HWND text = nullptr;
    EnumChildWindows(box, FindMessageText, reinterpret_cast<LPARAM>(&text));
    info.Text = WindowText(text);
    return info;
}

static BOOL CALLBACK FindDefPushButton(HWND child, LPARAM param) {
    if (ClassName(child) == L"Button" && (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        *reinterpret_cast<int*>(param) = GetDlgCtrlID(child);
        return FALSE;
    }
    return TRUE;
}

int DefaultButton(HWND dialog) {
    // DM_GETDEFID can name an id the dialog does not have (Wine answers IDOK
    // for a Yes/No box), so only an existing button is taken from it.
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) &&
        HIWORD(result) == DC_HASDEFID && GetDlgItem(dialog, LOWORD(result))) {
        return LOWORD(result);
    }
    int id = 0;
    EnumChildWindows(dialog, FindDefPushButton, reinterpret_cast<LPARAM>(&id));
    return id;
}

bool AnswerDialog(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (!button) return false;
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button)) !=
           FALSE;
}

HWND FindControl(HWND dialog, int id) { return dialog ? GetDlgItem(dialog, id) : nullptr; }

std::wstring ControlText(HWND dialog, int id) { return WindowText(FindControl(dialog, id)); }

bool IsControlVisible(HWND dialog, int id) {
    HWND control = FindControl(dialog, id);
    return control && IsWindowVisible(control);
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = FindControl(dialog, id);
    return control && IsWindowEnabled(control);
}

bool SetControlText(HWND dialog, int id, const std::wstring& text) {
    HWND control = FindControl(dialog, id);
    if (!control) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result) != 0;
}

bool ClickButton(HWND dialog, int id) { return AnswerDialog(dialog, id); }

bool IsButtonChecked(HWND dialog, int id) {
    HWND control = FindControl(dialog, id);
    DWORD_PTR result = 0;
    if (!control || !SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return false;
    return result == BST_CHECKED;
}

void CloseWindowLikeUser(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void PostClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

bool SaveScreenshot(HWND window, const std::wstring& bmpPath) {
    RECT rect{};
    if (window) {
        if (!GetWindowRect(window, &rect)) return false;
    } else {
        rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as .bmp files store rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    std::vector<char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (rows != height) return false;

    std::ofstream out(bmpPath.c_str(), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    uint32_t offset = 14 + sizeof(BITMAPINFOHEADER);
    out.put('B');
    out.put('M');
    WriteLittleEndian(out, offset + static_cast<uint32_t>(pixels.size()), 4);
    WriteLittleEndian(out, 0, 4);
    WriteLittleEndian(out, offset, 4);
    header.biSizeImage = static_cast<DWORD>(pixels.size());
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

// --- Processes ----------------------------------------------------------------

Process::~Process() {
    if (Running()) Kill();
    Close();
}

Process::Process(Process&& other) noexcept
    : m_process(std::exchange(other.m_process, nullptr)),
      m_thread(std::exchange(other.m_thread, nullptr)),
      m_id(std::exchange(other.m_id, 0)),
      m_error(other.m_error) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        if (Running()) Kill();
        Close();
        m_process = std::exchange(other.m_process, nullptr);
        m_thread = std::exchange(other.m_thread, nullptr);
        m_id = std::exchange(other.m_id, 0);
        m_error = other.m_error;
    }
    return *this;
}

void Process::Close() {
    if (m_thread) CloseHandle(m_thread);
    if (m_process) CloseHandle(m_process);
    m_thread = m_process = nullptr;
}

Process Process::Start(const std::wstring& commandLine, const std::wstring& workingFolder) {
    StartOptions options;
    options.WorkingFolder = workingFolder;
    return Start(commandLine, options);
}

Process Process::Start(const std::wstring& commandLine, const StartOptions& options) {
    Process result;
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    std::wstring environment;
    if (!options.ExtraEnvironment.empty()) environment = EnvironmentBlock(options.ExtraEnvironment);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.empty() ? nullptr : environment.data(),
                        options.WorkingFolder.empty() ? nullptr : options.WorkingFolder.c_str(), &startup, &info)) {
        result.m_error = GetLastError();
        return result;
    }
    result.m_process = info.hProcess;
    result.m_thread = info.hThread;
    result.m_id = info.dwProcessId;
    return result;
}

bool Process::Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!m_process) return false;
    if (WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    if (exitCode) *exitCode = code;
    return true;
}

void Process::Kill() {
    if (!m_process) return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 5000);
}

std::vector<DWORD> ProcessTree(DWORD rootId) {
    std::vector<DWORD> tree{rootId};
    std::vector<std::pair<DWORD, DWORD>> links;  // child, parent
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        if (Process32FirstW(snapshot, &entry)) {
            do links.emplace_back(entry.th32ProcessID, entry.th32ParentProcessID);
            while (Process32NextW(snapshot, &entry));
        }
        CloseHandle(snapshot);
    }
    for (size_t i = 0; i < tree.size(); ++i) {
        for (const auto& [child, parent] : links) {
            if (parent == tree[i] && child != rootId &&
                std::find(tree.begin(), tree.end(), child) == tree.end()) {
                tree.push_back(child);
            }
        }
    }
    return tree;
}

std::vector<HWND> Process::Windows(bool descendants) const {
    EnumContext context;
    if (descendants) {
        for (DWORD id : ProcessTree(m_id)) context.Ids.insert(id);
    } else {
        context.Ids.insert(m_id);
    }
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return context.Found;
}

HWND Process::WaitForWindowMatching(const std::function<bool(HWND)>& match, DWORD timeoutMs,
                                    bool descendants) const {
    DWORD start = Now();
    for (;;) {
        for (HWND window : Windows(descendants)) {
            if (match(window)) return window;
        }
        if (!Running() || Now() - start >= timeoutMs) return nullptr;
        Sleep(kPollMs);
    }
}

HWND Process::WaitForWindow(const std::wstring& text, DWORD timeoutMs, bool descendants) const {
    return WaitForWindowMatching([&](HWND window) { return WindowText(window) == text; }, timeoutMs, descendants);
}

HWND Process::WaitForMessageBox(DWORD timeoutMs, bool descendants) const {
    return WaitForWindowMatching(IsMessageBox, timeoutMs, descendants);
}

std::vector<HWND> WindowsOfProcess(DWORD processId) {
    EnumContext context;
    context.Ids.insert(processId);
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return context.Found;
}

struct InProcessBoxAnswerer::Shared {
    std::vector<int> Answers;
    size_t Next = 0;
    std::vector<MessageBoxInfo> Boxes;
    std::set<HWND> Seen;
    CRITICAL_SECTION Lock;
    HANDLE Stop = nullptr;
};

static DWORD WINAPI AnswerLoop(void* param) {
    auto* shared = static_cast<InProcessBoxAnswerer::Shared*>(param);
    while (WaitForSingleObject(shared->Stop, kPollMs) == WAIT_TIMEOUT) {
        for (HWND window : WindowsOfProcess(GetCurrentProcessId())) {
            if (!IsMessageBox(window)) continue;
            EnterCriticalSection(&shared->Lock);
            bool fresh = shared->Seen.insert(window).second;
            LeaveCriticalSection(&shared->Lock);
            if (!fresh) continue;
            MessageBoxInfo info = ReadMessageBox(window);
            EnterCriticalSection(&shared->Lock);
            if (shared->Next < shared->Answers.size()) {
                info.AnsweredWith = shared->Answers[shared->Next++];
            } else {
                info.AnsweredWith = DefaultButton(window);
                info.AnsweredByDefault = true;
            }
            shared->Boxes.push_back(info);
            LeaveCriticalSection(&shared->Lock);
            if (info.AnsweredWith == 0 || !AnswerDialog(window, info.AnsweredWith)) CloseWindowLikeUser(window);
        }
    }
    return 0;
}

InProcessBoxAnswerer::InProcessBoxAnswerer(std::vector<int> answers) : m_shared(new Shared) {
    m_shared->Answers = std::move(answers);
    InitializeCriticalSection(&m_shared->Lock);
    m_shared->Stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, AnswerLoop, m_shared, 0, nullptr);
}

InProcessBoxAnswerer::~InProcessBoxAnswerer() {
    SetEvent(m_shared->Stop);
    if (m_thread) {
        WaitForSingleObject(m_thread, 10000);
        CloseHandle(m_thread);
    }
    CloseHandle(m_shared->Stop);
    DeleteCriticalSection(&m_shared->Lock);
    delete m_shared;
}

std::vector<MessageBoxInfo> InProcessBoxAnswerer::Boxes() const {
    EnterCriticalSection(&m_shared->Lock);
    std::vector<MessageBoxInfo> copy = m_shared->Boxes;
    LeaveCriticalSection(&m_shared->Lock);
    return copy;
}

// --- Scripted run -----------------------------------------------------------------

RunResult RunAnswering(const std::wstring& commandLine, const RunOptions& options) {
    RunResult result;
    Process process = Process::Start(commandLine, options.Start);
    if (!process.Started()) return result;
    result.Started = true;

    std::set<HWND> seen;
    size_t nextAnswer = 0;
    DWORD start = Now();
    for (;;) {
        for (HWND window : process.Windows(options.Descendants)) {
            if (seen.count(window)) continue;
            if (IsMessageBox(window)) {
                seen.insert(window);
                MessageBoxInfo info = ReadMessageBox(window);
                if (options.OnMessageBox) options.OnMessageBox(info);
                int answer = 0;
                if (nextAnswer < options.Answers.size()) {
                    answer = options.Answers[nextAnswer++];
                } else {
                    answer = DefaultButton(window);
                    info.AnsweredByDefault = true;
                }
                if (answer == 0 || !AnswerDialog(window, answer)) {
                    // No such button (or no default): close it as the user would.
                    CloseWindowLikeUser(window);
                    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                }
                info.AnsweredWith = answer;
                result.Boxes.push_back(std::move(info));
            } else if (ClassName(window) == L"#32770" || !WindowText(window).empty()) {
                // Frames without text (IME, hidden helpers) are not worth a report.
                seen.insert(window);
                result.OtherWindows.push_back(ClassName(window) + L" | " + WindowText(window));
                if (options.OnOtherWindow) options.OnOtherWindow(window);
            }
        }
        DWORD code = 0;
        if (process.WaitForExit(0, &code)) {
            result.Exited = true;
            result.ExitCode = code;
            return result;
        }
        if (Now() - start >= options.TimeoutMs) {
            process.Kill();
            return result;
        }
        Sleep(kPollMs);
    }
}

std::wstring ButtonName(int id) {
    switch (id) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"Cancel";
    case IDABORT: return L"Abort";
    case IDRETRY: return L"Retry";
    case IDIGNORE: return L"Ignore";
    case IDYES: return L"Yes";
    case IDNO: return L"No";
    default: return std::to_wstring(id);
    }
}

int ButtonIdFromName(const std::wstring& name) {
    std::wstring lower;
    for (wchar_t ch : name) lower.push_back(static_cast<wchar_t>(std::towlower(ch)));
    static const std::pair<const wchar_t*, int> names[] = {
        {L"ok", IDOK}, {L"cancel", IDCANCEL}, {L"abort", IDABORT}, {L"retry", IDRETRY},
        {L"ignore", IDIGNORE}, {L"yes", IDYES}, {L"no", IDNO},
    };
    for (const auto& [text, id] : names) {
        if (lower == text) return id;
    }
    if (!lower.empty() && std::all_of(lower.begin(), lower.end(), [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; }))
        return std::stoi(lower);
    return 0;
}

}  // namespace driver
