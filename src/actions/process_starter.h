// Starts another program and waits a little for it to be ready; never waits for it to end.
#pragma once

#include "common/text.h"

namespace quillfern {

class ProcessStarter {
 public:
  // Starts the program that the command line's first word names, in the normal show state with
  // no handles inherited, and waits up to a second for it to wait for input. A failure to start
  // is silent.
  virtual void start(const Text& commandLine) = 0;

 protected:
  ~ProcessStarter() = default;
};

}  // namespace quillfern
