// The main window's controls and the rules of its layout and keyboard that do not depend on the
// platform: rectangles, stacking and Tab order, how keys move the focus and the check.
#pragma once

#include <array>
#include <optional>

namespace quillfern {

enum class Control { 单选框1, 单选框2, 单选框3, 编辑框1, 按钮1, 超级链接框1, 列表框1, 状态条1 };

struct Rect {
  int left, top, width, height;
};

struct Point {
  int x, y;
};

inline constexpr int kWindowWidth = 1062;
inline constexpr int kWindowHeight = 590;

inline constexpr Rect k单选框1Rect{16, 21, 120, 24};
inline constexpr Rect k单选框2Rect{152, 21, 120, 24};
inline constexpr Rect k单选框3Rect{309, 21, 88, 24};
inline constexpr Rect k编辑框1Rect{389, 21, 136, 24};
inline constexpr Rect k按钮1Rect{560, 8, 104, 50};
inline constexpr Rect k超级链接框1Rect{720, 13, 328, 40};
inline constexpr Rect k列表框1Rect{0, 74, 1056, 464};

// Top of the stack first; where two controls overlap the upper one is seen.
inline constexpr std::array<Control, 8> kStackingOrder{
    Control::超级链接框1, Control::编辑框1, Control::单选框3, Control::单选框2,
    Control::单选框1,     Control::状态条1, Control::按钮1,   Control::列表框1};

inline constexpr std::array<Control, 6> kTabOrder{Control::列表框1, Control::按钮1,
                                                  Control::单选框1, Control::单选框2,
                                                  Control::单选框3, Control::编辑框1};

// The list spans the window's outer width and sits this much less high than the outer height.
inline constexpr int kResultListHeightAllowance = 126;

// Widths and heights written to a control are clamped to this range.
inline constexpr int kMaxControlExtent = 32627;
constexpr int clampControlExtent(int extent) {
  return extent < 0 ? 0 : (extent > kMaxControlExtent ? kMaxControlExtent : extent);
}

// The popup menu opens this far right of and below the pointer.
inline constexpr int kResultMenuOffset = 3;

// Where the result list's popup menu opens, or nothing when no line is selected.
constexpr std::optional<Point> resultMenuOrigin(int selectedLine, Point cursor) {
  if (selectedLine == -1) return std::nullopt;
  return Point{cursor.x + kResultMenuOffset, cursor.y + kResultMenuOffset};
}

enum class Key { tab, escape, enter, left, up, right, down, other };

struct KeyPress {
  Key key = Key::other;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// What the window does with a key before the focused control sees it.
struct KeyAction {
  enum class Kind {
    passOn,      // the focused control gets the key
    moveFocus,   // focus `target`; the key is consumed
    checkRadio,  // check `target`, uncheck the other radio buttons, focus it; consumed
    close,       // close the window; consumed
  };
  Kind kind = Kind::passOn;
  Control target = Control::列表框1;
};

KeyAction translateKey(KeyPress press, std::optional<Control> focused);

}  // namespace quillfern
