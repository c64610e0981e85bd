#include "wizard/folder_rules.h"

#include <shlwapi.h>

#include "framework/strings.h"

namespace {
constexpr std::wstring_view kInvalidPathChars = L"/:*?\"<>|";

bool HasInvalidPathChar(std::wstring_view rest) {
    return rest.find_first_of(kInvalidPathChars) != std::wstring_view::npos;
}

FolderRefusal CheckCharacters(const std::wstring& dir) {
    size_t colon = dir.find(L':');
    size_t backslash = dir.find(L'\\');
    if (colon == 1) {
        if (backslash != 2) return FolderRefusal::PathInputError;
        return HasInvalidPathChar(std::wstring_view(dir).substr(3)) ? FolderRefusal::InvalidChars
                                                                    : FolderRefusal::None;
    }
    if (backslash == 0) {
        std::wstring_view rest = dir.size() > 2 ? std::wstring_view(dir).substr(2) : std::wstring_view();
        return HasInvalidPathChar(rest) ? FolderRefusal::InvalidChars : FolderRefusal::None;
    }
    return FolderRefusal::PathInputError;
}
}  // namespace

std::wstring CollapseDoubledBackslashes(std::wstring text) {
    bool network = StartsWith(text, L"\\\\") && text.size() > 2 && text[2] != L'\\';
    std::wstring body = network ? text.substr(2) : text;
    while (body.find(L"\\\\") != std::wstring::npos) body = ReplaceAll(body, L"\\\\", L"\\");
    return network ? L"\\\\" + body : body;
}

bool KeepOneTrailingBackslash(std::wstring& text) {
    if (!EndsWith(text, L"\\")) return false;
    text = TrimRight(text, L'\\') + L"\\";
    return true;
}

FolderRefusal CheckWelcomeFolder(const std::wstring& targetDir) {
    if (PathIsFileSpecW(targetDir.c_str())) return FolderRefusal::PathInputError;
    if (PathIsRootW(targetDir.c_str())) return FolderRefusal::DriveRoot;
    return CheckCharacters(targetDir);
}

FolderRefusal CheckFeatureFolder(const std::wstring& targetDir) {
    if (PathIsFileSpecW(targetDir.c_str())) return FolderRefusal::PathInputError;
    return CheckCharacters(targetDir);
}

TextDef RefusalText(FolderRefusal refusal, FolderPage page) {
    switch (refusal) {
    case FolderRefusal::DriveRoot: return Text::DriveRootRefused;
    case FolderRefusal::InvalidChars:
        return page == FolderPage::Welcome ? Text::InvalidPathCharsWelcome : Text::InvalidPathCharsFeature;
    case FolderRefusal::PathInputError:
    case FolderRefusal::None: break;
    }
    return Text::PathInputError;
}

std::wstring DiskSpaceDrive(const std::wstring& targetDir) {
    return targetDir.substr(0, targetDir.find(L'\\'));
}

std::wstring BrowseResultFolder(const std::wstring& chosen, const std::wstring& productName) {
    std::wstring folder = TrimRight(Trim(chosen), L'\\');
    if (EndsWith(folder, L"2016") || folder == productName) return folder;
    return folder + L"\\" + productName;
}
