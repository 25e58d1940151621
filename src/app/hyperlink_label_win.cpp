#include "app/hyperlink_label_win.h"

#include "common/unique_handle_win.h"

#ifndef QUILLFERN_PUBLISHER_HOST
#define QUILLFERN_PUBLISHER_HOST "quillfern.example"
#endif

namespace quillfern {

namespace {

constexpr COLORREF kNormalColour = RGB(0, 0, 255);

void paint(HWND label) {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(label, &paint);
  RECT client{};
  ::GetClientRect(label, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  const ScopedSelection font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kNormalColour);
  const std::wstring text = hyperlinkLabelText();
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  ::EndPaint(label, &paint);
}

LRESULT CALLBACK labelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(label);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the whole label
    default:
      return ::DefWindowProcW(label, message, wParam, lParam);
  }
}

}  // namespace

std::wstring hyperlinkLabelText() {
  return L"Quillfern（" QUILLFERN_PUBLISHER_HOST L"）";
}

bool registerHyperlinkLabelClass(HINSTANCE instance) {
  WNDCLASSEXW existing{.cbSize = sizeof existing};
  if (::GetClassInfoExW(instance, kHyperlinkLabelClass, &existing)) return true;
  WNDCLASSEXW labelClass{
      .cbSize = sizeof labelClass,
      .lpfnWndProc = &labelProc,
      .hInstance = instance,
      .hCursor = ::LoadCursorW(nullptr, IDC_HAND),
      .lpszClassName = kHyperlinkLabelClass,
  };
  return ::RegisterClassExW(&labelClass) != 0;
}

}  // namespace quillfern
