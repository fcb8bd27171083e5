// Reader for extended dialog templates (DLGTEMPLATEEX with DLGITEMTEMPLATEEX items),
// so that tests can compare a template field by field.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvanta::test {

// A name in a template is either text or a 16-bit ordinal (0xFFFF, n).
struct TemplateName {
    std::u16string text;
    int ordinal = -1;  // -1: the name is text

    bool operator==(const TemplateName&) const = default;
};

struct DialogItem {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    TemplateName windowClass;  // predefined classes appear as ordinals 0x80..0x85
    TemplateName title;
    std::vector<std::byte> creationData;
};

struct DialogTemplate {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName windowClass;
    std::u16string title;
    // Present only with DS_SETFONT (or DS_SHELLFONT).
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::u16string typeface;
    std::vector<DialogItem> items;
};

// Parses an extended template; nothing when the bytes are not one or are cut short.
std::optional<DialogTemplate> ParseDialogTemplateEx(std::span<const std::byte> bytes);

// Name of a predefined control class ("Button" for ordinal 0x80 ...), or the class text.
std::u16string ClassNameOf(const TemplateName& windowClass);

}  // namespace orvanta::test
