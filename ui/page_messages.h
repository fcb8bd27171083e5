#pragma once
// The texts of the pages' message boxes.

namespace orvanta::messages {

inline constexpr wchar_t kCaption[] = L"Orvanta";

inline constexpr wchar_t kCsvNothingToAdd[] =
    L"★キーの追加ができません。\n\n・キー項目番号が指定されていない\n・存在しない項目番号がキー指定"
    L"されている";
inline constexpr wchar_t kTextNothingToAdd[] =
    L"★キーの追加ができません。\n\n・開始カラムとキー長が指定されていない\n・レコード長を超えたキー"
    L"指定がされた";
inline constexpr wchar_t kCsvNoKey[] =
    L"ソートキーが指定されていません。\nキーを追加してください。";
inline constexpr wchar_t kTextNoKey[] =
    L"ソートキーが指定されていないため\n★行全体をキーとしてソートします。";

// Decided here: the cases the composition cannot serve whole are refused, never cut.
inline constexpr wchar_t kKeyListFull[] = L"★キーの追加ができません。\n\n・キーは256個までです";
inline constexpr wchar_t kCommandTooLong[] =
    L"★コマンドが長すぎます（4095バイトを超えます）。\nコピーも実行もしません。\n"
    L"ファイル名を短くするか、キーを減らしてください。";
inline constexpr wchar_t kConsoleLineTooLong[] =
    L"★コマンドが長すぎるため、コンソールで実行できません。\n"
    L"コマンドはクリップボードにコピーしました。";
inline constexpr wchar_t kCopyFailed[] = L"★コマンドをクリップボードにコピーできませんでした。";
inline constexpr wchar_t kCommandNotShiftJis[] =
    L"★コマンドにShift-JISとして正しくない文字が含まれています。\nコピーも実行もしません。";
inline constexpr wchar_t kPathTooLong[] = L"★このパスは長すぎるため使えません（259バイトまで）。";
inline constexpr wchar_t kTempTooLong[] =
    L"★環境変数TEMPのパスが長すぎるため、フォルダの参照を始められません（259バイトまで）。";
inline constexpr wchar_t kPathNotShiftJis[] =
    L"★このパスにはShift-JISで表せない文字が含まれているため使えません。";

inline constexpr wchar_t kNoMemoryCaption[] = L"SYSTEM";
inline constexpr wchar_t kNoMemory[] = L"SYSTEM RESOURCE EMPTY!";

}  // namespace orvanta::messages
