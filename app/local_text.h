// Localised texts: every text the user sees is a string of the resource
// library IntallerRes.dll with an English default that travels with its id.
#pragma once
#include <windows.h>
#include <string>

struct TextDef {
    int Id;
    const wchar_t* DefaultText;
};

// The string table. The resource library (resources/) holds the same ids.
namespace Text {
inline constexpr TextDef Publisher{1997, L"Orvanti Company"};
inline constexpr TextDef HelpLink{1998, L"http://www.orvanti.com"};
inline constexpr TextDef DisplayNameSuffix{1999, L""};
inline constexpr TextDef NotEnoughSpace{2001, L"There is not enough disk space."};
inline constexpr TextDef DiskSpaceQueryFailed{2002,
    L"Get disk space failed.\nYou do not have sufficient security privileges to install software on this computer.Please contact your system administrator or log off and log-in again as an administrator."};
inline constexpr TextDef RegistryCreateFailed{2003, L"Error\xFF1AUnable to Create the registry information!"};
inline constexpr TextDef FileMissing{2005, L"File :'%s' does not exist!"};
inline constexpr TextDef UninstallShortcut{2008, L"Uninstall Pelmora 2016"};
inline constexpr TextDef NotElevated{2009,
    L"You do not have sufficient security privileges to install software on this computer.Please contact your system administrator or log off and log-in again as an administrator."};
inline constexpr TextDef ProductRunning{2010, L"Pelmora is running,please close the application and then try again."};
inline constexpr TextDef Installed64On32Medium{2011,
    L"A 64-bit version of Pelmora 2016 has been installed , Please uninstall it before installing the 32-bit version."};
inline constexpr TextDef MsiInstallFailed{2012, L"Msi Install Failed!"};
inline constexpr TextDef UninstallFailed{2013, L"Failed to uninstall!"};
inline constexpr TextDef UninstallQuestion{2014, L"\nAre you sure you want to uninstall this product?\n"};
inline constexpr TextDef ProductName{2015, L"Pelmora2016"};
inline constexpr TextDef RegisterFailed{2017, L"Failed to Register,Please reinstall!"};
inline constexpr TextDef WebsiteShortcut{2018, L"Website"};
inline constexpr TextDef ConverterShortcut{2019, L"Deviro DER Evizezu Davezo Rezezidor"};
inline constexpr TextDef AnotherInstance{2021,
    L"Another instance of this setup is already running. Please wait for the other instance to finish and then try again."};
inline constexpr TextDef MutexName{2022, L"Pelmora2016"};
inline constexpr TextDef Installed32On64Medium{2023,
    L"A 32-bit version of Pelmora 2016 has been installed , Please uninstall it before installing the 64-bit version."};
inline constexpr TextDef Medium64OnSystem32{2024, Installed64On32Medium.DefaultText};
inline constexpr TextDef FolderNotEmpty{2026, L"%s is not empty. Are you sure you want to install to this position?"};
inline constexpr TextDef PathInputError{2027, L"Path input error, please input again."};
// Text 2028 has two English defaults: the welcome page's has no blank after "names:".
inline constexpr TextDef InvalidPathCharsWelcome{2028,
    L"Invalid characters in path name.\nThe following characters are not valid in path names:/ : * ? \" < > |"};
inline constexpr TextDef InvalidPathCharsFeature{2028,
    L"Invalid characters in path name.\nThe following characters are not valid in path names: / : * ? \" < > |"};
inline constexpr TextDef DriveRootRefused{2029,
    L"The software is not installed on the disk root directory, please input again."};
inline constexpr TextDef BrowseTitle{2032, L"Please  Select the installation Path."};
inline constexpr TextDef InstallFailed{2033, L"Failed to install,Please reinstall!"};
}  // namespace Text

// Fixed English text that does not go through the loader.
inline constexpr const wchar_t* kNoSetupIniText = L"Error:The lack of configuration file :Setup.ini";

struct LocalText {
    wchar_t Buffer[1000];
    const wchar_t* DefaultText = nullptr;
    int Id = 0;
};

// Fills `text` and returns its Buffer: the library's string `id`, or the
// default when the library, the string or its text is missing.
const wchar_t* LoadLocalText(LocalText& text, int id, const wchar_t* defaultText);

// Convenience for callers that copy the text at once.
std::wstring LoadText(const TextDef& def);

// Loads IntallerRes.dll from the setup program's own folder, by full path and
// as a resource-only data file (it holds no code), unless it is loaded
// already; keeps the handle in State().ResourceModule. Null when missing.
HMODULE LoadResourceLibrary();

// Full path of the resource library beside the setup program.
std::wstring ResourceLibraryPath();
