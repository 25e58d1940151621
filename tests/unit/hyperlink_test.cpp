#include "app/hyperlink.h"

#include <gtest/gtest.h>

namespace quillfern {
namespace {

TEST(Hyperlink, BrowserCommandIsCutBeforeThePlaceOfTheAddress) {
  const Text target = "http://quillfern.example/?cookies";
  const struct {
    const char* registered;
    const char* expected;
  } cases[] = {
      {"\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"",
       "\"C:\\Program Files\\Browser\\browser.exe\"  http://quillfern.example/?cookies"},
      {"C:\\browser.exe -url \"%1\" -new",
       "C:\\browser.exe -url  http://quillfern.example/?cookies"},
      {"C:\\browser.exe %1", "C:\\browser.exe  http://quillfern.example/?cookies"},
      // The quoted form wins even when a bare %1 comes first.
      {"C:\\b.exe %1 \"%1\"", "C:\\b.exe %1  http://quillfern.example/?cookies"},
      {"C:\\browser.exe -nohome", "C:\\browser.exe -nohome http://quillfern.example/?cookies"},
      {"", " http://quillfern.example/?cookies"},
      // 0x25 as the second byte of a two-byte character is no percent sign.
      {"C:\\\x81%1", "C:\\\x81%1 http://quillfern.example/?cookies"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(browserCommandLine(c.registered, target), c.expected) << c.registered;
}

TEST(Hyperlink, TargetAndColours) {
  EXPECT_EQ(publisherPage("quillfern.example"), "http://quillfern.example/?cookies");
  EXPECT_EQ(linkColour(false, false), (Rgb{0, 0, 255}));
  EXPECT_EQ(linkColour(true, false), (Rgb{51, 153, 255}));
  EXPECT_EQ(linkColour(true, true), (Rgb{51, 153, 255}));
  EXPECT_EQ(linkColour(false, true), (Rgb{128, 0, 0}));
}

}  // namespace
}  // namespace quillfern
