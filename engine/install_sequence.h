// The install sequence: the interactive job and its silent form.
#pragma once
#include <windows.h>
#include "app/command_line.h"

// Interactive job, run on the install thread; reports to `page` with posted notices.
void RunInstallJob(HWND page);

// Silent form, run on the main thread: 1 when every step was done, 0 when it stopped.
int RunSilentInstall(const CommandLineMap& commandLine);
