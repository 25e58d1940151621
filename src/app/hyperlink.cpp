#include "app/hyperlink.h"

namespace quillfern {

Text publisherPage(std::string_view host) {
  return "http://" + Text(host) + "/?cookies";
}

Text browserCommandLine(std::string_view registeredCommand, std::string_view target) {
  std::size_t cut = findSubtext(registeredCommand, "\"%1\"");
  if (cut == std::string_view::npos) cut = findSubtext(registeredCommand, "%1");
  return Text(registeredCommand.substr(0, cut)) + " " + Text(target);
}

}  // namespace quillfern
