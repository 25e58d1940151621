// The walk of the cache folder tree: depth first, a folder's files after all of its sub-folders,
// every matching file offered to the table, progress shown after every folder entry.
#pragma once

#include <optional>
#include <vector>

#include "app/window_operations.h"
#include "common/text.h"
#include "search/directory_reader.h"
#include "search/found_file_table.h"

namespace quillfern {

class DirectoryWalk {
 public:
  DirectoryWalk(DirectoryReader& reader, WindowOperations& window, FoundFileTable& table)
      : reader_(reader), window_(window), table_(table) {}

  // Walks `dir`, which ends in a backslash, and everything below it. False when the window was
  // closed meanwhile: the walk then stops at once and touches the window no more.
  bool walkDirectory(const Text& dir);

 private:
  struct FolderOnPath {
    Text path;
    std::optional<FolderIdentity> identity;
    bool identityLookedUp = false;
  };

  // `belowALink`: some folder on the path was entered through a link.
  bool walkFolder(const Text& dir, bool belowALink);
  bool leadsBackOntoThePath(const Text& folder);

  DirectoryReader& reader_;
  WindowOperations& window_;
  FoundFileTable& table_;
  std::vector<FolderOnPath> path_;  // the folders being walked, outermost first
};

}  // namespace quillfern
