// The real walk and search, on the real directory reader under Wine, over folder trees that no
// browser cache should hold but a disk may: deeper than a path can reach, paths around the
// length limit, cycles of links on every level, folder entries that cannot be opened, files that
// vanish or grow while the walk runs, and names that test every byte the code page allows.
// make-hostile-trees.sh makes what only the Unix side can; the rest is made here.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "../unit/fake_window.h"
#include "../unit/reference_table.h"
#include "common/unique_handle_win.h"
#include "results/search_command.h"
#include "search/directory_reader_win.h"
#include "search/directory_walk.h"

namespace quillfern {
namespace {

using testing::Entries;
using testing::FakeWindow;
using testing::ReferenceTable;
using Clock = std::chrono::steady_clock;

constexpr FileSize kMiB = 1048576;

Text treesRoot() {
  const char* root = std::getenv("QUILLFERN_HOSTILE_TREES");
  return root != nullptr ? Text(root) : Text();
}

Entries entriesOf(const FoundFileTable& table) {
  Entries entries;
  for (int position = 1; position <= table.count(); ++position)
    entries.emplace_back(table.pathAt(position), table.sizeAt(position));
  return entries;
}

Entries sorted(Entries entries) {
  std::sort(entries.begin(), entries.end());
  return entries;
}

bool sizesNeverIncrease(const Entries& entries) {
  return std::is_sorted(entries.begin(), entries.end(),
                        [](const auto& a, const auto& b) { return a.second > b.second; });
}

std::wstring wide(const Text& text) {
  const int length =
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        length);
  return result;
}

// A path's length as the A functions count it: in characters, not bytes.
std::size_t characters(const Text& path) {
  return wide(path).size();
}

// The longest path, in characters, that FindFirstFileA takes: a search for a missing name of
// that length fails with "not found", one character more with "name too long".
std::size_t longestPath(const Text& folder) {
  for (std::size_t length = MAX_PATH + 8; length > folder.size() + 1; --length) {
    const Text path = folder + "\\" + Text(length - folder.size() - 1, 'x');
    WIN32_FIND_DATAA data{};
    const UniqueFindHandle found(::FindFirstFileA(path.c_str(), &data));
    if (!found && ::GetLastError() != ERROR_FILENAME_EXCED_RANGE) return length;
  }
  return 0;
}

bool makeFolder(const Text& path) {
  return ::CreateDirectoryW((L"\\\\?\\" + wide(path)).c_str(), nullptr) ||
         ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// A file of `size` bytes; only its end is set, so Wine makes it sparse.
bool makeFile(const Text& path, FileSize size) {
  const UniqueFileHandle file(::CreateFileW((L"\\\\?\\" + wide(path)).c_str(), GENERIC_WRITE, 0,
                                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                            nullptr));
  return file &&
         ::SetFilePointerEx(file.get(), LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN) &&
         ::SetEndOfFile(file.get());
}

class HostileTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = treesRoot();
    ASSERT_FALSE(root.empty()) << "run through make-hostile-trees.sh";
    window.recordReads = false;
  }

  // Walks `dir` (ending in a backslash) into a fresh table; records how long it took.
  Entries walk(const Text& dir) {
    FoundFileTable table;
    const auto start = Clock::now();
    const bool ended = DirectoryWalk(reader, window, table).walkDirectory(dir);
    elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    EXPECT_TRUE(ended);
    return entriesOf(table);
  }

  // The texts the status bar was given, in order.
  std::vector<Text> statuses() const {
    std::vector<Text> shown;
    for (const std::string& line : window.transcript) {
      if (line.rfind("status ", 0) == 0) shown.push_back(line.substr(7));
    }
    return shown;
  }

  Text root;
  Win32DirectoryReader reader;
  FakeWindow window;
  std::chrono::milliseconds elapsed{};
};

TEST_F(HostileTreeTest, TheLengthLimitIsMaxPathCharacters) {
  // The cases below are worked out for either reading of MAX_PATH (with or without the
  // terminating null); anything else would be a platform this program was not made for.
  const std::size_t longest = longestPath(root);
  std::cout << "FindFirstFileA takes paths of up to " << longest << " characters\n";
  EXPECT_TRUE(longest == MAX_PATH - 1 || longest == MAX_PATH) << longest;
}

