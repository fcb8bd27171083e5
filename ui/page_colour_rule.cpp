#include "ui/page_colour_rule.h"

#include <initializer_list>

#include "res/resource.h"

namespace orvanta {
namespace {

struct Answer {
    COLORREF text;
    HBRUSH brush;
};

bool IsOneOf(int id, std::initializer_list<int> ids) {
    for (int candidate : ids) {
        if (candidate == id) {
            return true;
        }
    }
    return false;
}

// The static kind, first matching test wins. Ids that exist on one page only never occur on
// the other, so one list serves both.
Answer StaticAnswer(const PageBrushes& brushes, int id, PageControlRole role) {
    if (IsOneOf(id, {IDC_LABEL_INPUT, IDC_LABEL_OUTPUT, IDC_LABEL_KEY_SETTINGS})) {
        return {kBrightGreen, brushes.black.GetSafeHandle()};
    }
    if (id == IDC_LABEL_COMMAND_LINE) {
        return {kWhite, brushes.black.GetSafeHandle()};
    }
    if (role == PageControlRole::KeyRadio) {
        return {kBlue, brushes.white.GetSafeHandle()};
    }
    if (role == PageControlRole::OptionRadio) {
        return {kDarkGreen, brushes.white.GetSafeHandle()};
    }
    if (IsOneOf(id, {IDC_LABEL_ORDER, IDC_LABEL_ATTRIBUTE})) {
        return {kBlue, brushes.lightGrey.GetSafeHandle()};
    }
    if (IsOneOf(id, {IDC_LABEL_ENCODING, IDC_LABEL_CASE, IDC_LABEL_MEMORY, IDC_LABEL_WORK_FOLDER,
                     IDC_CSV_LABEL_DELIMITER})) {
        return {kDarkGreen, brushes.lightGrey.GetSafeHandle()};
    }
    if (IsOneOf(id,
                {IDC_TEXT_MEMORY_HINT, IDC_CSV_TEXT_DELIMITER_HEX, IDC_CSV_TEXT_DELIMITER_CHAR})) {
        return {kDarkGreen, brushes.white.GetSafeHandle()};
    }
    if (id == IDC_TEXT_DROP_HINT) {
        return {kBlack, brushes.white.GetSafeHandle()};
    }
    if (role == PageControlRole::CommandLine) {
        return {kBlack, brushes.paleCyan.GetSafeHandle()};
    }
    return {kBlack, brushes.lightGrey.GetSafeHandle()};
}

}  // namespace

HBRUSH AnswerPageColour(const PageBrushes& brushes, HDC dc, int controlId, PageControlRole role,
                        UINT kind) {
    SetBkMode(dc, TRANSPARENT);
    switch (kind) {
        case CTLCOLOR_DLG:
            return brushes.white.GetSafeHandle();
        case CTLCOLOR_EDIT:
            SetTextColor(dc, kBlack);
            return role == PageControlRole::EditableField ? brushes.lavender.GetSafeHandle()
                                                          : brushes.white.GetSafeHandle();
        case CTLCOLOR_STATIC: {
            const Answer answer = StaticAnswer(brushes, controlId, role);
            SetTextColor(dc, answer.text);
            return answer.brush;
        }
        default:
            return nullptr;
    }
}

}  // namespace orvanta
