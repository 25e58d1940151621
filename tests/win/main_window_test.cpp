// The real main window, created in this process: its controls, its events and its operations.
#include "app/main_window_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "actions/desktop_win.h"
#include "actions/process_starter_win.h"
#include "search/directory_reader_win.h"

namespace quillfern {
namespace {

// The program's own event bindings, with a record of every event and whether the window was
// already visible when it came.
class RecordingEvents final : public MainWindowEvents {
 public:
  explicit RecordingEvents(MainWindow& window)
      : window_(window),
        application_(state, window, Platform{directories_, desktop_, processes_}) {}
  ProgramState state;
  std::vector<std::string> events;
  std::function<void(Command)> commandHandler;

  void onCreated() override {
    events.push_back(visible() ? "created, shown" : "created");
    application_.onCreated();
  }
  void onSizeChanged() override {
    events.push_back(visible() ? "size changed, shown" : "size changed");
    application_.onSizeChanged();
  }
  void onCommand(Command command) override {
    events.push_back("command " + std::to_string(static_cast<int>(command)));
    if (commandHandler) commandHandler(command);
  }
  std::vector<std::string> commands() const {
    std::vector<std::string> result;
    for (const std::string& event : events) {
      if (event.rfind("command", 0) == 0) result.push_back(event);
    }
    return result;
  }

