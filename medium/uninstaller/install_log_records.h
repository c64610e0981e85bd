// Reading install.log back: the records that the setup (and the packages of
// the sample medium) append, each introduced by the bytes 0D 0D 0A, with text
// in the ANSI code page. Only what removal needs is kept; records of other
// forms are counted and otherwise left alone.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct LoggedRegistryValue {
    std::wstring Key;   // below HKEY_LOCAL_MACHINE, as written in the record
    std::wstring Name;
    std::wstring Data;  // as written; a DWORD record holds its number as text
};

struct InstallLogRecords {
    std::vector<std::wstring> CreatedFolders;       // "CreateDirectory: ... created", in log order
    std::vector<std::wstring> Shortcuts;            // link files of "CreateShortCut: out: ..."
    std::vector<LoggedRegistryValue> RegistryValues;  // "WriteRegStr" and "WriteRegDWORD", HKLM only
    std::vector<std::wstring> WrittenFiles;         // "File: wrote <n> to ..."
    int UnknownRecords = 0;
};

// `bytes` is the whole file. Records may also be separated by plain line
// breaks; empty records are skipped.
InstallLogRecords ParseInstallLog(std::string_view bytes);
