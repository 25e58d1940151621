#include "search/directory_walk.h"

#include "search/file_filter.h"

namespace quillfern {

bool DirectoryWalk::walkDirectory(const Text& dir) {
  path_.clear();
  return walkFolder(dir, false);
}

bool DirectoryWalk::walkFolder(const Text& dir, bool belowALink) {
  path_.push_back(FolderOnPath{dir});

  const auto folders = reader_.enumerateEntries(dir + "*", EntryKind::directories);
  for (const DirectoryEntry* entry = folders->current(); entry != nullptr;
       entry = folders->current()) {
    const Text full = dir + entry->name;
    const bool selfOrParent = entry->name == "." || entry->name == "..";
    // A link back onto the folders being walked would repeat them until the path is too long.
    // Below a link that was followed, a plain folder can lead back onto them as well.
    const bool mayLeadBack = entry->reparsePoint || belowALink;
    if (!selfOrParent && !(mayLeadBack && leadsBackOntoThePath(full))) {
      if (!walkFolder(full + "\\", mayLeadBack)) return false;
    }
    window_.setStatusText(full);
    folders->advance();
    window_.processPendingEvents();
    if (window_.windowClosed()) return false;
  }

  // Read for every folder, so a change of the filter during the walk applies from here on.
  const Text pattern = currentFilePattern(window_);
  const auto files = reader_.enumerateEntries(dir + pattern, EntryKind::files);
  for (const DirectoryEntry* entry = files->current(); entry != nullptr; entry = files->current()) {
    const Text full = dir + entry->name;
    table_.offer(full, reader_.lookUpFileSize(full));
    files->advance();
  }

  path_.pop_back();
  return true;
}

bool DirectoryWalk::leadsBackOntoThePath(const Text& folder) {
  const auto target = reader_.folderIdentity(folder);
  if (!target) return false;
  for (FolderOnPath& onPath : path_) {
    // Looked up only once a link is met, and then once per folder on the path.
    if (!onPath.identityLookedUp) {
      onPath.identity = reader_.folderIdentity(onPath.path);
      onPath.identityLookedUp = true;
    }
    if (onPath.identity == target) return true;
  }
  return false;
}

}  // namespace quillfern