 private:
  bool visible() const { return ::IsWindowVisible(window_.handle()) != FALSE; }
  MainWindow& window_;
  Win32DirectoryReader directories_;
  Win32Desktop desktop_;
  Win32ProcessStarter processes_;
  Application application_;
};

RECT clientRectOf(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::wstring textOf(HWND window) {
  wchar_t text[256] = {};
  ::GetWindowTextW(window, text, 256);
  return text;
}

void pumpQueue() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) break;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const INITCOMMONCONTROLSEX controls{.dwSize = sizeof controls,
                                        .dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ASSERT_TRUE(window.create(::GetModuleHandleW(nullptr), events));
    pumpQueue();
  }
  void TearDown() override {
    if (window.handle() != nullptr) ::DestroyWindow(window.handle());
    // Take the quit request that destroying the window posts, so the next test starts clean.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  HWND control(Control c) const { return window.controlHandle(c); }

  MainWindow window;
  RecordingEvents events{window};
};

TEST_F(MainWindowTest, WindowHasItsTitleSizeFrameAndPlace) {
  HWND main = window.handle();
  EXPECT_EQ(textOf(main), L"Quillfern");
  RECT outer{};
  ::GetWindowRect(main, &outer);
  EXPECT_EQ(outer.right - outer.left, 1062);
  EXPECT_EQ(outer.bottom - outer.top, 590);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 1062) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 590) / 2);

  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(main, GWL_STYLE));
  for (DWORD bit : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_CLIPCHILDREN}) {
    EXPECT_EQ(style & bit, bit) << std::hex << bit;
  }
  EXPECT_EQ(style & WS_THICKFRAME, 0u);
  EXPECT_EQ(::GetMenu(main), nullptr);
  EXPECT_EQ(::GetWindow(main, GW_OWNER), nullptr);
  EXPECT_EQ(::GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(::GetClassLongPtrW(main, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
  EXPECT_NE(::GetClassLongPtrW(main, GCLP_HICON), 0);
}

TEST_F(MainWindowTest, CreatedAndSizeChangedComeOnceEachBeforeTheWindowIsShown) {
  ASSERT_GE(events.events.size(), 2u);
  EXPECT_EQ(events.events[0], "created");
  EXPECT_EQ(events.events[1], "size changed");
  // Showing the window may size it again; that is an ordinary size change of an open window.
  for (std::size_t i = 2; i < events.events.size(); ++i) {
    EXPECT_EQ(events.events[i], "size changed, shown");
  }
  EXPECT_TRUE(::IsWindowVisible(window.handle()));
  EXPECT_EQ(
      events.state.cacheRoot,
      "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files");
}

struct ControlCase {
  Control control;
  const wchar_t* className;
  RECT rect;  // left, top, right, bottom in the window's client area
  const wchar_t* text;
  DWORD style;    // the bits that must be set
  DWORD exStyle;  // the extended bits that must be set
};

TEST_F(MainWindowTest, EveryControlHasItsClassRectangleTextAndStyle) {
  constexpr DWORD kRadio = BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER | WS_TABSTOP;
  const ControlCase cases[] = {
      {Control::单选框1, L"Button", {16, 21, 136, 45}, L"所有文件", kRadio, 0},
      {Control::单选框2, L"Button", {152, 21, 272, 45}, L"FLV视频文件", kRadio, 0},
      {Control::单选框3, L"Button", {309, 21, 397, 45}, L"其他格式：", kRadio, 0},
      {Control::编辑框1,
       L"Edit",
       {389, 21, 525, 45},
       L"",
       ES_AUTOHSCROLL | WS_TABSTOP,
       WS_EX_CLIENTEDGE},
      {Control::按钮1,
       L"Button",
       {560, 8, 664, 58},
       L"搜索",
       BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP,
       0},
      {Control::超级链接框1,
       L"QuillfernHyperlink",
       {720, 13, 1048, 53},
       L"Quillfern（quillfern.example）",
       0,
       0},
      // An empty list box hides its scroll bar, which clears WS_VSCROLL until it overflows.
      {Control::列表框1,
       L"ListBox",
       {0, 74, 1062, 538},
       L"",
       LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
       WS_EX_CLIENTEDGE},
  };
  for (const ControlCase& expected : cases) {
    SCOPED_TRACE(::testing::Message() << "control " << static_cast<int>(expected.control));
    HWND c = control(expected.control);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(classOf(c), expected.className);
    const RECT rect = clientRectOf(c);
    EXPECT_EQ(rect.left, expected.rect.left);
    EXPECT_EQ(rect.top, expected.rect.top);
    EXPECT_EQ(rect.right, expected.rect.right);
    EXPECT_EQ(rect.bottom, expected.rect.bottom);
    EXPECT_EQ(textOf(c), expected.text);
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(c, GWL_STYLE));
    EXPECT_EQ(style & expected.style, expected.style);
    EXPECT_EQ(style & (WS_VISIBLE | WS_CHILD), static_cast<DWORD>(WS_VISIBLE | WS_CHILD));
    EXPECT_EQ(style & (WS_GROUP | WS_DISABLED | WS_BORDER), 0u);
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(c, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & expected.exStyle, expected.exStyle);
  }
  const auto listStyle =
      static_cast<DWORD>(::GetWindowLongPtrW(control(Control::列表框1), GWL_STYLE));
  EXPECT_EQ(listStyle & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL | WS_HSCROLL), 0u);
  const auto editStyle =
      static_cast<DWORD>(::GetWindowLongPtrW(control(Control::编辑框1), GWL_STYLE));
  EXPECT_EQ(editStyle & (ES_PASSWORD | ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL | ES_MULTILINE),
            0u);
  const auto labelStyle =
      static_cast<DWORD>(::GetWindowLongPtrW(control(Control::超级链接框1), GWL_STYLE));
  EXPECT_EQ(labelStyle & WS_TABSTOP, 0u);
}

TEST_F(MainWindowTest, StatusBarIsOneEmptyPartDockedAtTheBottom) {
  HWND bar = control(Control::状态条1);
  EXPECT_EQ(classOf(bar), STATUSCLASSNAMEW);
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(bar, GWL_STYLE));
  EXPECT_EQ(style & (CCS_BOTTOM | SBARS_TOOLTIPS), static_cast<DWORD>(CCS_BOTTOM | SBARS_TOOLTIPS));
  EXPECT_EQ(style & SBARS_SIZEGRIP, 0u);
  int edges[4] = {};
  EXPECT_EQ(::SendMessageW(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 1);
  EXPECT_EQ(edges[0], -1);
  EXPECT_EQ(LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)), 0);
  EXPECT_FALSE(::SendMessageW(bar, SB_ISSIMPLE, 0, 0));
  RECT client{}, barRect = clientRectOf(bar);
  ::GetClientRect(window.handle(), &client);
  EXPECT_EQ(barRect.left, 0);
  EXPECT_EQ(barRect.right, client.right);
  EXPECT_EQ(barRect.bottom, client.bottom);
}

