#include "app/hyperlink_label_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include <optional>

#include "app/hyperlink.h"
#include "common/unique_handle_win.h"

#ifndef QUILLFERN_PUBLISHER_HOST
#define QUILLFERN_PUBLISHER_HOST "quillfern.example"
#endif

namespace quillfern {

namespace {

// The label's two flags live in its window's extra bytes.
constexpr LONG_PTR kHovering = 1;
constexpr LONG_PTR kOpened = 2;

LONG_PTR flagsOf(HWND label) {
  return ::GetWindowLongPtrW(label, 0);
}

void setFlag(HWND label, LONG_PTR flag, bool on) {
  const LONG_PTR flags = flagsOf(label);
  ::SetWindowLongPtrW(label, 0, on ? (flags | flag) : (flags & ~flag));
  ::InvalidateRect(label, nullptr, FALSE);
}

COLORREF textColour(LONG_PTR flags) {
  const Rgb colour = linkColour((flags & kHovering) != 0, (flags & kOpened) != 0);
  return RGB(colour.red, colour.green, colour.blue);
}

void paint(HWND label) {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(label, &paint);
  RECT client{};
  ::GetClientRect(label, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  {
    const ScopedSelection font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColour(flagsOf(label)));
    const std::wstring text = hyperlinkLabelText();
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  ::EndPaint(label, &paint);
}

// The default value of a key under HKEY_CLASSES_ROOT, read into 260 bytes.
std::optional<Text> classesValue(const Text& subkey) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueRegistryKey key(opened);
  char value[260] = {};
  DWORD size = sizeof value - 1;
  if (::RegQueryValueExA(key.get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return Text(value);
}

bool openInBrowser(const Text& target) {
  const auto shell = reinterpret_cast<INT_PTR>(
      ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW));
  if (shell > 32) return true;
  // No handler for web addresses: fall back on the command registered for web pages.
  const auto fileType = classesValue(".htm");
  if (!fileType) return false;
  const auto command = classesValue(*fileType + "\\shell\\open\\command");
  if (!command) return false;
  return ::WinExec(browserCommandLine(*command, target).c_str(), SW_SHOW) > 32;
}

void onMouseMove(HWND label, POINT at) {
  if ((flagsOf(label) & kHovering) == 0) {
    setFlag(label, kHovering, true);
    ::SetCapture(label);
    return;
  }
  RECT client{};
  ::GetClientRect(label, &client);
  if (!::PtInRect(&client, at)) {
    setFlag(label, kHovering, false);
    ::ReleaseCapture();
  }
}

void onLeftButtonDown(HWND label, POINT at) {
  RECT client{};
  ::GetClientRect(label, &client);
  if (!::PtInRect(&client, at)) return;  // a press elsewhere that the capture brought here
  if (openInBrowser(hyperlinkTarget())) setFlag(label, kOpened, true);
}

LRESULT handleLabelMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(label);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the whole label
    case WM_MOUSEMOVE:
      onMouseMove(label, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONDOWN:
      onLeftButtonDown(label, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the pointer is no longer known to be over the label.
      if (reinterpret_cast<HWND>(lParam) != label && (flagsOf(label) & kHovering) != 0) {
        setFlag(label, kHovering, false);
      }
      return 0;
    default:
      return ::DefWindowProcW(label, message, wParam, lParam);
  }
}

LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return handleLabelMessage(label, message, wParam, lParam);
  } catch (...) {
    return 0;  // no exception crosses into the system's code; the label just stays as it was
  }
}

}  // namespace

std::wstring hyperlinkLabelText() {
  return L"Quillfern（" QUILLFERN_PUBLISHER_HOST L"）";
}

Text hyperlinkTarget() {
  return publisherPage(QUILLFERN_PUBLISHER_HOST);
}

bool registerHyperlinkLabelClass(HINSTANCE instance) {
  WNDCLASSEXW existing{.cbSize = sizeof existing};
  if (::GetClassInfoExW(instance, kHyperlinkLabelClass, &existing)) return true;
  WNDCLASSEXW labelClass{
      .cbSize = sizeof labelClass,
      .lpfnWndProc = &labelProc,
      .cbWndExtra = sizeof(LONG_PTR),
      .hInstance = instance,
      // The hand, with its hot spot at the tip of the pointing finger.
      .hCursor = ::LoadCursorW(nullptr, IDC_HAND),
      .lpszClassName = kHyperlinkLabelClass,
  };
  return ::RegisterClassExW(&labelClass) != 0;
}

}  // namespace quillfern
