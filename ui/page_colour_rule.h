#pragma once
// The colour rule of the two sort pages: text colour and brush per control that asks.

#include <windows.h>

#include <initializer_list>

#include "framework/brush.h"
#include "framework/wnd.h"
#include "ui/colours.h"

namespace orvanta {

// The brushes of one page module, created at program start and handed out on every request.
struct PageBrushes {
    CBrush white{kWhite};
    CBrush black{kBlack};
    CBrush lightGrey{kLightGrey};
    CBrush lavender{kLavender};
    CBrush paleCyan{kPaleCyan};
};

// What the page's bound members say about the control that asks; the rest is told by its id.
enum class PageControlRole {
    EditableField,  // the fields the user types into
    KeyRadio,       // order and attribute radios
    OptionRadio,    // encoding and case radios
    CommandLine,    // the command preview 1016
    Other,
};

// Whether `control` is the window of one of the page's bound members.
inline bool IsAnyOf(HWND control, std::initializer_list<const CWnd*> members) {
    for (const CWnd* member : members) {
        if (member->m_hWnd == control) {
            return true;
        }
    }
    return false;
}

// Sets the background mode to transparent and, for the dialog, edit and static kinds, the text
// colour, and returns the brush. Null for the other kinds: they go to the default handling.
HBRUSH AnswerPageColour(const PageBrushes& brushes, HDC dc, int controlId, PageControlRole role,
                        UINT kind);

}  // namespace orvanta
