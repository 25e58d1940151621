#include "actions/file_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/selected_entry.h"
#include "common/fatal.h"
#include "fake_platform.h"
#include "fake_window.h"

namespace quillfern {
namespace {

using testing::FakeDesktop;
using testing::FakeProcessStarter;
using testing::FakeWindow;
using Lines = std::vector<std::string>;

const Text kRoot =
    "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";

// A search result with the fakes the commands act through.
struct Scene {
  Scene() {
    state.cacheRoot = kRoot;
    window.recordReads = false;
  }
  // A table of the given files, largest first, listed line for line, with `line` selected.
  void listed(const std::vector<Text>& relativePaths, int line) {
    FileSize size = 1000;
    for (const Text& relative : relativePaths) {
      state.foundFiles.offer(kRoot + relative, size--);
      state.listedEntries.push_back(state.foundFiles.count());
    }
    window.selectedLine = line;
  }
  void extract() { extractToDesktop(state, window, desktop, processes); }

  ProgramState state;
  FakeWindow window;
  FakeDesktop desktop{window.transcript};
  FakeProcessStarter processes{window.transcript};
};

class FileCommandsTest : public ::testing::Test, public Scene {};

TEST_F(FileCommandsTest, ACopyThatWorksIsReportedAndNothingMore) {
  listed({"\\A1\\clip.flv", "\\B\\other.flv"}, 0);
  extract();
  EXPECT_EQ(
      window.transcript,
      (Lines{"desktop", "copy " + kRoot + "\\A1\\clip.flv -> C:\\Users\\me\\Desktop\\clip.flv",
             "message 复制成功！"}));
}

TEST_F(FileCommandsTest, AFailedCopyIsReportedThenTheFileIsShownOnceTheBoxIsClosed) {
  listed({"\\A1\\clip.flv"}, 0);
  desktop.copySucceeds = false;
  extract();
  EXPECT_EQ(
      window.transcript,
      (Lines{"desktop", "copy " + kRoot + "\\A1\\clip.flv -> C:\\Users\\me\\Desktop\\clip.flv",
             "message 复制失败！", "start Explorer /n,/select,\"" + kRoot + "\\A1\\clip.flv\""}));
}

TEST_F(FileCommandsTest, WithoutADesktopFolderNothingIsCopiedAndTheCopyFails) {
  listed({"\\clip.flv"}, 0);
  desktop.directory = std::nullopt;
  extract();
  EXPECT_EQ(window.transcript, (Lines{"desktop", "message 复制失败！",
                                      "start Explorer /n,/select,\"" + kRoot + "\\clip.flv\""}));
}

TEST_F(FileCommandsTest, TheSelectionIsReadForEachStepInItsOrder) {
  listed({"\\a.flv", "\\b.flv"}, 1);
  window.recordReads = true;
  desktop.copySucceeds = false;
  extract();
  EXPECT_EQ(window.transcript, (Lines{"read selection", "desktop", "read selection",
                                      "copy " + kRoot + "\\b.flv -> C:\\Users\\me\\Desktop\\b.flv",
                                      "message 复制失败！", "read selection",
                                      "start Explorer /n,/select,\"" + kRoot + "\\b.flv\""}));
}

TEST_F(FileCommandsTest, TheDesktopFolderGetsOneBackslash) {
  const struct {
    Text folder;
    Text expected;
  } cases[] = {
      {"D:\\Desk", "D:\\Desk\\"},
      {"D:\\Desk\\", "D:\\Desk\\"},
      {"D:\\\xD7\xC0\xC3\xE6", "D:\\\xD7\xC0\xC3\xE6\\"},  // 桌面
      {"D:\\\x9C\x5C", "D:\\\x9C\x5C\\"},                  // ends in 淺, second byte 0x5C
      {"", ""},
  };
  for (const auto& c : cases) {
    desktop.directory = c.folder;
    EXPECT_EQ(desktopFolder(desktop), c.expected) << c.folder;
  }
  desktop.directory = std::nullopt;
  EXPECT_EQ(desktopFolder(desktop), "");
}

TEST_F(FileCommandsTest, PathsReachTheCopyAndTheFileManagerUnchanged) {
  const struct {
    Text relative;
    Text file;
  } cases[] = {{"\\a b\\clip one.flv", "clip one.flv"},
               {"\\x,y\\a,b.flv", "a,b.flv"},
               {"\\[1]\\(2) {3}.flv", "(2) {3}.flv"},
               {"\\\xD0\xC2\xCE\xC5\\\x9C\x5C.flv", "\x9C\x5C.flv"}};  // 新闻\淺.flv
  for (const auto& [name, file] : cases) {
    Scene scene;
    scene.listed({name}, 0);
    scene.extract();
    openFolder(scene.state, scene.window, scene.processes);
    const Lines& transcript = scene.window.transcript;
    EXPECT_EQ(transcript[1], "copy " + kRoot + name + " -> C:\\Users\\me\\Desktop\\" + file);
    EXPECT_EQ(transcript.back(), "start Explorer /n,/select,\"" + kRoot + name + "\"");
  }
}

TEST(FileManager, CommandLineQuotesThePathAndKeepsEverythingElse) {
  EXPECT_EQ(fileManagerCommandLine(kRoot + "\\A1\\clip.flv"),
            "Explorer /n,/select,\"C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\"
            "Temporary Internet Files\\A1\\clip.flv\"");
  EXPECT_EQ(fileManagerCommandLine("C:\\a,b=c\\d e"), "Explorer /n,/select,\"C:\\a,b=c\\d e\"");
}

using FileCommandsDeathTest = FileCommandsTest;

TEST_F(FileCommandsDeathTest, ACommandWithNoEntryBehindTheLineEndsTheProgram) {
  listed({"\\a.flv"}, -1);
  EXPECT_EXIT(openFolder(state, window, processes), ::testing::ExitedWithCode(kFatalExitCode),
              "position 0");
  window.selectedLine = 5;
  EXPECT_EXIT(extract(), ::testing::ExitedWithCode(kFatalExitCode), "position 6");
}

}  // namespace
}  // namespace quillfern
