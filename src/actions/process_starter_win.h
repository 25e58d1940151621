// Starting a program with CreateProcessA.
#pragma once

#include "actions/process_starter.h"

namespace quillfern {

class Win32ProcessStarter final : public ProcessStarter {
 public:
  void start(const Text& commandLine) override;
};

}  // namespace quillfern
