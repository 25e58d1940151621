#include "app/application.h"

#include "actions/file_commands.h"
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
      extractToDesktop(state_, window_, platform_.desktop, platform_.processes);
      break;
    case Command::openFolder:
      openFolder(state_, window_, platform_.processes);
      break;
  }
}

}  // namespace quillfern
