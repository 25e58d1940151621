// The real walk over one folder of 100,000 files under Wine: it lists the hundred largest as the
// table ranks them, and the process's private memory stays flat while it runs, bounded by the
// depth of the walk and the table's hundred entries, not by the number of files. First of all,
// the size lookup by exact name, which the walk makes for every file, must not read the folder.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "../unit/fake_window.h"
#include "../unit/reference_table.h"
#include "common/unique_handle_win.h"
#include "search/directory_reader_win.h"
#include "search/directory_walk.h"

namespace quillfern {
namespace {

using testing::Entries;
using testing::FakeWindow;
using testing::ReferenceTable;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kWideFiles = 100000;

Text treesRoot() {
  const char* root = std::getenv("QUILLFERN_HOSTILE_TREES");
  return root != nullptr ? Text(root) : Text();
}

Text numberedFile(const Text& folder, int number) {
  Text digits = std::to_string(number);
  return folder + "f" + Text(6 - digits.size(), '0') + digits + ".bin";
}

// The process's private bytes. Wine leaves PrivateUsage at 0 and reports the resident anonymous
// memory (Unix allocations included) as PagefileUsage, which Windows keeps equal to PrivateUsage.
std::int64_t privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{.cb = sizeof counters};
  if (!::GetProcessMemoryInfo(::GetCurrentProcess(),
                              reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
    return -1;
  }
  return static_cast<std::int64_t>(counters.PrivateUsage != 0 ? counters.PrivateUsage
                                                              : counters.PagefileUsage);
}

// Samples the private bytes every 2 ms on a thread of its own and keeps the highest.
class MemorySampler {
 public:
  MemorySampler() : thread_([this] { run(); }) {}
  MemorySampler(const MemorySampler&) = delete;
  MemorySampler& operator=(const MemorySampler&) = delete;
  ~MemorySampler() { stop(); }

  // Ends the sampling; the figures stay.
  void stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  std::int64_t peak() const { return peak_; }
  int samples() const { return samples_; }

 private:
  void run() {
    while (!stop_) {
      peak_ = std::max<std::int64_t>(peak_, privateBytes());
      ++samples_;
      std::this_thread::sleep_for(2ms);
    }
  }

  std::atomic<bool> stop_{false};
  std::atomic<std::int64_t> peak_{0};
  std::atomic<int> samples_{0};
  std::thread thread_;
};

double microsecondsPerLookup(const Text& folder, int files, int lookups) {
  const auto start = Clock::now();
  for (int i = 0; i < lookups; ++i) {
    WIN32_FIND_DATAA data{};
    const UniqueFindHandle found(
        ::FindFirstFileA(numberedFile(folder, (i * 7919) % files).c_str(), &data));
    EXPECT_TRUE(found) << numberedFile(folder, (i * 7919) % files);
  }
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / lookups;
}

class WideFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = treesRoot();
    ASSERT_FALSE(root.empty()) << "run through make-hostile-trees.sh";
    many = root + "\\wide\\many\\";
    small = root + "\\wide\\small\\";
  }

  Text root;
  Text many;
  Text small;
};

TEST_F(WideFolderTest, LookingUpAnExactNameDoesNotReadTheWholeFolder) {
  // Read once each, so neither folder is measured cold.
  microsecondsPerLookup(small, 100, 100);
  microsecondsPerLookup(many, kWideFiles, 100);
  const double inSmall = microsecondsPerLookup(small, 100, 2000);
  const double inMany = microsecondsPerLookup(many, kWideFiles, 2000);
  // A name that is not there is looked for entry by entry, as Wine matches names without regard
  // to case: the figure a file that vanishes during a search costs in a folder this large.
  const auto start = Clock::now();
  for (int i = 0; i < 3; ++i) {
    WIN32_FIND_DATAA data{};
    const UniqueFindHandle found(
        ::FindFirstFileA((many + "missing" + std::to_string(i)).c_str(), &data));
    EXPECT_FALSE(found);
  }
  const double missing =
      std::chrono::duration<double, std::micro>(Clock::now() - start).count() / 3;
  std::cout << "FindFirstFileA of an exact name: " << inSmall << " us in a folder of 100 files, "
            << inMany << " us in a folder of 100,000; of a missing name in the large folder: "
            << missing / 1000 << " ms\n";
  RecordProperty("lookup_us_small", std::to_string(inSmall));
  RecordProperty("lookup_us_wide", std::to_string(inMany));
  RecordProperty("missing_lookup_us_wide", std::to_string(missing));
  // Reading 100,000 entries per lookup would make it about a thousand times slower.
  EXPECT_LT(inMany, 10 * inSmall);
}

TEST_F(WideFolderTest, AHundredThousandFilesGiveTheLargestHundredInFlatMemory) {
  FakeWindow window;
  window.recordReads = false;
  Win32DirectoryReader reader;

  // The platform's own order and sizes, read the way the walk reads them, give what the table
  // must hold. Reading a folder this large costs Wine's buffers about 6.5 MiB the first time and
  // some 4.5 MiB more the second (the first read's freed space does not fit the second's); from
  // then on every read, with or without lookups, costs nothing more. The folder is read twice
  // here, so what the walk adds is its own.
  ReferenceTable expected;
  for (int read = 1; read <= 2; ++read) {
    const std::int64_t beforeListing = privateBytes();
    expected.clear();
    int listed = 0;
    MemorySampler sampler;
    WIN32_FIND_DATAA data{};
    const UniqueFindHandle found(::FindFirstFileA((many + "*.*").c_str(), &data));
    ASSERT_TRUE(found);
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
      ++listed;
      expected.offer(many + data.cFileName,
                     static_cast<FileSize>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                           data.nFileSizeLow));
    } while (::FindNextFileA(found.get(), &data));
    sampler.stop();
    ASSERT_EQ(listed, kWideFiles);
    std::cout << "listing the folder, read " << read << ": private bytes up to "
              << (std::max(sampler.peak(), privateBytes()) - beforeListing) << " above "
              << beforeListing << "\n";
  }

  const std::int64_t before = privateBytes();
  FoundFileTable table;
  MemorySampler sampler;
  const auto start = Clock::now();
  const bool ended = DirectoryWalk(reader, window, table).walkDirectory(many);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  sampler.stop();
  const std::int64_t after = privateBytes();
  ASSERT_TRUE(ended);

  Entries found;
  for (int position = 1; position <= table.count(); ++position)
    found.emplace_back(table.pathAt(position), table.sizeAt(position));
  EXPECT_EQ(found, expected.entries());

  const std::int64_t growth = std::max(sampler.peak(), after) - before;
  std::cout << "walk of 100,000 files: " << elapsed.count() << " ms; private bytes " << before
            << " before, at most " << growth << " above that during the walk (" << sampler.samples()
            << " samples), " << (after - before) << " above it after\n";
  RecordProperty("walk_ms", std::to_string(elapsed.count()));
  RecordProperty("walk_memory_growth_bytes", std::to_string(growth));
  EXPECT_GT(sampler.samples(), 10);
  EXPECT_LT(growth, 4 * 1048576);
}

}  // namespace
}  // namespace quillfern
