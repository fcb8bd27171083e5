// Arbitrary file starts through the sample reader of both page kinds, with any delimiter.

#include <cstring>
#include <memory>

#include "core/csv_field.h"
#include "core/sample_record.h"
#include "fuzz/fuzz_input.h"
#include "tests/core/csv_field_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvanta::fuzz::FuzzInput input(data, size);
    const unsigned char delimiter = input.Byte();
    const std::string_view bytes = input.Rest();

    static auto record = std::make_unique<orvanta::SampleRecord>();
    for (auto kind : {orvanta::SortPageKind::Csv, orvanta::SortPageKind::Text}) {
        orvanta::DecodeSampleRecord(kind, bytes, *record, delimiter);
        if (record->length < 0 || record->length > 65535 ||
            (record->length > 0 && std::strlen(record->text) != std::size_t(record->length))) {
            __builtin_trap();
        }
        if (kind == orvanta::SortPageKind::Csv &&
            record->fieldCount != orvanta::reference::CountFields(record->view(), delimiter)) {
            __builtin_trap();
        }
    }
    return 0;
}
