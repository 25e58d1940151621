#include "common/fatal.h"

#include <cstdlib>
#include <string>

namespace quillfern {

void fatalPositionError(std::string_view list, long long position, long long count) {
  std::string message = "Internal error: position " + std::to_string(position) + " of " +
                        std::string(list) + " is outside 1.." + std::to_string(count) + ".";
  reportFatalError(message);
  std::_Exit(kFatalExitCode);
}

}  // namespace quillfern
