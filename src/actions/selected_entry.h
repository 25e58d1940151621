// The file behind the selected result line, and the two texts the file commands derive from its
// stored path: the full path below the cache folder and the file name.
#pragma once

#include <string_view>

#include "app/program_state.h"
#include "app/window_operations.h"
#include "common/text.h"

namespace quillfern {

// The table position of the entry that the selected line shows; the line's index + 1 when the
// line is not known (no selection gives 0, which no entry has).
int selectedPosition(const ProgramState& state, const WindowOperations& window);

// The stored path of the selected entry; the fatal position error when there is none.
const Text& selectedEntryPath(const ProgramState& state, const WindowOperations& window);

// The text between the first and the second occurrence of `root` (or the end), cut before the
// first `endMarker`. The fatal position error when that text is empty.
Text relativePathOf(std::string_view path, std::string_view root, std::string_view endMarker);

// `cacheRoot` followed by the part of `path` below it: for every stored path, the path itself.
Text fullPathOf(std::string_view path, std::string_view cacheRoot);

// The last backslash-separated piece of the path; the fatal position error for the empty path.
Text fileNameOf(std::string_view path);

}  // namespace quillfern
