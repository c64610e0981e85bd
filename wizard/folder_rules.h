// The rules by which the Welcome and feature pages accept an installation
// folder, and the folder a Browse choice turns into. Pure text functions, so
// every case can be tested without a page.
#pragma once
#include <string>

#include "app/local_text.h"

enum class FolderRefusal {
    None,           // the text passed
    PathInputError, // 2027: bare name, drive letter alone, no usable start
    DriveRoot,      // 2029: a root (Welcome page only)
    InvalidChars,   // 2028: one of / : * ? " < > | after the drive or leading "\\"
};

// Welcome step 2: collapses doubled backslashes until none is left. The
// leading "\\" of a network path survives, so \\server\share\folder stays a
// network path (and is then spared the disk-space check).
std::wstring CollapseDoubledBackslashes(std::wstring text);

// A text ending in "\" keeps exactly one trailing backslash. Returns true when
// the text ended in "\" (the page then writes it back into its edit box).
bool KeepOneTrailingBackslash(std::wstring& text);

// The character checks common to both pages (steps "bare name" and
// "colon/backslash index"); the Welcome page also refuses a root first.
FolderRefusal CheckWelcomeFolder(const std::wstring& targetDir);
FolderRefusal CheckFeatureFolder(const std::wstring& targetDir);

// The message text of a refusal; 2028 has a different English default on each page.
enum class FolderPage { Welcome, Features };
TextDef RefusalText(FolderRefusal refusal, FolderPage page);

// The drive part handed to the disk-space check: the text before the first "\".
std::wstring DiskSpaceDrive(const std::wstring& targetDir);

// The folder text after the folder dialog returned `chosen`: trimmed of white
// space and trailing backslashes, then "\" + productName appended unless the
// text already ends in "2016" or is the product name itself.
std::wstring BrowseResultFolder(const std::wstring& chosen, const std::wstring& productName);
