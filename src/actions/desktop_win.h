// The desktop folder, the file copy and the information box on Win32.
#pragma once

#include "actions/desktop.h"

namespace quillfern {

class Win32Desktop final : public Desktop {
 public:
  std::optional<Text> desktopDirectory() override;
  bool copyFile(const Text& source, const Text& destination) override;
  void showMessage(const Text& text) override;
};

}  // namespace quillfern
