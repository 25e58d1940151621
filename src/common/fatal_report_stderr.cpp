#include <cstdio>

#include "common/fatal.h"

namespace quillfern {

void reportFatalError(std::string_view message) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stderr);
}

}  // namespace quillfern
