// The main window as the commands see it: the only way the logic touches the user interface.
// Once the window has been destroyed every operation is a harmless no-op and windowClosed()
// tells a running command to stop.
#pragma once

#include "app/controls.h"
#include "common/text.h"

namespace quillfern {

class WindowOperations {
 public:
  virtual void clearResultList() = 0;
  // The new line's index, or -1 when the list refuses the line.
  virtual int appendResultLine(const Text& line) = 0;
  // The selected line's index counted from 0, or -1.
  virtual int selectedResultLine() const = 0;
  virtual void setSearchButtonDisabled(bool disabled) = 0;
  virtual void setStatusText(const Text& text) = 0;
  // Dispatches what waits in the queue, never waiting for more; a quit request stays queued.
  virtual void processPendingEvents() = 0;
  // For 单选框1, 单选框2 and 单选框3.
  virtual bool isRadioChecked(Control radio) const = 0;
  virtual Text extensionText() const = 0;
  virtual void setExtensionText(const Text& text) = 0;
  // The outer rectangle's extent, frame and caption included.
  virtual int windowWidth() const = 0;
  virtual int windowHeight() const = 0;
  // Clamped to 0..kMaxControlExtent.
  virtual void setResultListWidth(int width) = 0;
  virtual void setResultListHeight(int height) = 0;
  virtual bool windowClosed() const = 0;

 protected:
  ~WindowOperations() = default;
};

// The size-changed handler: the list follows the window's outer size.
void resizeResultList(WindowOperations& window);

}  // namespace quillfern
