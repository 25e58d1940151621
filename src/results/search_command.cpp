#include "results/search_command.h"

#include "results/size_text.h"
#include "search/directory_walk.h"

namespace quillfern {

void runSearch(ProgramState& state, WindowOperations& window, DirectoryReader& reader) {
  window.clearResultList();
  state.listedEntries.clear();
  state.foundFiles.clear();
  window.setSearchButtonDisabled(true);

  DirectoryWalk walk(reader, window, state.foundFiles);
  if (!walk.walkDirectory(state.cacheRoot + "\\")) return;  // the window is gone

  const int count = state.foundFiles.count();
  for (int position = 1; position <= count; ++position) {
    const Text line =
        resultLine(state.foundFiles.sizeAt(position), state.foundFiles.pathAt(position));
    // A line the list refuses is left out; the lines after it still know their entries.
    if (window.appendResultLine(line) >= 0) state.listedEntries.push_back(position);
  }
  window.setSearchButtonDisabled(false);
}

}  // namespace quillfern
