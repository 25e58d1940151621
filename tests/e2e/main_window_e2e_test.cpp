// The real program's main window, driven from outside with real input: its place and size, the
// keyboard's focus ring and radio buttons, closing with Esc, maximising, the result list's popup
// menu, and what the window looks like.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/commands.h"
#include "harness.h"

#define QUILLFERN_WIDEN_(text) L##text
#define QUILLFERN_WIDEN(text) QUILLFERN_WIDEN_(text)

namespace quillfern::e2e {
namespace {

const std::wstring kProgram = windowsPathOf(QUILLFERN_WIDEN(QUILLFERN_E2E_PROGRAM));
const std::wstring kScreenshots = windowsPathOf(QUILLFERN_WIDEN(QUILLFERN_E2E_SCREENSHOTS));

// The controls in the order Tab visits them.
constexpr std::array<int, 6> kTabRing{k列表框1Id, k按钮1Id,   k单选框1Id,
                                      k单选框2Id, k单选框3Id, k编辑框1Id};
constexpr std::array<int, 3> kRadios{k单选框1Id, k单选框2Id, k单选框3Id};

std::string nameOf(int id) {
  switch (id) {
    case k列表框1Id:
      return "List";
    case k按钮1Id:
      return "SearchButton";
    case k单选框1Id:
      return "AllFilesRadio";
    case k单选框2Id:
      return "FlvRadio";
    case k单选框3Id:
      return "OtherTypeRadio";
    case k编辑框1Id:
      return "ExtensionEdit";
    default:
      return "Control" + std::to_string(id);
  }
}

bool sameRect(const RECT& a, const RECT& b) {
  return ::EqualRect(&a, &b) != FALSE;
}

class MainWindowE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(program.process(), nullptr)
        << "could not start " << kProgram << ": error " << program.startError();
    ASSERT_NE(program.mainWindow(), nullptr) << "Quillfern.exe showed no window; exit code "
                                             << program.waitForExit(0ms).value_or(STILL_ACTIVE);
    ASSERT_TRUE(program.started()) << "the window of Quillfern.exe was not activated";
    main = program.mainWindow();
    list = program.control(k列表框1Id);
    ASSERT_NE(list, nullptr);
  }

  HWND control(int id) const { return program.control(id); }

  std::string focusName() const {
    HWND focus = program.focus();
    return focus == nullptr ? "nothing" : nameOf(::GetDlgCtrlID(focus));
  }

  // Presses a key that moves the focus elsewhere and waits until it is on `id`. Input is
  // handled in order, so everything sent before the key has been handled then too.
  bool pressFor(int id, WORD key, std::initializer_list<WORD> modifiers = {}) {
    if (program.focus() == control(id)) return false;  // the move could not be seen
    return input::press(key, modifiers) &&
           waitFor([&] { return program.focus() == control(id); }, 2s);
  }

  // Waits until the focus is where the window puts it at the start.
  bool focusOnList() {
    return waitFor([&] { return program.focus() == list; }, 2s);
  }

  // Tabs from the list, where the focus starts, to `id`.
  bool tabTo(int id) {
    if (!focusOnList()) return false;
    for (int stop : kTabRing) {
      if (stop != k列表框1Id && !pressFor(stop, VK_TAB)) return false;
      if (stop == id) return program.focus() == control(id);
    }
    return false;
  }

  // The radio button that holds the check, or 0 when not exactly one does.
  int checkedRadio() const {
    int checked = 0;
    for (int id : kRadios) {
      if (isChecked(control(id))) checked = checked == 0 ? id : -1;
    }
    return checked < 0 ? 0 : checked;
  }

  static std::wstring lineText(int index) {
    return std::to_wstring(90 - index) + L".00MB  C:\\缓存\\视频" + std::to_wstring(index) +
           L".flv";
  }

  void fillList(int lines) {
    for (int i = 0; i < lines; ++i)
      ASSERT_EQ(addListLine(list, lineText(i)), i);
  }

  Program program{kProgram};
  HWND main = nullptr;
  HWND list = nullptr;
};

