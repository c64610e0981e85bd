// "Uninstall" entries written for a test into HKLM's 32-bit view, under a
// product name of the test's own, and deleted again afterwards.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/startup_checks.h"

class UninstallEntryFixture {
public:
    // `productName` + "_" + `languageLower` names the entry, as start-up builds it.
    UninstallEntryFixture(std::wstring productName, std::wstring languageLower)
        : m_name(kUninstallKeyRoot + productName + L"_" + languageLower) {}
    ~UninstallEntryFixture() { RegDeleteKeyExW(HKEY_LOCAL_MACHINE, m_name.c_str(), KEY_WOW64_32KEY, 0); }
    UninstallEntryFixture(const UninstallEntryFixture&) = delete;
    UninstallEntryFixture& operator=(const UninstallEntryFixture&) = delete;

    // Writes raw data of any type, exactly `bytes` long. RegSetValueExW would
    // add a missing string terminator under Wine, so the registry's own
    // value writer stores it.
    bool SetRaw(const wchar_t* value, DWORD type, const void* data, DWORD bytes) {
        struct CountedString {
            USHORT Length, MaximumLength;
            PWSTR Buffer;
        };
        using NtSetValueKeyFn = LONG(NTAPI*)(HANDLE, CountedString*, ULONG, ULONG, const void*, ULONG);
        auto setValue = reinterpret_cast<NtSetValueKeyFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
        HKEY key = nullptr;
        if (!setValue || RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_name.c_str(), 0, nullptr, 0,
                                         KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        std::wstring name = value;
        CountedString counted{static_cast<USHORT>(name.size() * 2), static_cast<USHORT>(name.size() * 2), name.data()};
        LONG status = setValue(key, &counted, 0, type, data, bytes);
        RegCloseKey(key);
        return status == 0;
    }
    // A REG_SZ with its terminator.
    bool SetString(const wchar_t* value, const std::wstring& text) {
        return SetRaw(value, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    bool CreateEmpty() { return SetRaw(L"Unrelated", REG_DWORD, "\0\0\0\0", 4); }

private:
    std::wstring m_name;
};
