#include "app/startup_checks.h"

#include "framework/handles.h"
#include "framework/module.h"

#include <tlhelp32.h>

#include <cstddef>
#include <vector>

namespace {

// The version Windows really runs; GetVersionEx answers according to the
// manifest, which is not what the elevation rule is about.
void WindowsVersion(DWORD& major, DWORD& minor) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = GetProc<RtlGetVersionFn>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        // Windows always has ntdll's RtlGetVersion from 2000 on; this is only
        // a safe answer should it be missing: treat as a version with elevation.
        major = 6;
        minor = 0;
        return;
    }
    major = info.dwMajorVersion;
    minor = info.dwMinorVersion;
}

unique_handle OpenOwnToken() {
    unique_handle token;
    HANDLE raw = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) token.reset(raw);
    return token;
}

// Room for the "Platfrom" value and for "InstallLocation" (260 characters).
constexpr DWORD kPlatformRoomBytes = 260;
constexpr DWORD kLocationRoomBytes = 260 * sizeof(wchar_t);

}  // namespace

int ElevationVerdict(DWORD majorVersion, DWORD, bool elevationQueried, DWORD tokenIsElevated,
                     int memberOfAdministrators) {
    if (majorVersion < 6) return memberOfAdministrators ? 1 : 0;
    if (!elevationQueried) return 0;
    return tokenIsElevated ? 1 : 0;
}

int IsMemberOfAdministrators() {
    unique_handle token = OpenOwnToken();
    if (!token) return 0;
    alignas(TOKEN_GROUPS) BYTE room[1024];
    DWORD returned = 0;
    if (!GetTokenInformation(token.get(), TokenGroups, room, sizeof(room), &returned)) return 0;
    token.reset();

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        return 0;
    }
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(room);
    int member = 0;
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (EqualSid(groups->Groups[i].Sid, administrators)) {
            member = 1;
            break;
        }
    }
    FreeSid(administrators);
    return member;
}

int IsElevated() {
    DWORD major = 0, minor = 0;
    WindowsVersion(major, minor);
    if (major < 6) return ElevationVerdict(major, minor, false, 0, IsMemberOfAdministrators());

    bool queried = false;
    TOKEN_ELEVATION elevation{};
    if (unique_handle token = OpenOwnToken()) {
        DWORD returned = 0;
        queried = GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof(elevation), &returned) &&
                  returned == sizeof(elevation);
    }
    return ElevationVerdict(major, minor, queried, elevation.TokenIsElevated, 0);
}

DWORD FindProcessByExactName(const std::wstring& exeName) {
    unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    if (!Process32FirstW(snapshot.get(), &entry)) return 0;
    do {
        if (exeName == entry.szExeFile) return entry.th32ProcessID;
    } while (Process32NextW(snapshot.get(), &entry));
    return 0;
}

DWORD FindRunningProduct() { return FindProcessByExactName(kProductProcessName); }

int Is64BitArchitecture(WORD processorArchitecture) {
    return processorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
                   processorArchitecture == PROCESSOR_ARCHITECTURE_IA64
               ? 1
               : 0;
}

const TextDef* BitnessRefusal(int is64BitSystem, int is64BitPackage, int installed, int installedIs64) {
    if (is64BitSystem == 0 && is64BitPackage == 1) return &Text::Medium64OnSystem32;
    if (installed == 1) {
        if (is64BitPackage == 0 && is64BitSystem == 1 && installedIs64 == 1) return &Text::Installed64On32Medium;
        if (is64BitPackage != 0 && installedIs64 == 0) return &Text::Installed32On64Medium;
    }
    return nullptr;
}

bool StringFromRegistryData(DWORD type, const BYTE* data, DWORD bytes, std::wstring& text) {
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return false;
    if (!data) return false;
    // An odd trailing byte cannot hold part of a terminator.
    size_t characters = bytes / sizeof(wchar_t);
    const auto* chars = reinterpret_cast<const wchar_t*>(data);
    for (size_t i = 0; i < characters; ++i) {
        if (chars[i] == L'\0') {
            text.assign(chars, i);
            return true;
        }
    }
    return false;
}

namespace {

// The value exactly as stored. RegQueryValueExW cannot tell: Wine appends a
// terminator to an unterminated string and counts it in the returned size,
// so the registry's own partial-information query is asked instead.
struct KeyValuePartialInformation {
    ULONG TitleIndex;
    ULONG Type;
    ULONG DataLength;
    UCHAR Data[1];
};
struct CountedUnicodeString {
    USHORT Length;
    USHORT MaximumLength;
    PWSTR Buffer;
};
using NtQueryValueKeyFn = LONG(NTAPI*)(HANDLE, CountedUnicodeString*, int, void*, ULONG, ULONG*);
constexpr int kKeyValuePartialInformation = 2;

bool QueryStoredValue(HKEY key, const wchar_t* name, DWORD roomBytes, DWORD& type, std::vector<BYTE>& data) {
    static auto query = GetProc<NtQueryValueKeyFn>(GetModuleHandleW(L"ntdll.dll"), "NtQueryValueKey");
    if (query) {
        std::wstring nameCopy = name;
        CountedUnicodeString counted{static_cast<USHORT>(nameCopy.size() * sizeof(wchar_t)),
                                     static_cast<USHORT>(nameCopy.size() * sizeof(wchar_t)), nameCopy.data()};
        std::vector<BYTE> buffer(offsetof(KeyValuePartialInformation, Data) + roomBytes + sizeof(ULONG));
        ULONG returned = 0;
        // Anything but success (a value larger than the room included) is a failed read.
        if (query(key, &counted, kKeyValuePartialInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                  &returned) != 0)
            return false;
        const auto* info = reinterpret_cast<const KeyValuePartialInformation*>(buffer.data());
        if (info->DataLength > roomBytes) return false;
        type = info->Type;
        data.assign(info->Data, info->Data + info->DataLength);
        return true;
    }
    data.assign(roomBytes + sizeof(wchar_t), 0);
    DWORD bytes = roomBytes;
    if (RegQueryValueExW(key, name, nullptr, &type, data.data(), &bytes) != ERROR_SUCCESS || bytes > roomBytes)
        return false;
    data.resize(bytes);
    return true;
}

}  // namespace

bool ReadRegistryString(HKEY key, const wchar_t* name, DWORD roomBytes, std::wstring& text) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!QueryStoredValue(key, name, roomBytes, type, data)) return false;
    return StringFromRegistryData(type, data.data(), static_cast<DWORD>(data.size()), text);
}

std::wstring UninstallEntryName(const SetupState& state) {
    return state.ProductName + L"_" + state.LanguageLower;
}

void DetectInstalledProductInto(SetupState& state) {
    auto notInstalled = [&state] {
        state.Installed = 0;
        state.InstallMode = Install;
    };
    std::wstring keyName = std::wstring(kUninstallKeyRoot) + UninstallEntryName(state);
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()) !=
        ERROR_SUCCESS) {
        key.release();
        notInstalled();
        return;
    }
    std::wstring platform;
    if (!ReadRegistryString(key.get(), L"Platfrom", kPlatformRoomBytes, platform)) {
        notInstalled();
        return;
    }
    state.Installed = 1;
    state.InstalledIs64 = platform == L"x86" ? 0 : 1;

    std::wstring location;
    if (!ReadRegistryString(key.get(), L"InstallLocation", kLocationRoomBytes, location)) {
        notInstalled();
        return;
    }
    state.Installed = 1;
    state.TargetDir = location;
}

void DetectInstalledProduct() { DetectInstalledProductInto(State()); }