TEST_F(HostileTreeTest, ADeepTreeListsWhatAPathCanReachAndSkipsTheSubTreeBelow) {
  const std::size_t longest = longestPath(root);
  const Text deep = root + "\\deep\\";
  auto folderAt = [&](int level) {
    Text folder = deep;
    for (int i = 0; i < level; ++i)
      folder += "d\\";
    return folder;
  };
  // A folder is read while its search path "folder\*" fits; its files while "folder\*.*" fits;
  // a file's size while its full path fits, and it is unreadable (-1) otherwise.
  int deepestRead = 0;
  while (deepestRead < 120 && characters(folderAt(deepestRead + 1) + "*") <= longest)
    ++deepestRead;
  ASSERT_LT(deepestRead, 120) << "the tree no longer goes beyond the length limit";
  // The walk offers a folder's files after all of its sub-folders: the deepest level first.
  ReferenceTable expected;
  int unreadable = 0;
  for (int level = deepestRead; level >= 0; --level) {
    const Text folder = folderAt(level);
    if (characters(folder + "*.*") > longest) continue;
    const Text path = folder + "f" + std::to_string(level) + ".bin";
    const bool fits = characters(path) <= longest;
    unreadable += fits ? 0 : 1;
    expected.offer(path, fits ? 1000 + level % 3 : kUnreadableSize);
  }

  const Entries found = walk(deep);
  std::cout << "deep tree: folders read down to level " << deepestRead << " of 120, "
            << found.size() << " files listed, " << unreadable
            << " offered with an unreadable size, walked in " << elapsed.count() << " ms\n";
  EXPECT_EQ(found, expected.entries());

  // Every folder entry on the way down is shown, the one that is too long to read included,
  // and nothing below it.
  std::set<Text> expectedStatuses;
  for (int level = 0; level <= deepestRead; ++level) {
    for (const char* entry : {".", "..", "d"})
      expectedStatuses.insert(folderAt(level) + entry);
  }
  const std::vector<Text> shown = statuses();
  EXPECT_EQ(std::set<Text>(shown.begin(), shown.end()), expectedStatuses);
  EXPECT_EQ(shown.size(), expectedStatuses.size());
}

struct LengthCase {
  const char* what;
  std::size_t folderLength;  // characters of the folder path, its trailing backslash included
  const char* unit;          // the file's name is this character repeated
  std::size_t units;
};

// Each case is a folder of the given length (a short folder "c<n>" and a padding folder in it)
// holding one file, as many bytes long as the number of the case.
const LengthCase kLengthCases[] = {
    {"a file path of MAX_PATH - 1 characters", 200, "n", MAX_PATH - 1 - 200},
    {"a file path of MAX_PATH characters", 200, "n", MAX_PATH - 200},
    {"a file path of MAX_PATH + 1 characters", 200, "n", MAX_PATH + 1 - 200},
    {"a folder whose search path for files (\\*.*) is MAX_PATH - 1 characters", MAX_PATH - 4, "n",
     1},
    {"a folder whose search path for files (\\*.*) is MAX_PATH + 1 characters", MAX_PATH - 2, "n",
     1},
    {"a folder whose search path (\\*) is MAX_PATH + 1 characters", MAX_PATH, "n", 1},
    // 淺 (9C 5C) forty times: 280 bytes, 240 characters.
    {"a file path of more than MAX_PATH bytes in fewer characters", 200, "\x9C\x5C", 40},
};

