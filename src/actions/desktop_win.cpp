#include "actions/desktop_win.h"

#include <windows.h>
#include <shlobj.h>

namespace quillfern {

std::optional<Text> Win32Desktop::desktopDirectory() {
  char path[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return std::nullopt;
  return Text(path);
}

bool Win32Desktop::copyFile(const Text& source, const Text& destination) {
  return ::CopyFileA(source.c_str(), destination.c_str(), FALSE) != FALSE;
}

void Win32Desktop::showMessage(const Text& text) {
  // Task-modal: every window of the program is disabled until the box is closed.
  ::MessageBoxA(nullptr, text.c_str(), "信息：", MB_OK | MB_TASKMODAL);
}

}  // namespace quillfern
