#include "tests/res/expected_dialogs.h"

#include <commctrl.h>

namespace orvanta::test {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// The control kinds of the two pages.
enum class Kind {
    Label,          // static text, left, vertically centred, sunken edge, starts a group
    Text,           // the same without the edge
    Edit,           // single line, border, sunken edge, tab stop, scrolls horizontally
    Digits,         // edit for digits only, centred
    Centred,        // edit, centred
    Display,        // read-only, centred, no border line, only the edge, no tab stop
    ReadOnly,       // edit, read-only
    Radio,          // automatic radio button, no tab stop
    Button,         // push button, tab stop
    DefaultButton,  // the same with the default frame
    OwnerDrawn,     // owner-drawn button, tab stop
    Frame,          // group box without caption
};

ExpectedControl PageControl(int id, Kind kind, std::u16string_view caption, short x, short y,
                            short cx, short cy) {
    constexpr DWORD kLabel = kChild | WS_GROUP | SS_LEFT | SS_CENTERIMAGE;
    constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    constexpr DWORD kButton = kChild | WS_TABSTOP;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::u16string_view windowClass = u"Button";
    switch (kind) {
        case Kind::Label:
            style = kLabel;
            exStyle = WS_EX_STATICEDGE;
            windowClass = u"Static";
            break;
        case Kind::Text:
            style = kLabel;
            windowClass = u"Static";
            break;
        case Kind::Edit:
            style = kEdit;
            break;
        case Kind::Digits:
            style = kEdit | ES_NUMBER | ES_CENTER;
            break;
        case Kind::Centred:
            style = kEdit | ES_CENTER;
            break;
        case Kind::Display:
            style = kChild | ES_READONLY | ES_CENTER | ES_AUTOHSCROLL;
            break;
        case Kind::ReadOnly:
            style = kEdit | ES_READONLY;
            break;
        case Kind::Radio:
            style = kChild | BS_AUTORADIOBUTTON;
            break;
        case Kind::Button:
            style = kButton | BS_PUSHBUTTON;
            break;
        case Kind::DefaultButton:
            style = kButton | BS_DEFPUSHBUTTON;
            break;
        case Kind::OwnerDrawn:
            style = kButton | BS_OWNERDRAW;
            break;
        case Kind::Frame:
            style = kChild | BS_GROUPBOX;
            break;
    }
    switch (kind) {
        case Kind::Edit:
        case Kind::Digits:
        case Kind::Centred:
        case Kind::Display:
        case Kind::ReadOnly:
            exStyle = WS_EX_STATICEDGE;
            windowClass = u"Edit";
            break;
        default:
            break;
    }
    return {id, windowClass, caption, -1, style, exStyle, x, y, cx, cy};
}

using enum Kind;

}  // namespace

const ExpectedDialog& ExpectedAboutBox() {
    static const ExpectedDialog dialog{
        100,
        "about box",
        170,
        62,
        DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        0,
        u"Orvanta について",
        u"MS UI Gothic",
        9,
        FW_NORMAL,
        FALSE,
        SHIFTJIS_CHARSET,
        {
            {-1, u"Static", u"", 103, kChild | SS_ICON, 0, 14, 14, 20, 20},
            {-1, u"Static", u"Orvanta、バージョン 1.0", -1,
             kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 42, 14, 114, 8},
            {-1, u"Static", u"Copyright (C) 2026 Orvanta", -1,
             kChild | SS_LEFT | WS_GROUP, 0, 42, 26, 114, 8},
            {1, u"Button", u"OK", -1, kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 113, 41,
             50, 14},
        },
    };
    return dialog;
}

const ExpectedDialog& ExpectedMainWindow() {
    static const ExpectedDialog dialog{
        102,
        "main window",
        395,
        300,
        DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
            DS_MODALFRAME,
        WS_EX_APPWINDOW,
        u"Velkano_コマンドライン作成ウィザード",
        u"ＭＳ 明朝",
        9,
        400,
        FALSE,
        SHIFTJIS_CHARSET,
        {
            {1, u"Button", u"CMD\n仕様", -1, kChild | BS_DEFPUSHBUTTON | BS_MULTILINE | WS_TABSTOP,
             0, 326, 2, 30, 26},
            {2, u"Button", u"終了", -1, kChild | BS_PUSHBUTTON | WS_TABSTOP, 0, 361, 2, 29, 26},
            {1001, u"Static", u"", -1, kChild | SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, 2, 13, 18,
             13},
            {106, u"Static", u"", 106, kChild | SS_BITMAP, 0, 0, 0, 462, 29},
            {1000, u"SysTabControl32", u"", -1, kChild | TCS_BUTTONS, 0, 4, 32, 387, 263},
            {1002, u"Static", u"", -1, kChild | SS_LEFT | WS_GROUP, 0, 0, 0, 392, 28},
        },
    };
    return dialog;
}

