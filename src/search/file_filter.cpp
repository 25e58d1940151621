#include "search/file_filter.h"

namespace quillfern {

Text currentFilePattern(WindowOperations& window) {
  if (window.isRadioChecked(Control::单选框1)) return "*.*";
  if (window.isRadioChecked(Control::单选框2)) return "*.flv";
  // The emptiness test is on the text as the user left it, before any cleaning.
  if (!window.isRadioChecked(Control::单选框3) || window.extensionText().empty()) return {};
  window.setExtensionText(removeSubtext(window.extensionText(), "."));
  window.setExtensionText(removeSubtext(window.extensionText(), "*"));
  window.setExtensionText(removeSpaces(window.extensionText()));
  return "*." + window.extensionText();
}

}  // namespace quillfern
