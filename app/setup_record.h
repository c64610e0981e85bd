// The setup record: the product's own registry key through which the setup
// hands the installation folder, language and two numbers to the product.
// Written, never read, by the setup.
#pragma once
#include <string>

#include "app/setup_state.h"

// HKLM, 32-bit view. The name is fixed; it does not follow ProductName.
inline constexpr const wchar_t* kSetupRecordKey = L"SOFTWARE\\Orvanti\\Pelmora\\Pelmora_Setup\\";

// Writes "path", "language", "NUM", "NetTest", "RegLang" from State(). When the
// key can be neither opened nor created, shows text 2003 and writes nothing.
void WriteSetupRecord();
void WriteSetupRecordFrom(const SetupState& state);

// "RegLang": the language name with every "_" replaced by "-".
std::wstring RegistryLanguage(const std::wstring& language);
