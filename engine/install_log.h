// install.log in the target folder: the list of changes the product's
// uninstaller reads back. The bytes on disk are an external format.
#pragma once
#include <windows.h>
#include <string>
#include <string_view>

// One record as it is stored: CR CR LF, then the text in code page
// `codePage`. Characters without a representation become the code page's
// default character, as the system conversion does.
std::string EncodeLogRecord(std::wstring_view text, UINT codePage = CP_ACP);

// Appends one record to TargetDir\install.log in the ANSI code page. The file
// is opened, extended and closed again for every record, never truncated.
// Records of any length are written whole. Failures are not reported;
// without a TargetDir nothing is written.
void WriteInstallLog(const std::wstring& text);

// Creates every missing folder along `path` that is followed by a separator
// ("\" or "/") and logs two CreateDirectory records for each one. 1 when all
// of them exist afterwards, 0 as soon as one cannot be created (those made so
// far stay) or when the path is longer than 259 characters.
int CreateDirectoryChain(const std::wstring& path);
