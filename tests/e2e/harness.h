// Drives the real Quillfern.exe from another process in the same Wine prefix: starts it, finds
// its window and controls, reads them across the process boundary, sends real mouse and keyboard
// input, and captures the screen.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/unique_handle_win.h"

namespace quillfern::e2e {

using namespace std::chrono_literals;

// Polls `predicate` until it holds or `timeout` has passed; true when it held.
bool waitFor(const std::function<bool()>& predicate, std::chrono::milliseconds timeout = 5s);

// The program under test: started by the constructor, ended by the destructor (asked to close,
// then killed if it does not), so no test leaves it running.
class Program {
 public:
  // Starts the program and waits until its main window is shown and active; check started().
  explicit Program(const std::wstring& executable);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  bool started() const noexcept { return active_; }
  // Why CreateProcessW failed (GetLastError), or 0.
  DWORD startError() const noexcept { return startError_; }
  HWND mainWindow() const noexcept { return mainWindow_; }
  HANDLE process() const noexcept { return process_.get(); }
  DWORD threadId() const noexcept { return threadId_; }
  HWND control(int id) const { return ::GetDlgItem(mainWindow_, id); }

  // The window that has the keyboard focus in the program's window thread.
  HWND focus() const;
  // The program's visible popup menu, or null.
  HWND popupMenu() const;
  // The program's visible top-level window of that class and title (null for any), or null.
  HWND topLevelWindow(const wchar_t* className, const wchar_t* title) const;
  // Every visible top-level window of the program, popup menus and message boxes included.
  std::vector<HWND> visibleWindows() const;

  bool running() const;
  // Waits for the process to end and gives its exit code, or nothing when it did not end.
  std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout = 5s) const;

 private:
  UniqueKernelHandle process_;
  UniqueKernelHandle thread_;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
  HWND mainWindow_ = nullptr;
  bool active_ = false;
  DWORD startError_ = 0;
};

// Reading the other process's windows. Its strings only cross the boundary with the W messages.
std::wstring windowText(HWND window);
RECT windowRect(HWND window);
// The rectangle of a child window in its parent's client area.
RECT rectInParent(HWND child);
SIZE sizeOf(const RECT& rect);
POINT centreOf(const RECT& rect);

// The first point along a line of `count` points from `from` by `step` where the window's
// non-client hit test answers `hit` (HTCAPTION, HTMAXBUTTON, ...).
std::optional<POINT> findHit(HWND window, LRESULT hit, POINT from, POINT step, int count);

int addListLine(HWND list, const std::wstring& line);
int listCount(HWND list);
int listSelection(HWND list);
std::wstring listLine(HWND list, int index);
std::vector<std::wstring> listLines(HWND list);
// The screen rectangle of a list line.
RECT listLineRect(HWND list, int index);
bool isChecked(HWND button);
// The text of a status bar part, read through a buffer inside the program's process.
std::optional<std::wstring> statusText(HANDLE process, HWND bar, int part = 0);

// Real input, as the user's hardware would give it, at screen coordinates.
namespace input {
enum class Button { left, right };
// Moves the pointer and waits until the system has it there.
bool moveTo(POINT screen);
bool click(POINT screen, Button button = Button::left);
bool doubleClick(POINT screen);
// Presses and releases a key, with the given modifier keys held around it.
bool press(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
// Types the text key by key on the current keyboard layout, Shift held where a character needs
// it; false when a character has no key.
bool type(std::wstring_view text);
}  // namespace input

// A 24-bit capture of a screen rectangle.
class Screenshot {
 public:
  Screenshot(int width, int height, std::vector<std::uint8_t> bgr);
  int width() const noexcept { return width_; }
  int height() const noexcept { return height_; }
  // The pixel at (x, y) of the capture as 0x00RRGGBB.
  std::uint32_t pixel(int x, int y) const;
  // How many pixels of the rectangle (in capture coordinates) are darker than `threshold` in
  // every channel.
  int darkPixels(const RECT& area, int threshold = 96) const;
  bool operator==(const Screenshot& other) const = default;
  // Writes a 24-bit BMP; true on success.
  bool saveBmp(const std::wstring& path) const;

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> bgr_;  // top row first, 3 bytes per pixel, no padding
};

std::optional<Screenshot> captureScreen(const RECT& screen);
// Captures once what is drawn there has stopped changing (the program paints and Wine copies its
// window surfaces to the display asynchronously).
std::optional<Screenshot> captureSettled(const RECT& screen);

// The Windows name of a Unix path under Wine (drive Z: is the Unix root).
std::wstring windowsPathOf(const std::wstring& unixPath);
// The path of the BMP `name`.bmp in the screenshot folder, which is made if missing. The BMP and
// the PNG made from it after a run are removed first, so a capture that fails leaves no picture
// of an earlier run behind.
std::wstring screenshotPath(const std::wstring& folder, const std::wstring& name);

}  // namespace quillfern::e2e
