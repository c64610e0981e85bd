#include "app/setup_ini.h"

#include "app/local_text.h"
#include "framework/strings.h"

#include <windows.h>

namespace {

// The private-profile functions read text into 260 characters, so a value
// holds at most 259; longer values arrive cut.
constexpr DWORD kValueRoom = 260;

std::wstring ReadText(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                      const wchar_t* defaultText) {
    wchar_t buffer[kValueRoom] = {};
    GetPrivateProfileStringW(section, key, defaultText, buffer, kValueRoom, file.c_str());
    buffer[kValueRoom - 1] = L'\0';
    return buffer;
}

int ReadInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, file.c_str()));
}

// A value as read decides the fallback; white space is removed afterwards, so
// a value of blanks only ends up empty.
std::wstring ValueOrFallback(const std::wstring& read, const wchar_t* fallback) {
    return Trim(read.empty() ? std::wstring(fallback) : read);
}

bool IsExistingFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring LanguageIdFor(const std::wstring& language) {
    struct Entry {
        const wchar_t* Name;
        const wchar_t* Id;
    };
    static const Entry table[] = {
        {L"zh_cn", L"2052"}, {L"tessaly_cn", L"2052"},
        {L"zh_tw", L"1028"}, {L"tessaly_tw", L"1028"},
        {L"fr_fr", L"1036"},
        {L"vorel", L"1041"}, {L"ja_jp", L"1041"},
    };
    std::wstring lower = ToLower(language);
    for (const Entry& entry : table) {
        if (lower == entry.Name) return entry.Id;
    }
    return L"1033";
}

int BoundedFeatureCount(int count) {
    if (count < 0) return 0;
    return count > kMaxFeatureCount ? kMaxFeatureCount : count;
}

int ReadSetupIniFile(const std::wstring& path, SetupState& state) {
    if (!IsExistingFile(path)) return 0;
    const std::wstring& file = path;

    state.ProductName = ValueOrFallback(LoadText(Text::ProductName), L"Pelmora 2016");
    state.CompanyName = ValueOrFallback(ReadText(file, L"SETUP", L"COMPANYNAME", L""), L"Orvanti");
    state.Version = ValueOrFallback(ReadText(file, L"SETUP", L"VERSION", L""), L"16.0");

    state.Is64BitPackage = ReadInt(file, L"SETUP", L"WOW64", 0);
    std::wstring target;
    if (state.Is64BitPackage == 1) {
        target = ReadText(file, L"SETUP", L"PATH", L"C:\\Program Files\\Orvanti\\Pelmora2016\\");
    } else if (state.Is64BitSystem == 1) {
        target = ReadText(file, L"x64", L"SETUP_DEST", L"C:\\Program Files (x86)\\Orvanti\\Pelmora2016");
    } else {
        target = ReadText(file, L"x86", L"SETUP_DEST", L"C:\\Program Files\\Orvanti\\Pelmora2016");
    }
    state.TargetDir = TrimRight(Trim(target), L'\\');

    state.Language = ReadText(file, L"RES", L"LANGUAGE", L"");
    state.LanguageLower = ToLower(state.Language);
    state.LanguageId = LanguageIdFor(state.Language);
    state.NetTest = ReadInt(file, L"RES", L"NetTest", 0);

    state.FeatureCount = BoundedFeatureCount(ReadInt(file, L"packnum", L"count", 0));
    state.Features.assign(static_cast<size_t>(state.FeatureCount), FeatureRecord{});
    for (int n = 1; n <= state.FeatureCount; ++n) {
        std::wstring section = FormatText(L"sub%01d", n);
        FeatureRecord& feature = state.Features[static_cast<size_t>(n - 1)];
        feature.Name = ReadText(file, section.c_str(), L"name", L"");
        feature.Description = ReadText(file, section.c_str(), L"description", L"");
        feature.Package = ReadText(file, section.c_str(), L"package", L"");
        feature.Check = ReadInt(file, section.c_str(), L"check", 0);
        feature.Enable = ReadInt(file, section.c_str(), L"enable", 1);
    }

    state.Classic = ReadInt(file, L"SETUP", L"CLASSIC", 0);
    state.Num = ReadInt(file, L"SETUP", L"NUM", 1);
    return 1;
}

int ReadSetupIni() { return ReadSetupIniFile(SetupFolder() + L"\\Setup.ini", State()); }
