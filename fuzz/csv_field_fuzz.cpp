// Arbitrary records and key texts through field counting and extraction, compared with the plain
// byte loop, and through both value previews.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/csv_field.h"
#include "core/key_preview.h"
#include "fuzz/fuzz_input.h"
#include "tests/core/csv_field_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvanta::fuzz::FuzzInput input(data, size);
    const unsigned char delimiter = input.Byte();
    const std::int32_t n = static_cast<std::int8_t>(input.Byte());
    const std::string_view position = input.Piece(16);
    const std::string_view length = input.Piece(16);
    const std::string_view bytes = input.Rest();  // zeros included

    const std::int32_t fields = orvanta::CountFields(bytes, delimiter);
    std::string copy(bytes.size() + 1, 'X');
    if (fields != orvanta::reference::CountFields(bytes, delimiter) ||
        orvanta::CountFieldsCopying(bytes, delimiter, copy.data()) != fields ||
        copy.compare(0, bytes.size(), bytes) != 0 || copy.back() != 'X') {
        __builtin_trap();
    }
    // A whole store and a small one, with a guard byte behind each.
    for (std::size_t store : {bytes.size() + 1, std::size_t{1} + delimiter % 8}) {
        std::vector<char> out(store + 1, 'X');
        std::string value;
        const bool found = orvanta::ExtractField(n, bytes, out.data(), store, delimiter);
        if (found != orvanta::reference::ExtractField(n, bytes, delimiter, store - 1, value) ||
            std::memcmp(out.data(), value.data(), value.size()) != 0 || out[value.size()] != '\0' ||
            out[store] != 'X') {
            __builtin_trap();
        }
    }

    const std::string_view record = bytes.substr(0, bytes.find('\0'));
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
