#include "engine/install_log.h"

#include "app/setup_state.h"
#include "framework/handles.h"

namespace {
// Longest path the chain walk accepts: a fixed path buffer holds 260
// characters including the terminator.
constexpr size_t kMaxChainPath = 259;
}  // namespace

std::string EncodeLogRecord(std::wstring_view text, UINT codePage) {
    // The uninstaller reads records separated by the bytes a text-mode stream
    // makes of "\r\n": two carriage returns and a line feed.
    std::string bytes = "\r\r\n";
    if (text.empty()) return bytes;
    int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    if (size <= 0) return bytes;
    size_t start = bytes.size();
    bytes.resize(start + static_cast<size_t>(size));
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data() + start, size,
                        nullptr, nullptr);
    return bytes;
}

void WriteInstallLog(const std::wstring& text) {
    // Without a target folder the path would name the root of the current
    // drive; there is no log to write then.
    const std::wstring& target = State().TargetDir;
    if (target.empty()) return;
    // The wide path is used for opening, so a target folder with characters
    // outside the ANSI code page or longer than the ANSI buffer still gets
    // its log.
    std::wstring path = target + L"\\install.log";
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), end, nullptr, FILE_END)) return;
    std::string bytes = EncodeLogRecord(text, CP_ACP);
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        if (!WriteFile(file.get(), data, chunk, &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}

int CreateDirectoryChain(const std::wstring& path) {
    // A longer path cannot be held by the callers' path buffers; cutting it
    // would create a different (parent) folder, so it is refused whole.
    if (path.size() > kMaxChainPath) return 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] != L'\\' && path[i] != L'/') continue;
        std::wstring prefix = path.substr(0, i);
        if (GetFileAttributesW(prefix.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (!CreateDirectoryW(prefix.c_str(), nullptr)) return 0;
        WriteInstallLog(L"CreateDirectory: \"" + prefix + L"\" (0)");
        WriteInstallLog(L"CreateDirectory: \"" + prefix + L"\" created");
    }
    return 1;
}
