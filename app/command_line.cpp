#include "app/command_line.h"

#include "framework/strings.h"

#include <vector>

namespace {

// Drops a quoted program path: everything up to and including the second
// double quote. When the program path is not quoted but an argument is, this
// also drops the start of that argument; the setup has always parsed it so.
std::wstring DropQuotedProgramPath(const std::wstring& commandLine) {
    size_t first = commandLine.find(L'"');
    if (first == std::wstring::npos) return commandLine;
    size_t second = commandLine.find(L'"', first + 1);
    if (second == std::wstring::npos) return commandLine;
    return commandLine.substr(second + 1);
}

// Splits at blanks; a double quote with a partner opens a stretch in which
// blanks do not split. A quote without a partner is an ordinary character.
std::vector<std::wstring> SplitTokens(const std::wstring& text) {
    std::vector<std::wstring> tokens;
    std::wstring current;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t ch = text[i];
        if (ch == L'"') {
            size_t partner = text.find(L'"', i + 1);
            if (partner != std::wstring::npos) {
                current.append(text, i, partner - i + 1);
                i = partner;
                continue;
            }
            current.push_back(ch);
        } else if (ch == L' ') {
            if (!current.empty()) tokens.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(ch);
        }
    }
    if (!current.empty()) tokens.push_back(std::move(current));
    return tokens;
}

}  // namespace

void ParseCommandLine(const std::wstring& commandLine, CommandLineMap& map) {
    std::wstring text = Trim(DropQuotedProgramPath(commandLine));
    std::vector<std::wstring> tokens = SplitTokens(text);
    map.clear();
    for (const std::wstring& raw : tokens) {
        std::wstring token = Trim(raw);
        size_t equals = token.rfind(L'=');
        if (equals == std::wstring::npos) continue;
        std::wstring key = Trim(std::wstring_view(token).substr(0, equals));
        std::wstring value = Trim(std::wstring_view(token).substr(equals + 1));
        if (!key.empty() && !value.empty()) map[key] = value;
    }
}

std::wstring TargetDirFromCommandLine(const std::wstring& value) {
    return TrimRight(TrimRight(TrimLeft(value, L'"'), L'"'), L'\\');
}
