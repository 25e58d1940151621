#include "app/controls.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace quillfern {
namespace {

using Kind = KeyAction::Kind;

struct KeyCase {
  const char* what;
  KeyPress press;
  std::optional<Control> focused;
  Kind kind;
  Control target;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
  return out << c.what;
}

class KeyTranslation : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTranslation, ActsOnTheKeyBeforeTheControlSeesIt) {
  const KeyCase& c = GetParam();
  const KeyAction action = translateKey(c.press, c.focused);
  EXPECT_EQ(action.kind, c.kind);
  if (c.kind == Kind::moveFocus || c.kind == Kind::checkRadio) {
    EXPECT_EQ(action.target, c.target);
  }
}

constexpr KeyPress kTab{Key::tab};
constexpr KeyPress kShiftTab{Key::tab, true};

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyTranslation,
    ::testing::Values(KeyCase{"TabFromListGoesToButton", kTab, Control::列表框1, Kind::moveFocus,
                              Control::按钮1},
                      KeyCase{"TabFromButtonGoesToFirstRadio", kTab, Control::按钮1,
                              Kind::moveFocus, Control::单选框1},
                      KeyCase{"TabFromThirdRadioGoesToEdit", kTab, Control::单选框3,
                              Kind::moveFocus, Control::编辑框1},
                      KeyCase{"TabFromEditGoesRoundToList", kTab, Control::编辑框1, Kind::moveFocus,
                              Control::列表框1},
                      KeyCase{"ShiftTabFromListGoesToEdit", kShiftTab, Control::列表框1,
                              Kind::moveFocus, Control::编辑框1},
                      KeyCase{"ShiftTabFromFirstRadioGoesToButton", kShiftTab, Control::单选框1,
                              Kind::moveFocus, Control::按钮1},
                      KeyCase{"TabWithNoFocusStartsTheRing", kTab, std::nullopt, Kind::moveFocus,
                              Control::列表框1},
                      KeyCase{"CtrlTabIsLeftAlone", KeyPress{Key::tab, false, true},
                              Control::列表框1, Kind::passOn, Control::列表框1},
                      KeyCase{"EscapeClosesFromTheList", KeyPress{Key::escape}, Control::列表框1,
                              Kind::close, Control::列表框1},
                      KeyCase{"EscapeClosesFromTheEdit", KeyPress{Key::escape}, Control::编辑框1,
                              Kind::close, Control::列表框1},
                      KeyCase{"EscapeClosesWithNoFocus", KeyPress{Key::escape}, std::nullopt,
                              Kind::close, Control::列表框1},
                      KeyCase{"ShiftEscapeIsLeftAlone", KeyPress{Key::escape, true},
                              Control::列表框1, Kind::passOn, Control::列表框1},
                      KeyCase{"EnterGoesToTheControl", KeyPress{Key::enter}, Control::按钮1,
                              Kind::passOn, Control::按钮1},
                      KeyCase{"RightMovesTheCheckOn", KeyPress{Key::right}, Control::单选框1,
                              Kind::checkRadio, Control::单选框2},
                      KeyCase{"DownMovesTheCheckOn", KeyPress{Key::down}, Control::单选框2,
                              Kind::checkRadio, Control::单选框3},
                      KeyCase{"RightFromTheLastRadioGoesRound", KeyPress{Key::right},
                              Control::单选框3, Kind::checkRadio, Control::单选框1},
                      KeyCase{"LeftFromTheFirstRadioGoesRound", KeyPress{Key::left},
                              Control::单选框1, Kind::checkRadio, Control::单选框3},
                      KeyCase{"UpMovesTheCheckBack", KeyPress{Key::up}, Control::单选框3,
                              Kind::checkRadio, Control::单选框2},
                      KeyCase{"ArrowsInTheListMoveItsSelection", KeyPress{Key::down},
                              Control::列表框1, Kind::passOn, Control::列表框1},
                      KeyCase{"ArrowsInTheEditMoveTheCaret", KeyPress{Key::left}, Control::编辑框1,
                              Kind::passOn, Control::编辑框1},
                      KeyCase{"AltArrowIsLeftAlone", KeyPress{Key::right, false, false, true},
                              Control::单选框1, Kind::passOn, Control::单选框1}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(ResultMenu, OpensOnlyWithASelectedLineThreePixelsOffThePointer) {
  EXPECT_FALSE(resultMenuOrigin(-1, Point{100, 200}).has_value());
  const auto origin = resultMenuOrigin(0, Point{100, 200});
  ASSERT_TRUE(origin.has_value());
  EXPECT_EQ(origin->x, 103);
  EXPECT_EQ(origin->y, 203);
}

TEST(ControlExtent, IsClampedToTheRangeAControlAccepts) {
  const std::pair<int, int> cases[] = {
      {-1, 0},        {-40000, 0},        {0, 0}, {464, 464}, {32627, 32627},
      {32628, 32627}, {2147483647, 32627}};
  for (const auto& [written, expected] : cases) {
    EXPECT_EQ(clampControlExtent(written), expected) << written;
  }
}

}  // namespace
}  // namespace quillfern
