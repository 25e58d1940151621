#include "harness.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>

namespace quillfern::e2e {

namespace {

struct ScreenDcTraits {
  using Handle = HDC;
  static Handle none() noexcept { return nullptr; }
  static void close(Handle dc) noexcept { ::ReleaseDC(nullptr, dc); }
};

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle none() noexcept { return nullptr; }
  static void close(Handle dc) noexcept { ::DeleteDC(dc); }
};

using UniqueScreenDc = UniqueHandle<ScreenDcTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

// Memory committed inside another process, released with it.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, std::size_t size)
      : process_(process),
        address_(
            ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  ~RemoteBuffer() {
    if (address_ != nullptr) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  void* address() const noexcept { return address_; }

 private:
  HANDLE process_;
  void* address_;
};

// A visible top-level window of the process with that class and title (null for any), or null.
HWND findTopLevelWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, className, title)) != nullptr) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId && ::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

bool waitFor(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
}

Program::Program(const std::wstring& executable) {
  STARTUPINFOW startup{.cb = sizeof startup};
  PROCESS_INFORMATION created{};
  std::wstring commandLine = L"\"" + executable + L"\"";
  if (!::CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &created)) {
    startError_ = ::GetLastError();
    return;
  }
  process_.reset(created.hProcess);
  thread_.reset(created.hThread);
  processId_ = created.dwProcessId;
  HWND window = nullptr;
  // Cold, the window takes about 0.7 s to appear.
  waitFor(
      [&] {
        window = findTopLevelWindow(processId_, nullptr, L"Quillfern");
        return window != nullptr || !running();
      },
      10s);
  if (window == nullptr) return;
  threadId_ = ::GetWindowThreadProcessId(window, nullptr);
  // The window is shown just before the message loop starts; from then on input is read. Wine
  // activates it a little later, and keys go to the active window.
  ::WaitForInputIdle(process_.get(), 5000);
  mainWindow_ = window;
  active_ = waitFor([&] { return ::GetForegroundWindow() == window; }, 5s);
}

