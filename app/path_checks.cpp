#include "app/path_checks.h"

#include "app/local_text.h"
#include "framework/handles.h"
#include "framework/strings.h"
#include "framework/win_app.h"

#include <io.h>

int DiskSpaceVerdict(bool queried, ULONGLONG availableBytes) {
    if (!queried) return 0;
    return availableBytes < kMinimumFreeBytes ? 2 : 1;
}

int CheckDiskSpace(const std::wstring& driveOrFolder) {
    ULARGE_INTEGER available{};
    bool queried = GetDiskFreeSpaceExW(driveOrFolder.c_str(), &available, nullptr, nullptr) != FALSE;
    int verdict = DiskSpaceVerdict(queried, available.QuadPart);
    if (verdict == 0) FrameworkMessageBox(LoadText(Text::DiskSpaceQueryFailed));
    if (verdict == 2) FrameworkMessageBox(LoadText(Text::NotEnoughSpace));
    return verdict;
}

int PathExists(const std::wstring& path) {
    bool lossless = true;
    std::string ansi = NarrowAnsi(path, &lossless);
    // A lossy conversion names some other path (with "?" in it); a longer path
    // is tested whole rather than cut, which could name a different folder.
    if (!lossless || ansi.empty() || ansi.find('\0') != std::string::npos) return 0;
    return _access(ansi.c_str(), 0) == 0 ? 1 : 0;
}

int IsFolderEmpty(const std::wstring& folder) {
    if (!PathExists(folder)) return 1;
    WIN32_FIND_DATAW data;
    unique_hfind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) return 1;
    do {
        std::wstring_view name = data.cFileName;
        if (name != L"." && name != L"..") return 0;
    } while (FindNextFileW(find.get(), &data));
    return 1;
}
