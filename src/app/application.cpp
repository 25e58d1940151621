#include "app/application.h"

#include "results/search_command.h"

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
      runSearch(state_, window_, platform_.directories);
      break;
    case Command::extractToDesktop:
    case Command::openFolder:
      break;  // not bound yet
  }
}

}  // namespace quillfern
