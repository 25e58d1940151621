// The main window: its controls, its message handling and keyboard, and the operations the
// commands call.
#pragma once

#include <windows.h>

#include <optional>

#include "app/application.h"
#include "app/controls.h"
#include "app/window_operations.h"
#include "common/unique_handle_win.h"

namespace quillfern {

class MainWindow final : public WindowOperations {
 public:
  MainWindow() = default;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();

  // Creates the window and its controls, raises created and size changed, then shows it.
  // `events` must outlive the window. False when the platform refuses a window.
  bool create(HINSTANCE instance, MainWindowEvents& events);

  // Runs until the quit request that destroying the window posts; returns its exit code.
  int runMessageLoop();

  // Looks at a message taken from the queue before it is dispatched; true when it was consumed.
  bool preTranslateMessage(const MSG& message);

  HWND handle() const noexcept { return window_; }
  // The control's window, or null once the window is gone.
  HWND controlHandle(Control control) const noexcept;

  void clearResultList() override;
  int appendResultLine(const Text& line) override;
  int selectedResultLine() const override;
  void setSearchButtonDisabled(bool disabled) override;
  void setStatusText(const Text& text) override;
  void processPendingEvents() override;
  bool isRadioChecked(Control radio) const override;
  Text extensionText() const override;
  void setExtensionText(const Text& text) override;
  int windowWidth() const override;
  int windowHeight() const override;
  void setResultListWidth(int width) override;
  void setResultListHeight(int height) override;
  bool windowClosed() const override { return closed_; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool onCreate();
  void onSize();
  void onCommand(int id, int notification);
  void onActivate(bool active);
  void onDestroy();
  void showPendingStatusText();

  bool onKeyDown(const MSG& message);
  void showResultMenu();
  void dispatch(const MSG& message);
  std::optional<Control> controlOf(HWND window) const noexcept;
  HWND createControl(Control control, DWORD exStyle, const wchar_t* className, const wchar_t* text,
                     DWORD style, const Rect& rect);
  SIZE outerSize() const;

  HINSTANCE instance_ = nullptr;
  MainWindowEvents* events_ = nullptr;
  bool raisingEvents_ = false;  // nothing is raised while the window is being built
  bool closed_ = false;
  HWND window_ = nullptr;
  HWND 单选框1 = nullptr;
  HWND 单选框2 = nullptr;
  HWND 单选框3 = nullptr;
  HWND 编辑框1 = nullptr;
  HWND 按钮1 = nullptr;
  HWND 超级链接框1 = nullptr;
  HWND 列表框1 = nullptr;
  HWND 状态条1 = nullptr;
  HWND focusOnDeactivate_ = nullptr;
  HWND focusBeforeSearch_ = nullptr;
  UniqueFont buttonFont_;
  // The status bar repaints at once on every new text; during a walk that is hundreds of
  // times a second. It is shown at most once per interval, and always ends on the last text.
  Text pendingStatusText_;
  bool statusTextPending_ = false;
  ULONGLONG statusTextShownAt_ = 0;
};

// The popup menu of the result list, its items in their order.
UniqueMenu createResultMenu();

}  // namespace quillfern
