// Stands in for Explorer in the tests, found first because it sits beside the program that
// starts it. Appends its command line, byte for byte, to the file that QUILLFERN_EXPLORER_LOG
// names, then waits for input for two seconds like a window program. With QUILLFERN_EXPLORER_BUSY
// set it never waits for input before it ends; with QUILLFERN_EXPLORER_QUICK set it ends at once,
// so that long runs which start it hundreds of times leave none behind.
#include <windows.h>

#include <string>

namespace {

std::string environment(const char* name) {
  char value[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableA(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string log = environment("QUILLFERN_EXPLORER_LOG");
  if (!log.empty()) {
    HANDLE file = ::CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      const std::string line = std::string(::GetCommandLineA()) + "\n";
      DWORD written = 0;
      ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      ::CloseHandle(file);
    }
  }
  if (!environment("QUILLFERN_EXPLORER_QUICK").empty()) return 0;
  if (!environment("QUILLFERN_EXPLORER_BUSY").empty()) {
    ::Sleep(3000);
    return 0;
  }
  ::SetTimer(nullptr, 0, 2000, nullptr);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
    ::DispatchMessageA(&message);
  }
  return 0;
}
