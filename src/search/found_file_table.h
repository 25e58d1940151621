// The largest files a search has met, largest first: at most 100 entries, ranked as they are
// offered, so the table is complete and in order the moment the walk ends.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace quillfern {

// A file's size in bytes; kUnreadableSize when it could not be read.
using FileSize = std::int64_t;
inline constexpr FileSize kUnreadableSize = -1;

class FoundFileTable {
 public:
  static constexpr int kCapacity = 100;

  // Releases every entry.
  void clear() noexcept {
    entries_.clear();
    full_ = false;
    lastSize_ = kNoSize;
  }

  // Ranks one file. While the table is not full the file always enters, after every entry of
  // greater or equal size; each run of equal sizes that it displaces has its first entry moved to
  // the run's end. A full table takes the file only when it is larger than the last entry: it
  // then lands after every entry of greater or equal size and the last entry falls out.
  void offer(std::string_view path, FileSize size) {
    // Most files of a large search end here, without a call.
    if (size <= lastSize_ && full_) [[likely]]
      return;
    take(path, size);
  }

  int count() const noexcept { return static_cast<int>(entries_.size()); }

  // Entry `position`, counted from 1; a position outside 1..count() is the fatal position error.
  const Text& pathAt(int position) const;
  FileSize sizeAt(int position) const;

 private:
  void take(std::string_view path, FileSize size);

  struct Entry {
    Text path;
    FileSize size;
  };
  std::vector<Entry> entries_;
  static constexpr FileSize kNoSize = std::numeric_limits<FileSize>::min();
  // Copies of "count() == kCapacity" and of the last entry's size (kNoSize while the table is not
  // full), kept so that offer() can turn most files away with one comparison.
  bool full_ = false;
  FileSize lastSize_ = kNoSize;
};

}  // namespace quillfern