const ExpectedDialog& ExpectedCsvPage() {
    static const ExpectedDialog dialog{
        104,
        "CSV page",
        388,
        256,
        DS_SETFONT | WS_CHILD,
        WS_EX_ACCEPTFILES,
        u"",
        u"ＭＳ 明朝",
        9,
        400,
        FALSE,
        SHIFTJIS_CHARSET,
        {
            PageControl(1024, Label, u" 入力ファイル", 3, 10, 63, 12),
            PageControl(1004, Button, u"参照", 71, 9, 37, 13),
            PageControl(1003, Edit, u"", 3, 26, 184, 12),
            PageControl(1025, Label, u" 出力ファイル", 195, 10, 57, 12),
            PageControl(1005, Edit, u"", 195, 25, 183, 12),
            PageControl(1026, Label, u" ソートキー設定", 3, 48, 69, 12),
            PageControl(1027, Label, u" 項目番号", 3, 64, 39, 12),
            PageControl(1006, Digits, u"", 43, 64, 30, 12),
            PageControl(1031, Label, u" キー長", 77, 64, 33, 12),
            PageControl(1009, Digits, u"", 111, 64, 24, 12),
            PageControl(1032, Label, u" 並び順", 139, 64, 39, 12),
            PageControl(1011, Radio, u"昇順", 182, 64, 33, 12),
            PageControl(1012, Radio, u"降順", 227, 64, 33, 12),
            PageControl(1034, Label, u" 項目属性", 139, 80, 39, 12),
            PageControl(1007, Radio, u"文字型", 182, 80, 42, 12),
            PageControl(1008, Radio, u"数字型", 227, 80, 42, 12),
            PageControl(1010, Radio, u"カンマ区切の数字型", 273, 80, 86, 12),
            PageControl(1033, Label, u" 項目値", 3, 96, 39, 12),
            PageControl(1013, Display, u"", 43, 96, 92, 12),
            PageControl(1035, Label, u" キー定義", 139, 96, 39, 12),
            PageControl(1015, Display, u"", 182, 96, 105, 12),
            PageControl(1014, OwnerDrawn, u"キー追加", 3, 111, 69, 20),
            PageControl(2, Button, u"キークリア", 75, 111, 67, 20),
            PageControl(1036, Label, u" 文字コード", 3, 135, 69, 12),
            PageControl(1030, Radio, u"Shift-JIS", 76, 136, 53, 12),
            PageControl(1044, Radio, u"UTF16_L", 134, 136, 39, 12),
            PageControl(1046, Radio, u"UTF-8", 189, 136, 39, 12),
            PageControl(1037, Label, u" 大小文字区別", 3, 149, 69, 12),
            PageControl(1045, Radio, u"する", 76, 149, 44, 12),
            PageControl(1047, Radio, u"しない", 134, 149, 45, 12),
            PageControl(1038, Label, u" メモリ使用量", 3, 163, 69, 12),
            PageControl(1018, Digits, u"", 76, 163, 37, 12),
            PageControl(1043, Text, u"MB (省略時は最大でメモリ2GBを消費)", 120, 163, 151, 12),
            PageControl(1039, Label, u" 作業用フォルダ", 3, 177, 69, 12),
            PageControl(1021, Button, u"参照", 76, 177, 38, 13),
            PageControl(1019, Edit, u"", 118, 177, 151, 12),
            PageControl(1040, Label, u" デリミタ", 274, 177, 45, 12),
            PageControl(1022, Centred, u"", 320, 177, 28, 12),
            PageControl(1042, Label, u" コマンドライン", 3, 197, 69, 12),
            PageControl(1016, ReadOnly, u"", 3, 213, 375, 12),
            PageControl(1, OwnerDrawn, u"コマンド実行", 3, 229, 69, 20),
            PageControl(3, DefaultButton, u"コマンド複写", 76, 229, 67, 20),
            PageControl(-1, Frame, u"", 0, 1, 387, 42),
            PageControl(-1, Frame, u"", 0, 39, 387, 154),
            PageControl(-1, Frame, u"", 0, 189, 387, 63),
            PageControl(1049, Text, u"（Drop可）", 112, 10, 70, 12),
            PageControl(1017, Button, u"参照", 257, 10, 37, 13),
            PageControl(1048, Centred, u"", 350, 177, 22, 12),
            PageControl(1050, Text, u"16進数", 322, 170, 28, 8),
            PageControl(1051, Text, u"文字", 353, 170, 20, 8),
            PageControl(1052, Label, u" 項目数", 3, 80, 39, 12),
            PageControl(1020, Display, u"", 43, 80, 29, 12),
        },
    };
    return dialog;
}

