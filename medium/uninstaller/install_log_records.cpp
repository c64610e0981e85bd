#include "medium/uninstaller/install_log_records.h"

#include "medium/common/standin.h"

#include <windows.h>

namespace {

bool Consume(std::wstring_view& text, std::wstring_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// Text up to `delimiter`, which is consumed as well.
bool TakeUntil(std::wstring_view& text, std::wstring_view delimiter, std::wstring& taken) {
    size_t at = text.find(delimiter);
    if (at == std::wstring_view::npos) return false;
    taken.assign(text.substr(0, at));
    text.remove_prefix(at + delimiter.size());
    return true;
}

// `"HKEY_LOCAL_MACHINE\<key>" "<name>"="<data>"`
bool ParseRegistryRecord(std::wstring_view text, LoggedRegistryValue& value) {
    std::wstring fullKey;
    if (!Consume(text, L"\"") || !TakeUntil(text, L"\" \"", fullKey)) return false;
    if (!TakeUntil(text, L"\"=\"", value.Name)) return false;
    if (text.empty() || text.back() != L'"') return false;
    value.Data.assign(text.substr(0, text.size() - 1));
    for (std::wstring_view root : {L"HKEY_LOCAL_MACHINE\\", L"HKLM\\"}) {
        if (fullKey.size() > root.size() && standin::Lower(fullKey.substr(0, root.size())) == standin::Lower(root)) {
            value.Key = fullKey.substr(root.size());
            return true;
        }
    }
    return false;
}

void ParseRecord(std::wstring_view text, InstallLogRecords& records) {
    std::wstring taken;
    std::wstring_view rest = text;
    if (Consume(rest, L"CreateDirectory: \"")) {
        if (TakeUntil(rest, L"\" ", taken)) {
            if (rest == L"created") records.CreatedFolders.push_back(taken);
            return;  // the "(0)" record only announces the "created" one
        }
    } else if (Consume(rest, L"CreateShortCut: out: \"")) {
        if (TakeUntil(rest, L"\", in: \"", taken)) {
            records.Shortcuts.push_back(taken);
            return;
        }
    } else if (Consume(rest, L"WriteRegStr: ") || Consume(rest, L"WriteRegDWORD: ")) {
        LoggedRegistryValue value;
        if (ParseRegistryRecord(rest, value)) {
            records.RegistryValues.push_back(value);
            return;
        }
    } else if (Consume(rest, L"File: wrote ")) {
        if (TakeUntil(rest, L" to \"", taken) && !rest.empty() && rest.back() == L'"') {
            records.WrittenFiles.emplace_back(rest.substr(0, rest.size() - 1));
            return;
        }
    } else if (Consume(rest, L"File: overwriteflag=")) {
        return;  // announces the "File: wrote" record
    }
    ++records.UnknownRecords;
}

}  // namespace

InstallLogRecords ParseInstallLog(std::string_view bytes) {
    InstallLogRecords records;
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        while (!line.empty() && line.front() == '\r') line.remove_prefix(1);
        if (!line.empty()) ParseRecord(standin::Widen(line, CP_ACP), records);
        if (end == bytes.size()) break;
    }
    return records;
}