TEST_F(MainWindowE2eTest, StartsCentredWithTheListBelowTheControlsAndTheFocusOnIt) {
  const RECT outer = windowRect(main);
  EXPECT_EQ(sizeOf(outer).cx, 1062);
  EXPECT_EQ(sizeOf(outer).cy, 590);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 1062) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 590) / 2);

  const RECT listRect = rectInParent(list);
  EXPECT_EQ(listRect.left, 0);
  EXPECT_EQ(listRect.top, 74);
  EXPECT_EQ(sizeOf(listRect).cx, 1062);
  EXPECT_EQ(sizeOf(listRect).cy, 464);

  EXPECT_TRUE(focusOnList()) << "the focus is on " << focusName();
  // A key the window passes on reaches the list: Down selects a line.
  fillList(3);
  ASSERT_TRUE(input::press(VK_DOWN));
  EXPECT_TRUE(waitFor([&] { return listSelection(list) != LB_ERR; }, 2s));
}

TEST_F(MainWindowE2eTest, TabAndShiftTabGoRoundTheControlsAndLeaveTheCheckAlone) {
  ASSERT_TRUE(focusOnList()) << "the focus is on " << focusName();
  for (std::size_t i = 1; i <= kTabRing.size(); ++i) {
    const int next = kTabRing[i % kTabRing.size()];
    ASSERT_TRUE(pressFor(next, VK_TAB))
        << "Tab from " << nameOf(kTabRing[i - 1]) << " went to " << focusName();
  }
  for (std::size_t i = kTabRing.size(); i > 0; --i) {
    const int previous = kTabRing[i - 1];
    ASSERT_TRUE(pressFor(previous, VK_TAB, {VK_SHIFT}))
        << "Shift+Tab from " << nameOf(kTabRing[i % kTabRing.size()]) << " went to " << focusName();
  }
  EXPECT_EQ(checkedRadio(), k单选框1Id);
}

TEST_F(MainWindowE2eTest, ArrowKeysMoveTheCheckAndTheFocusRoundTheRadioButtons) {
  ASSERT_TRUE(tabTo(k单选框1Id));
  const struct {
    WORD key;
    int checked;
  } steps[] = {
      {VK_RIGHT, k单选框2Id}, {VK_RIGHT, k单选框3Id}, {VK_RIGHT, k单选框1Id}, {VK_LEFT, k单选框3Id},
      {VK_UP, k单选框2Id},    {VK_DOWN, k单选框3Id},  {VK_DOWN, k单选框1Id},  {VK_UP, k单选框3Id},
  };
  int from = k单选框1Id;
  for (const auto& step : steps) {
    ASSERT_TRUE(input::press(step.key));
    ASSERT_TRUE(waitFor(
        [&] { return program.focus() == control(step.checked) && checkedRadio() == step.checked; },
        2s))
        << "key " << step.key << " on " << nameOf(from) << ": focus on " << focusName()
        << ", checked " << nameOf(checkedRadio());
    from = step.checked;
  }
}

TEST_F(MainWindowE2eTest, EnterChangesNothingOnAnyControl) {
  fillList(3);
  ::SendMessageW(list, LB_SETCURSEL, 1, 0);
  const RECT outer = windowRect(main);
  ASSERT_TRUE(focusOnList()) << "the focus is on " << focusName();
  for (std::size_t i = 0; i < kTabRing.size(); ++i) {
    const int at = kTabRing[i];
    ASSERT_TRUE(input::press(VK_RETURN));
    // Tab lands on the next control only if Enter left the focus where it was.
    ASSERT_TRUE(pressFor(kTabRing[(i + 1) % kTabRing.size()], VK_TAB))
        << "Enter on " << nameOf(at) << " moved the focus to " << focusName();
    SCOPED_TRACE("Enter on " + nameOf(at));
    EXPECT_TRUE(program.running());
    EXPECT_EQ(program.visibleWindows(), std::vector<HWND>{main});
    EXPECT_EQ(checkedRadio(), k单选框1Id);
    EXPECT_EQ(windowText(control(k编辑框1Id)), L"");
    EXPECT_EQ(listCount(list), 3);
    EXPECT_EQ(listSelection(list), 1);
    EXPECT_EQ(statusText(program.process(), control(k状态条1Id)), L"");
    EXPECT_TRUE(::IsWindowEnabled(control(k按钮1Id)));
    EXPECT_TRUE(sameRect(windowRect(main), outer));
  }
}

