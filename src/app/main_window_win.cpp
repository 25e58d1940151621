#include "app/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <iterator>
#include <vector>

#include "app/commands.h"
#include "app/hyperlink_label_win.h"
#include "app/resource_ids.h"

namespace quillfern {

namespace {

constexpr wchar_t kWindowClass[] = L"QuillfernMainWindow";
constexpr UINT_PTR kStatusTextTimer = 1;
constexpr ULONGLONG kStatusTextInterval = 50;  // ms
constexpr wchar_t kTitle[] = L"Quillfern";

HFONT defaultGuiFont() {
  return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

UniqueFont createSearchButtonFont() {
  LOGFONTW font{};
  font.lfHeight = -24;
  font.lfWidth = 0;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
  ::lstrcpynW(font.lfFaceName, L"楷体_GB2312", LF_FACESIZE);
  return UniqueFont(::CreateFontIndirectW(&font));
}

bool registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{.cbSize = sizeof existing};
  if (::GetClassInfoExW(instance, kWindowClass, &existing)) return true;
  HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(kProgramIconId));
  WNDCLASSEXW windowClass{
      .cbSize = sizeof windowClass,
      .style = 0,
      .lpfnWndProc = procedure,
      .hInstance = instance,
      .hIcon = icon != nullptr ? icon : ::LoadIconW(nullptr, IDI_APPLICATION),
      .hCursor = ::LoadCursorW(nullptr, IDC_ARROW),
      .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
      .lpszClassName = kWindowClass,
      .hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(kProgramIconId),
                                                 IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), 0)),
  };
  return ::RegisterClassExW(&windowClass) != 0;
}

Key keyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_TAB:
      return Key::tab;
    case VK_ESCAPE:
      return Key::escape;
    case VK_RETURN:
      return Key::enter;
    case VK_LEFT:
      return Key::left;
    case VK_UP:
      return Key::up;
    case VK_RIGHT:
      return Key::right;
    case VK_DOWN:
      return Key::down;
    default:
      return Key::other;
  }
}

