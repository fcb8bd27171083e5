#pragma once
// One sorter key term from the pending key of a page.

#include "core/page_settings.h"

namespace orvanta {

// "key(P,L)", "key(P,L)attr(d)", "key(P)attr(o;t)" (CSV) or "key(P,L)attr(o;t)" (text), from
// the settings' key position, key length, order and attribute; empty while the value preview
// is empty, since the key then selects nothing. At most 29 bytes.
DisplayText ComposeKeyDefinition(const SortPageSettings& settings);

}  // namespace orvanta
