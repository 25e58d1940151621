// What the copy to the desktop needs from the platform: the desktop folder, a file copy and an
// information box.
#pragma once

#include <optional>

#include "common/text.h"

namespace quillfern {

class Desktop {
 public:
  // The file-system folder of the current user's desktop as the platform names it; nothing
  // when it cannot. The folder is not created.
  virtual std::optional<Text> desktopDirectory() = 0;
  // Copies `source` to `destination`, replacing a file of that name; true when it worked.
  virtual bool copyFile(const Text& source, const Text& destination) = 0;
  // Shows `text` in an information box; returns when the user has closed it.
  virtual void showMessage(const Text& text) = 0;

 protected:
  ~Desktop() = default;
};

// The desktop folder ending in a backslash, or the empty text when the platform cannot name it.
Text desktopFolder(Desktop& desktop);

}  // namespace quillfern
