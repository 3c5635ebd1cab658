// Reads a dialog template (plain or extended) from the executable's
// resources into plain values, so a test can compare it with a table.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/framework/wide_text.h"

struct TemplateItem {
    std::string ClassName;  // "BUTTON", "EDIT", "STATIC", "LISTBOX", ... or the class's own name
    int Id;
    std::string Text;  // or "#n" for a resource number
    int X, Y, Width, Height;
    DWORD Style;
    DWORD ExStyle;
    DWORD HelpId;
};

struct DialogTemplate {
    bool Found = false;
    bool Extended = false;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    DWORD HelpId = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    std::string Menu;       // "" none, "#n" resource number, or a name
    std::string ClassName;  // "" the dialog class
    std::string Caption;
    int PointSize = 0;
    int Weight = 0;
    bool Italic = false;
    int CharSet = 0;
    std::string Font;
    std::vector<TemplateItem> Items;
};

namespace dialog_template_detail {

class Reader {
public:
    explicit Reader(const uint8_t* data) : Base(data), At(data) {}

    uint16_t Word() {
        uint16_t value;
        memcpy(&value, At, 2);
        At += 2;
        return value;
    }
    uint32_t Dword() {
        uint32_t value;
        memcpy(&value, At, 4);
        At += 4;
        return value;
    }
    uint8_t Byte() { return *At++; }
    int Short() { return static_cast<int16_t>(Word()); }

    std::string String() {
        std::wstring wide;
        for (uint16_t c = Word(); c; c = Word()) wide.push_back(static_cast<wchar_t>(c));
        return NarrowText(wide);
    }
    // A name or number field: 0 none, 0xFFFF then a number, else a string.
    std::string NameOrNumber() {
        uint16_t first;
        memcpy(&first, At, 2);
        if (first == 0) {
            At += 2;
            return std::string();
        }
        if (first == 0xFFFF) {
            At += 2;
            return "#" + std::to_string(Word());
        }
        return String();
    }
    void AlignDword() {
        while ((At - Base) % 4) ++At;
    }
    void Skip(size_t bytes) { At += bytes; }

private:
    const uint8_t* Base;
    const uint8_t* At;
};

inline std::string ClassFromNumber(const std::string& name) {
    static const char* const kAtoms[] = {"BUTTON",  "EDIT",      "STATIC",
                                         "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    if (name.size() > 1 && name[0] == '#') {
        const int atom = std::stoi(name.substr(1));
        if (atom >= 0x80 && atom <= 0x85) return kAtoms[atom - 0x80];
    }
    return name;
}

}  // namespace dialog_template_detail

inline DialogTemplate ReadDialogTemplate(UINT id, HMODULE module = GetModuleHandleA(nullptr)) {
    using dialog_template_detail::ClassFromNumber;
    DialogTemplate out;
    HRSRC resource =
        FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!resource) return out;
    HGLOBAL loaded = LoadResource(module, resource);
    const auto* data = static_cast<const uint8_t*>(LockResource(loaded));
    if (!data) return out;
    out.Found = true;
    dialog_template_detail::Reader in(data);
    int count;
    uint16_t version = 0, signature = 0;
    memcpy(&version, data, 2);
    memcpy(&signature, data + 2, 2);
    out.Extended = version == 1 && signature == 0xFFFF;
    if (out.Extended) {
        in.Skip(4);
        out.HelpId = in.Dword();
        out.ExStyle = in.Dword();
        out.Style = in.Dword();
    } else {
        out.Style = in.Dword();
        out.ExStyle = in.Dword();
    }
    count = in.Word();
    out.X = in.Short();
    out.Y = in.Short();
    out.Width = in.Short();
    out.Height = in.Short();
    out.Menu = in.NameOrNumber();
    out.ClassName = in.NameOrNumber();
    out.Caption = in.String();
    if (out.Style & (DS_SETFONT | DS_SHELLFONT)) {
        out.PointSize = in.Word();
        if (out.Extended) {
            out.Weight = in.Word();
            out.Italic = in.Byte() != 0;
            out.CharSet = in.Byte();
        }
        out.Font = in.String();
    }
    for (int i = 0; i < count; ++i) {
        in.AlignDword();
        TemplateItem item{};
        if (out.Extended) {
            item.HelpId = in.Dword();
            item.ExStyle = in.Dword();
            item.Style = in.Dword();
        } else {
            item.Style = in.Dword();
            item.ExStyle = in.Dword();
        }
        item.X = in.Short();
        item.Y = in.Short();
        item.Width = in.Short();
        item.Height = in.Short();
        item.Id = out.Extended ? static_cast<int>(in.Dword()) : static_cast<int16_t>(in.Word());
        item.ClassName = ClassFromNumber(in.NameOrNumber());
        item.Text = in.NameOrNumber();
        const uint16_t extra = in.Word();
        in.Skip(extra);
        out.Items.push_back(item);
    }
    return out;
}

// A control's rectangle in the dialog's client coordinates, in pixels.
inline RECT ChildRectInClient(HWND dialog, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// A rectangle in dialog units turned into pixels for this dialog.
inline RECT DialogUnitsToPixels(HWND dialog, int x, int y, int width, int height) {
    RECT rect{x, y, x + width, y + height};
    MapDialogRect(dialog, &rect);
    return rect;
}
