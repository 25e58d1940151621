// The ranking of the largest-files table written the long way, for comparing the table with.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "search/found_file_table.h"

namespace quillfern::testing {

using Entries = std::vector<std::pair<std::string, FileSize>>;

// The ranking written the long way: an append followed by a full exchange sort while the table
// fills, then a scan for the first smaller entry once it is full.
class ReferenceTable {
 public:
  void offer(const std::string& path, FileSize size) {
    if (entries_.size() == 100) {
      for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (size > entries_[i].second) {
          entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(i), {path, size});
          entries_.pop_back();
          return;
        }
      }
      return;
    }
    entries_.emplace_back(path, size);
    const std::size_t m = entries_.size();
    for (std::size_t i = 0; i < m; ++i) {
      for (std::size_t j = i + 1; j < m; ++j) {
        if (entries_[i].second < entries_[j].second) std::swap(entries_[i], entries_[j]);
      }
    }
  }
  void clear() { entries_.clear(); }
  const Entries& entries() const { return entries_; }

 private:
  Entries entries_;
};

}  // namespace quillfern::testing
