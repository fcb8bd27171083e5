#include "core/key_preview.h"

#include <cstdint>
#include <memory>
#include <new>

#include "core/csv_field.h"
#include "core/decimal.h"
#include "core/page_settings.h"

namespace orvanta {
namespace {

// Values of the usual key lengths are extracted on the stack.
constexpr std::size_t kShortValueStore = 256;

std::int32_t KeyNumber(std::string_view text) {
    return ParseDecimal(text.substr(0, kKeyFieldReadWidth));
}

}  // namespace

std::string PreviewCsvKeyValue(std::string_view keyPosition, std::string_view keyLength,
                               const SampleRecord& sample, unsigned char delimiter) {
    const std::int32_t item = KeyNumber(keyPosition);
    if (item == 0 || sample.length <= 0) {
        return {};
    }
    std::int32_t length = KeyNumber(keyLength);
    if (length == 0) {
        length = 32;
    }
    // The value is cut to a positive length, so no more of the field than that is needed; a
    // store of the record's length plus one holds any field whole.
    std::size_t storeSize = static_cast<std::size_t>(sample.length) + 1;
    if (length > 0 && static_cast<std::size_t>(length) < storeSize) {
        storeSize = static_cast<std::size_t>(length) + 1;
    }
    char shortStore[kShortValueStore];
    std::unique_ptr<char[]> longStore;
    char* field = shortStore;
    if (storeSize > sizeof shortStore) {
        longStore.reset(new (std::nothrow) char[storeSize]);
        field = longStore.get();
    }
    if (field == nullptr || !ExtractField(item, sample.view(), field, storeSize, delimiter)) {
        return {};
    }
    std::string value(field);
    if (value.empty()) {
        return "NULL";
    }
    if (length > 0 && static_cast<std::size_t>(length) < value.size()) {
        value.resize(static_cast<std::size_t>(length));
    }
    return value;
}

std::string PreviewTextKeyValue(std::string_view keyPosition, std::string_view keyLength,
                                const SampleRecord& sample) {
    const std::int64_t start = KeyNumber(keyPosition);
    const std::int64_t length = KeyNumber(keyLength);
    if (start <= 0 || length <= 0 || start + length > std::int64_t{sample.length} + 1) {
        return {};
    }
    const std::size_t shown = static_cast<std::size_t>(length) < kTextPreviewMaxBytes
                                  ? static_cast<std::size_t>(length)
                                  : kTextPreviewMaxBytes;
    return std::string(sample.view().substr(static_cast<std::size_t>(start - 1), shown));
}

}  // namespace orvanta
