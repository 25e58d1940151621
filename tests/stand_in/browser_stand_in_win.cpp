// Stands in for the web browser in the tests: appends its command line, byte for byte, to the
// file that QUILLFERN_BROWSER_LOG names, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char log[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableA("QUILLFERN_BROWSER_LOG", log, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  HANDLE file = ::CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const std::string line = std::string(::GetCommandLineA()) + "\n";
  DWORD written = 0;
  ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(file);
  return 0;
}