TEST_F(HostileTreeTest, PathsAroundTheLengthLimit) {
  const std::size_t longest = longestPath(root);
  const Text edge = root + "\\edge\\";
  ASSERT_TRUE(makeFolder(edge));
  Entries expected;
  FileSize size = 0;
  for (const LengthCase& c : kLengthCases) {
    SCOPED_TRACE(c.what);
    ++size;
    const Text caseFolder = edge + "c" + std::to_string(size) + "\\";
    ASSERT_TRUE(makeFolder(caseFolder));
    ASSERT_GT(c.folderLength, caseFolder.size() + 1);
    const Text folder = caseFolder + Text(c.folderLength - caseFolder.size() - 1, 'p') + "\\";
    ASSERT_EQ(characters(folder), c.folderLength);
    ASSERT_TRUE(makeFolder(folder));
    Text path = folder;
    for (std::size_t i = 0; i < c.units; ++i)
      path += c.unit;
    ASSERT_EQ(characters(path), c.folderLength + c.units);
    ASSERT_TRUE(makeFile(path, size)) << ::GetLastError();
    // Read as in the deep tree: the folder, then its files, then each file's size.
    if (characters(folder + "*") > longest || characters(folder + "*.*") > longest) continue;
    expected.emplace_back(path, characters(path) <= longest ? size : kUnreadableSize);
  }

  const Entries found = walk(edge);
  for (const auto& [path, listedSize] : found) {
    std::cout << "listed: a path of " << characters(path) << " characters (" << path.size()
              << " bytes), size " << listedSize << "\n";
  }
  EXPECT_TRUE(sizesNeverIncrease(found));
  EXPECT_EQ(sorted(found), sorted(expected));
}

// "L<level>\\", a folder of the cycles tree.
Text levelFolder(int level) {
  Text folder = "L";
  folder += std::to_string(level);
  folder += '\\';
  return folder;
}

TEST_F(HostileTreeTest, CyclesOfLinksOnEveryLevelEndPromptlyAndListEachFileOnce) {
  // Every link leads back onto the folders being walked, so the only paths that repeat no
  // folder are the plain ones: each file is listed once, under its plain path.
  const Text cycles = root + "\\cycles\\";
  Entries expected;
  Text folder = cycles;
  for (int level = 0; level <= 4; ++level) {
    if (level > 0) folder += levelFolder(level);
    expected.emplace_back(folder + "f" + std::to_string(level) + ".bin", level + 1);
  }
  std::reverse(expected.begin(), expected.end());  // largest, so deepest, first

  const Entries found = walk(cycles);
  std::cout << "link cycles walked in " << elapsed.count() << " ms\n";
  EXPECT_EQ(found, expected);
  EXPECT_LT(elapsed, std::chrono::seconds(5));

  // Each link is passed over once, like any folder entry, and never entered.
  std::map<Text, int> shown;
  for (const Text& status : statuses())
    ++shown[status];
  EXPECT_EQ(shown[cycles + "top"], 1);
  folder = cycles;
  for (int level = 1; level <= 4; ++level) {
    folder += levelFolder(level);
    EXPECT_EQ(shown[folder + "up"], 1) << folder;
    EXPECT_EQ(shown[folder + "top"], 1) << folder;
  }
  for (const auto& [status, times] : shown) {
    EXPECT_EQ(times, 1) << status;
    EXPECT_EQ(status.find("\\up\\"), Text::npos) << status;
    EXPECT_EQ(status.find("\\top\\"), Text::npos) << status;
  }
}

// A folder tree as its walker sees it: files and folder entries, links included.
struct ModelFolder {
  std::vector<std::pair<Text, FileSize>> files;
  std::vector<std::pair<Text, int>> folders;  // an entry's name and the folder it leads to
};

// Every file once per path from `folder` that repeats no folder.
void filesOnPathsRepeatingNoFolder(const std::vector<ModelFolder>& tree, int folder,
                                   const Text& path, std::vector<int>& onPath, Entries& found) {
  onPath.push_back(folder);
  for (const auto& [name, target] : tree[static_cast<std::size_t>(folder)].folders) {
    if (std::find(onPath.begin(), onPath.end(), target) == onPath.end())
      filesOnPathsRepeatingNoFolder(tree, target, path + name + "\\", onPath, found);
  }
  for (const auto& [name, size] : tree[static_cast<std::size_t>(folder)].files)
    found.emplace_back(path + name, size);
  onPath.pop_back();
}

