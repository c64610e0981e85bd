// The messages between the copy-files page and the install thread. All of
// them are posted, never sent, so neither thread ever waits for the other.
#pragma once
#include <windows.h>

// Page to install thread (a thread message): lParam is the page's window.
inline constexpr UINT WM_INSTALL_RUN = WM_USER + 200;

// Job to page, wParam and lParam 0. For one job the page sees STARTED first,
// then package notices, then exactly one of FINISHED or FAILED.
inline constexpr UINT WM_INSTALL_STARTED = WM_USER + 100;
inline constexpr UINT WM_INSTALL_FINISHED = WM_USER + 101;
inline constexpr UINT WM_INSTALL_FAILED = WM_USER + 102;
// Runner or job to page; every PACKAGE_FINISHED moves the progress bar one step.
inline constexpr UINT WM_PACKAGE_STARTED = WM_USER + 103;
inline constexpr UINT WM_PACKAGE_FINISHED = WM_USER + 104;
