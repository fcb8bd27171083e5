// Arbitrary records and key texts through field extraction and both value previews.

#include <cstring>
#include <memory>
#include <vector>

#include "core/csv_field.h"
#include "core/key_preview.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvanta::fuzz::FuzzInput input(data, size);
    const unsigned char delimiter = input.Byte();
    const std::int32_t n = static_cast<std::int8_t>(input.Byte());
    const std::string_view position = input.Piece(16);
    const std::string_view length = input.Piece(16);
    std::string_view record = input.Rest();
    record = record.substr(0, record.find('\0'));

    std::vector<char> out(record.size() + 1, 'X');
    const bool found = orvanta::ExtractField(n, record, out.data(), out.size(), delimiter);
    const std::int32_t fields = orvanta::CountFields(record, delimiter);
    if (found != (n >= 1 && n <= fields) || std::strlen(out.data()) > record.size()) {
        __builtin_trap();
    }

    static auto sample = std::make_unique<orvanta::SampleRecord>();
    std::memcpy(sample->text, record.data(), record.size() < 65535 ? record.size() : 65535);
    sample->length = static_cast<std::int32_t>(record.size() < 65535 ? record.size() : 65535);
    sample->text[sample->length] = '\0';
    const std::string csv = orvanta::PreviewCsvKeyValue(position, length, *sample, delimiter);
    const std::string text = orvanta::PreviewTextKeyValue(position, length, *sample);
    if (text.size() > orvanta::kTextPreviewMaxBytes ||
        (csv.size() > record.size() && csv != "NULL")) {
        __builtin_trap();
    }
    return 0;
}
