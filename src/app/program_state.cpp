#include "app/program_state.h"

namespace quillfern {

void onMainWindowCreated(ProgramState& state) {
  state.cacheRoot.assign(kCacheFolder);
}

}  // namespace quillfern
