#pragma once
// The part of the sample record that the pending key selects, shown while a key is defined.
// Empty means the key selects nothing, and no key definition can be made from it.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/sample_record.h"

namespace orvanta {

// The text variant's value area: at most 255 bytes of value.
inline constexpr std::size_t kTextPreviewMaxBytes = 255;

// CSV: the value of field `keyPosition`, "NULL" when that field is empty, cut to the key length
// (32 when the length is 0 or empty). Positions and lengths take part with their first 7 bytes.
std::string PreviewCsvKeyValue(std::string_view keyPosition, std::string_view keyLength,
                               const SampleRecord& sample, unsigned char delimiter);

// Text: the bytes at columns keyPosition .. keyPosition + keyLength - 1 (from 1), empty unless
// they all lie within the record; at most the first 255 of them.
std::string PreviewTextKeyValue(std::string_view keyPosition, std::string_view keyLength,
                                const SampleRecord& sample);

}  // namespace orvanta
