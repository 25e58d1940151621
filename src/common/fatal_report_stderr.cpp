#include <cstdio>

#include "common/fatal.h"

namespace quillfern {

void reportFatalError(std::string_view message) {
  // Nothing is left to do if even the error stream fails.
  (void)std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
  (void)std::fflush(stderr);
}

}  // namespace quillfern
