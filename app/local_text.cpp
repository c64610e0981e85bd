#include "app/local_text.h"

#include "app/setup_state.h"

#include <cwchar>

std::wstring ResourceLibraryPath() { return SetupFolder() + L"\\IntallerRes.dll"; }

HMODULE LoadResourceLibrary() {
    SetupState& state = State();
    if (!state.ResourceModule) {
        state.ResourceModule = LoadLibraryExW(ResourceLibraryPath().c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    return state.ResourceModule;
}

const wchar_t* LoadLocalText(LocalText& text, int id, const wchar_t* defaultText) {
    text.Id = id;
    text.DefaultText = defaultText;
    text.Buffer[0] = L'\0';
    HMODULE module = LoadResourceLibrary();
    int loaded = module ? LoadStringW(module, static_cast<UINT>(id), text.Buffer, 1000) : 0;
    if (loaded <= 0) {
        if (defaultText) {
            wcsncpy(text.Buffer, defaultText, 999);
            text.Buffer[999] = L'\0';
        } else {
            text.Buffer[0] = L'\0';
        }
    } else {
        text.Buffer[loaded < 1000 ? loaded : 999] = L'\0';
    }
    return text.Buffer;
}

std::wstring LoadText(const TextDef& def) {
    LocalText text;
    return LoadLocalText(text, def.Id, def.DefaultText);
}
