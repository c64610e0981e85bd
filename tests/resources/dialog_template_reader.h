// Reads dialog template resources (DLGTEMPLATE and DLGTEMPLATEEX) into plain
// records, so tests can check a library's pages without creating windows.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct DialogItemRecord {
    DWORD Id = 0;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    short X = 0, Y = 0, Width = 0, Height = 0;
    std::wstring ClassName;  // predefined classes by name: "Button", "Edit", "Static", ...
    std::wstring Text;       // empty when the title is an ordinal
};

struct DialogTemplateRecord {
    bool Extended = false;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    short X = 0, Y = 0, Width = 0, Height = 0;
    std::wstring Title;
    WORD FontSize = 0;
    std::wstring FontName;
    std::vector<DialogItemRecord> Items;

    const DialogItemRecord* Find(DWORD id) const;
    int Count(DWORD id) const;
};

// Parses a template from its bytes; nothing when the bytes run out early.
std::optional<DialogTemplateRecord> ParseDialogTemplate(const void* data, size_t size);

// Finds dialog `id` in `module` and parses it.
std::optional<DialogTemplateRecord> LoadDialogTemplate(HMODULE module, int id);
