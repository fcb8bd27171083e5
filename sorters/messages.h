#pragma once
// The sorters' messages (UTF-8; the console writer converts them for the platform).

namespace orvanta::sorters::messages {

inline constexpr char kUsageCsv[] =
    "使い方: Pellacor \"入力ファイル\" \"出力ファイル\" [キー...] [/W] [/M メモリMB] "
    "[/T \"作業フォルダ\"] [/I] [{0xHH}]";
inline constexpr char kUsageText[] =
    "使い方: Trivandel \"入力ファイル\" \"出力ファイル\" [キー...] [/W] [/M メモリMB] "
    "[/T \"作業フォルダ\"] [/I]";
inline constexpr char kMissingPaths[] = "入力ファイルと出力ファイルを指定してください。";
inline constexpr char kEmptyInputPath[] = "入力ファイル名が空です。";
inline constexpr char kEmptyOutputPath[] = "出力ファイル名が空です。";
inline constexpr char kBadKey[] = "キー指定が正しくありません: ";
inline constexpr char kKeyAfterOption[] = "キーはオプションより前に指定してください: ";
inline constexpr char kUnknownTerm[] = "不明な指定です: ";
inline constexpr char kRepeatedOption[] = "同じオプションが二度指定されています: ";
inline constexpr char kBadMemory[] = "/M には正の整数 (MB) を指定してください。";
inline constexpr char kMissingFolder[] = "/T には作業フォルダを指定してください。";
inline constexpr char kBadDelimiter[] = "区切り文字の指定が正しくありません: ";
inline constexpr char kInputNotFound[] = "入力ファイルがありません: ";
inline constexpr char kInputUnreadable[] = "入力ファイルを開けません: ";
inline constexpr char kOutputNotAFile[] = "出力先が通常のファイルではありません: ";
inline constexpr char kOutputNotCreated[] = "出力ファイルを作成できません: ";
inline constexpr char kWorkFolderMissing[] = "作業フォルダがありません: ";
inline constexpr char kReadFailed[] = "入力ファイルの読み込みに失敗しました: ";
inline constexpr char kWriteFailed[] = "ファイルの書き込みに失敗しました: ";
inline constexpr char kRunFileFailed[] = "作業ファイルを作成できません: ";
inline constexpr char kRecordTooLong[] = "4GB 以上のレコードは扱えません。";
inline constexpr char kOutOfMemory[] = "メモリが不足しています。/M の値を小さくしてください。";
inline constexpr char kReplaceFailed[] = "出力ファイルを置き換えられません: ";
inline constexpr char kProgressRead[] = "ソート中: 入力 ";
inline constexpr char kProgressMerge[] = "併合中: ";
inline constexpr char kDone[] = "ソート完了: ";
inline constexpr char kRecords[] = " レコード";

}  // namespace orvanta::sorters::messages
