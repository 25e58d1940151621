#include "search/directory_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_directory_tree.h"
#include "fake_window.h"

namespace quillfern {
namespace {

using testing::dir;
using testing::FakeDirectoryTree;
using testing::FakeWindow;
using testing::file;
using testing::link;
using Lines = std::vector<std::string>;

class WalkTest : public ::testing::Test {
 protected:
  WalkTest() { window.recordReads = false; }

  bool walk(const Text& root = "R\\") {
    DirectoryWalk walker(tree, window, table);
    return walker.walkDirectory(root);
  }
  Lines paths() const {
    Lines result;
    for (int p = 1; p <= table.count(); ++p)
      result.push_back(table.pathAt(p));
    return result;
  }
  Lines statuses() const {
    Lines result;
    for (const std::string& line : window.transcript) {
      if (line.rfind("status ", 0) == 0) result.push_back(line.substr(7));
    }
    return result;
  }

  FakeWindow window;
  FakeDirectoryTree tree{window.transcript};
  FoundFileTable table;
};

TEST_F(WalkTest, FollowsTheFolderOrderStepByStep) {
  tree.folder("R\\", {dir("."), dir(".."), dir("A"), dir("B"), file("r.flv", 4)});
  tree.folder("R\\A\\", {dir("."), dir(".."), dir("A1"), file("a.flv", 2)});
  tree.folder("R\\A\\A1\\", {dir("."), dir(".."), file("a1.flv", 1)});
  tree.folder("R\\B\\", {dir("."), dir(".."), file("b.flv", 3)});
  window.recordReads = true;

  EXPECT_TRUE(walk());
  const Lines expected = {
      "folders of R\\*",
      "status R\\.",
      "events",
      "status R\\..",
      "events",
      "folders of R\\A\\*",
      "status R\\A\\.",
      "events",
      "status R\\A\\..",
      "events",
      "folders of R\\A\\A1\\*",
      "status R\\A\\A1\\.",
      "events",
      "status R\\A\\A1\\..",
      "events",
      "read 单选框1",
      "files of R\\A\\A1\\*.*",
      "offer R\\A\\A1\\a1.flv",
      "status R\\A\\A1",
      "events",
      "read 单选框1",
      "files of R\\A\\*.*",
      "offer R\\A\\a.flv",
      "status R\\A",
      "events",
      "folders of R\\B\\*",
      "status R\\B\\.",
      "events",
      "status R\\B\\..",
      "events",
      "read 单选框1",
      "files of R\\B\\*.*",
      "offer R\\B\\b.flv",
      "status R\\B",
      "events",
      "read 单选框1",
      "files of R\\*.*",
      "offer R\\r.flv",
  };
  EXPECT_EQ(window.transcript, expected);
  EXPECT_EQ(window.statusText, "R\\B");
  EXPECT_EQ(paths(), (Lines{"R\\r.flv", "R\\B\\b.flv", "R\\A\\a.flv", "R\\A\\A1\\a1.flv"}));
}

TEST_F(WalkTest, AMissingRootOffersNothingAndKeepsTheStatus) {
  window.statusText = "before";
  EXPECT_TRUE(walk());
  EXPECT_EQ(table.count(), 0);
  EXPECT_EQ(window.statusText, "before");
  EXPECT_EQ(window.transcript, (Lines{"folders of R\\*", "files of R\\*.*"}));
}

TEST_F(WalkTest, AnEmptyRootShowsItsSelfAndParentEntries) {
  tree.folder("R\\", {dir("."), dir("..")});
  walk();
  EXPECT_EQ(statuses(), (Lines{"R\\.", "R\\.."}));
  EXPECT_EQ(table.count(), 0);
}

TEST_F(WalkTest, OffersOnlyFilesEvenWhenAFolderMatchesThePattern) {
  tree.folder("R\\", {dir("movie.flv"), file("clip.flv", 7), file("clip.mp4", 9)});
  tree.folder("R\\movie.flv\\", {file("inner.flv", 5)});
  window.check(Control::单选框2);
  walk();
  EXPECT_EQ(paths(), (Lines{"R\\clip.flv", "R\\movie.flv\\inner.flv"}));
}

TEST_F(WalkTest, FilesWhoseSizeCannotBeReadAreOfferedAsUnreadable) {
  tree.folder("R\\", {file("gone.bin", 50), file("kept.bin", 10)});
  tree.vanishedFiles = {"R\\gone.bin"};
  walk();
  ASSERT_EQ(table.count(), 2);
  EXPECT_EQ(table.pathAt(1), "R\\kept.bin");
  EXPECT_EQ(table.pathAt(2), "R\\gone.bin");
  EXPECT_EQ(table.sizeAt(2), kUnreadableSize);
}

TEST_F(WalkTest, AnUnreadableFolderIsShownButContributesNothing) {
  tree.folder("R\\", {dir("locked"), dir("open"), file("r.bin", 1)});
  tree.folder("R\\locked\\", {file("secret.bin", 100)});
  tree.folder("R\\open\\", {file("o.bin", 2)});
  tree.unreadableFolders = {"R\\locked\\"};
  walk();
  EXPECT_EQ(statuses(), (Lines{"R\\locked", "R\\open"}));
  EXPECT_EQ(paths(), (Lines{"R\\open\\o.bin", "R\\r.bin"}));
}

TEST_F(WalkTest, AFailingNextEntryEndsThatEnumerationOnly) {
  tree.folder("R\\", {dir("A"), dir("B"), dir("C"), file("r.bin", 1)});
  tree.folder("R\\A\\", {file("a1.bin", 3), file("a2.bin", 2), file("a3.bin", 1)});
  tree.folder("R\\C\\", {file("c.bin", 4)});
  tree.failNextAfter = {{"R\\", 2}, {"R\\A\\", 1}};
  walk();
  EXPECT_EQ(statuses(), (Lines{"R\\A", "R\\B"}));
  EXPECT_EQ(paths(), (Lines{"R\\A\\a1.bin"}));
}

TEST_F(WalkTest, HugeFilesKeepTheirFullSize) {
  constexpr FileSize kGiB = FileSize{1} << 30;
  tree.folder("R\\",
              {file("three.bin", 3 * kGiB), file("fourplus.bin", 4 * kGiB + 5), file("one", 1)});
  walk();
  EXPECT_EQ(paths(), (Lines{"R\\fourplus.bin", "R\\three.bin", "R\\one"}));
  EXPECT_EQ(table.sizeAt(1), 4 * kGiB + 5);
}

TEST_F(WalkTest, AFilterChangeAppliesToTheFoldersFinishedAfterIt) {
  tree.folder("R\\", {dir("early"), dir("late"), file("root.flv", 1), file("root.txt", 1)});
  tree.folder("R\\early\\", {file("e.flv", 1), file("e.txt", 1)});
  tree.folder("R\\late\\", {file("l.flv", 1), file("l.txt", 1)});
  // The user picks the FLV filter while the walk passes the first folder entry of the root.
  window.onProcessEvents = [&] {
    if (window.statusText == "R\\early") window.check(Control::单选框2);
  };
  walk();
  EXPECT_EQ(paths(),
            (Lines{"R\\early\\e.flv", "R\\early\\e.txt", "R\\late\\l.flv", "R\\root.flv"}));
}

TEST_F(WalkTest, WithAnEmptyPatternFoldersAreWalkedButNoFileIsOffered) {
  tree.folder("R\\", {dir("A"), file("r.bin", 1)});
  tree.folder("R\\A\\", {file("a.bin", 1)});
  window.check(Control::单选框3);
  walk();
  EXPECT_EQ(statuses(), (Lines{"R\\A"}));
  EXPECT_EQ(table.count(), 0);
  EXPECT_EQ(window.transcript.back(), "files of R\\");
}

TEST_F(WalkTest, ClosingTheWindowStopsTheWalkAtOnce) {
  tree.folder("R\\", {dir("A"), dir("B"), file("r.bin", 1)});
  tree.folder("R\\A\\", {dir("A1"), file("a.bin", 1)});
  tree.folder("R\\A\\A1\\", {file("a1.bin", 1)});
  tree.folder("R\\B\\", {file("b.bin", 1)});
  window.onProcessEvents = [&] { window.closed = true; };
  EXPECT_FALSE(walk());
  // The first folder entry to be finished is the last one processed.
  EXPECT_EQ(window.transcript.back(), "events");
  EXPECT_EQ(statuses(), (Lines{"R\\A\\A1"}));
  EXPECT_EQ(paths(), (Lines{"R\\A\\A1\\a1.bin"}));
}

TEST_F(WalkTest, LinksBackOntoThePathAreNotFollowedAgain) {
  // R\A\up leads back to R, R\A\self to R\A; R\A\side leads to R\B, which is not on the path.
  tree.folder("R\\", {dir("A"), dir("B"), file("r.bin", 1)});
  tree.folder("R\\A\\", {link("up", "R\\"), link("self", "R\\A\\"), link("side", "R\\B\\"),
                         file("a.bin", 1)});
  tree.folder("R\\B\\", {link("back", "R\\A\\"), file("b.bin", 1)});
  walk();
  // Every link is still passed over like any other folder entry.
  EXPECT_EQ(statuses(), (Lines{"R\\A\\up", "R\\A\\self", "R\\A\\side\\back", "R\\A\\side", "R\\A",
                               "R\\B\\back\\up", "R\\B\\back\\self", "R\\B\\back\\side",
                               "R\\B\\back", "R\\B"}));
  // Each file once per path that repeats no folder.
  EXPECT_EQ(paths(), (Lines{"R\\A\\side\\b.bin", "R\\A\\a.bin", "R\\B\\back\\a.bin", "R\\B\\b.bin",
                            "R\\r.bin"}));
}

TEST_F(WalkTest, APlainFolderBelowALinkCanLeadBackOntoThePathToo) {
  // R\A\out leads to P, the folder that holds R: below it the plain folder R is the root again.
  tree.folder("P\\", {dir("R"), file("p.txt", 3)});
  tree.folder("P\\R\\", {dir("A"), file("r.txt", 1)});
  tree.folder("P\\R\\A\\", {link("out", "P\\"), file("a.txt", 2)});
  walk("P\\R\\");
  EXPECT_EQ(paths(), (Lines{"P\\R\\A\\out\\p.txt", "P\\R\\A\\a.txt", "P\\R\\r.txt"}));
  EXPECT_EQ(statuses(), (Lines{"P\\R\\A\\out\\R", "P\\R\\A\\out", "P\\R\\A"}));
}

TEST_F(WalkTest, FolderIdentitiesAreLookedUpOnlyWhereALinkIsMet) {
  tree.folder("R\\", {dir("A"), dir("B")});
  tree.folder("R\\A\\", {dir("A1")});
  tree.folder("R\\A\\A1\\", {file("x", 1)});
  walk();
  EXPECT_EQ(tree.identityLookups, 0);
}

}  // namespace
}  // namespace quillfern
