#include <windows.h>

#include <string>

#include "common/fatal.h"

namespace quillfern {

void reportFatalError(std::string_view message) {
  const std::string text(message);
  ::MessageBoxA(nullptr, text.c_str(), "Quillfern", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace quillfern
