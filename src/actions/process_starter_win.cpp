#include "actions/process_starter_win.h"

#include <windows.h>

#include <vector>

#include "common/unique_handle_win.h"

namespace quillfern {

namespace {
constexpr DWORD kIdleWaitMs = 1000;
}

void Win32ProcessStarter::start(const Text& commandLine) {
  // CreateProcessA may write into the command line, so it gets a copy of its own.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{
      .cb = sizeof startup, .dwFlags = STARTF_USESHOWWINDOW, .wShowWindow = SW_SHOWNORMAL};
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
    return;
  }
  UniqueKernelHandle process(started.hProcess);
  UniqueKernelHandle thread(started.hThread);
  ::WaitForInputIdle(process.get(), kIdleWaitMs);
  thread.reset();
  process.reset();
}

}  // namespace quillfern
