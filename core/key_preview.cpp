#include "core/key_preview.h"

#include <cstdint>
#include <memory>
#include <new>

#include "core/csv_field.h"
#include "core/decimal.h"
#include "core/page_settings.h"

namespace orvanta {
namespace {

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
    const std::size_t storeSize = static_cast<std::size_t>(sample.length) + 1;
    std::unique_ptr<char[]> field(new (std::nothrow) char[storeSize]);
    if (!field || !ExtractField(item, sample.view(), field.get(), storeSize, delimiter)) {
        return {};
    }
    std::string value(field.get());
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
