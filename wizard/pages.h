// Runs one page of the wizard: constructs the page object, runs it modally
// without a parent window, destroys it and returns its end result.
#pragma once
#include "wizard/flows.h"

int RunPage(WizardStep page);
