// The CSV page's delimiter entry: field 1022 holds the delimiter as two hexadecimal digits,
// field 1048 as the character itself. A change in one is mirrored into the other; an entry
// left incomplete or invalid gives way to the comma when the one-shot timer fires.

#include <cstdio>
#include <string>

#include "core/delimiter.h"
#include "ui/tab_csv_dlg.h"

namespace {

constexpr UINT_PTR kDelimiterTimer = 100;
constexpr UINT kShortWaitMs = 4000;
constexpr UINT kIncompleteWaitMs = 8000;

// Set by a handler just before it sets the other field's text: that field's handler, run
// inside the setting call, takes the change as the echo it is and does nothing else.
bool DelimiterEchoPending = false;

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

void TabCsvDlg::RefreshDelimiterPreviews() {
    RefreshValuePreview();
    RefreshCommandPreview();
}

void TabCsvDlg::OnEnChangeDelimiterHex() {
    if (DelimiterEchoPending) {
        DelimiterEchoPending = false;
        return;
    }
    char hex[4] = {};
    m_editDelimiterHex.GetWindowText(hex);
    const std::size_t length = std::char_traits<char>::length(hex);
    DelimiterEchoPending = true;
    if (length != 2) {
        m_editDelimiterChar.SetWindowText("");
        SetTimer(kDelimiterTimer, length == 0 ? kShortWaitMs : kIncompleteWaitMs);
        return;
    }
    const int high = HexDigitValue(hex[0]);
    const int low = HexDigitValue(hex[1]);
    const int value = high >= 0 && low >= 0 ? high * 16 + low : 0;
    if (value == 0) {
        m_editDelimiterChar.SetWindowText("");
        SetTimer(kDelimiterTimer, kShortWaitMs);
        return;
    }
    const char character[2] = {static_cast<char>(value), '\0'};
    m_editDelimiterChar.SetWindowText(character);
    orvanta::DelimiterByte = static_cast<unsigned char>(value);
    RefreshDelimiterPreviews();
}

void TabCsvDlg::OnEnChangeDelimiterChar() {
    if (DelimiterEchoPending) {
        DelimiterEchoPending = false;
        return;
    }
    char character[2] = {};
    m_editDelimiterChar.GetWindowText(character);
    orvanta::DelimiterByte = static_cast<unsigned char>(character[0]);
    DelimiterEchoPending = true;
    if (character[0] == '\0') {
        m_editDelimiterHex.SetWindowText("");
        SetTimer(kDelimiterTimer, kShortWaitMs);
        return;
    }
    char hex[3] = {};
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(character[0]));
    m_editDelimiterHex.SetWindowText(hex);
    RefreshDelimiterPreviews();
}

void TabCsvDlg::OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id != kDelimiterTimer) {
        return;
    }
    char hex[4] = {};
    char character[2] = {};
    m_editDelimiterHex.GetWindowText(hex);
    m_editDelimiterChar.GetWindowText(character);
    if (hex[0] == '\0' || character[0] == '\0') {
        m_editDelimiterHex.SetWindowText("2C");
    }
}
