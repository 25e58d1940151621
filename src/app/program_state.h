// What the program keeps for the life of its window: the last search's table and the folder
// every search starts from.
#pragma once

#include <string_view>

#include "common/text.h"
#include "search/found_file_table.h"

namespace quillfern {

// The web cache of the account the tool is made for, whoever runs it.
inline constexpr std::string_view kCacheFolder =
    "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";

struct ProgramState {
  FoundFileTable foundFiles;
  Text cacheRoot;  // without a trailing backslash; set when the main window is created
};

// The main window's created handler.
void onMainWindowCreated(ProgramState& state);

}  // namespace quillfern
