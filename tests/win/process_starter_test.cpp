// Starting Explorer with CreateProcessA, against the stand-in beside this test program.
#include "actions/process_starter_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "actions/file_commands.h"
#include "stand_in_log.h"

namespace quillfern {
namespace {

class ProcessStarterTest : public ::testing::Test {
 protected:
  void SetUp() override { ::SetEnvironmentVariableA("QUILLFERN_EXPLORER_BUSY", nullptr); }
  std::string recorded() const { return explorer.text(); }
  static ULONGLONG timed(const Text& commandLine) {
    Win32ProcessStarter starter;
    const ULONGLONG start = ::GetTickCount64();
    starter.start(commandLine);
    return ::GetTickCount64() - start;
  }

  testing::StandInLog explorer{"QUILLFERN_EXPLORER_LOG", "explorer-stand-in.log"};
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
  EXPECT_FALSE(explorer.exists());
}

}  // namespace
}  // namespace quillfern
