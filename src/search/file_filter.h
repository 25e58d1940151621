// The file-type filter: turns the radio buttons and the extension box into the wildcard
// pattern for one folder's files.
#pragma once

#include "app/window_operations.h"
#include "common/text.h"

namespace quillfern {

// "*.*", "*.flv", "*." + the cleaned extension, or the empty text (no file at all). With a
// custom extension the box is cleaned of dots, stars and spaces, and shows what is searched for.
Text currentFilePattern(WindowOperations& window);

}  // namespace quillfern
