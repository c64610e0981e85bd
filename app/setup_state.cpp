#include "app/setup_state.h"

#include "framework/strings.h"

SetupState& State() {
    static SetupState state;
    return state;
}

std::wstring SetupFolder() { return ModuleFolder(nullptr); }