const ExpectedDialog& ExpectedTextPage() {
    static const ExpectedDialog dialog{
        105,
        "text page",
        387,
        255,
        DS_SETFONT | WS_CHILD,
        WS_EX_ACCEPTFILES,
        u"",
        u"ＭＳ 明朝",
        9,
        400,
        FALSE,
        SHIFTJIS_CHARSET,
        {
            PageControl(1024, Label, u" 入力ファイル", 3, 10, 63, 12),
            PageControl(1004, Button, u"参照", 71, 9, 37, 13),
            PageControl(1003, Edit, u"", 3, 26, 184, 12),
            PageControl(1025, Label, u" 出力ファイル", 195, 10, 57, 12),
            PageControl(1005, Edit, u"", 195, 25, 183, 12),
            PageControl(1026, Label, u" ソートキー設定", 3, 48, 69, 12),
            PageControl(1029, Label, u" 開始カラム", 3, 64, 49, 12),
            PageControl(1006, Digits, u"", 53, 64, 30, 12),
            PageControl(1031, Label, u" キー長", 87, 64, 33, 12),
            PageControl(1009, Digits, u"", 121, 64, 24, 12),
            PageControl(1032, Label, u" 並び順", 149, 64, 39, 12),
            PageControl(1011, Radio, u"昇順", 192, 64, 33, 12),
            PageControl(1012, Radio, u"降順", 237, 64, 33, 12),
            PageControl(1034, Label, u" 項目属性", 149, 80, 39, 12),
            PageControl(1007, Radio, u"文字型", 192, 80, 42, 12),
            PageControl(1008, Radio, u"数字型", 237, 80, 42, 12),
            PageControl(1010, Radio, u"カンマ区切の数字型", 283, 80, 86, 12),
            PageControl(1033, Label, u" カラム値", 3, 96, 49, 12),
            PageControl(1013, Display, u"", 53, 96, 92, 12),
            PageControl(1035, Label, u" キー定義", 149, 96, 39, 12),
            PageControl(1015, Display, u"", 192, 96, 105, 12),
            PageControl(1014, OwnerDrawn, u"キー追加", 3, 111, 69, 20),
            PageControl(2, Button, u"キークリア", 75, 111, 67, 20),
            PageControl(1036, Label, u" 文字コード", 3, 135, 69, 12),
            PageControl(1023, Radio, u"Shift-JIS", 76, 136, 54, 12),
            PageControl(1028, Radio, u"UTF16_L", 134, 136, 45, 12),
            PageControl(1030, Radio, u"UTF-8", 189, 136, 45, 12),
            PageControl(1037, Label, u" 大小文字区別", 3, 149, 69, 12),
            PageControl(1041, Radio, u"する", 76, 149, 43, 12),
            PageControl(1044, Radio, u"しない", 134, 149, 48, 12),
            PageControl(1038, Label, u" メモリ使用量", 3, 163, 69, 12),
            PageControl(1018, Digits, u"", 76, 163, 37, 12),
            PageControl(1043, Text, u"MB (省略時は最大でメモリ2GBを消費)", 120, 163, 157, 12),
            PageControl(1039, Label, u" 作業用フォルダ", 3, 177, 69, 12),
            PageControl(1021, Button, u"参照", 76, 177, 38, 13),
            PageControl(1019, Edit, u"", 118, 177, 151, 12),
            PageControl(1042, Label, u" コマンドライン", 3, 197, 69, 12),
            PageControl(1016, ReadOnly, u"", 3, 213, 375, 12),
            PageControl(1, OwnerDrawn, u"コマンド実行", 3, 229, 69, 20),
            PageControl(3, DefaultButton, u"コマンド複写", 76, 229, 67, 20),
            PageControl(-1, Frame, u"", 0, 1, 387, 42),
            PageControl(-1, Frame, u"", 0, 39, 387, 154),
            PageControl(-1, Frame, u"", 0, 189, 387, 63),
            PageControl(1049, Text, u"（Drop可）", 112, 10, 70, 12),
            PageControl(1017, Button, u"参照", 257, 10, 37, 13),
            PageControl(1046, Label, u" レコード長", 3, 80, 49, 12),
            PageControl(1020, Display, u"", 54, 80, 29, 12),
        },
    };
    return dialog;
}

std::vector<std::vector<int>> CsvPageRadioGroups() {
    return {{1011, 1012}, {1007, 1008, 1010}, {1030, 1044, 1046}, {1045, 1047}};
}

std::vector<std::vector<int>> TextPageRadioGroups() {
    return {{1011, 1012}, {1007, 1008, 1010}, {1023, 1028, 1030}, {1041, 1044}};
}

}  // namespace orvanta::test