Program::~Program() {
  if (!process_) return;
  if (running() && mainWindow_ != nullptr) {
    ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    if (waitForExit(3s)) return;
  }
  if (running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

HWND Program::focus() const {
  GUITHREADINFO info{.cbSize = sizeof info};
  if (threadId_ == 0 || !::GetGUIThreadInfo(threadId_, &info)) return nullptr;
  return info.hwndFocus;
}

HWND Program::popupMenu() const {
  return findTopLevelWindow(processId_, L"#32768", nullptr);
}

HWND Program::topLevelWindow(const wchar_t* className, const wchar_t* title) const {
  return findTopLevelWindow(processId_, className, title);
}

std::vector<HWND> Program::visibleWindows() const {
  struct Search {
    DWORD processId;
    std::vector<HWND> found;
  } search{processId_, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s.processId && ::IsWindowVisible(window)) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool Program::running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::waitForExit(std::chrono::milliseconds timeout) const {
  if (!process_ ||
      ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

std::wstring windowText(HWND window) {
  const auto length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
  const auto copied =
      ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

RECT windowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

RECT rectInParent(HWND child) {
  RECT rect = windowRect(child);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE sizeOf(const RECT& rect) {
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

POINT centreOf(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::optional<POINT> findHit(HWND window, LRESULT hit, POINT from, POINT step, int count) {
  for (int i = 0; i < count; ++i) {
    const POINT at{from.x + i * step.x, from.y + i * step.y};
    if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)) == hit) return at;
  }
  return std::nullopt;
}

int addListLine(HWND list, const std::wstring& line) {
  return static_cast<int>(
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())));
}

int listCount(HWND list) {
  return static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
}

int listSelection(HWND list) {
  return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
}

std::wstring listLine(HWND list, int index) {
  const auto length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring line(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return line;
}

std::vector<std::wstring> listLines(HWND list) {
  std::vector<std::wstring> lines;
  const int count = listCount(list);
  for (int i = 0; i < count; ++i)
    lines.push_back(listLine(list, i));
  return lines;
}

RECT listLineRect(HWND list, int index) {
  RECT rect{};
  ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  ::MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool isChecked(HWND button) {
  return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<std::wstring> statusText(HANDLE process, HWND bar, int part) {
  const auto length = LOWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  const std::size_t bytes = (static_cast<std::size_t>(length) + 1) * sizeof(wchar_t);
  // The bar writes into a buffer of its own process: Wine does not carry this message across.
  RemoteBuffer buffer(process, bytes);
  if (buffer.address() == nullptr) return std::nullopt;
  ::SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(buffer.address()));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SIZE_T read = 0;
  if (!::ReadProcessMemory(process, buffer.address(), text.data(), bytes, &read) || read != bytes)
    return std::nullopt;
  text.resize(static_cast<std::size_t>(length));
  return text;
}

namespace input {

namespace {

// SendInput's absolute coordinates span the primary screen as 0..65535; pixel x is the first
// value that maps onto it.
LONG normalised(LONG pixel, int extent) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + extent - 1) / extent);
}

INPUT mouseInput(DWORD flags, POINT screen) {
  return INPUT{.type = INPUT_MOUSE,
               .mi = {.dx = normalised(screen.x, ::GetSystemMetrics(SM_CXSCREEN)),
                      .dy = normalised(screen.y, ::GetSystemMetrics(SM_CYSCREEN)),
                      .dwFlags = flags | MOUSEEVENTF_ABSOLUTE}};
}

bool isExtended(WORD virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
      return true;
    default:
      return false;
  }
}

INPUT keyInput(WORD virtualKey, bool up) {
  DWORD flags = up ? KEYEVENTF_KEYUP : 0;
  if (isExtended(virtualKey)) flags |= KEYEVENTF_EXTENDEDKEY;
  return INPUT{.type = INPUT_KEYBOARD,
               .ki = {.wVk = virtualKey,
                      .wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)),
                      .dwFlags = flags}};
}

bool send(std::vector<INPUT> inputs) {
  return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
         inputs.size();
}

std::vector<INPUT> buttonInputs(POINT screen, Button button, int clicks) {
  const DWORD down = button == Button::left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
  const DWORD up = button == Button::left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
  std::vector<INPUT> inputs;
  for (int i = 0; i < clicks; ++i) {
    inputs.push_back(mouseInput(down, screen));
    inputs.push_back(mouseInput(up, screen));
  }
  return inputs;
}

}  // namespace

bool moveTo(POINT screen) {
  if (!send({mouseInput(MOUSEEVENTF_MOVE, screen)})) return false;
  return waitFor(
      [&] {
        POINT cursor{};
        return ::GetCursorPos(&cursor) && cursor.x == screen.x && cursor.y == screen.y;
      },
      2s);
}

bool click(POINT screen, Button button) {
  return moveTo(screen) && send(buttonInputs(screen, button, 1));
}

bool doubleClick(POINT screen) {
  return moveTo(screen) && send(buttonInputs(screen, Button::left, 2));
}

bool press(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers)
    inputs.push_back(keyInput(modifier, false));
  inputs.push_back(keyInput(virtualKey, false));
  inputs.push_back(keyInput(virtualKey, true));
  for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier)
    inputs.push_back(keyInput(*modifier, true));
  return send(std::move(inputs));
}

bool type(std::wstring_view text) {
  for (wchar_t character : text) {
    const SHORT key = ::VkKeyScanW(character);
    if (key == -1) return false;
    const WORD virtualKey = LOBYTE(key);
    const bool shifted = (HIBYTE(key) & 1) != 0;
    if (!(shifted ? press(virtualKey, {VK_SHIFT}) : press(virtualKey))) return false;
  }
  return true;
}

}  // namespace input

Screenshot::Screenshot(int width, int height, std::vector<std::uint8_t> bgr)
    : width_(width), height_(height), bgr_(std::move(bgr)) {}

std::uint32_t Screenshot::pixel(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x)) *
                         3;
  return static_cast<std::uint32_t>(bgr_[at + 2]) << 16 |
         static_cast<std::uint32_t>(bgr_[at + 1]) << 8 | bgr_[at];
}

int Screenshot::darkPixels(const RECT& area, int threshold) const {
  int dark = 0;
  for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height_); ++y) {
    for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width_); ++x) {
      const std::uint32_t rgb = pixel(x, y);
      const auto channel = [&](int shift) { return static_cast<int>((rgb >> shift) & 0xFF); };
      if (channel(16) < threshold && channel(8) < threshold && channel(0) < threshold) ++dark;
    }
  }
  return dark;
}

