#include "core/key_definition.h"

#include <cstdio>

#include "core/decimal.h"

namespace orvanta {

DisplayText ComposeKeyDefinition(const SortPageSettings& settings) {
    if (settings.valuePreview.empty()) {
        return {};
    }
    const char order = settings.order == KeyOrder::Ascending ? 'a' : 'd';
    const char* position = settings.keyPosition.c_str();
    const char* length = settings.keyLength.c_str();
    const bool csv = settings.kind == SortPageKind::Csv;
    char text[DisplayText::kWidth + 1] = {};

    if (settings.attribute == KeyAttribute::String) {
        // A CSV string key without a length sorts on 32 bytes.
        if (csv && ParseDecimal(settings.keyLength.view()) == 0) {
            length = "32";
        }
        if (order == 'a') {
            std::snprintf(text, sizeof text, "key(%s,%s)", position, length);
        } else {
            std::snprintf(text, sizeof text, "key(%s,%s)attr(%c)", position, length, order);
        }
    } else {
        const char type = settings.attribute == KeyAttribute::Number ? 'i' : 'z';
        if (csv) {
            std::snprintf(text, sizeof text, "key(%s)attr(%c;%c)", position, order, type);
        } else {
            std::snprintf(text, sizeof text, "key(%s,%s)attr(%c;%c)", position, length, order,
                          type);
        }
    }
    return DisplayText(text);
}

}  // namespace orvanta
