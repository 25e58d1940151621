// How the walk reads folders: enumerations of one kind of entry, per-file size lookups, and the
// identity of a folder, which tells where a link really leads.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "common/text.h"
#include "search/found_file_table.h"

namespace quillfern {

enum class EntryKind { directories, files };

struct DirectoryEntry {
  Text name;                  // exactly as the platform returns it
  bool reparsePoint = false;  // a junction or a symbolic link
};

// One open enumeration; it is released when the object is destroyed.
class DirectoryEnumeration {
 public:
  virtual ~DirectoryEnumeration() = default;
  // The entry the enumeration stands on, or null once it has ended.
  virtual const DirectoryEntry* current() const = 0;
  // Fetches the next entry of the kind; a failure ends the enumeration.
  virtual void advance() = 0;
};

struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

class DirectoryReader {
 public:
  // The entries of one kind that match the wildcard search path `pattern` (a folder path
  // followed by a file-name pattern), in the platform's order. No entries when the search fails.
  virtual std::unique_ptr<DirectoryEnumeration> enumerateEntries(const Text& pattern,
                                                                 EntryKind kind) = 0;
  // The file's size, looked up by its full path; kUnreadableSize when the lookup fails.
  virtual FileSize lookUpFileSize(const Text& path) = 0;
  // What the folder at `path` (with or without a trailing backslash) is, after every link on the
  // way; nothing when the platform cannot tell.
  virtual std::optional<FolderIdentity> folderIdentity(const Text& path) = 0;

 protected:
  ~DirectoryReader() = default;
};

}  // namespace quillfern
