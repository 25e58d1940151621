#include "search/found_file_table.h"

#include <algorithm>
#include <iterator>

#include "common/fatal.h"

namespace quillfern {

namespace {

// Sizes never increase along the table, so the entries of greater or equal size form a prefix.
template <typename Iterator>
Iterator firstSmallerThan(Iterator begin, Iterator end, FileSize size) {
  return std::partition_point(begin, end, [size](const auto& entry) { return entry.size >= size; });
}

}  // namespace

void FoundFileTable::take(std::string_view path, FileSize size) {
  if (entries_.size() == static_cast<std::size_t>(kCapacity)) {
    // Larger than the last entry, which falls out.
    const auto slot = firstSmallerThan(entries_.begin(), entries_.end(), size);
    Entry& last = entries_.back();
    last.path.assign(path);
    last.size = size;
    std::rotate(slot, std::prev(entries_.end()), entries_.end());
    lastSize_ = entries_.back().size;
    return;
  }

  if (entries_.empty()) entries_.reserve(kCapacity);
  entries_.push_back(Entry{Text(path), size});
  const auto slot = firstSmallerThan(entries_.begin(), std::prev(entries_.end()), size);
  std::rotate(slot, std::prev(entries_.end()), entries_.end());
  // The order a full re-sort by exchange gives while the table fills: in every run of equal sizes
  // that the new entry pushed down, the run's first entry ends up at the run's end.
  for (auto run = std::next(slot); run != entries_.end();) {
    const auto runEnd = std::find_if(run, entries_.end(),
                                     [size = run->size](const Entry& e) { return e.size != size; });
    std::rotate(run, std::next(run), runEnd);
    run = runEnd;
  }
  full_ = entries_.size() == static_cast<std::size_t>(kCapacity);
  if (full_) lastSize_ = entries_.back().size;
}

const Text& FoundFileTable::pathAt(int position) const {
  return elementAt(entries_, position, "the found files").path;
}

FileSize FoundFileTable::sizeAt(int position) const {
  return elementAt(entries_, position, "the found files").size;
}

}  // namespace quillfern