bool isHeld(int virtualKey) {
  return (::GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

UniqueMenu createResultMenu() {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return menu;
  const struct {
    int id;
    const wchar_t* text;
  } items[] = {
      {kExtractToDesktopItem, L"提取到桌面"},
      {kOpenFolderItem, L"打开文件夹"},
      {kSearchAgainItem, L"重新搜索"},
  };
  for (const auto& item : items) {
    if (!::AppendMenuW(menu.get(), MF_STRING | MF_ENABLED | MF_UNCHECKED,
                       static_cast<UINT_PTR>(item.id), item.text)) {
      return UniqueMenu();
    }
  }
  return menu;
}

MainWindow::~MainWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

bool MainWindow::create(HINSTANCE instance, MainWindowEvents& events) {
  instance_ = instance;
  events_ = &events;
  if (!registerWindowClass(instance, &MainWindow::windowProc) ||
      !registerHyperlinkLabelClass(instance)) {
    return false;
  }

  const int left = (::GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  constexpr DWORD kStyle =
      WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
  // The controls are made while the window handles WM_CREATE.
  if (::CreateWindowExW(0, kWindowClass, kTitle, kStyle, left, top, kWindowWidth, kWindowHeight,
                        nullptr, nullptr, instance, this) == nullptr) {
    return false;
  }
  const SIZE size = outerSize();
  if (size.cx != kWindowWidth || size.cy != kWindowHeight) {
    ::MoveWindow(window_, left, top, kWindowWidth, kWindowHeight, FALSE);
  }

  for (Control control : kStackingOrder)
    ::ShowWindow(controlHandle(control), SW_SHOWNA);

  raisingEvents_ = true;
  events_->onCreated();
  events_->onSizeChanged();

  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  return true;
}

bool MainWindow::onCreate() {
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(defaultGuiFont()), FALSE);

  constexpr DWORD kRadioStyle =
      BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER | WS_TABSTOP;
  // Created top of the stack first; the stacking is fixed again below.
  超级链接框1 = createControl(Control::超级链接框1, 0, kHyperlinkLabelClass,
                              hyperlinkLabelText().c_str(), 0, k超级链接框1Rect);
  编辑框1 = createControl(Control::编辑框1, WS_EX_CLIENTEDGE, WC_EDITW, L"",
                          ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, k编辑框1Rect);
  单选框3 =
      createControl(Control::单选框3, 0, WC_BUTTONW, L"其他格式：", kRadioStyle, k单选框3Rect);
  单选框2 =
      createControl(Control::单选框2, 0, WC_BUTTONW, L"FLV视频文件", kRadioStyle, k单选框2Rect);
  单选框1 = createControl(Control::单选框1, 0, WC_BUTTONW, L"所有文件", kRadioStyle, k单选框1Rect);
  状态条1 = createControl(Control::状态条1, 0, STATUSCLASSNAMEW, L"", CCS_BOTTOM | SBARS_TOOLTIPS,
                          Rect{0, 0, 0, 0});
  按钮1 =
      createControl(Control::按钮1, 0, WC_BUTTONW, L"搜索",
                    BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER | WS_TABSTOP, k按钮1Rect);
  列表框1 = createControl(
      Control::列表框1, WS_EX_CLIENTEDGE, WC_LISTBOXW, L"",
      LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, k列表框1Rect);
  for (Control control : kStackingOrder) {
    if (controlHandle(control) == nullptr) return false;
  }

  HWND above = HWND_TOP;
  for (Control control : kStackingOrder) {
    ::SetWindowPos(controlHandle(control), above, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = controlHandle(control);
  }

  buttonFont_ = createSearchButtonFont();
  for (Control control : kStackingOrder) {
    HFONT font = control == Control::按钮1 && buttonFont_ ? buttonFont_.get() : defaultGuiFont();
    ::SendMessageW(controlHandle(control), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }

  ::SendMessageW(单选框1, BM_SETCHECK, BST_CHECKED, 0);
  ::SendMessageW(编辑框1, EM_LIMITTEXT, 0, 0);
  ::SendMessageW(编辑框1, EM_SETSEL, 0, 0);

  const LRESULT lineHeight = ::SendMessageW(列表框1, LB_GETITEMHEIGHT, 0, 0);
  if (lineHeight != LB_ERR) ::SendMessageW(列表框1, LB_SETITEMHEIGHT, 0, lineHeight + 1);

  int partEdges[] = {-1};
  ::SendMessageW(状态条1, SB_SETPARTS, std::size(partEdges), reinterpret_cast<LPARAM>(partEdges));
  ::SendMessageW(状态条1, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
  ::SendMessageW(状态条1, SB_SETTIPTEXTW, 0, reinterpret_cast<LPARAM>(L""));
  focusOnDeactivate_ = 列表框1;
  return true;
}

HWND MainWindow::createControl(Control control, DWORD exStyle, const wchar_t* className,
                               const wchar_t* text, DWORD style, const Rect& rect) {
  static constexpr std::array<int, 8> kIds{k单选框1Id, k单选框2Id,     k单选框3Id, k编辑框1Id,
                                           k按钮1Id,   k超级链接框1Id, k列表框1Id, k状态条1Id};
  const int id = kIds[static_cast<std::size_t>(control)];
  return ::CreateWindowExW(exStyle, className, text, WS_CHILD | style, rect.left, rect.top,
                           rect.width, rect.height, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

HWND MainWindow::controlHandle(Control control) const noexcept {
  switch (control) {
    case Control::单选框1:
      return 单选框1;
    case Control::单选框2:
      return 单选框2;
    case Control::单选框3:
      return 单选框3;
    case Control::编辑框1:
      return 编辑框1;
    case Control::按钮1:
      return 按钮1;
    case Control::超级链接框1:
      return 超级链接框1;
    case Control::列表框1:
      return 列表框1;
    case Control::状态条1:
      return 状态条1;
  }
  return nullptr;
}

std::optional<Control> MainWindow::controlOf(HWND window) const noexcept {
  if (window == nullptr) return std::nullopt;
  for (Control control : kStackingOrder) {
    if (controlHandle(control) == window) return control;
  }
  return std::nullopt;
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (...) {
    // A command that ran out of memory ends here, not inside the system's code: the window
    // stays usable, and the search button is enabled again for the next search.
    self->setSearchButtonDisabled(false);
    return 0;
  }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return onCreate() ? 0 : -1;
    case WM_SIZE:
      onSize();
      return 0;
    case WM_COMMAND:
      onCommand(GET_WM_COMMAND_ID(wParam, lParam), GET_WM_COMMAND_CMD(wParam, lParam));
      return 0;
    case WM_ACTIVATE:
      onActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_TIMER:
      if (wParam == kStatusTextTimer) showPendingStatusText();
      return 0;
    case WM_DESTROY:
      onDestroy();
      return 0;
    default:
      return ::DefWindowProcW(window_, message, wParam, lParam);
  }
}

void MainWindow::onSize() {
  // The status bar docks itself first, so the list's handler sees the new layout.
  if (状态条1 != nullptr) ::SendMessageW(状态条1, WM_SIZE, 0, 0);
  if (raisingEvents_ && !closed_) events_->onSizeChanged();
}

void MainWindow::onCommand(int id, int notification) {
  if (!raisingEvents_ || closed_) return;
  const bool fromButton = id == k按钮1Id;
  if (fromButton && notification != BN_CLICKED) return;
  if (const auto command = commandFor(id)) events_->onCommand(*command);
}

void MainWindow::onActivate(bool active) {
  if (!active) {
    HWND focused = ::GetFocus();
    if (controlOf(focused)) focusOnDeactivate_ = focused;
    return;
  }
  if (focusOnDeactivate_ != nullptr && ::IsWindowEnabled(focusOnDeactivate_)) {
    ::SetFocus(focusOnDeactivate_);
  } else {
    ::SetFocus(列表框1);
  }
}

void MainWindow::onDestroy() {
  // From here on every operation is a no-op: a command still running sees windowClosed().
  closed_ = true;
  单选框1 = 单选框2 = 单选框3 = 编辑框1 = 按钮1 = 超级链接框1 = 列表框1 = 状态条1 = nullptr;
  focusOnDeactivate_ = nullptr;
  ::PostQuitMessage(0);
}

bool MainWindow::preTranslateMessage(const MSG& message) {
  if (window_ == nullptr || closed_) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  switch (message.message) {
    case WM_RBUTTONDOWN:
      if (message.hwnd == 列表框1) showResultMenu();
      return false;  // the list box still gets the press
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return onKeyDown(message);
    default:
      return false;
  }
}

bool MainWindow::onKeyDown(const MSG& message) {
  const KeyPress press{keyOf(message.wParam), isHeld(VK_SHIFT), isHeld(VK_CONTROL),
                       isHeld(VK_MENU)};
  const KeyAction action = translateKey(press, controlOf(::GetFocus()));
  switch (action.kind) {
    case KeyAction::Kind::passOn:
      return false;
    case KeyAction::Kind::moveFocus: {
      HWND target = controlHandle(action.target);
      ::SetFocus(target);
      // As in a dialog, tabbing into the edit box selects its text.
      if (action.target == Control::编辑框1) ::SendMessageW(target, EM_SETSEL, 0, -1);
      return true;
    }
    case KeyAction::Kind::checkRadio:
      for (Control radio : {Control::单选框1, Control::单选框2, Control::单选框3}) {
        ::SendMessageW(controlHandle(radio), BM_SETCHECK,
                       radio == action.target ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ::SetFocus(controlHandle(action.target));
      return true;
    case KeyAction::Kind::close:
      ::SendMessageW(window_, WM_CLOSE, 0, 0);
      return true;
  }
  return false;
}

void MainWindow::showResultMenu() {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const auto origin = resultMenuOrigin(selectedResultLine(), Point{cursor.x, cursor.y});
  if (!origin) return;
  UniqueMenu menu = createResultMenu();
  if (!menu) return;
  ::TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, origin->x, origin->y,
                   0, window_, nullptr);
}

void MainWindow::dispatch(const MSG& message) {
  if (preTranslateMessage(message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

int MainWindow::runMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0)
    dispatch(message);
  return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 1;
}

void MainWindow::processPendingEvents() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      // Leave the quit request for the main loop.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    dispatch(message);
  }
}

void MainWindow::clearResultList() {
  if (列表框1 != nullptr) ::SendMessageW(列表框1, LB_RESETCONTENT, 0, 0);
}

int MainWindow::appendResultLine(const Text& line) {
  if (列表框1 == nullptr) return -1;
  const LRESULT index =
      ::SendMessageA(列表框1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (index < 0) return -1;
  ::SendMessageA(列表框1, LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
  return static_cast<int>(index);
}

int MainWindow::selectedResultLine() const {
  if (列表框1 == nullptr) return -1;
  return static_cast<int>(::SendMessageW(列表框1, LB_GETCURSEL, 0, 0));
}

void MainWindow::setSearchButtonDisabled(bool disabled) {
  if (按钮1 == nullptr) return;
  // Disabling the focused button leaves the focus nowhere; it comes back with the button.
  const bool hadFocus = ::GetFocus() == 按钮1;
  ::EnableWindow(按钮1, disabled ? FALSE : TRUE);
  if (disabled && hadFocus) focusBeforeSearch_ = 按钮1;
  if (!disabled && focusBeforeSearch_ == 按钮1 && ::GetFocus() == nullptr &&
      ::GetActiveWindow() == window_) {
    ::SetFocus(按钮1);
  }
  if (!disabled) focusBeforeSearch_ = nullptr;
}

void MainWindow::setStatusText(const Text& text) {
  if (状态条1 == nullptr) return;
  pendingStatusText_ = text;
  if (statusTextPending_) return;  // the timer shows it
  statusTextPending_ = true;
  if (::GetTickCount64() - statusTextShownAt_ >= kStatusTextInterval) {
    showPendingStatusText();
  } else {
    ::SetTimer(window_, kStatusTextTimer, static_cast<UINT>(kStatusTextInterval), nullptr);
  }
}

void MainWindow::showPendingStatusText() {
  ::KillTimer(window_, kStatusTextTimer);
  if (!statusTextPending_ || 状态条1 == nullptr) return;
  statusTextPending_ = false;
  statusTextShownAt_ = ::GetTickCount64();
  ::SendMessageA(状态条1, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(pendingStatusText_.c_str()));
}

bool MainWindow::isRadioChecked(Control radio) const {
  HWND button = controlHandle(radio);
  return button != nullptr && ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Text MainWindow::extensionText() const {
  if (编辑框1 == nullptr) return {};
  const int length = ::GetWindowTextLengthA(编辑框1);
  if (length <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = ::GetWindowTextA(编辑框1, buffer.data(), static_cast<int>(buffer.size()));
  return Text(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void MainWindow::setExtensionText(const Text& text) {
  if (编辑框1 != nullptr) ::SetWindowTextA(编辑框1, text.c_str());
}

SIZE MainWindow::outerSize() const {
  RECT rect{};
  if (window_ == nullptr || closed_ || !::GetWindowRect(window_, &rect)) return SIZE{0, 0};
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int MainWindow::windowWidth() const {
  return outerSize().cx;
}

int MainWindow::windowHeight() const {
  return outerSize().cy;
}

void MainWindow::setResultListWidth(int width) {
  RECT rect{};
  if (列表框1 == nullptr || !::GetWindowRect(列表框1, &rect)) return;
  ::SetWindowPos(列表框1, nullptr, 0, 0, clampControlExtent(width), rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::setResultListHeight(int height) {
  RECT rect{};
  if (列表框1 == nullptr || !::GetWindowRect(列表框1, &rect)) return;
  ::SetWindowPos(列表框1, nullptr, 0, 0, rect.right - rect.left, clampControlExtent(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillfern
