// gallery.exe: shows one page template of IntallerRes.dll with its skin and
// controls, for looking at the artwork and for screenshots.
//
//   gallery.exe <page> [--lang zh_cn] [--point <control id>] [--close-after <ms>] [--step <n of 11>] [--slide <1..6>]
//   gallery.exe --list
//
// The library is taken from beside the program (bin/IntallerRes.dll, or
// bin/zh_cn/IntallerRes.dll). Once the page is shown the program prints
// "RECT left top width height" of the page window.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "framework/win_app.h"
#include "tests/gallery/gallery_page.h"

namespace {

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

int Usage() {
    std::fwprintf(stderr, L"usage: gallery <page> [--lang zh_cn] [--point <id>] [--close-after <ms>] [--step <n>] [--slide <1..6>]\n");
    std::fwprintf(stderr, L"pages:");
    for (const auto& variant : GalleryVariants()) std::fwprintf(stderr, L" %ls", variant.Name);
    std::fwprintf(stderr, L"\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wstring(argv[1]) == L"--list") {
        for (const auto& variant : GalleryVariants()) std::wprintf(L"%ls\n", variant.Name);
        return 0;
    }
    if (argc < 2) return Usage();
    const GalleryVariant* variant = FindGalleryVariant(argv[1]);
    if (!variant) return Usage();
    GalleryOptions options;
    std::wstring language;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::wstring key = argv[i];
        std::wstring value = argv[i + 1];
        if (key == L"--lang") language = value;
        else if (key == L"--point") options.PointAt = _wtoi(value.c_str());
        else if (key == L"--close-after") options.CloseAfterMs = _wtoi(value.c_str());
        else if (key == L"--step") options.ProgressStep = _wtoi(value.c_str());
        else if (key == L"--slide") options.Slide = _wtoi(value.c_str());
        else return Usage();
    }
    options.Chinese = language == L"zh_cn";

    std::wstring libraryPath = ProgramFolder() + (language.empty() ? L"" : L"\\" + language) + L"\\IntallerRes.dll";
    HMODULE library = LoadLibraryExW(libraryPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!library) {
        std::fwprintf(stderr, L"gallery: cannot load %ls\n", libraryPath.c_str());
        return 1;
    }
    SetResourceModule(library);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    LoadLibraryW(L"riched20.dll");

    // A pointer left over the page's place would give a button its hover look.
    SetCursorPos(0, 0);
    CGalleryPage page(*variant, options);
    INT_PTR result = page.DoModal();
    return result == -1 ? 1 : 0;
}