TEST_F(HostileTreeTest, ALinkSidewaysIntoTheCyclesListsEachFileOncePerPathRepeatingNoFolder) {
  // The "sideways" tree: folder 0 is the root, 1..3 are L1..L3, 4 is "side".
  const std::vector<ModelFolder> model{
      {{{"f0.bin", 1}}, {{"L1", 1}, {"side", 4}, {"top", 0}}},
      {{{"f1.bin", 2}}, {{"L2", 2}, {"top", 0}, {"up", 0}}},
      {{{"f2.bin", 3}}, {{"L3", 3}, {"top", 0}, {"up", 1}}},
      {{{"f3.bin", 4}}, {{"top", 0}, {"up", 2}}},
      {{}, {{"across", 2}}},
  };
  const Text sideways = root + "\\sideways\\";
  Entries expected;
  std::vector<int> onPath;
  filesOnPathsRepeatingNoFolder(model, 0, sideways, onPath, expected);

  const Entries found = walk(sideways);
  EXPECT_TRUE(sizesNeverIncrease(found));
  EXPECT_EQ(sorted(found), sorted(expected));
}

// The names the platform gives for a search, in its order.
std::vector<Text> listing(const Text& pattern) {
  std::vector<Text> names;
  WIN32_FIND_DATAA data{};
  const UniqueFindHandle found(::FindFirstFileA(pattern.c_str(), &data));
  if (!found) return names;
  do {
    names.emplace_back(data.cFileName);
  } while (::FindNextFileA(found.get(), &data));
  return names;
}

TEST_F(HostileTreeTest, FolderEntriesThatCannotBeOpenedAreShownAndContributeNothing) {
  const Text tree = root + "\\unreadable\\";
  // As the A functions spell them: a name outside the code page comes back with a "?" for
  // each UTF-16 unit, a wildcard; a backslash in a Unix name reads as a separator; a trailing
  // dot is dropped from a path. No search inside any of them succeeds.
  const std::vector<Text> unopenable{"??dir", "q?", "a\\b", "trail."};
  const std::vector<Text> names = listing(tree + "*");
  for (const Text& name : unopenable) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    WIN32_FIND_DATAA data{};
    const UniqueFindHandle inside(::FindFirstFileA((tree + name + "\\*").c_str(), &data));
    EXPECT_FALSE(inside) << name << " can be read after all";
  }
  // A dangling link and a link to itself are not listed at all.
  for (const char* hidden : {"dangling", "loop"})
    EXPECT_EQ(std::find(names.begin(), names.end(), hidden), names.end()) << hidden;

  const Entries found = walk(tree);
  // Permission bits do not stop Wine running as root, so "locked" is read; a FIFO lists as an
  // empty file, a link to a file as the file it leads to, and the file named outside the code
  // page under its "?" name, whose search finds only itself.
  const Entries expected{{tree + "ok\\ok.bin", 3}, {tree + "locked\\in.bin", 7},
                         {tree + "pipe", 0},       {tree + "target.bin", 7},
                         {tree + "link.bin", 7},   {tree + "x??.bin", 6}};
  EXPECT_TRUE(sizesNeverIncrease(found));
  EXPECT_EQ(sorted(found), sorted(expected));
  const std::vector<Text> shown = statuses();
  for (const Text& name : unopenable)
    EXPECT_NE(std::find(shown.begin(), shown.end(), tree + name), shown.end()) << name;
}

TEST_F(HostileTreeTest, EveryByteOfOddNamesReachesTheListedLines) {
  const Text tree = root + "\\names";
  // The names in code page 936, byte by byte, and their sizes in MiB as the script made them.
  const std::vector<std::pair<Text, int>> files{
      {" !#$%&'()+,-.0123456789;=@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{}~.bin",
       1},
      {"two  spaces, a comma [1].flv", 2},
      {"\x9C\x5C.bin", 3},  // 淺
      {"\xC0\x7C.bin", 4},  // 纜
      {"a\x9C\x5C"
       "b\xC0\x7C"
       "c.bin",
       5},                                                  // a淺b纜c
      {"\xC8\xAB\xBD\xC7\xA1\xA1\xBF\xD5\xB8\xF1.bin", 6},  // 全角　空格, a full-width space
      {"\x9C\x5C\\in.bin", 7},
      {"\xC0\x7C\\in.bin", 8},
      {"[x] {y}, z\\in.bin", 9},
      {"\x9C\x5C\xC0\x7C\x9C\x5C\\in.bin", 10},  // 淺纜淺
  };
  // Largest first.
  std::vector<Text> expected;
  for (const auto& [name, mib] : files)
    expected.insert(expected.begin(), std::to_string(mib) + "MB  " + tree + "\\" + name);

  ProgramState state;
  state.cacheRoot = tree;
  runSearch(state, window, reader);
  EXPECT_EQ(window.lines, expected);
}

// One folder of the changing tree: c0..c4 in the tree's root, 19 files each.
constexpr int kChangingFolders = 5;
constexpr int kFilesPerFolder = 19;

Text changingFile(const Text& tree, int folder, int file) {
  return tree + "c" + std::to_string(folder) + "\\f" + (file < 10 ? "0" : "") +
         std::to_string(file) + ".bin";
}

FileSize changingSize(int folder, int file) {
  return (folder * kFilesPerFolder + file + 1) * kMiB;
}

// A helper thread that deletes files while the walk runs: once the walk has passed folder
// `after` of the root (and so finished it), it deletes the odd-numbered files of every folder the
// walk has not reached yet, nearest first, while the walk goes on into the next one.
class Deleter {
 public:
  Deleter(const Text& tree, int after) : tree_(tree), after_(after), thread_([this] { run(); }) {}
  Deleter(const Deleter&) = delete;
  Deleter& operator=(const Deleter&) = delete;
  ~Deleter() { finish(); }

  // Waits until the thread is done (it does nothing when the walk never triggered it) and gives
  // the files it deleted.
  std::set<Text> finish() {
    if (thread_.joinable()) {
      {
        const std::lock_guard lock(mutex_);
        cancelled_ = true;
      }
      changed_.notify_one();
      thread_.join();
    }
    return deleted_;
  }

  // Called whenever the walk has passed a folder entry, with the entry's path.
  void passed(const Text& entry) {
    if (entry != tree_ + "c" + std::to_string(after_)) return;
    {
      const std::lock_guard lock(mutex_);
      triggered_ = true;
    }
    changed_.notify_one();
  }

 private:
  void run() {
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return triggered_ || cancelled_; });
      if (!triggered_) return;
    }
    for (int folder = after_ + 1; folder < kChangingFolders; ++folder) {
      for (int file = 1; file < kFilesPerFolder; file += 2) {
        const Text path = changingFile(tree_, folder, file);
        if (::DeleteFileA(path.c_str())) {
          const std::lock_guard lock(mutex_);
          deleted_.insert(path);
        }
      }
    }
  }

  const Text tree_;
  const int after_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool triggered_ = false;
  bool cancelled_ = false;
  std::set<Text> deleted_;
  std::thread thread_;  // last: it starts once everything it uses is there
};

