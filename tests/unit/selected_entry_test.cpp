#include "actions/selected_entry.h"

#include <gtest/gtest.h>

#include "common/fatal.h"
#include "fake_window.h"

namespace quillfern {
namespace {

using testing::FakeWindow;

const Text kRoot =
    "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";

TEST(SelectedEntry, LinesCountFromZeroAndEntriesFromOne) {
  ProgramState state;
  FakeWindow window;
  for (int i = 0; i < 150; ++i)
    state.foundFiles.offer(kRoot + "\\f" + std::to_string(i), 1000 - i);
  for (int p = 1; p <= state.foundFiles.count(); ++p)
    state.listedEntries.push_back(p);
  window.selectedLine = 0;
  EXPECT_EQ(selectedPosition(state, window), 1);
  EXPECT_EQ(selectedEntryPath(state, window), kRoot + "\\f0");
  window.selectedLine = 99;
  EXPECT_EQ(selectedPosition(state, window), 100);
  EXPECT_EQ(selectedEntryPath(state, window), kRoot + "\\f99");
  window.selectedLine = -1;
  EXPECT_EQ(selectedPosition(state, window), 0);
}

TEST(SelectedEntry, FullPathOfAStoredPathIsThePathItself) {
  const Text relatives[] = {"\\A1\\clip.flv", "\\a b\\c d.flv", "\\x,y\\[1](2).flv",
                            "\\\xD0\xC2\xCE\xC5\\\x9C\x5C.flv", "\\top.flv"};
  for (const Text& relative : relatives) {
    EXPECT_EQ(relativePathOf(kRoot + relative, kRoot, "\r\n"), relative);
    EXPECT_EQ(fullPathOf(kRoot + relative, kRoot), kRoot + relative);
  }
}

TEST(SelectedEntry, RelativePathStopsAtTheNextRootOrLineBreak) {
  EXPECT_EQ(relativePathOf("ROOT\\a\\ROOT\\b", "ROOT", "\r\n"), "\\a\\");
  EXPECT_EQ(relativePathOf("ROOT\\a\r\nb", "ROOT", "\r\n"), "\\a");
  EXPECT_EQ(relativePathOf("ROOT\r\nrest", "ROOT", "\r\n"), "");
  EXPECT_EQ(relativePathOf("xROOT\\a", "ROOT", "\r\n"), "\\a");
}

TEST(SelectedEntry, FileNameIsTheLastPieceAndKeepsTwoByteCharactersWhole) {
  EXPECT_EQ(fileNameOf(kRoot + "\\A1\\clip.flv"), "clip.flv");
  EXPECT_EQ(fileNameOf(kRoot + "\\A1\\\x9C\x5C.flv"), "\x9C\x5C.flv");  // 淺.flv
  EXPECT_EQ(fileNameOf(kRoot + "\\A1\\\xB5\x5C"), "\xB5\x5C");          // a name ending in 0x5C
  EXPECT_EQ(fileNameOf("C:\\dir\\"), "dir");
}

TEST(SelectedEntryDeathTest, PathsWithoutTheirPiecesEndTheProgram) {
  const auto fatal = ::testing::ExitedWithCode(kFatalExitCode);
  EXPECT_EXIT(relativePathOf("ROOT", "ROOT", "\r\n"), fatal, "position 2 .* 1..1");
  EXPECT_EXIT(relativePathOf("C:\\elsewhere\\a.flv", "ROOT", "\r\n"), fatal, "position 2");
  EXPECT_EXIT(relativePathOf("ROOTROOT\\a", "ROOT", "\r\n"), fatal, "position 1 .* 1..0");
  EXPECT_EXIT(fileNameOf(""), fatal, "position 0 .* 1..0");
}

}  // namespace
}  // namespace quillfern
