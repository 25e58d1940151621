#include "app/application.h"

namespace quillfern {

void Application::onCreated() {
  onMainWindowCreated(state_);
}

void Application::onSizeChanged() {
  resizeResultList(window_);
}

void Application::onCommand(Command command) {
  switch (command) {
    case Command::runSearch:
    case Command::extractToDesktop:
    case Command::openFolder:
      break;  // not bound yet
  }
}

}  // namespace quillfern
