// Small string helpers over std::wstring: the few operations the setup needs
// from a string class (trimming, case, replacing, formatting, code pages).
#pragma once
#include <string>
#include <string_view>
#include <windows.h>

// Removes white space (as the C runtime's iswspace classifies it) at both ends.
std::wstring Trim(std::wstring_view text);
std::wstring TrimRight(std::wstring_view text, wchar_t ch);
std::wstring TrimLeft(std::wstring_view text, wchar_t ch);
std::wstring ToLower(std::wstring_view text);
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to);
bool EndsWith(std::wstring_view text, std::wstring_view suffix);
bool StartsWith(std::wstring_view text, std::wstring_view prefix);

// printf-style formatting of wide strings ("%s" takes a wide string, as with
// the wide printf family of the system runtime).
std::wstring FormatText(const wchar_t* format, ...);

// Conversions to and from the system ANSI code page. NarrowAnsi reports
// through `lossless` whether every character had a representation.
std::string NarrowAnsi(std::wstring_view text, bool* lossless = nullptr);
std::wstring WidenAnsi(std::string_view text);
std::string NarrowUtf8(std::wstring_view text);
std::wstring WidenUtf8(std::string_view text);

// Folder of the running program, without trailing backslash.
std::wstring ModuleFolder(HMODULE module = nullptr);
std::wstring ModulePath(HMODULE module = nullptr);