TEST_F(MainWindowTest, ControlsStartInTheirInitialState) {
  EXPECT_EQ(::SendMessageW(control(Control::单选框1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageW(control(Control::单选框2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageW(control(Control::单选框3), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  DWORD start = 1, end = 1;
  ::SendMessageW(control(Control::编辑框1), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  EXPECT_GE(::SendMessageW(control(Control::编辑框1), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  EXPECT_EQ(::SendMessageW(control(Control::列表框1), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(::SendMessageW(control(Control::列表框1), LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_TRUE(::IsWindowEnabled(control(Control::按钮1)));
  EXPECT_EQ(::GetFocus(), control(Control::列表框1));
}

TEST_F(MainWindowTest, ControlsAreStackedInTheirOrder) {
  std::vector<HWND> stack;
  for (HWND c = ::GetWindow(window.handle(), GW_CHILD); c != nullptr;
       c = ::GetWindow(c, GW_HWNDNEXT)) {
    stack.push_back(c);
  }
  std::vector<HWND> expected;
  for (Control c : kStackingOrder)
    expected.push_back(control(c));
  EXPECT_EQ(stack, expected);
}

TEST_F(MainWindowTest, SearchButtonHasItsOwnFontAndEveryOtherControlTheGuiFont) {
  auto* guiFont = ::GetStockObject(DEFAULT_GUI_FONT);
  for (Control c : kStackingOrder) {
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control(c), WM_GETFONT, 0, 0));
    if (c == Control::按钮1) {
      LOGFONTW logFont{};
      ASSERT_EQ(::GetObjectW(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
      EXPECT_STREQ(logFont.lfFaceName, L"楷体_GB2312");
      EXPECT_EQ(logFont.lfHeight, -24);
      EXPECT_EQ(logFont.lfWidth, 0);
      EXPECT_EQ(logFont.lfWeight, 400);
      EXPECT_EQ(logFont.lfCharSet, 134);
      EXPECT_FALSE(logFont.lfItalic || logFont.lfUnderline || logFont.lfStrikeOut);
      EXPECT_EQ(logFont.lfOutPrecision, 3);
      EXPECT_EQ(logFont.lfClipPrecision, 2);
      EXPECT_EQ(logFont.lfQuality, 1);
      EXPECT_EQ(logFont.lfPitchAndFamily, 0x31);
    } else if (c != Control::超级链接框1) {
      EXPECT_EQ(font, guiFont) << static_cast<int>(c);
    }
  }
}

TEST_F(MainWindowTest, ListLinesAreOnePixelHigherThanTheFontsDefault) {
  HWND plain = ::CreateWindowExW(0, WC_LISTBOXW, L"", WS_CHILD, 0, 0, 10, 10, window.handle(),
                                 nullptr, nullptr, nullptr);
  ::SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 0);
  const LRESULT defaultHeight = ::SendMessageW(plain, LB_GETITEMHEIGHT, 0, 0);
  ::DestroyWindow(plain);
  EXPECT_EQ(::SendMessageW(control(Control::列表框1), LB_GETITEMHEIGHT, 0, 0), defaultHeight + 1);
}

TEST_F(MainWindowTest, ResultLinesKeepTheOrderTheyWereAddedIn) {
  const Text lines[] = {"9MB  C:\\b", "10MB  C:\\a", "1MB  C:\\\xD6\xD0\xCE\xC4"};  // 中文
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(window.appendResultLine(lines[i]), i);
  HWND list = control(Control::列表框1);
  for (int i = 0; i < 3; ++i) {
    char text[64] = {};
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(Text(text), lines[i]);
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0), 0);
  }
  EXPECT_EQ(window.selectedResultLine(), -1);
  ::SendMessageW(list, LB_SETCURSEL, 2, 0);
  EXPECT_EQ(window.selectedResultLine(), 2);
  window.clearResultList();
  EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(window.selectedResultLine(), -1);
}

TEST_F(MainWindowTest, AFullListShowsItsScrollBarButNoHorizontalOne) {
  for (int i = 0; i < 100; ++i) {
    window.appendResultLine(std::to_string(i) + "MB  C:\\" + std::string(300, 'x'));
  }
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control(Control::列表框1), GWL_STYLE));
  EXPECT_EQ(style & WS_VSCROLL, static_cast<DWORD>(WS_VSCROLL));
  EXPECT_EQ(style & WS_HSCROLL, 0u);
}

TEST_F(MainWindowTest, OperationsReachTheirControls) {
  window.setSearchButtonDisabled(true);
  EXPECT_FALSE(::IsWindowEnabled(control(Control::按钮1)));
  window.setSearchButtonDisabled(false);
  EXPECT_TRUE(::IsWindowEnabled(control(Control::按钮1)));

  const Text path = "C:\\Users\\\x9C\x5C\\a b";  // 淺, whose second byte is a backslash
  window.setStatusText(path);
  char status[64] = {};
  ::SendMessageA(control(Control::状态条1), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(status));
  EXPECT_EQ(Text(status), path);

  window.setExtensionText(" .f\xA1\xA1l*v\xCA\xD3");  // full-width space, 视
  EXPECT_EQ(window.extensionText(), " .f\xA1\xA1l*v\xCA\xD3");

  EXPECT_TRUE(window.isRadioChecked(Control::单选框1));
  ::SendMessageW(control(Control::单选框3), BM_CLICK, 0, 0);
  EXPECT_FALSE(window.isRadioChecked(Control::单选框1));
  EXPECT_FALSE(window.isRadioChecked(Control::单选框2));
  EXPECT_TRUE(window.isRadioChecked(Control::单选框3));
  ::SendMessageW(control(Control::单选框3), BM_CLICK, 0, 0);
  EXPECT_TRUE(window.isRadioChecked(Control::单选框3));
}

TEST_F(MainWindowTest, StatusBarShowsTheLastOfManyQuickTextsSoon) {
  HWND bar = control(Control::状态条1);
  auto shown = [&] {
    char text[64] = {};
    ::SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return Text(text);
  };
  window.setStatusText("C:\\first");
  EXPECT_EQ(shown(), "C:\\first");  // nothing shown lately: at once
  for (int i = 0; i < 500; ++i)
    window.setStatusText("C:\\folder " + std::to_string(i));
  window.setStatusText("");
  const ULONGLONG start = ::GetTickCount64();
  while (!shown().empty() && ::GetTickCount64() - start < 1000) {
    window.processPendingEvents();
    ::Sleep(5);
  }
  EXPECT_EQ(shown(), "");
  EXPECT_LT(::GetTickCount64() - start, 500u);
}

TEST_F(MainWindowTest, TheSearchButtonGetsItsFocusBackWhenItIsEnabledAgain) {
  ::SetFocus(control(Control::按钮1));
  window.setSearchButtonDisabled(true);
  EXPECT_EQ(::GetFocus(), nullptr);
  window.setSearchButtonDisabled(false);
  EXPECT_EQ(::GetFocus(), control(Control::按钮1));

  // A search started elsewhere leaves the focus where it was.
  ::SetFocus(control(Control::列表框1));
  window.setSearchButtonDisabled(true);
  window.setSearchButtonDisabled(false);
  EXPECT_EQ(::GetFocus(), control(Control::列表框1));
}

TEST_F(MainWindowTest, ListExtentsAreClampedWhenWritten) {
  RECT rect{};
  window.setResultListHeight(-5);
  ::GetWindowRect(control(Control::列表框1), &rect);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  window.setResultListWidth(40000);
  ::GetWindowRect(control(Control::列表框1), &rect);
  EXPECT_EQ(rect.right - rect.left, 32627);
  EXPECT_EQ(clientRectOf(control(Control::列表框1)).left, 0);
  EXPECT_EQ(clientRectOf(control(Control::列表框1)).top, 74);
}

TEST_F(MainWindowTest, MaximisingAndRestoringFitTheListToTheOuterSize) {
  auto listSize = [&] {
    RECT rect{};
    ::GetWindowRect(control(Control::列表框1), &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
  };
  ::ShowWindow(window.handle(), SW_MAXIMIZE);
  pumpQueue();
  RECT outer{};
  ::GetWindowRect(window.handle(), &outer);
  EXPECT_EQ(listSize().cx, outer.right - outer.left);
  EXPECT_EQ(listSize().cy, outer.bottom - outer.top - 126);
  ::ShowWindow(window.handle(), SW_RESTORE);
  pumpQueue();
  EXPECT_EQ(listSize().cx, 1062);
  EXPECT_EQ(listSize().cy, 464);
}

TEST_F(MainWindowTest, ProcessingEventsNeverWaitsAndLeavesTheQuitRequest) {
  window.processPendingEvents();  // an empty queue: returns at once

  ::PostMessageW(control(Control::编辑框1), WM_CHAR, L'x', 0);
  ::PostQuitMessage(7);
  window.processPendingEvents();
  EXPECT_EQ(window.extensionText(), "x");
  MSG message{};
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 7u);
}

MSG keyDown(HWND target, WPARAM key) {
  return MSG{.hwnd = target, .message = WM_KEYDOWN, .wParam = key, .lParam = 1};
}

TEST_F(MainWindowTest, TabAndShiftTabGoRoundTheControls) {
  const Control ring[] = {Control::列表框1, Control::按钮1,   Control::单选框1, Control::单选框2,
                          Control::单选框3, Control::编辑框1, Control::列表框1};
  for (std::size_t i = 0; i + 1 < std::size(ring); ++i) {
    ASSERT_EQ(::GetFocus(), control(ring[i]));
    EXPECT_TRUE(window.preTranslateMessage(keyDown(::GetFocus(), VK_TAB)));
    EXPECT_EQ(::GetFocus(), control(ring[i + 1])) << i;
  }
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  EXPECT_TRUE(window.preTranslateMessage(keyDown(::GetFocus(), VK_TAB)));
  EXPECT_EQ(::GetFocus(), control(Control::编辑框1));
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  // The radio buttons keep their check while the focus passes over them.
  EXPECT_TRUE(window.isRadioChecked(Control::单选框1));
}

TEST_F(MainWindowTest, ArrowKeysMoveTheCheckRoundTheRadioButtons) {
  struct Step {
    Control from;
    WPARAM key;
    Control checked;
  };
  const Step steps[] = {{Control::单选框1, VK_RIGHT, Control::单选框2},
                        {Control::单选框2, VK_DOWN, Control::单选框3},
                        {Control::单选框3, VK_RIGHT, Control::单选框1},
                        {Control::单选框1, VK_LEFT, Control::单选框3},
                        {Control::单选框3, VK_UP, Control::单选框2}};
  for (const Step& step : steps) {
    ::SetFocus(control(step.from));
    EXPECT_TRUE(window.preTranslateMessage(keyDown(control(step.from), step.key)));
    EXPECT_EQ(::GetFocus(), control(step.checked));
    for (Control radio : {Control::单选框1, Control::单选框2, Control::单选框3}) {
      EXPECT_EQ(window.isRadioChecked(radio), radio == step.checked);
    }
  }
  ::SetFocus(control(Control::列表框1));
  EXPECT_FALSE(window.preTranslateMessage(keyDown(control(Control::列表框1), VK_DOWN)));
}

TEST_F(MainWindowTest, EnterIsPassedOnAndChangesNothing) {
  ::SetFocus(control(Control::按钮1));
  EXPECT_FALSE(window.preTranslateMessage(keyDown(control(Control::按钮1), VK_RETURN)));
  EXPECT_EQ(::GetFocus(), control(Control::按钮1));
  EXPECT_TRUE(events.commands().empty());
}

TEST_F(MainWindowTest, EscapeClosesFromEveryControlAndLeavesHarmlessOperations) {
  ::SetFocus(control(Control::编辑框1));
  EXPECT_TRUE(window.preTranslateMessage(keyDown(control(Control::编辑框1), VK_ESCAPE)));
  EXPECT_EQ(window.handle(), nullptr);
  EXPECT_TRUE(window.windowClosed());

  // A command still running after the window is gone touches nothing.
  window.clearResultList();
  EXPECT_EQ(window.appendResultLine("1MB  C:\\x"), -1);
  EXPECT_EQ(window.selectedResultLine(), -1);
  window.setStatusText("C:\\x");
  window.setSearchButtonDisabled(false);
  EXPECT_FALSE(window.isRadioChecked(Control::单选框1));
  EXPECT_EQ(window.extensionText(), "");
  window.setExtensionText("flv");
  EXPECT_EQ(window.windowWidth(), 0);
  window.setResultListWidth(10);
  window.processPendingEvents();

  MSG message{};
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 0u);
}

TEST_F(MainWindowTest, SearchButtonAndMenuItemsRaiseTheirCommands) {
  ::SendMessageW(control(Control::按钮1), BM_CLICK, 0, 0);
  ::SendMessageW(window.handle(), WM_COMMAND, kOpenFolderItem, 0);
  ::SendMessageW(window.handle(), WM_COMMAND, kExtractToDesktopItem, 0);
  ::SendMessageW(window.handle(), WM_COMMAND, kSearchAgainItem, 0);
  EXPECT_EQ(events.commands(),
            (std::vector<std::string>{"command 0", "command 2", "command 1", "command 0"}));
}

TEST_F(MainWindowTest, ClosingWhileACommandProcessesEventsStopsIt) {
  int rounds = 0;
  events.commandHandler = [&](Command) {
    ::PostMessageW(window.handle(), WM_CLOSE, 0, 0);
    while (!window.windowClosed() && rounds < 100) {
      window.setStatusText("C:\\walking");
      window.processPendingEvents();
      ++rounds;
    }
    window.appendResultLine("never shown");
  };
  ::SendMessageW(control(Control::按钮1), BM_CLICK, 0, 0);
  EXPECT_TRUE(window.windowClosed());
  EXPECT_EQ(rounds, 1);
}

TEST_F(MainWindowTest, ACommandThatFailsLeavesTheWindowUsable) {
  events.commandHandler = [&](Command) {
    window.setSearchButtonDisabled(true);
    throw std::bad_alloc();
  };
  ::SendMessageW(control(Control::按钮1), BM_CLICK, 0, 0);
  EXPECT_TRUE(::IsWindowEnabled(control(Control::按钮1)));
  EXPECT_FALSE(window.windowClosed());
  EXPECT_EQ(window.appendResultLine("1MB  C:\\x"), 0);
}

TEST(ResultMenu, HasItsThreeItemsInOrder) {
  UniqueMenu menu = createResultMenu();
  ASSERT_TRUE(menu);
  ASSERT_EQ(::GetMenuItemCount(menu.get()), 3);
  const struct {
    UINT id;
    const wchar_t* text;
  } expected[] = {{kExtractToDesktopItem, L"提取到桌面"},
                  {kOpenFolderItem, L"打开文件夹"},
                  {kSearchAgainItem, L"重新搜索"}};
  for (UINT i = 0; i < 3; ++i) {
    wchar_t text[32] = {};
    MENUITEMINFOW info{.cbSize = sizeof info,
                       .fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING,
                       .dwTypeData = text,
                       .cch = 32};
    ASSERT_TRUE(::GetMenuItemInfoW(menu.get(), i, TRUE, &info));
    EXPECT_EQ(info.wID, expected[i].id);
    EXPECT_STREQ(text, expected[i].text);
    EXPECT_EQ(info.fType, static_cast<UINT>(MFT_STRING));
    EXPECT_EQ(info.fState & (MFS_DISABLED | MFS_CHECKED), 0u);
  }
}

}  // namespace
}  // namespace quillfern