// Appends to a file, 64 KiB at a time, until it is destroyed.
class Grower {
 public:
  explicit Grower(const Text& path)
      : file_(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
        thread_([this] { run(); }) {}
  Grower(const Grower&) = delete;
  Grower& operator=(const Grower&) = delete;
  ~Grower() {
    stop_ = true;
    thread_.join();
  }
  bool opened() const { return static_cast<bool>(file_); }

 private:
  void run() {
    const std::string chunk(65536, 'g');
    while (!stop_ && file_) {
      DWORD written = 0;
      if (!::WriteFile(file_.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &written,
                       nullptr)) {
        return;
      }
    }
  }

  UniqueFileHandle file_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

FileSize sizeOf(const Text& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return kUnreadableSize;
  return static_cast<FileSize>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                               data.nFileSizeLow);
}

TEST_F(HostileTreeTest, FilesThatVanishOrGrowDuringTheSearchShowWhatTheWalkSaw) {
  const Text tree = root + "\\changing\\";
  const Text growing = tree + "c2\\grow.bin";
  constexpr FileSize kGrowingFrom = 200 * kMiB;
  // What became of the deleted files, over all rounds.
  int deletedButListedWithSize = 0;
  int deletedAndListedAsVanished = 0;
  int deletedAndAbsent = 0;
  constexpr int kRounds = 12;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::map<Text, FileSize> sizes;  // every file of the tree but the growing one
    ASSERT_TRUE(makeFolder(tree));
    for (int folder = 0; folder < kChangingFolders; ++folder) {
      ASSERT_TRUE(makeFolder(tree + "c" + std::to_string(folder)));
      for (int file = 0; file < kFilesPerFolder; ++file) {
        const Text path = changingFile(tree, folder, file);
        ASSERT_TRUE(makeFile(path, changingSize(folder, file)));
        sizes[path] = changingSize(folder, file);
      }
    }
    ASSERT_TRUE(makeFile(growing, kGrowingFrom));

    FakeWindow search;
    search.recordReads = false;
    std::set<Text> deleted;
    {
      Deleter deleter(tree, round % (kChangingFolders - 1));
      const Grower grower(growing);
      ASSERT_TRUE(grower.opened());
      search.onProcessEvents = [&] { deleter.passed(search.statusText); };
      ProgramState state;
      state.cacheRoot = tree.substr(0, tree.size() - 1);
      runSearch(state, search, reader);
      search.onProcessEvents = nullptr;
      deleted = deleter.finish();
    }
    const FileSize grownTo = sizeOf(growing);
    EXPECT_FALSE(search.searchButtonDisabled);
    EXPECT_FALSE(deleted.empty());

    // Every line is "<MB>MB  <path>" for a file the tree held, once; a vanished file shows 0 MB,
    // the growing file a size it had during the search.
    std::set<Text> listed;
    Entries shownSizes;
    for (const Text& line : search.lines) {
      const std::size_t gap = line.find("MB  ");
      ASSERT_NE(gap, Text::npos) << line;
      const Text mb = line.substr(0, gap);
      const Text path = line.substr(gap + 4);
      shownSizes.emplace_back(path, std::llround(std::strtod(mb.c_str(), nullptr) * 100));
      EXPECT_TRUE(listed.insert(path).second) << "listed twice: " << line;
      if (path == growing) {
        EXPECT_GE(std::strtod(mb.c_str(), nullptr), 200.0) << line;
        EXPECT_LE(std::strtod(mb.c_str(), nullptr), static_cast<double>(grownTo) / kMiB + 0.005)
            << line;
        continue;
      }
      const auto known = sizes.find(path);
      if (known == sizes.end()) {
        ADD_FAILURE() << "not in the tree: " << line;
        continue;
      }
      const bool wasDeleted = deleted.count(path) != 0;
      if (mb == "0") {
        EXPECT_TRUE(wasDeleted) << "shown as vanished but still there: " << line;
        deletedAndListedAsVanished += wasDeleted ? 1 : 0;
      } else {
        EXPECT_EQ(mb, std::to_string(known->second / kMiB)) << line;
        deletedButListedWithSize += wasDeleted ? 1 : 0;
      }
    }
    EXPECT_TRUE(sizesNeverIncrease(shownSizes));
    // Only deleted files may be missing.
    EXPECT_EQ(listed.count(growing), 1u);
    for (const auto& [path, size] : sizes) {
      if (listed.count(path) != 0) continue;
      EXPECT_EQ(deleted.count(path), 1u) << "missing: " << path;
      ++deletedAndAbsent;
    }

    for (const auto& [path, size] : sizes)
      ::DeleteFileA(path.c_str());
    ::DeleteFileA(growing.c_str());
  }
  std::cout << "files deleted during " << kRounds << " searches: " << deletedAndAbsent
            << " not listed, " << deletedAndListedAsVanished << " listed as vanished (0MB), "
            << deletedButListedWithSize << " listed with their size (deleted after it was read)\n";
}

}  // namespace
}  // namespace quillfern
