// Binds the main window's events to the program state and the commands.
#pragma once

#include "actions/desktop.h"
#include "actions/process_starter.h"
#include "app/commands.h"
#include "app/program_state.h"
#include "app/window_operations.h"
#include "search/directory_reader.h"

namespace quillfern {

// What the main window raises once it accepts events.
class MainWindowEvents {
 public:
  virtual void onCreated() = 0;
  virtual void onSizeChanged() = 0;
  virtual void onCommand(Command command) = 0;

 protected:
  ~MainWindowEvents() = default;
};

// The platform facilities the commands reach through.
struct Platform {
  DirectoryReader& directories;
  Desktop& desktop;
  ProcessStarter& processes;
};

class Application final : public MainWindowEvents {
 public:
  Application(ProgramState& state, WindowOperations& window, const Platform& platform)
      : state_(state), window_(window), platform_(platform) {}

  void onCreated() override;
  void onSizeChanged() override;
  void onCommand(Command command) override;

 private:
  ProgramState& state_;
  WindowOperations& window_;
  Platform platform_;
};

}  // namespace quillfern
