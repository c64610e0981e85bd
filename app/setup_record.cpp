#include "app/setup_record.h"

#include "app/local_text.h"
#include "framework/handles.h"
#include "framework/strings.h"
#include "framework/win_app.h"

namespace {

// String values are stored with their terminator: 2 x (characters + 1) bytes.
void WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void WriteNumber(HKEY key, const wchar_t* name, int value) {
    DWORD data = static_cast<DWORD>(value);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

}  // namespace

std::wstring RegistryLanguage(const std::wstring& language) { return ReplaceAll(language, L"_", L"-"); }

void WriteSetupRecordFrom(const SetupState& state) {
    unique_hkey key;
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSetupRecordKey, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &raw) ==
        ERROR_SUCCESS) {
        key.reset(raw);
    } else if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSetupRecordKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_READ | KEY_WRITE | KEY_WOW64_32KEY, nullptr, &raw, nullptr) == ERROR_SUCCESS) {
        key.reset(raw);
    } else {
        FrameworkMessageBox(LoadText(Text::RegistryCreateFailed));
        return;
    }
    // A single failed write is ignored: the product falls back to its own defaults.
    WriteString(key.get(), L"path", state.TargetDir);
    WriteString(key.get(), L"language", state.LanguageId);
    WriteNumber(key.get(), L"NUM", state.Num);
    WriteNumber(key.get(), L"NetTest", state.NetTest);
    WriteString(key.get(), L"RegLang", RegistryLanguage(state.Language));
}

void WriteSetupRecord() { WriteSetupRecordFrom(State()); }
