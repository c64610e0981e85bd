#include "framework/strings.h"

#include <cstdarg>
#include <cwctype>
#include <vector>

std::wstring Trim(std::wstring_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::iswspace(text[begin])) ++begin;
    while (end > begin && std::iswspace(text[end - 1])) --end;
    return std::wstring(text.substr(begin, end - begin));
}

std::wstring TrimRight(std::wstring_view text, wchar_t ch) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ch) --end;
    return std::wstring(text.substr(0, end));
}

std::wstring TrimLeft(std::wstring_view text, wchar_t ch) {
    size_t begin = 0;
    while (begin < text.size() && text[begin] == ch) ++begin;
    return std::wstring(text.substr(begin));
}

std::wstring ToLower(std::wstring_view text) {
    std::wstring result(text);
    for (auto& ch : result) ch = static_cast<wchar_t>(std::towlower(ch));
    return result;
}

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
    std::wstring result;
    if (from.empty()) return std::wstring(text);
    size_t pos = 0;
    for (;;) {
        size_t hit = text.find(from, pos);
        if (hit == std::wstring_view::npos) break;
        result.append(text.substr(pos, hit - pos));
        result.append(to);
        pos = hit + from.size();
    }
    result.append(text.substr(pos));
    return result;
}

bool EndsWith(std::wstring_view text, std::wstring_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::wstring FormatText(const wchar_t* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list copy;
    va_copy(copy, args);
    int needed = _vscwprintf(format, copy);
    va_end(copy);
    std::wstring result;
    if (needed > 0) {
        std::vector<wchar_t> buffer(static_cast<size_t>(needed) + 1);
        _vsnwprintf(buffer.data(), buffer.size(), format, args);
        result.assign(buffer.data(), static_cast<size_t>(needed));
    }
    va_end(args);
    return result;
}

static std::string Narrow(UINT codePage, std::wstring_view text, bool* lossless) {
    if (lossless) *lossless = true;
    if (text.empty()) return {};
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultPtr = (codePage == CP_UTF8 || !lossless) ? nullptr : &usedDefault;
    int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, usedDefaultPtr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, usedDefaultPtr);
    if (lossless && usedDefault) *lossless = false;
    return result;
}

static std::wstring Widen(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::string NarrowAnsi(std::wstring_view text, bool* lossless) { return Narrow(CP_ACP, text, lossless); }
std::wstring WidenAnsi(std::string_view text) { return Widen(CP_ACP, text); }
std::string NarrowUtf8(std::wstring_view text) { return Narrow(CP_UTF8, text, nullptr); }
std::wstring WidenUtf8(std::string_view text) { return Widen(CP_UTF8, text); }

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring ModuleFolder(HMODULE module) {
    std::wstring path = ModulePath(module);
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
