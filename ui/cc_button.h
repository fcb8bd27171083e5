#pragma once
// CCButton: a BS_OWNERDRAW push button drawn as a coloured face with a centred caption.

#include <windows.h>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "ui/colours.h"

class CCButton : public CButton {
  public:
    COLORREF m_textColor = orvanta::kBlack;
    COLORREF m_faceColor = orvanta::kButtonGrey;
    COLORREF m_disabledTextColor = orvanta::kWhite;

    // Face, caption and raised edge; with the focus also the focus rectangle 4 pixels inside
    // (and the sunken edge while pressed); while disabled without the focus, the caption once
    // more in m_disabledTextColor.
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};

namespace orvanta {

// Attaches `button` to the page's control `id`, colours it white on `faceColour` and redraws
// it at once.
void SetUpCommandButton(CCButton& button, CDialogEx& page, UINT id, COLORREF faceColour);

}  // namespace orvanta
