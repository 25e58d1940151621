#include "actions/file_commands.h"

#include "actions/selected_entry.h"

namespace quillfern {

namespace {

// In the ANSI code page, as MessageBoxA shows them.
constexpr char kCopied[] = "复制成功！";
constexpr char kNotCopied[] = "复制失败！";

Text selectedFullPath(const ProgramState& state, const WindowOperations& window) {
  return fullPathOf(selectedEntryPath(state, window), state.cacheRoot);
}

}  // namespace

Text fileManagerCommandLine(const Text& path) {
  return "Explorer /n,/select,\"" + path + "\"";
}

void revealInFileManager(const Text& path, ProcessStarter& processes) {
  processes.start(fileManagerCommandLine(path));
}

void openFolder(const ProgramState& state, const WindowOperations& window,
                ProcessStarter& processes) {
  revealInFileManager(selectedFullPath(state, window), processes);
}

void extractToDesktop(const ProgramState& state, const WindowOperations& window, Desktop& desktop,
                      ProcessStarter& processes) {
  const Text source = selectedFullPath(state, window);
  const Text folder = desktopFolder(desktop);
  const Text name = fileNameOf(selectedEntryPath(state, window));
  // Without a desktop folder the copy would land in the current folder: it counts as failed.
  const bool copied = !folder.empty() && desktop.copyFile(source, folder + name);
  if (copied) {
    desktop.showMessage(kCopied);
    return;
  }
  desktop.showMessage(kNotCopied);
  revealInFileManager(selectedFullPath(state, window), processes);
}

}  // namespace quillfern
