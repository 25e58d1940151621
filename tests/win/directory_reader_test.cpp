// The directory reader on real folders under Wine, alone and inside a real walk and search.
#include "search/directory_reader_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "../unit/fake_window.h"
#include "common/unique_handle_win.h"
#include "results/search_command.h"
#include "search/directory_walk.h"

namespace quillfern {
namespace {

using testing::FakeWindow;
using Paths = std::set<Text>;

Text treeRoot() {
  const char* root = std::getenv("QUILLFERN_TEST_TREE");
  return root != nullptr ? Text(root) : Text();
}

class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = treeRoot();
    ASSERT_FALSE(root.empty()) << "run through make-tree.sh";
    window.recordReads = false;
  }

  Paths walk(const Text& dir) {
    FoundFileTable table;
    DirectoryWalk(reader, window, table).walkDirectory(dir);
    Paths paths;
    for (int p = 1; p <= table.count(); ++p)
      paths.insert(table.pathAt(p));
    return paths;
  }

  std::vector<Text> names(const Text& pattern, EntryKind kind) {
    std::vector<Text> result;
    const auto entries = reader.enumerateEntries(pattern, kind);
    for (auto* entry = entries->current(); entry != nullptr; entry = entries->current()) {
      result.push_back(entry->name);
      entries->advance();
    }
    return result;
  }

  Text root;
  Win32DirectoryReader reader;
  FakeWindow window;
};

TEST_F(ReaderTest, EnumeratesOneKindOfEntryWhateverItsAttributes) {
  const Text plain = root + "\\plain\\";
  ASSERT_TRUE(::SetFileAttributesA((plain + "hidden.flv").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(::SetFileAttributesA((plain + "system.flv").c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(::SetFileAttributesA((plain + "hiddendir").c_str(),
                                   FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN));

  const auto folders = names(plain + "*", EntryKind::directories);
  EXPECT_EQ(std::set<Text>(folders.begin(), folders.end()),
            (std::set<Text>{".", "..", "hiddendir", "movie.flv"}));
  const auto files = names(plain + "*", EntryKind::files);
  EXPECT_EQ(std::set<Text>(files.begin(), files.end()),
            (std::set<Text>{"big.flv", "hidden.flv", "notes.txt", "system.flv", "\x9C\x5C.flv"}));
  EXPECT_TRUE(names(root + "\\missing\\*", EntryKind::files).empty());
  EXPECT_TRUE(names(plain, EntryKind::files).empty());  // the empty pattern
}

TEST_F(ReaderTest, LooksUpTheWholeSizeOfAFileByItsPath) {
  EXPECT_EQ(reader.lookUpFileSize(root + "\\plain\\big.flv"), FileSize{5} << 30);
  EXPECT_EQ(reader.lookUpFileSize(root + "\\plain\\notes.txt"), 6);
  EXPECT_EQ(reader.lookUpFileSize(root + "\\plain\\\x9C\x5C.flv"), 4);
  EXPECT_EQ(reader.lookUpFileSize(root + "\\plain\\gone.flv"), kUnreadableSize);
}

TEST_F(ReaderTest, FlvFilterWalksAFolderNamedLikeAVideoButOffersOnlyFiles) {
  ::SetFileAttributesA((root + "\\plain\\hidden.flv").c_str(), FILE_ATTRIBUTE_HIDDEN);
  window.check(Control::单选框2);
  const Text plain = root + "\\plain\\";
  EXPECT_EQ(walk(plain), (Paths{plain + "big.flv", plain + "hidden.flv", plain + "system.flv",
                                plain + "\x9C\x5C.flv", plain + "hiddendir\\h.flv",
                                plain + "movie.flv\\inner.flv"}));
}

TEST_F(ReaderTest, AMissingRootGivesNothingAndLeavesTheStatusAlone) {
  window.statusText = "before";
  EXPECT_TRUE(walk(root + "\\missing\\").empty());
  EXPECT_EQ(window.statusText, "before");
}

TEST_F(ReaderTest, LinksBackOntoTheWalkPathAreNotFollowedAgain) {
  const Text cycle = root + "\\cycle\\";
  EXPECT_EQ(walk(cycle), (Paths{cycle + "A\\a.txt", cycle + "B\\b.txt", cycle + "B\\side\\a.txt"}));
  Paths shown;
  for (const std::string& line : window.transcript) {
    if (line.rfind("status ", 0) == 0) shown.insert(line.substr(7));
  }
  // Each link is still passed over like any folder entry.
  for (const char* passed : {"A\\up", "A\\self", "B\\side", "B\\side\\up", "B\\side\\self"}) {
    EXPECT_EQ(shown.count(cycle + passed), 1u) << passed;
  }
}

TEST_F(ReaderTest, PathsNearTheLengthLimit) {
  // A folder whose files' paths are exactly MAX_PATH - 1 long, and one level below it whose
  // search path no longer fits.
  const Text base = root + "\\long\\";
  ASSERT_TRUE(::CreateDirectoryA(base.c_str(), nullptr) ||
              ::GetLastError() == ERROR_ALREADY_EXISTS);
  const std::size_t nameLength = 8;
  const std::size_t folderLength = MAX_PATH - 1 - base.size() - 1 - nameLength;
  ASSERT_GT(folderLength, 0u);
  ASSERT_LT(folderLength, 240u);
  const Text folder = base + Text(folderLength, 'd');
  const Text fitting = folder + "\\" + Text(nameLength, 'f');
  ASSERT_EQ(fitting.size(), static_cast<std::size_t>(MAX_PATH - 1));
  const std::wstring wideFolder = L"\\\\?\\" + std::wstring(folder.begin(), folder.end());
  ASSERT_TRUE(::CreateDirectoryW(wideFolder.c_str(), nullptr));
  {
    const UniqueFileHandle created(
        ::CreateFileW((L"\\\\?\\" + std::wstring(fitting.begin(), fitting.end())).c_str(),
                      GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(created);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(created.get(), "12345", 5, &written, nullptr));
  }
  const std::wstring below = wideFolder + L"\\sub";
  ASSERT_TRUE(::CreateDirectoryW(below.c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW((below + L"\\deeper").c_str(), nullptr));

  FoundFileTable table;
  DirectoryWalk(reader, window, table).walkDirectory(base);
  ASSERT_EQ(table.count(), 1);
  EXPECT_EQ(table.pathAt(1), fitting);
  EXPECT_EQ(table.sizeAt(1), 5);
}

TEST_F(ReaderTest, ASearchListsTheFiveGibibyteFileFirst) {
  ProgramState state;
  state.cacheRoot = root + "\\plain";
  runSearch(state, window, reader);
  ASSERT_FALSE(window.lines.empty());
  EXPECT_EQ(window.lines.front(), "5120MB  " + root + "\\plain\\big.flv");
  EXPECT_EQ(window.statusText.rfind(root + "\\plain\\", 0), 0u);
}

}  // namespace
}  // namespace quillfern
