// The folder dialog behind the Browse buttons of the Welcome and feature pages.
#pragma once
#include <string>

#include "framework/dialog.h"

// Reads the page's edit box into `folderText`, shows the shell's folder
// dialog starting at that folder, and on a choice writes the chosen folder
// (BrowseResultFolder) back into `folderText` and the edit box. TargetDir is
// never touched; the folder is validated only on Next.
void BrowseForTargetFolder(CDialog& page, std::wstring& folderText);
