#include "app/window_operations.h"

namespace quillfern {

void resizeResultList(WindowOperations& window) {
  window.setResultListHeight(window.windowHeight() - kResultListHeightAllowance);
  window.setResultListWidth(window.windowWidth());
}

}  // namespace quillfern
