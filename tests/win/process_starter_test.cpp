// Starting Explorer with CreateProcessA, against the stand-in beside this test program.
#include "actions/process_starter_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "actions/file_commands.h"

namespace quillfern {
namespace {

class ProcessStarterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    log = std::string(folder) + "explorer-stand-in.log";
    ::DeleteFileA(log.c_str());
    ::SetEnvironmentVariableA("QUILLFERN_EXPLORER_LOG", log.c_str());
    ::SetEnvironmentVariableA("QUILLFERN_EXPLORER_BUSY", nullptr);
  }
  std::string recorded() const {
    for (int i = 0; i < 100; ++i) {
      std::ifstream in(log, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      if (!text.str().empty()) return text.str();
      ::Sleep(20);
    }
    return {};
  }
  static ULONGLONG timed(const Text& commandLine) {
    Win32ProcessStarter starter;
    const ULONGLONG start = ::GetTickCount64();
    starter.start(commandLine);
    return ::GetTickCount64() - start;
  }

  std::string log;
};

TEST_F(ProcessStarterTest, StartsExplorerWithTheExactCommandLineAndClosesItsHandles) {
  DWORD handlesBefore = 0, handlesAfter = 0;
  ::GetProcessHandleCount(::GetCurrentProcess(), &handlesBefore);
  // Spaces, a comma, brackets and 淺, whose second byte is a backslash.
  const Text path =
      "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\"
      "Temporary Internet Files\\a,b [1]\\\x9C\x5C (2).flv";
  const ULONGLONG elapsed = timed(fileManagerCommandLine(path));
  ::GetProcessHandleCount(::GetCurrentProcess(), &handlesAfter);
  EXPECT_EQ(recorded(), "Explorer /n,/select,\"" + path + "\"\n");
  EXPECT_LT(elapsed, 1500u);
  EXPECT_EQ(handlesAfter, handlesBefore);
}

TEST_F(ProcessStarterTest, WaitsAtMostASecondForAProgramThatNeverBecomesIdle) {
  ::SetEnvironmentVariableA("QUILLFERN_EXPLORER_BUSY", "1");
  const ULONGLONG elapsed = timed("Explorer /n,/select,\"C:\\x.flv\"");
  EXPECT_GE(elapsed, 900u);
  EXPECT_LT(elapsed, 1800u);
  EXPECT_EQ(recorded(), "Explorer /n,/select,\"C:\\x.flv\"\n");
}

TEST_F(ProcessStarterTest, AProgramThatCannotBeStartedIsSilentlyLeftOut) {
  const ULONGLONG elapsed = timed("NoSuchFileManagerAnywhere /n,/select,\"C:\\x.flv\"");
  EXPECT_LT(elapsed, 500u);
  std::ifstream in(log);
  EXPECT_FALSE(in.good());
}

}  // namespace
}  // namespace quillfern
