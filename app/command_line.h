// The key=value pairs of the setup's command line.
#pragma once
#include <map>
#include <string>

// Keys compare by plain character codes, so they are case-sensitive.
using CommandLineMap = std::map<std::wstring, std::wstring>;

// Fills `map` from the whole process command line (program path included).
void ParseCommandLine(const std::wstring& commandLine, CommandLineMap& map);

// The folder of a TARGETDIR value: the parser keeps quotes, so leading and
// then trailing double quotes are removed, then trailing backslashes.
std::wstring TargetDirFromCommandLine(const std::wstring& value);
