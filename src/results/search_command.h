// The search command: throws the last result away, walks the cache and lists the largest
// files, largest first.
#pragma once

#include "app/program_state.h"
#include "app/window_operations.h"
#include "search/directory_reader.h"

namespace quillfern {

void runSearch(ProgramState& state, WindowOperations& window, DirectoryReader& reader);

}  // namespace quillfern
