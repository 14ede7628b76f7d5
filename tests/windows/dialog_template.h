// Reading Windows dialog templates from resources.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pantrel {

// A name or number field of a dialog template (menu, window class, text): absent, a number, or a
// text. Classes written by name are kept as written; SameClass compares them with the numbers.
struct NameOrOrdinal {
    std::optional<WORD> ordinal;
    std::wstring name;

    bool operator==(const NameOrOrdinal&) const = default;
};

// Styles and place, in dialog units, of the dialog or of one of its controls.
struct TemplateFrame {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DialogItem {
    TemplateFrame frame;
    DWORD id = 0;  // a classic template holds 16 bits: "no identifier" is 0xFFFF there
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
};

// A dialog template as the resource holds it, classic (DLGTEMPLATE) or extended (DLGTEMPLATEEX).
struct DialogTemplate {
    bool extended = false;
    TemplateFrame frame;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring title;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring font;
    std::vector<DialogItem> items;
};

// Reads the bytes of a dialog resource; nothing when they are cut short or malformed.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::byte> bytes);

// True when the class field names the predefined class `ordinal` (0x80 button, 0x82 static) by
// number or by its name, or, for other classes, the name without regard to letter case.
bool SameClass(const NameOrOrdinal& actual, std::optional<WORD> ordinal, const wchar_t* name);

}  // namespace pantrel
