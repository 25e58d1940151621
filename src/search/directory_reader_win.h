// The directory reader on FindFirstFileA and friends.
#pragma once

#include "search/directory_reader.h"

namespace quillfern {

class Win32DirectoryReader final : public DirectoryReader {
 public:
  std::unique_ptr<DirectoryEnumeration> enumerateEntries(const Text& pattern,
                                                         EntryKind kind) override;
  FileSize lookUpFileSize(const Text& path) override;
  std::optional<FolderIdentity> folderIdentity(const Text& path) override;
};

}  // namespace quillfern
