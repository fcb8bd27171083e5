#pragma once
// Turns a record's sort keys into one byte string whose plain unsigned comparison (a prefix
// before its longer text) gives the sorter's order: each key is encoded so that no encoding is
// a prefix of another, and a descending key has every byte of its encoding inverted.

#include <string>
#include <string_view>

#include "sorters/csv_key_field.h"
#include "sorters/sort_job.h"

namespace orvanta::sorters {

class KeyEncoder {
  public:
    explicit KeyEncoder(const SortJob& job);

    // True when the record's own bytes are the key, so nothing needs to be stored for it.
    bool KeyIsRecord() const { return keyIsRecord_; }

    // Appends the encoded key of `record` (code page 932 bytes, line end removed) to `key`.
    // `mayHoldQuote` false promises a record without double quotes, which spares a search.
    void Encode(std::string_view record, std::string& key, bool mayHoldQuote = true);

  private:
    void EncodeTerm(const KeyTerm& term, std::string_view record, bool mayHoldQuote,
                    std::string& key);

    const SortJob& job_;
    bool keyIsRecord_;
    CsvKeyField field_;
};

// The leading number of `text` (blanks, an optional sign, digits, an optional fraction; with
// `commas`, commas between integer digits are skipped), encoded exactly at any length. Text without
// a number encodes below every number.
void AppendNumberKey(std::string_view text, bool commas, std::string& key);
// The same, read digit by digit whatever the number: AppendNumberKey takes plain integers
// straight from the text and leaves the rest to this.
void AppendNumberKeyDigitByDigit(std::string_view text, bool commas, std::string& key);

// `text` escaped so that it compares as itself and ends a key unambiguously. With `fold`, ASCII
// lower-case letters become upper case, except in the second byte of a two-byte character;
// `startsInTrailByte` says that the first byte is such a second byte.
void AppendStringKey(std::string_view text, bool fold, bool startsInTrailByte, std::string& key);

}  // namespace orvanta::sorters
