#include "search/file_filter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fake_window.h"

namespace quillfern {
namespace {

using testing::FakeWindow;

struct ExtensionCase {
  const char* what;
  Text typed;
  Text pattern;
  Text boxAfter;
};

std::ostream& operator<<(std::ostream& out, const ExtensionCase& c) {
  return out << c.what;
}

class CustomExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(CustomExtension, IsCleanedInTheBoxAndSearchedFor) {
  FakeWindow window;
  window.check(Control::单选框3);
  window.extension = GetParam().typed;
  EXPECT_EQ(currentFilePattern(window), GetParam().pattern);
  EXPECT_EQ(window.extension, GetParam().boxAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CustomExtension,
    ::testing::Values(
        ExtensionCase{"SpacesDotsAndStars", " .f l*v", "*.flv", "flv"},
        ExtensionCase{"StarDotPrefix", "*.MP4", "*.MP4", "MP4"},
        ExtensionCase{"EveryDotGoes", "tar.gz", "*.targz", "targz"},
        ExtensionCase{"FullWidthSpace", "flv\xA1\xA1", "*.flv", "flv"},
        ExtensionCase{"TwoByteCharactersPass", "\xCA\xD3\xC6\xB5", "*.\xCA\xD3\xC6\xB5",
                      "\xCA\xD3\xC6\xB5"},  // 视频
        ExtensionCase{"CutLeadByteIsDropped", "flv\x81", "*.flv", "flv"},
        ExtensionCase{"QuestionMarkStaysAWildcard", "fl?", "*.fl?", "fl?"},
        // Not empty as typed, so the cleaning runs; it leaves the files without an extension.
        ExtensionCase{"NothingLeftAfterCleaning", " . ", "*.", ""},
        ExtensionCase{"EmptyBoxSelectsNoFile", "", "", ""}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(FilePattern, FollowsTheFirstCheckedRadioButton) {
  const struct {
    std::vector<Control> checked;
    Text pattern;
  } cases[] = {
      {{Control::单选框1}, "*.*"},
      {{Control::单选框2}, "*.flv"},
      {{Control::单选框1, Control::单选框2}, "*.*"},
      {{Control::单选框2, Control::单选框3}, "*.flv"},
      {{}, ""},
  };
  for (const auto& c : cases) {
    FakeWindow window;
    window.radioChecked.clear();
    for (Control radio : c.checked)
      window.radioChecked[radio] = true;
    window.extension = "mp4";
    EXPECT_EQ(currentFilePattern(window), c.pattern);
  }
}

TEST(FilePattern, ReadsTheBoxOnlyForACustomExtensionAndWritesEachCleaningStep) {
  FakeWindow all;
  all.extension = " .f l*v";
  EXPECT_EQ(currentFilePattern(all), "*.*");
  EXPECT_EQ(all.transcript, (std::vector<std::string>{"read 单选框1"}));

  FakeWindow custom;
  custom.check(Control::单选框3);
  custom.extension = " .f l*v";
  currentFilePattern(custom);
  EXPECT_EQ(
      custom.transcript,
      (std::vector<std::string>{
          "read 单选框1", "read 单选框2", "read 单选框3", "read 编辑框1  .f l*v",
          "read 编辑框1  .f l*v", "write 编辑框1  f l*v", "read 编辑框1  f l*v",
          "write 编辑框1  f lv", "read 编辑框1  f lv", "write 编辑框1 flv", "read 编辑框1 flv"}));

  FakeWindow empty;
  empty.check(Control::单选框3);
  currentFilePattern(empty);
  EXPECT_EQ(empty.transcript.back(), "read 编辑框1 ");
}

TEST(FilePattern, CleaningACleanExtensionChangesNothing) {
  FakeWindow window;
  window.check(Control::单选框3);
  window.extension = "* .mp4";
  const Text first = currentFilePattern(window);
  const Text box = window.extension;
  EXPECT_EQ(currentFilePattern(window), first);
  EXPECT_EQ(window.extension, box);
}

}  // namespace
}  // namespace quillfern