class EscapeE2eTest : public MainWindowE2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(EscapeE2eTest, ClosesTheProgramWithExitCodeZero) {
  ASSERT_TRUE(tabTo(GetParam())) << "the focus is on " << focusName();
  if (GetParam() == k编辑框1Id) {
    // Typed text does not keep the edit box from passing Esc to the window.
    ASSERT_TRUE(input::press('F'));
    ASSERT_TRUE(waitFor([&] { return windowText(control(k编辑框1Id)) == L"f"; }, 2s));
  }
  ASSERT_TRUE(input::press(VK_ESCAPE));
  const std::optional<DWORD> exitCode = program.waitForExit();
  ASSERT_TRUE(exitCode.has_value()) << "still running after Esc";
  EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(FromEveryControl, EscapeE2eTest, ::testing::ValuesIn(kTabRing),
                         [](const auto& tested) { return nameOf(tested.param); });

TEST_F(MainWindowE2eTest, MaximisingAndRestoringFitTheListToTheWindow) {
  const RECT restored = windowRect(main);
  const auto caption =
      findHit(main, HTCAPTION, POINT{centreOf(restored).x, restored.top}, POINT{0, 1}, 60);
  ASSERT_TRUE(caption.has_value()) << "no caption below " << restored.left << "," << restored.top;
  ASSERT_TRUE(input::doubleClick(*caption));
  ASSERT_TRUE(waitFor([&] { return ::IsZoomed(main) != FALSE; }, 2s)) << "not maximised";

  const auto listFits = [&] {
    const SIZE outer = sizeOf(windowRect(main));
    const SIZE size = sizeOf(windowRect(list));
    return size.cx == outer.cx && size.cy == outer.cy - 126;
  };
  EXPECT_TRUE(waitFor(listFits, 2s))
      << "window " << sizeOf(windowRect(main)).cx << "x" << sizeOf(windowRect(main)).cy << ", list "
      << sizeOf(windowRect(list)).cx << "x" << sizeOf(windowRect(list)).cy;
  EXPECT_GE(sizeOf(windowRect(main)).cx, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rectInParent(list).left, 0);
  EXPECT_EQ(rectInParent(list).top, 74);

  // Restore with the caption's button this time.
  const RECT maximised = windowRect(main);
  const auto restoreButton = findHit(
      main, HTMAXBUTTON, POINT{maximised.right - 1, caption->y - restored.top + maximised.top},
      POINT{-1, 0}, 200);
  ASSERT_TRUE(restoreButton.has_value()) << "no restore button";
  ASSERT_TRUE(input::click(*restoreButton));
  ASSERT_TRUE(waitFor([&] { return ::IsZoomed(main) == FALSE; }, 2s)) << "still maximised";
  EXPECT_TRUE(waitFor([&] { return sizeOf(windowRect(list)).cx == 1062; }, 2s));
  EXPECT_EQ(sizeOf(windowRect(list)).cy, 464);
  EXPECT_TRUE(sameRect(windowRect(main), restored));
}

class NoMenuE2eTest : public MainWindowE2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(NoMenuE2eTest, RightClickOnTheListWithoutASelectedLineOpensNoMenu) {
  const int lines = GetParam();
  fillList(lines);
  ASSERT_TRUE(focusOnList()) << "the focus is on " << focusName();
  const POINT at = lines > 1 ? centreOf(listLineRect(list, 1)) : centreOf(windowRect(list));
  ASSERT_TRUE(input::click(at, input::Button::right));
  // An open menu would take the Tab; its landing on the button shows the click was handled.
  ASSERT_TRUE(pressFor(k按钮1Id, VK_TAB)) << "the focus is on " << focusName();
  EXPECT_EQ(program.popupMenu(), nullptr);
  EXPECT_EQ(listSelection(list), LB_ERR);
  EXPECT_EQ(program.visibleWindows(), std::vector<HWND>{main});
}

INSTANTIATE_TEST_SUITE_P(EmptyOrFull, NoMenuE2eTest, ::testing::Values(0, 4),
                         [](const auto& tested) { return std::to_string(tested.param) + "Lines"; });

TEST_F(MainWindowE2eTest, RightClickOnAnotherLineOpensTheMenuAtThePointerAndKeepsTheSelection) {
  fillList(6);
  ASSERT_TRUE(input::click(centreOf(listLineRect(list, 1))));
  ASSERT_TRUE(waitFor([&] { return listSelection(list) == 1; }, 2s));

  const RECT line = listLineRect(list, 4);
  const POINT at{line.left + 200, (line.top + line.bottom) / 2};
  ASSERT_TRUE(input::click(at, input::Button::right));
  HWND menu = nullptr;
  ASSERT_TRUE(waitFor([&] { return (menu = program.popupMenu()) != nullptr; }, 2s)) << "no menu";
  const RECT menuRect = windowRect(menu);
  EXPECT_EQ(menuRect.left, at.x + 3);
  EXPECT_EQ(menuRect.top, at.y + 3);
  EXPECT_EQ(listSelection(list), 1);

  RECT shot{};
  const RECT outer = windowRect(main);
  ::UnionRect(&shot, &outer, &menuRect);
  const auto screenshot = captureSettled(shot);
  ASSERT_TRUE(screenshot.has_value());
  EXPECT_TRUE(screenshot->saveBmp(screenshotPath(kScreenshots, L"menu-open")));
  // The items' texts, which another process cannot read, are drawn.
  const RECT items{menuRect.left - shot.left + 4, menuRect.top - shot.top + 2,
                   menuRect.right - shot.left - 4, menuRect.bottom - shot.top - 2};
  EXPECT_GT(screenshot->darkPixels(items), 100);

  ASSERT_TRUE(input::press(VK_ESCAPE));
  EXPECT_TRUE(waitFor([&] { return program.popupMenu() == nullptr; }, 2s)) << "menu still open";
  // Esc closed only the menu: the window still takes keys, and no command ran.
  ASSERT_TRUE(pressFor(k按钮1Id, VK_TAB)) << "the focus is on " << focusName();
  EXPECT_TRUE(program.running());
  EXPECT_EQ(program.visibleWindows(), std::vector<HWND>{main});
  ASSERT_EQ(listCount(list), 6);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(listLine(list, i), lineText(i));
  EXPECT_EQ(listSelection(list), 1);
  EXPECT_EQ(statusText(program.process(), control(k状态条1Id)), L"");
}

TEST_F(MainWindowE2eTest, CaptionsAreDrawnInTheirControls) {
  const RECT outer = windowRect(main);
  const auto screenshot = captureSettled(outer);
  ASSERT_TRUE(screenshot.has_value());
  EXPECT_TRUE(screenshot->saveBmp(screenshotPath(kScreenshots, L"main-window")));
  // Inside the borders of each captioned control only its text is dark.
  const struct {
    int id;
    RECT inset;  // left, top, right, bottom margins kept out of the check
  } captions[] = {
      {k按钮1Id, {6, 6, 6, 6}},
      {k单选框1Id, {18, 2, 0, 2}},  // past the circle
      {k单选框2Id, {18, 2, 0, 2}},
      {k单选框3Id, {18, 2, 8, 2}},  // short of the edit box over its end
  };
  for (const auto& caption : captions) {
    const RECT rect = windowRect(control(caption.id));
    const RECT text{rect.left - outer.left + caption.inset.left,
                    rect.top - outer.top + caption.inset.top,
                    rect.right - outer.left - caption.inset.right,
                    rect.bottom - outer.top - caption.inset.bottom};
    EXPECT_GT(screenshot->darkPixels(text), 40) << nameOf(caption.id);
  }
}

}  // namespace
}  // namespace quillfern::e2e
