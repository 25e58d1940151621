// The desktop folder and CopyFileA on real files under Wine, alone and inside the command.
#include "actions/desktop_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../unit/fake_platform.h"
#include "../unit/fake_window.h"
#include "actions/file_commands.h"

namespace quillfern {
namespace {

std::string contentsOf(const Text& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return in ? text.str() : std::string("<missing>");
}

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* sourcesVariable = std::getenv("QUILLFERN_TEST_SOURCES");
    ASSERT_NE(sourcesVariable, nullptr) << "run through make-desktop.sh";
    sources = sourcesVariable;
    folder = desktopFolder(desktop);
    ASSERT_FALSE(folder.empty());
  }
  Win32Desktop desktop;
  Text sources;
  Text folder;
};

TEST_F(DesktopTest, NamesTheUsersDesktopFolderWithOneTrailingBackslash) {
  const auto raw = desktop.desktopDirectory();
  ASSERT_TRUE(raw.has_value());
  EXPECT_FALSE(lastCharacterIs(*raw, '\\'));
  EXPECT_EQ(folder, *raw + "\\");
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST_F(DesktopTest, CopiesReplaceOrFailAsThePlatformDecides) {
  const struct {
    const char* source;  // below the sources folder
    const char* name;    // on the desktop
    bool copied;
    const char* desktopHolds;
  } cases[] = {
      {"\\A1\\new.txt", "new.txt", true, "new\n"},
      {"\\A1\\same.txt", "same.txt", true, "first copy\n"},
      // The same name from another folder replaces the first copy without a question.
      {"\\B2\\same.txt", "same.txt", true, "second copy, from another folder\n"},
      {"\\A1\\locked.txt", "locked.txt", false, "old\n"},      // cannot be replaced
      {"\\A1\\folder.txt", "folder.txt", false, "<missing>"},  // a folder of that name
      {"\\A1\\gone.txt", "gone.txt", false, "<missing>"},
      {"\\A1\\\x9C\x5C, [1].txt", "\x9C\x5C, [1].txt", true, "gbk\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(desktop.copyFile(sources + c.source, folder + c.name), c.copied) << c.name;
    EXPECT_EQ(contentsOf(folder + c.name), c.desktopHolds) << c.name;
  }
  EXPECT_EQ(contentsOf(folder + "large.bin"), "<missing>");
  EXPECT_TRUE(desktop.copyFile(sources + "\\B2\\large.bin", folder + "large.bin"));
  EXPECT_EQ(contentsOf(folder + "large.bin"), contentsOf(sources + "\\B2\\large.bin"));
}

// The real desktop and copy, with the messages and the file manager recorded.
class RecordingDesktop final : public Desktop {
 public:
  explicit RecordingDesktop(std::vector<std::string>& transcript) : transcript_(transcript) {}
  std::optional<Text> desktopDirectory() override { return real_.desktopDirectory(); }
  bool copyFile(const Text& source, const Text& destination) override {
    return real_.copyFile(source, destination);
  }
  void showMessage(const Text& text) override { transcript_.push_back("message " + text); }

 private:
  Win32Desktop real_;
  std::vector<std::string>& transcript_;
};

TEST_F(DesktopTest, ExtractingCopiesTheSelectedFileOrShowsItAfterSayingItFailed) {
  testing::FakeWindow window;
  window.recordReads = false;
  RecordingDesktop recording(window.transcript);
  testing::FakeProcessStarter processes(window.transcript);
  ProgramState state;
  state.cacheRoot = sources;
  state.foundFiles.offer(sources + "\\B2\\large.bin", 300000);
  state.foundFiles.offer(sources + "\\A1\\locked.txt", 7);
  state.listedEntries = {1, 2};

  window.selectedLine = 0;
  extractToDesktop(state, window, recording, processes);
  window.selectedLine = 1;
  extractToDesktop(state, window, recording, processes);
  EXPECT_EQ(window.transcript, (std::vector<std::string>{"message 复制成功！", "message 复制失败！",
                                                         "start Explorer /n,/select,\"" + sources +
                                                             "\\A1\\locked.txt\""}));
  EXPECT_EQ(contentsOf(folder + "large.bin"), contentsOf(sources + "\\B2\\large.bin"));
}

}  // namespace
}  // namespace quillfern
