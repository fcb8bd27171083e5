#pragma once
// The program-wide working data of each page kind, kept for the whole run.

#include "core/command_buffer.h"
#include "core/key_list.h"
#include "core/page_settings.h"
#include "core/sample_record.h"

namespace orvanta {

struct SortPageData {
    KeyList keys;
    DisplayText keyDefinition;  // the key-definition buffer: 255 bytes and a terminator
    CommandBuffer command;
    SampleRecord sample;

    // The page's start: an empty key list, key definition and command.
    void ResetForPageStart() {
        keys.Clear();
        keyDefinition = DisplayText();
        command.Reset();
    }
};

SortPageData& CsvPageData();
SortPageData& TextPageData();

}  // namespace orvanta
