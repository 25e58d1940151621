// The text of a file's size in a result line: megabytes of 1048576 bytes, at most two decimals.
#pragma once

#include "common/text.h"
#include "search/found_file_table.h"

namespace quillfern {

// 123456789 bytes give "117.74"; 1572864 give "1.5"; a size that rounds to zero gives "0".
Text formatSizeMB(FileSize size);

// `value` rounded to `digits` decimals, a half away from zero.
double roundToDecimals(double value, int digits);

// At most 13 significant digits, no trailing zeros, no point for a whole number, "0" for zero
// of either sign.
Text numberToText(double value);

// The size text, "MB  " and the path.
Text resultLine(FileSize size, const Text& path);

}  // namespace quillfern
