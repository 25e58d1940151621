// The rules of the label that opens the publisher's web page: its colours, its target, and the
// browser command made from the one the registry names for web pages.
#pragma once

#include <string_view>

#include "common/text.h"

namespace quillfern {

struct Rgb {
  int red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kLinkColour{0, 0, 255};
inline constexpr Rgb kLinkHoverColour{51, 153, 255};
inline constexpr Rgb kLinkOpenedColour{128, 0, 0};

constexpr Rgb linkColour(bool hovering, bool opened) {
  return hovering ? kLinkHoverColour : (opened ? kLinkOpenedColour : kLinkColour);
}

// "http://" + host + "/?cookies"; nothing is appended when it is opened.
Text publisherPage(std::string_view host);

// The registered command cut before its quoted "%1", or else before its first %1, followed by a
// space and the target.
Text browserCommandLine(std::string_view registeredCommand, std::string_view target);

}  // namespace quillfern
