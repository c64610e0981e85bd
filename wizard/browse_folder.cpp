#include "wizard/browse_folder.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "app/local_text.h"
#include "app/setup_state.h"
#include "wizard/folder_rules.h"

namespace {
// Selects the current folder when the dialog opens and keeps the status line
// showing the file-system path of the selection.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
    switch (message) {
    case BFFM_INITIALIZED:
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
        ::SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, data);
        break;
    case BFFM_SELCHANGED: {
        wchar_t path[MAX_PATH] = L"";
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
            ::SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
        break;
    }
    default: break;
    }
    return 0;
}

struct OleSession {
    HRESULT Result = ::OleInitialize(nullptr);
    ~OleSession() {
        if (SUCCEEDED(Result)) ::OleUninitialize();
    }
};
}  // namespace

void BrowseForTargetFolder(CDialog& page, std::wstring& folderText) {
    page.UpdateData(TRUE);
    OleSession ole;
    std::wstring title = LoadText(Text::BrowseTitle);
    std::wstring start = folderText;

    BROWSEINFOW info{};
    info.hwndOwner = page.m_hWnd;
    info.pidlRoot = nullptr;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) return;

    wchar_t path[MAX_PATH] = L"";
    if (::SHGetPathFromIDListW(chosen, path)) {
        folderText = BrowseResultFolder(path, State().ProductName);
        page.UpdateData(FALSE);
    }
    ::CoTaskMemFree(chosen);
}
