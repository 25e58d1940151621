// The commands on the selected result line: show the file in the file manager, copy it to the
// desktop.
#pragma once

#include "actions/desktop.h"
#include "actions/process_starter.h"
#include "app/program_state.h"
#include "app/window_operations.h"

namespace quillfern {

// Explorer in a new window on the file's folder with the file selected. The path is quoted:
// Explorer splits its arguments at commas, and no file name can hold a double quote.
Text fileManagerCommandLine(const Text& path);

void revealInFileManager(const Text& path, ProcessStarter& processes);

// "打开文件夹".
void openFolder(const ProgramState& state, const WindowOperations& window,
                ProcessStarter& processes);

// "提取到桌面": copies the selected file to the desktop under its own name and says whether that
// worked; after a failure, shows the file in the file manager.
void extractToDesktop(const ProgramState& state, const WindowOperations& window, Desktop& desktop,
                      ProcessStarter& processes);

}  // namespace quillfern
