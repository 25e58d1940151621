#include "program_test.h"

#define QUILLFERN_WIDEN_(text) L##text
#define QUILLFERN_WIDEN(text) QUILLFERN_WIDEN_(text)

namespace quillfern::e2e {

namespace {

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// A point of the main window's client area that no control covers: between the radio buttons
// and the list.
constexpr POINT kBareBackground{200, 62};

}  // namespace

std::wstring programPath() {
  return windowsPathOf(QUILLFERN_WIDEN(QUILLFERN_E2E_PROGRAM));
}

std::wstring screenshotFolder() {
  return windowsPathOf(QUILLFERN_WIDEN(QUILLFERN_E2E_SCREENSHOTS));
}

std::wstring resultLine(const std::wstring& sizeText, const std::wstring& relativePath) {
  return sizeText + L"MB  " + kCacheRoot + L"\\" + relativePath;
}

void ProgramTest::SetUp() {
  ASSERT_NE(program.process(), nullptr)
      << "could not start " << programPath() << ": error " << program.startError();
  ASSERT_NE(program.mainWindow(), nullptr) << "Quillfern.exe showed no window; exit code "
                                           << program.waitForExit(0ms).value_or(STILL_ACTIVE);
  ASSERT_TRUE(program.started()) << "the window of Quillfern.exe was not activated";
  main = program.mainWindow();
  list = control(k列表框1Id);
  searchButton = control(k按钮1Id);
  ASSERT_NE(list, nullptr);
  ASSERT_NE(searchButton, nullptr);
}

AssertionResult ProgramTest::click(int id) {
  HWND target = control(id);
  if (target == nullptr) return AssertionFailure() << "no control " << id;
  if (!input::click(centreOf(windowRect(target))))
    return AssertionFailure() << "could not click control " << id;
  return AssertionSuccess();
}

AssertionResult ProgramTest::search(std::chrono::milliseconds timeout) {
  // A line of the test's own that only a search removes. Once the last line is another one, the
  // search has started to put its lines in; the button is disabled from before the first of
  // them until after the last.
  const std::wstring marker = L"(the lines before the search)";
  if (addListLine(list, marker) < 0) return AssertionFailure() << "could not add a line";
  if (!input::click(centreOf(windowRect(searchButton))))
    return AssertionFailure() << "could not click 搜索";
  const bool ended = waitFor(
      [&] {
        const std::wstring last = listLine(list, listCount(list) - 1);
        return !last.empty() && last != marker && ::IsWindowEnabled(searchButton);
      },
      timeout);
  if (!ended) {
    return AssertionFailure() << "no search ended: " << listCount(list) << " lines, the last "
                              << listLine(list, listCount(list) - 1) << ", the button "
                              << (::IsWindowEnabled(searchButton) ? "enabled" : "disabled");
  }
  return AssertionSuccess();
}

AssertionResult ProgramTest::chooseFromMenu(int selected, int clicked, MenuItem item) {
  if (!input::click(centreOf(listLineRect(list, selected))))
    return AssertionFailure() << "could not click line " << selected;
  if (!waitFor([&] { return listSelection(list) == selected; }, 2s))
    return AssertionFailure() << "line " << selected << " was not selected";
  const RECT line = listLineRect(list, clicked);
  if (!input::click(POINT{line.left + 200, (line.top + line.bottom) / 2}, input::Button::right))
    return AssertionFailure() << "could not right-click line " << clicked;
  if (!waitFor([&] { return program.popupMenu() != nullptr; }, 2s))
    return AssertionFailure() << "no popup menu";
  for (int i = 0; i < static_cast<int>(item); ++i) {
    if (!input::press(VK_DOWN)) return AssertionFailure() << "could not press Down";
  }
  if (!input::press(VK_RETURN)) return AssertionFailure() << "could not press Return";
  if (!waitFor([&] { return program.popupMenu() == nullptr; }, 2s))
    return AssertionFailure() << "the popup menu stayed open";
  return AssertionSuccess();
}

HWND ProgramTest::waitForMessageBox() {
  HWND box = nullptr;
  waitFor([&] { return (box = program.topLevelWindow(L"#32770", L"信息：")) != nullptr; }, 5s);
  return box;
}

AssertionResult ProgramTest::returnToMainWindow() {
  if (!waitFor([&] { return ::IsWindowEnabled(main) != FALSE; }, 5s))
    return AssertionFailure() << "the main window stayed disabled";
  // Answered once the program's thread takes messages again, after the command has returned.
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer))
    return AssertionFailure() << "the program did not return to its message loop";
  POINT at = kBareBackground;
  ::ClientToScreen(main, &at);
  if (!input::click(at)) return AssertionFailure() << "could not click the window's background";
  if (!waitFor([&] { return ::GetForegroundWindow() == main && program.focus() != nullptr; }, 2s))
    return AssertionFailure() << "the main window did not take the focus back";
  return AssertionSuccess();
}

std::wstring ProgramTest::settledStatus(const std::wstring& expected,
                                        std::chrono::milliseconds timeout) {
  std::wstring last;
  waitFor(
      [&] {
        last = statusText(program.process(), control(k状态条1Id)).value_or(L"(unreadable)");
        return last == expected;
      },
      timeout);
  return last;
}

void ProgramTest::adopt(const wchar_t* variable) {
  const std::wstring prepared = environmentVariable(variable);
  ASSERT_NE(prepared, L"") << variable << " is not set: run under make-long-walks.sh";
  cache.emplace(prepared);
  ASSERT_EQ(cache->failure(), L"");
}

::testing::AssertionResult ProgramTest::startSearch() {
  if (!input::click(centreOf(windowRect(searchButton)))) {
    return ::testing::AssertionFailure() << "could not click 搜索";
  }
  if (!waitFor([&] { return !::IsWindowEnabled(searchButton); }, 2s)) {
    return ::testing::AssertionFailure() << "the button was not disabled";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace quillfern::e2e
