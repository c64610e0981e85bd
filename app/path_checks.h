// Checks that guard the choice of the installation folder.
#pragma once
#include <windows.h>
#include <string>

// The free space a target drive must offer to the caller: 500 MiB.
inline constexpr ULONGLONG kMinimumFreeBytes = 524288000ULL;

// 1 enough space; 2 not enough (text 2001 shown); 0 the query failed (text 2002 shown).
int CheckDiskSpace(const std::wstring& driveOrFolder);

// The verdict of CheckDiskSpace from the facts, without any message.
int DiskSpaceVerdict(bool queried, ULONGLONG availableBytes);

// 1 when the path exists, else 0. The path is tested in the ANSI code page;
// a path with characters the code page cannot represent does not exist.
int PathExists(const std::wstring& path);

// 1 when the folder does not exist or holds no entries (hidden and system
// entries count); a file or an unreadable folder counts as empty.
int IsFolderEmpty(const std::wstring& folder);
