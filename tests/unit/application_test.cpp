#include "app/application.h"

#include <gtest/gtest.h>

#include "fake_directory_tree.h"
#include "fake_platform.h"
#include "fake_window.h"

namespace quillfern {
namespace {

using testing::FakeDesktop;
using testing::FakeDirectoryTree;
using testing::FakeProcessStarter;
using testing::FakeWindow;

TEST(Application, CreatedEventSetsTheFixedCacheFolder) {
  ProgramState state;
  FakeWindow window;
  FakeDirectoryTree tree{window.transcript};
  FakeDesktop desktop{window.transcript};
  FakeProcessStarter processes{window.transcript};
  Application application(state, window, Platform{tree, desktop, processes});
  EXPECT_TRUE(state.cacheRoot.empty());
  application.onCreated();
  EXPECT_EQ(
      state.cacheRoot,
      "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files");
  EXPECT_EQ(state.foundFiles.count(), 0);
}

struct ResizeCase {
  int width, height;
  int listWidth, listHeight;
};

TEST(Application, SizeChangedFitsTheListToTheOuterWindowSize) {
  const ResizeCase cases[] = {
      {1062, 590, 1062, 464},   // the start size
      {1296, 1010, 1296, 884},  // maximised on a 1280x1024 screen
      {160, 24, 160, 0},        // minimised: too low for the allowance
      {40000, 40000, 32627, 32627},
  };
  for (const ResizeCase& c : cases) {
    ProgramState state;
    FakeWindow window;
    FakeDirectoryTree tree{window.transcript};
    FakeDesktop desktop{window.transcript};
    FakeProcessStarter processes{window.transcript};
    window.width = c.width;
    window.height = c.height;
    Application(state, window, Platform{tree, desktop, processes}).onSizeChanged();
    EXPECT_EQ(window.listWidth, c.listWidth) << c.width << "x" << c.height;
    EXPECT_EQ(window.listHeight, c.listHeight) << c.width << "x" << c.height;
  }
}

TEST(Application, CommandsRunOnTheSelectedLineOfTheLastSearch) {
  ProgramState state;
  FakeWindow window;
  window.recordReads = false;
  FakeDirectoryTree tree{window.transcript};
  FakeDesktop desktop{window.transcript};
  FakeProcessStarter processes{window.transcript};
  Application application(state, window, Platform{tree, desktop, processes});
  application.onCreated();
  const Text root = state.cacheRoot + "\\";
  tree.folder(root, {testing::file("big.flv", 2097152), testing::file("small.flv", 1)});

  application.onCommand(Command::runSearch);
  EXPECT_EQ(window.lines,
            (std::vector<Text>{"2MB  " + root + "big.flv", "0MB  " + root + "small.flv"}));

  window.selectedLine = 1;
  window.transcript.clear();
  application.onCommand(Command::openFolder);
  application.onCommand(Command::extractToDesktop);
  EXPECT_EQ(
      window.transcript,
      (std::vector<std::string>{"start Explorer /n,/select,\"" + root + "small.flv\"", "desktop",
                                "copy " + root + "small.flv -> C:\\Users\\me\\Desktop\\small.flv",
                                "message 复制成功！"}));
}

}  // namespace
}  // namespace quillfern
