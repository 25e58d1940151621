#include "results/search_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/selected_entry.h"
#include "fake_directory_tree.h"
#include "fake_window.h"

namespace quillfern {
namespace {

using testing::dir;
using testing::FakeDirectoryTree;
using testing::FakeWindow;
using testing::file;
using Lines = std::vector<std::string>;

class SearchTest : public ::testing::Test {
 protected:
  SearchTest() {
    window.recordReads = false;
    tree.recordSizeLookups = false;
    state.cacheRoot = "C:\\Cache";
  }
  void search() { runSearch(state, window, tree); }

  ProgramState state;
  FakeWindow window;
  FakeDirectoryTree tree{window.transcript};
};

TEST_F(SearchTest, ListsTheLargestFilesLargestFirstAndEnablesTheButtonAgain) {
  tree.folder("C:\\Cache\\", {dir("."), dir(".."), dir("A"), file("small.flv", 5243)});
  tree.folder("C:\\Cache\\A\\", {file("big.flv", 123456789), file("mid.txt", 1572864)});
  search();
  EXPECT_EQ(
      window.transcript,
      (Lines{"clearResultList", "disable 按钮1", "folders of C:\\Cache\\*", "status C:\\Cache\\.",
             "events", "status C:\\Cache\\..", "events", "folders of C:\\Cache\\A\\*",
             "files of C:\\Cache\\A\\*.*", "status C:\\Cache\\A", "events",
             "files of C:\\Cache\\*.*", "appendResultLine 117.74MB  C:\\Cache\\A\\big.flv",
             "appendResultLine 1.5MB  C:\\Cache\\A\\mid.txt",
             "appendResultLine 0.01MB  C:\\Cache\\small.flv", "enable 按钮1"}));
  EXPECT_EQ(window.statusText, "C:\\Cache\\A");
}

TEST_F(SearchTest, ANewSearchDiscardsTheLastResultAndRepeatsItExactly) {
  tree.folder("C:\\Cache\\", {file("a", 2), file("b", 2), file("c", 3)});
  search();
  const Lines first = window.lines;
  search();
  EXPECT_EQ(window.lines, first);
  EXPECT_EQ(state.foundFiles.count(), 3);

  // A search that finds nothing leaves an empty list and table, not the old ones.
  tree.unreadableFolders = {"C:\\Cache\\"};
  search();
  EXPECT_TRUE(window.lines.empty());
  EXPECT_EQ(state.foundFiles.count(), 0);
  EXPECT_FALSE(window.searchButtonDisabled);
}

TEST_F(SearchTest, AFullTableFillsTheListWithItsHundredEntries) {
  std::vector<testing::FakeEntry> files;
  for (int i = 0; i < 150; ++i)
    files.push_back(file("f" + std::to_string(i), 1048576LL * i));
  tree.folder("C:\\Cache\\", files);
  search();
  ASSERT_EQ(window.lines.size(), 100u);
  EXPECT_EQ(window.lines.front(), "149MB  C:\\Cache\\f149");
  EXPECT_EQ(window.lines[99], "50MB  C:\\Cache\\f50");
}

TEST_F(SearchTest, ARefusedLineLeavesTheOthersActingOnTheEntriesTheyShow) {
  tree.folder("C:\\Cache\\", {file("first", 30), file("second", 20), file("third", 10)});
  window.refusedAppends = {1};
  search();
  ASSERT_EQ(window.lines, (Lines{"0MB  C:\\Cache\\first", "0MB  C:\\Cache\\third"}));
  window.selectedLine = 1;
  EXPECT_EQ(selectedEntryPath(state, window), "C:\\Cache\\third");
  window.selectedLine = 0;
  EXPECT_EQ(selectedEntryPath(state, window), "C:\\Cache\\first");
  EXPECT_FALSE(window.searchButtonDisabled);
}

TEST_F(SearchTest, ClosingTheWindowDuringTheWalkLeavesTheListAndButtonAlone) {
  tree.folder("C:\\Cache\\", {dir("A"), dir("B"), file("r", 1)});
  tree.folder("C:\\Cache\\A\\", {file("a", 1)});
  window.onProcessEvents = [&] { window.closed = true; };
  search();
  EXPECT_EQ(window.transcript.back(), "events");
  EXPECT_TRUE(window.lines.empty());
  EXPECT_TRUE(window.searchButtonDisabled);  // never touched again once the window is gone
}

TEST_F(SearchTest, AnExtensionThatCleansToNothingSelectsFilesWithoutOneOnlyOnce) {
  tree.folder("C:\\Cache\\", {dir("A"), file("README", 2), file("r.txt", 2)});
  tree.folder("C:\\Cache\\A\\", {file("LICENSE", 1), file("a.txt", 1)});
  window.check(Control::单选框3);
  window.extension = " . ";
  search();
  // The first folder gets "*." and empties the box; every later folder finds it empty.
  EXPECT_EQ(window.lines, (Lines{"0MB  C:\\Cache\\A\\LICENSE"}));
  EXPECT_EQ(window.extension, "");
}

}  // namespace
}  // namespace quillfern
