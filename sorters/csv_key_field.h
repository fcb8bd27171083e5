#pragma once
// The value a CSV key is taken from: field n (from 1) of a record as the wizard's field
// extraction gives it (trimmed, outer quotes and doubled quotes undone), up to its first NUL
// byte; empty when the record has no such field.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta::sorters {

class CsvKeyField {
  public:
    // Valid until the next call. `mayHoldQuote` false promises a record without double
    // quotes, which spares a search.
    std::string_view Value(std::string_view record, std::int32_t n, unsigned char delimiter,
                           bool mayHoldQuote = true);

  private:
    std::string store_;  // the extracted field, when the record holds quotes
};

// The same value found by the wizard's own extraction, which copies the field whole; the fast
// path above takes a record without quotes straight from its bytes.
std::string_view ExtractedKeyField(std::string_view record, std::int32_t n, unsigned char delimiter,
                                   std::string& store);

}  // namespace orvanta::sorters
