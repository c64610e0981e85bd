// Setup.ini: the medium's configuration file, read into the setup state.
#pragma once
#include <string>

#include "app/setup_state.h"

// Features beyond this count are not read: a count that no medium carries
// would otherwise mean minutes of file reads and a huge allocation.
inline constexpr int kMaxFeatureCount = 999;

// Reads SetupFolder()\Setup.ini into State(). 1 when the file exists and was
// read, 0 when there is no such file (nothing is read then). Expects
// State().Is64BitSystem to be set.
int ReadSetupIni();

// Same, from an explicit file into an explicit record.
int ReadSetupIniFile(const std::wstring& path, SetupState& state);

// Windows language id ("2052", "1033", ...) for a language name of Setup.ini;
// any case matches, an unknown or empty name gives "1033".
std::wstring LanguageIdFor(const std::wstring& language);

// The number of features read for a "packnum"/"count" value: a negative count
// reads none, a huge one at most kMaxFeatureCount.
int BoundedFeatureCount(int count);
