// The hyperlink label in a real window under Wine: its colours read back from its pixels, the
// pointer, and opening the page through a stand-in browser registered in the test prefix.
#include "app/hyperlink_label_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "common/unique_handle_win.h"
#include "stand_in_log.h"

#define QUILLFERN_WIDEN_(text) L##text
#define QUILLFERN_WIDEN(text) QUILLFERN_WIDEN_(text)

namespace quillfern {
namespace {

// The stand-in's Unix path, as Wine sees it on drive Z:.
std::string browserStandIn() {
  std::string path = "Z:" QUILLFERN_BROWSER_STAND_IN;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// The stand-in's path in double quotes followed by `rest`. (Built by appending: GCC 12 warns
// falsely about chains of operator+ on strings here.)
std::string quotedStandIn(const std::string& rest) {
  std::string command = "\"";
  command.append(browserStandIn()).append("\"").append(rest);
  return command;
}

// Sets the default value of a key under HKEY_CLASSES_ROOT for one test, then puts back what was
// there.
class ClassesValue {
 public:
  ClassesValue(std::string subkey, const std::string& value) : subkey_(std::move(subkey)) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    const UniqueRegistryKey owner(key);
    char old[1024] = {};
    DWORD size = sizeof old - 1;
    if (::RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS) {
      old_ = std::string(old);
    }
    ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
  }
  ~ClassesValue() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey_.c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
      return;
    }
    const UniqueRegistryKey owner(key);
    if (old_) {
      const std::string& value = *old_;
      ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    } else {
      ::RegDeleteValueA(key, nullptr);
    }
  }
  ClassesValue(const ClassesValue&) = delete;
  ClassesValue& operator=(const ClassesValue&) = delete;

 private:
  std::string subkey_;
  std::optional<std::string> old_;
};

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    ASSERT_TRUE(registerHyperlinkLabelClass(instance));
    parent = ::CreateWindowExW(0, L"STATIC", L"label test", WS_POPUP | WS_VISIBLE, 100, 100, 400,
                               80, nullptr, nullptr, instance, nullptr);
    label = ::CreateWindowExW(0, kHyperlinkLabelClass, hyperlinkLabelText().c_str(),
                              WS_CHILD | WS_VISIBLE, 20, 13, 328, 40, parent, nullptr, instance,
                              nullptr);
    ASSERT_NE(label, nullptr);
  }
  void TearDown() override {
    ::ReleaseCapture();
    ::DestroyWindow(parent);
  }

  // The commonest colour of the label's pixels other than its background: its text's colour.
  COLORREF textColour() const {
    ::RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(label);
    const COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    std::map<COLORREF, int> counts;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 328; ++x) {
        const COLORREF pixel = ::GetPixel(dc, x, y);
        if (pixel != background && pixel != CLR_INVALID) ++counts[pixel];
      }
    }
    ::ReleaseDC(label, dc);
    COLORREF commonest = CLR_INVALID;
    int most = 0;
    for (const auto& [colour, count] : counts) {
      if (count > most) commonest = colour, most = count;
    }
    return commonest;
  }
  void mouseAt(int x, int y) const {
    ::SendMessageW(label, WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  void pressAt(int x, int y) const {
    ::SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON,
                   MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  std::string opened(int waitMs = 3000) const { return browser.text(waitMs); }

  HWND parent = nullptr;
  HWND label = nullptr;
  testing::StandInLog browser{"QUILLFERN_BROWSER_LOG", "browser-stand-in.log"};
};

const std::string kTarget = "http://quillfern.example/?cookies";

TEST_F(LabelTest, ShowsThePublisherWithAHandCursor) {
  EXPECT_EQ(hyperlinkLabelText(), L"Quillfern（quillfern.example）");
  EXPECT_EQ(hyperlinkTarget(), kTarget);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrW(label, GCLP_HCURSOR)),
            ::LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(::GetWindowLongPtrW(label, GWL_STYLE) & (WS_TABSTOP | WS_BORDER), 0);
}

TEST_F(LabelTest, TakesTheHoverColourWhileThePointerIsOverIt) {
  EXPECT_EQ(textColour(), RGB(0, 0, 255));
  mouseAt(10, 10);
  EXPECT_EQ(::GetCapture(), label);
  EXPECT_EQ(textColour(), RGB(51, 153, 255));
  mouseAt(200, 30);  // still inside
  EXPECT_EQ(::GetCapture(), label);
  mouseAt(-3, 10);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(textColour(), RGB(0, 0, 255));
}

TEST_F(LabelTest, ACaptureTakenAwayEndsTheHover) {
  mouseAt(10, 10);
  ::SetCapture(parent);
  EXPECT_EQ(textColour(), RGB(0, 0, 255));
}

TEST_F(LabelTest, OpensThePageWithTheHandlerForWebAddressesAndKeepsTheOpenedColour) {
  const ClassesValue handler("http\\shell\\open\\command", quotedStandIn(" \"%1\""));
  mouseAt(10, 10);
  pressAt(10, 10);
  // The shell puts the address where the registered command has "%1", quotes included.
  EXPECT_EQ(opened(), quotedStandIn(" \"" + kTarget + "\"\n"));
  EXPECT_EQ(textColour(), RGB(51, 153, 255));  // still hovered
  mouseAt(400, 10);
  EXPECT_EQ(textColour(), RGB(128, 0, 0));
}

TEST_F(LabelTest, FallsBackOnTheCommandRegisteredForWebPages) {
  const ClassesValue broken("http\\shell\\open\\command", "C:\\nowhere\\no-browser.exe \"%1\"");
  const ClassesValue pageType(".htm", "QuillfernTestPage");
  const ClassesValue pageCommand("QuillfernTestPage\\shell\\open\\command",
                                 quotedStandIn(" -page \"%1\" -new"));
  pressAt(10, 10);
  EXPECT_EQ(opened(), quotedStandIn(" -page  " + kTarget + "\n"));
  EXPECT_EQ(textColour(), RGB(128, 0, 0));
}

TEST_F(LabelTest, WithNoWayToOpenThePageNothingChanges) {
  const ClassesValue broken("http\\shell\\open\\command", "C:\\nowhere\\no-browser.exe \"%1\"");
  const ClassesValue pageType(".htm", "QuillfernNoSuchType");
  pressAt(10, 10);
  EXPECT_EQ(opened(500), "");
  EXPECT_EQ(textColour(), RGB(0, 0, 255));
}

TEST_F(LabelTest, APressOutsideTheLabelOpensNothing) {
  const ClassesValue handler("http\\shell\\open\\command", quotedStandIn(" \"%1\""));
  mouseAt(10, 10);
  pressAt(-20, 10);
  EXPECT_EQ(opened(500), "");
}

}  // namespace
}  // namespace quillfern
