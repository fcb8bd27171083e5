#pragma once
// The sorter command of a page, as a preview (file names only) and as the full command line.

#include <string_view>

#include "core/command_buffer.h"
#include "core/key_list.h"
#include "core/page_settings.h"

namespace orvanta {

// "Pellacor.exe in.csv out.csv key(...) ... options": the engine and the last path component
// of each file, then the key terms and the options. `temp` is the current value of TEMP
// (empty when it is not set).
void BuildCommandPreview(const SortPageSettings& settings, const KeyList& keys,
                         std::string_view temp, CommandBuffer& command);

// "\"<module directory>Pellacor.exe\" \"<input>\" \"<output>\" key(...) ... options".
void BuildFullCommand(const SortPageSettings& settings, const KeyList& keys,
                      std::string_view moduleDirectory, std::string_view temp,
                      CommandBuffer& command);

// The pages' key test: whether the text "key" occurs anywhere in the command.
bool ContainsKeyText(std::string_view command);

}  // namespace orvanta