bool Screenshot::saveBmp(const std::wstring& path) const {
  const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageBytes = stride * static_cast<std::size_t>(height_);
  constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  const BITMAPFILEHEADER file{.bfType = 0x4D42,  // "BM"
                              .bfSize = static_cast<DWORD>(kHeaders + imageBytes),
                              .bfOffBits = kHeaders};
  const BITMAPINFOHEADER info{.biSize = sizeof info,
                              .biWidth = width_,
                              .biHeight = height_,  // bottom row first, as most readers expect
                              .biPlanes = 1,
                              .biBitCount = 24,
                              .biCompression = BI_RGB,
                              .biSizeImage = static_cast<DWORD>(imageBytes)};
  std::vector<std::uint8_t> bytes(kHeaders + imageBytes, 0);
  std::copy_n(reinterpret_cast<const std::uint8_t*>(&file), sizeof file, bytes.begin());
  std::copy_n(reinterpret_cast<const std::uint8_t*>(&info), sizeof info,
              bytes.begin() + sizeof file);
  const std::size_t row = static_cast<std::size_t>(width_) * 3;
  for (int y = 0; y < height_; ++y) {
    const auto source =
        bgr_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * row);
    const std::size_t target = kHeaders + static_cast<std::size_t>(height_ - 1 - y) * stride;
    std::copy_n(source, row, bytes.begin() + static_cast<std::ptrdiff_t>(target));
  }
  UniqueFileHandle out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return false;
  DWORD written = 0;
  return ::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
         written == bytes.size();
}

std::optional<Screenshot> captureScreen(const RECT& screen) {
  const SIZE size = sizeOf(screen);
  if (size.cx <= 0 || size.cy <= 0) return std::nullopt;
  UniqueScreenDc screenDc(::GetDC(nullptr));
  if (!screenDc) return std::nullopt;
  UniqueMemoryDc memoryDc(::CreateCompatibleDC(screenDc.get()));
  if (!memoryDc) return std::nullopt;
  const BITMAPINFO info{.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                                      .biWidth = size.cx,
                                      .biHeight = -size.cy,  // top row first
                                      .biPlanes = 1,
                                      .biBitCount = 24,
                                      .biCompression = BI_RGB}};
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(memoryDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return std::nullopt;
  {
    ScopedSelection selection(memoryDc.get(), bitmap.get());
    if (!::BitBlt(memoryDc.get(), 0, 0, size.cx, size.cy, screenDc.get(), screen.left, screen.top,
                  SRCCOPY)) {
      return std::nullopt;
    }
  }
  ::GdiFlush();
  const std::size_t row = static_cast<std::size_t>(size.cx) * 3;
  const std::size_t stride = (row + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> bgr(row * static_cast<std::size_t>(size.cy));
  const auto* source = static_cast<const std::uint8_t*>(bits);
  for (std::size_t y = 0; y < static_cast<std::size_t>(size.cy); ++y)
    std::copy_n(source + y * stride, row, bgr.begin() + static_cast<std::ptrdiff_t>(y * row));
  return Screenshot(size.cx, size.cy, std::move(bgr));
}

std::optional<Screenshot> captureSettled(const RECT& screen) {
  std::optional<Screenshot> previous = captureScreen(screen);
  int unchanged = 0;
  // Three equal captures 50 ms apart: the program and Wine have both finished drawing.
  for (int attempt = 0; previous && attempt < 60 && unchanged < 3; ++attempt) {
    std::this_thread::sleep_for(50ms);
    std::optional<Screenshot> current = captureScreen(screen);
    unchanged = current && *current == *previous ? unchanged + 1 : 0;
    previous = std::move(current);
  }
  return unchanged >= 3 ? std::move(previous) : std::nullopt;
}

std::wstring windowsPathOf(const std::wstring& unixPath) {
  std::wstring path = L"Z:" + unixPath;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

std::wstring screenshotPath(const std::wstring& folder, const std::wstring& name) {
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring base = folder + L"\\" + name;
  ::DeleteFileW((base + L".png").c_str());
  ::DeleteFileW((base + L".bmp").c_str());
  return base + L".bmp";
}

}  // namespace quillfern::e2e
