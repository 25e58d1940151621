// The label at the top right of the real window, with the real pointer: its colours read from the
// screen, the hand over it, and the page it opens through a browser stand-in registered in the
// prefix as the handler for web addresses, also while a search runs.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "program_test.h"

#define QUILLFERN_WIDEN_(text) L##text
#define QUILLFERN_WIDEN(text) QUILLFERN_WIDEN_(text)

namespace quillfern::e2e {
namespace {

const std::wstring kHandlerKey = L"http\\shell\\open\\command";
const std::string kOpened = "\"http://quillfern.example/?cookies\"";

// Registers the stand-in as the handler for web addresses for one test, and puts back what was
// registered before.
class BrowserHandler {
 public:
  BrowserHandler() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kHandlerKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    const UniqueRegistryKey owner(key);
    wchar_t old[1024] = {};
    DWORD size = sizeof old - sizeof(wchar_t);
    if (::RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS) {
      old_ = std::wstring(old);
    }
    const std::wstring command =
        L"\"" + windowsPathOf(QUILLFERN_WIDEN(QUILLFERN_BROWSER_STAND_IN)) + L"\" \"%1\"";
    registered_ = set(key, command);
  }
  BrowserHandler(const BrowserHandler&) = delete;
  BrowserHandler& operator=(const BrowserHandler&) = delete;
  ~BrowserHandler() {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, kHandlerKey.c_str(), 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
      return;
    }
    const UniqueRegistryKey owner(key);
    if (old_) {
      set(key, *old_);
    } else {
      ::RegDeleteValueW(key, nullptr);
    }
  }
  bool registered() const { return registered_; }

 private:
  static bool set(HKEY key, const std::wstring& value) {
    return ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
  }
  std::optional<std::wstring> old_;
  bool registered_ = false;
};

// The file the browser stand-in logs to, named in this process's environment before the program
// starts, so that the program and the stand-in inherit it.
class BrowserLog {
 public:
  BrowserLog() {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"quillfern-e2e-browser.log";
    ::DeleteFileW(path_.c_str());
    ::SetEnvironmentVariableW(L"QUILLFERN_BROWSER_LOG", path_.c_str());
  }
  BrowserLog(const BrowserLog&) = delete;
  BrowserLog& operator=(const BrowserLog&) = delete;
  ~BrowserLog() { ::DeleteFileW(path_.c_str()); }
  std::string contents() const { return readFile(path_).value_or(""); }

 private:
  std::wstring path_;
};

// The handler and the log come before the program, which is started by the base class after them.
class HandlerFirst {
 protected:
  BrowserHandler handler;
  BrowserLog browserLog;
};

class HyperlinkE2eTest : public HandlerFirst, public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(handler.registered());
    ProgramTest::SetUp();
    label = control(k超级链接框1Id);
    ASSERT_NE(label, nullptr);
  }

  // The commonest colour on screen inside the label other than its background: its text's.
  std::optional<std::uint32_t> textColour() const {
    const RECT area = windowRect(label);
    const auto shot = captureSettled(area);
    if (!shot) return std::nullopt;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const std::uint32_t background =
        (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    std::map<std::uint32_t, int> counts;
    for (int y = 0; y < shot->height(); ++y) {
      for (int x = 0; x < shot->width(); ++x) {
        if (shot->pixel(x, y) != background) ++counts[shot->pixel(x, y)];
      }
    }
    std::optional<std::uint32_t> commonest;
    int most = 0;
    for (const auto& [colour, count] : counts) {
      if (count > most) commonest = colour, most = count;
    }
    return commonest;
  }
  bool colourBecomes(std::uint32_t rgb) const {
    return waitFor([&] { return textColour() == rgb; }, 3s);
  }
  // A point of the window's bare background, away from the label.
  POINT awayFromTheLabel() const {
    const RECT rect = windowRect(label);
    return POINT{rect.left - 20, rect.bottom + 8};
  }
  bool opensOnce() const {
    return waitFor([&] { return !browserLog.contents().empty(); }, 5s) &&
           browserLog.contents().find(kOpened) != std::string::npos &&
           browserLog.contents().find('\n') == browserLog.contents().size() - 1;
  }

  static HCURSOR shownCursor() {
    CURSORINFO cursor{.cbSize = sizeof cursor};
    return ::GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
  }

  HWND label = nullptr;
};

constexpr std::uint32_t kNormal = 0x0000FF;
constexpr std::uint32_t kHover = 0x3399FF;
constexpr std::uint32_t kVisited = 0x800000;

TEST_F(HyperlinkE2eTest, ChangesColourUnderThePointerAndAfterOpeningThePageOnce) {
  EXPECT_TRUE(colourBecomes(kNormal));

  ASSERT_TRUE(input::moveTo(centreOf(windowRect(label))));
  EXPECT_TRUE(colourBecomes(kHover));
  const HCURSOR overTheLabel = shownCursor();

  ASSERT_TRUE(input::moveTo(awayFromTheLabel()));
  EXPECT_TRUE(colourBecomes(kNormal));
  // The label shows a cursor of its own, the hand (its class's cursor, which the Windows tests
  // check in-process: another process's cursor cannot be read from here under Wine).
  EXPECT_NE(overTheLabel, nullptr);
  EXPECT_NE(overTheLabel, shownCursor());
  EXPECT_EQ(browserLog.contents(), "");

  ASSERT_TRUE(input::click(centreOf(windowRect(label))));
  EXPECT_TRUE(opensOnce()) << browserLog.contents();
  EXPECT_TRUE(colourBecomes(kHover));  // the pointer is still over it
  ASSERT_TRUE(input::moveTo(awayFromTheLabel()));
  EXPECT_TRUE(colourBecomes(kVisited));
}

using HyperlinkDuringSearchE2eTest = HyperlinkE2eTest;

TEST_F(HyperlinkDuringSearchE2eTest, OpensThePageWhileTheWalkRuns) {
  ASSERT_NO_FATAL_FAILURE(adopt(L"QUILLFERN_E2E_LONG_WALK"));
  ASSERT_TRUE(startSearch());
  ASSERT_TRUE(input::click(centreOf(windowRect(label))));
  EXPECT_TRUE(opensOnce()) << browserLog.contents();
  ASSERT_TRUE(input::moveTo(awayFromTheLabel()));
  EXPECT_TRUE(colourBecomes(kVisited));
  EXPECT_FALSE(::IsWindowEnabled(searchButton)) << "the search ended before the label was clicked";
  EXPECT_TRUE(waitFor([&] { return ::IsWindowEnabled(searchButton) != FALSE; }, 60s));
}

}  // namespace
}  // namespace quillfern::e2e
