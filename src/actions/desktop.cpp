#include "actions/desktop.h"

namespace quillfern {

Text desktopFolder(Desktop& desktop) {
  std::optional<Text> folder = desktop.desktopDirectory();
  if (!folder) return {};
  // A two-byte character whose second byte is 0x5C is no backslash.
  if (!folder->empty() && !lastCharacterIs(*folder, '\\')) folder->push_back('\\');
  return *folder;
}

}  // namespace quillfern
