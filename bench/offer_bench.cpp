// Ranks 10 million random sizes with the table and with a std::priority_queue top-100 over the
// same input, in the same run, and prints the ratio of their times.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <queue>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "search/found_file_table.h"

namespace {

using quillfern::FileSize;
using Clock = std::chrono::steady_clock;

constexpr int kOffers = 10'000'000;
constexpr int kKept = 100;
constexpr int kRepeats = 9;
// Both sides take their paths from the same few texts, which stay in the first-level cache, so the
// figures compare the ranking, not the fetching of 10 million paths.
constexpr int kPaths = 16;

template <typename Body>
double seconds(Body&& body) {
  const auto start = Clock::now();
  body();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main() {
  std::mt19937_64 random(42);
  // Sizes as a cache holds them: many small files, a long tail of large ones.
  std::lognormal_distribution<double> size(10.0, 2.5);
  std::vector<FileSize> sizes(kOffers);
  for (FileSize& s : sizes)
    s = static_cast<FileSize>(size(random));
  std::vector<std::string> paths;
  paths.reserve(kPaths);
  for (int i = 0; i < kPaths; ++i) {
    paths.push_back(
        "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\"
        "Temporary Internet Files\\Content.IE5\\F" +
        std::to_string(i) + "\\clip.flv");
  }

  FileSize tableCheck = 0;
  auto runTable = [&] {
    quillfern::FoundFileTable found;
    for (int i = 0; i < kOffers; ++i)
      found.offer(paths[static_cast<std::size_t>(i % kPaths)], sizes[static_cast<std::size_t>(i)]);
    tableCheck = found.sizeAt(found.count());
  };

  FileSize heapCheck = 0;
  auto runHeap = [&] {
    using Entry = std::pair<FileSize, std::string>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> smallestOnTop;
    for (int i = 0; i < kOffers; ++i) {
      const FileSize s = sizes[static_cast<std::size_t>(i)];
      if (smallestOnTop.size() < kKept) {
        smallestOnTop.emplace(s, paths[static_cast<std::size_t>(i % kPaths)]);
      } else if (s > smallestOnTop.top().first) {
        smallestOnTop.pop();
        smallestOnTop.emplace(s, paths[static_cast<std::size_t>(i % kPaths)]);
      }
    }
    heapCheck = smallestOnTop.top().first;
  };

  // Alternated, so that both see the same machine; the best run of each counts.
  double table = 1e300, heap = 1e300;
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    heap = std::min(heap, seconds(runHeap));
    table = std::min(table, seconds(runTable));
  }

  std::printf("offers: %d random sizes, best of %d runs\n", kOffers, kRepeats);
  std::printf("table:  %8.1f ms (%.2f ns per offer)\n", table * 1e3, table * 1e9 / kOffers);
  std::printf("heap:   %8.1f ms (%.2f ns per offer)\n", heap * 1e3, heap * 1e9 / kOffers);
  std::printf("ratio table / heap: %.2f\n", table / heap);
  if (tableCheck != heapCheck) {
    std::printf("mismatch: smallest kept size %lld against %lld\n",
                static_cast<long long>(tableCheck), static_cast<long long>(heapCheck));
    return 1;
  }
  return 0;
}
