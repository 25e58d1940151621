// What the program keeps for the life of its window: the last search's table and the folder
// every search starts from.
#pragma once

#include <string_view>
#include <vector>

#include "common/text.h"
#include "search/found_file_table.h"

namespace quillfern {

// The web cache of the account the tool is made for, whoever runs it.
inline constexpr std::string_view kCacheFolder =
    "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";

struct ProgramState {
  FoundFileTable foundFiles;
  Text cacheRoot;  // without a trailing backslash; set when the main window is created
  // The table position of each result line, in list order. Lines and entries match one to one
  // unless the list refused a line.
  std::vector<int> listedEntries;
};

// The main window's created handler.
void onMainWindowCreated(ProgramState& state);

}  // namespace quillfern
