#include "medium/common/standin.h"

#include "framework/handles.h"

#include <shellapi.h>

#include <algorithm>
#include <cwctype>

namespace standin {

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring OwnFolder() { return ParentFolder(OwnPath()); }

std::wstring OwnBaseName() {
    std::wstring path = OwnPath();
    size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return Lower(name);
}

std::wstring Lower(std::wstring_view text) {
    std::wstring result(text);
    for (wchar_t& ch : result) ch = static_cast<wchar_t>(std::towlower(ch));
    return result;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view suffix) {
    return text.size() >= suffix.size() &&
           Lower(text.substr(text.size() - suffix.size())) == Lower(suffix);
}

std::wstring ParentFolder(std::wstring_view path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsAbsoluteFolder(std::wstring_view path) {
    if (path.size() < 4 || !std::iswalpha(path[0]) || path[1] != L':' || path[2] != L'\\') return false;
    if (path.back() == L'\\') return false;
    std::wstring_view rest = path.substr(3);
    if (rest.find_first_of(L"/:*?\"<>|") != std::wstring_view::npos) return false;
    // No empty components and no "." or ".." that would lead out of the folder.
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos) end = rest.size();
        std::wstring_view part = rest.substr(start, end - start);
        if (part.empty() || part == L"." || part == L"..") return false;
        start = end + 1;
    }
    return true;
}

bool IsInside(std::wstring_view path, std::wstring_view folder) {
    if (folder.empty() || path.size() <= folder.size() + 1) return false;
    if (path[folder.size()] != L'\\') return false;
    if (Lower(path.substr(0, folder.size())) != Lower(folder)) return false;
    std::wstring_view rest = path.substr(folder.size() + 1);
    return rest.find(L"..") == std::wstring_view::npos;
}

std::string Narrow(std::wstring_view text, UINT codePage) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(size, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(size, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

static bool WriteAt(const std::wstring& path, std::string_view bytes, DWORD disposition, bool append) {
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    if (append && SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    return WriteAt(path, bytes, CREATE_ALWAYS, false);
}

bool AppendToFile(const std::wstring& path, std::string_view bytes) {
    return WriteAt(path, bytes, OPEN_ALWAYS, true);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024) return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

static constexpr REGSAM kView = KEY_WOW64_32KEY;

bool ReadMachineString(const wchar_t* key, const wchar_t* name, std::wstring& value) {
    unique_hkey handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | kView, handle.put()) != ERROR_SUCCESS) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(handle.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(handle.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    data.resize(std::min<size_t>(size / sizeof(wchar_t), data.size()));
    while (!data.empty() && data.back() == L'\0') data.pop_back();
    value = data;
    return true;
}

static bool CreateMachineKey(const wchar_t* key, unique_hkey& handle) {
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | kView,
                           nullptr, handle.put(), nullptr) == ERROR_SUCCESS;
}

bool WriteMachineString(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    unique_hkey handle;
    if (!CreateMachineKey(key, handle)) return false;
    return RegSetValueExW(handle.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteMachineDword(const wchar_t* key, const wchar_t* name, DWORD value) {
    unique_hkey handle;
    if (!CreateMachineKey(key, handle)) return false;
    return RegSetValueExW(handle.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool ReadMachineDword(const wchar_t* key, const wchar_t* name, DWORD& value) {
    DWORD size = sizeof(value), type = 0;
    unique_hkey handle;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | kView, handle.put()) != ERROR_SUCCESS) return false;
    return RegQueryValueExW(handle.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
}

bool MachineKeyExists(const wchar_t* key) {
    unique_hkey handle;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | kView, handle.put()) == ERROR_SUCCESS;
}

bool DeleteMachineTree(const wchar_t* key) {
    {
        unique_hkey handle;
        LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS | kView, handle.put());
        if (opened == ERROR_FILE_NOT_FOUND) return true;
        if (opened != ERROR_SUCCESS) return false;
        for (;;) {
            wchar_t child[256];
            DWORD length = 256;
            if (RegEnumKeyExW(handle.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            std::wstring childKey = std::wstring(key) + L"\\" + child;
            if (!DeleteMachineTree(childKey.c_str())) return false;
        }
    }
    LONG result = RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, kView, 0);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool DeleteMachineKeyIfEmpty(const wchar_t* key) {
    {
        unique_hkey handle;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | kView, handle.put()) != ERROR_SUCCESS) return false;
        DWORD subkeys = 0, values = 0;
        if (RegQueryInfoKeyW(handle.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        if (subkeys != 0 || values != 0) return false;
    }
    return RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key, kView, 0) == ERROR_SUCCESS;
}

std::wstring TargetFolderFromSetupRecord() {
    std::wstring path;
    if (!ReadMachineString(kSetupRecordKey, kSetupRecordPath, path)) return {};
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return IsAbsoluteFolder(path) ? path : std::wstring();
}

bool CreateFolderChain(const std::wstring& folder, std::vector<std::wstring>& created) {
    for (size_t i = 3; i <= folder.size(); ++i) {
        if (i < folder.size() && folder[i] != L'\\') continue;
        std::wstring prefix = folder.substr(0, i);
        if (FolderExists(prefix)) continue;
        if (!CreateDirectoryW(prefix.c_str(), nullptr)) return false;
        created.push_back(prefix);
    }
    return FolderExists(folder);
}

static std::wstring ManifestPath(const std::wstring& target) { return target + L"\\" + kManifestName; }

std::vector<ManifestEntry> ReadManifest(const std::wstring& manifestPath) {
    std::vector<ManifestEntry> entries;
    std::string bytes;
    if (!ReadWholeFile(manifestPath, bytes)) return entries;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 3 || line[1] != ' ' || (line[0] != 'F' && line[0] != 'D')) continue;
        entries.push_back({line[0] == 'D', Widen(line.substr(2), CP_UTF8)});
    }
    return entries;
}

bool AddManifestEntry(const std::wstring& target, bool isFolder, const std::wstring& path) {
    for (const ManifestEntry& entry : ReadManifest(ManifestPath(target)))
        if (entry.IsFolder == isFolder && Lower(entry.Path) == Lower(path)) return true;
    std::string line = std::string(isFolder ? "D " : "F ") + Narrow(path, CP_UTF8) + "\r\n";
    return AppendToFile(ManifestPath(target), line);
}

bool AppendInstallLogRecord(const std::wstring& target, std::wstring_view text) {
    return AppendToFile(target + L"\\" + kInstallLogName, "\r\r\n" + Narrow(text, CP_ACP));
}

std::vector<std::wstring> Arguments() {
    std::vector<std::wstring> result;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return result;
    for (int i = 1; i < count; ++i) result.emplace_back(argv[i]);
    LocalFree(argv);
    return result;
}

}  // namespace standin
