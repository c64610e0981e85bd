#include "tests/common/test_paths.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::wstring WinePathFromUnix(const std::string& unixPath) {
    std::wstring result = L"Z:";
    for (char ch : unixPath) result.push_back(ch == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(ch)));
    while (result.size() > 3 && result.back() == L'\\') result.pop_back();
    return result;
}

static std::wstring FromEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? WinePathFromUnix(value) : std::wstring();
}

std::wstring BinDir() { return FromEnv("SETUP_BIN_DIR"); }
std::wstring BuildDir() { return FromEnv("SETUP_BUILD_DIR"); }
std::wstring SourceDir() { return FromEnv("SETUP_SOURCE_DIR"); }

ScratchFolder::ScratchFolder(const std::wstring& hint) {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = temp;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (;;) {
        std::wstringstream name;
        name << base << L"\\" << hint << L"_" << GetCurrentProcessId() << L"_" << counter++;
        m_path = name.str();
        if (CreateDirectoryW(m_path.c_str(), nullptr)) break;
    }
}

ScratchFolder::~ScratchFolder() { RemoveTree(m_path); }

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
