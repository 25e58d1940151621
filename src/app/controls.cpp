#include "app/controls.h"

#include <algorithm>
#include <cstddef>

namespace quillfern {

namespace {

template <std::size_t N>
Control neighbour(const std::array<Control, N>& ring, std::optional<Control> from, bool backwards) {
  const auto found = from ? std::find(ring.begin(), ring.end(), *from) : ring.end();
  if (found == ring.end()) return backwards ? ring.back() : ring.front();
  const auto index = static_cast<std::size_t>(found - ring.begin());
  return ring[backwards ? (index + N - 1) % N : (index + 1) % N];
}

constexpr std::array<Control, 3> kRadioRing{Control::单选框1, Control::单选框2, Control::单选框3};

bool isRadio(std::optional<Control> control) {
  return control && std::find(kRadioRing.begin(), kRadioRing.end(), *control) != kRadioRing.end();
}

}  // namespace

KeyAction translateKey(KeyPress press, std::optional<Control> focused) {
  using Kind = KeyAction::Kind;
  if (press.ctrl || press.alt) return {};
  if (press.key == Key::tab) return {Kind::moveFocus, neighbour(kTabOrder, focused, press.shift)};
  if (press.shift) return {};
  switch (press.key) {
    case Key::escape:
      return {Kind::close, Control::列表框1};
    case Key::left:
    case Key::up:
      if (isRadio(focused)) return {Kind::checkRadio, neighbour(kRadioRing, focused, true)};
      return {};
    case Key::right:
    case Key::down:
      if (isRadio(focused)) return {Kind::checkRadio, neighbour(kRadioRing, focused, false)};
      return {};
    default:
      return {};
  }
}

}  // namespace quillfern
