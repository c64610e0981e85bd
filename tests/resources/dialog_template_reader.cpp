#include "tests/resources/dialog_template_reader.h"

#include <cstring>

namespace {

class TemplateCursor {
public:
    TemplateCursor(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool ok() const { return m_ok; }

    template <typename T>
    T Read() {
        T value{};
        if (m_pos + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }

    std::wstring ReadString() {
        std::wstring text;
        for (;;) {
            WORD ch = Read<WORD>();
            if (!m_ok || ch == 0) break;
            text.push_back(static_cast<wchar_t>(ch));
        }
        return text;
    }

    // A name-or-ordinal field: 0 (none), 0xFFFF followed by an ordinal, or a string.
    std::wstring ReadNameOrOrdinal(WORD* ordinal) {
        *ordinal = 0;
        if (m_pos + 2 > m_size) {
            m_ok = false;
            return {};
        }
        WORD first;
        std::memcpy(&first, m_data + m_pos, 2);
        if (first == 0) {
            m_pos += 2;
            return {};
        }
        if (first == 0xFFFF) {
            m_pos += 2;
            *ordinal = Read<WORD>();
            return {};
        }
        return ReadString();
    }

    void Skip(size_t count) {
        if (m_pos + count > m_size) m_ok = false;
        else m_pos += count;
    }

    // Items start on DWORD boundaries, counted from the template's start.
    void AlignToDword() { m_pos = (m_pos + 3) & ~size_t{3}; }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

std::wstring PredefinedClassName(WORD atom) {
    switch (atom) {
    case 0x0080: return L"Button";
    case 0x0081: return L"Edit";
    case 0x0082: return L"Static";
    case 0x0083: return L"ListBox";
    case 0x0084: return L"ScrollBar";
    case 0x0085: return L"ComboBox";
    default: return L"#" + std::to_wstring(atom);
    }
}

}  // namespace

const DialogItemRecord* DialogTemplateRecord::Find(DWORD id) const {
    for (const auto& item : Items)
        if (item.Id == id) return &item;
    return nullptr;
}

int DialogTemplateRecord::Count(DWORD id) const {
    int count = 0;
    for (const auto& item : Items)
        if (item.Id == id) ++count;
    return count;
}

std::optional<DialogTemplateRecord> ParseDialogTemplate(const void* data, size_t size) {
    TemplateCursor in(static_cast<const BYTE*>(data), size);
    DialogTemplateRecord dialog;
    WORD version = in.Read<WORD>();
    WORD signature = in.Read<WORD>();
    dialog.Extended = version == 1 && signature == 0xFFFF;
    WORD itemCount = 0;
    if (dialog.Extended) {
        in.Read<DWORD>();  // help id
        dialog.ExStyle = in.Read<DWORD>();
        dialog.Style = in.Read<DWORD>();
    } else {
        // DLGTEMPLATE: style first, then the extended style.
        dialog.Style = MAKELONG(version, signature);
        dialog.ExStyle = in.Read<DWORD>();
    }
    itemCount = in.Read<WORD>();
    dialog.X = in.Read<short>();
    dialog.Y = in.Read<short>();
    dialog.Width = in.Read<short>();
    dialog.Height = in.Read<short>();
    WORD ordinal;
    in.ReadNameOrOrdinal(&ordinal);  // menu
    in.ReadNameOrOrdinal(&ordinal);  // window class
    dialog.Title = in.ReadString();
    if (dialog.Style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.FontSize = in.Read<WORD>();
        if (dialog.Extended) {
            in.Read<WORD>();  // weight
            in.Read<BYTE>();  // italic
            in.Read<BYTE>();  // character set
        }
        dialog.FontName = in.ReadString();
    }
    for (WORD i = 0; i < itemCount && in.ok(); ++i) {
        in.AlignToDword();
        DialogItemRecord item;
        if (dialog.Extended) {
            in.Read<DWORD>();  // help id
            item.ExStyle = in.Read<DWORD>();
            item.Style = in.Read<DWORD>();
        } else {
            item.Style = in.Read<DWORD>();
            item.ExStyle = in.Read<DWORD>();
        }
        item.X = in.Read<short>();
        item.Y = in.Read<short>();
        item.Width = in.Read<short>();
        item.Height = in.Read<short>();
        item.Id = dialog.Extended ? in.Read<DWORD>() : in.Read<WORD>();
        WORD classAtom;
        item.ClassName = in.ReadNameOrOrdinal(&classAtom);
        if (classAtom) item.ClassName = PredefinedClassName(classAtom);
        WORD titleOrdinal;
        item.Text = in.ReadNameOrOrdinal(&titleOrdinal);
        WORD extra = in.Read<WORD>();
        in.Skip(extra);
        dialog.Items.push_back(item);
    }
    if (!in.ok()) return std::nullopt;
    return dialog;
}

std::optional<DialogTemplateRecord> LoadDialogTemplate(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    return ParseDialogTemplate(data, SizeofResource(module, found));
}
