#include "common/text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace quillfern {
namespace {

struct RemovalCase {
  const char* what;
  Text text;
  Text subtext;
  Text expected;
};

std::ostream& operator<<(std::ostream& out, const RemovalCase& c) {
  return out << c.what;
}

class RemoveSubtext : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(RemoveSubtext, RemovesWholeCharactersOnly) {
  EXPECT_EQ(removeSubtext(GetParam().text, GetParam().subtext), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveSubtext,
    ::testing::Values(RemovalCase{"EveryDot", "tar.gz.", ".", "targz"},
                      RemovalCase{"EveryStar", "**mp*4", "*", "mp4"},
                      RemovalCase{"CaseMatters", "FlvF", "f", "FlvF"},
                      RemovalCase{"EmptyText", "", ".", ""},
                      RemovalCase{"EmptySubtextCopies", "a.b", "", "a.b"},
                      // 0x2E as the second byte of a two-byte character is not a dot.
                      RemovalCase{"SecondByteIsNeverMatched", "\x81\x2E.", ".", "\x81\x2E"},
                      RemovalCase{"TwoByteCharactersPassThrough", "\xCA\xD3\xC6\xB5", ".",
                                  "\xCA\xD3\xC6\xB5"},
                      RemovalCase{"CutLeadByteAtTheEndIsDropped", "flv\x80", ".", "flv"},
                      RemovalCase{"LongerSubtext", "a--b--", "--", "ab"},
                      RemovalCase{"ShortTailIsCopied", "ab-", "--", "ab-"}),
    [](const auto& p) { return std::string(p.param.what); });

struct SpacesCase {
  const char* what;
  Text text;
  Text expected;
};

std::ostream& operator<<(std::ostream& out, const SpacesCase& c) {
  return out << c.what;
}

class RemoveSpaces : public ::testing::TestWithParam<SpacesCase> {};

TEST_P(RemoveSpaces, DropsAsciiAndFullWidthSpaces) {
  EXPECT_EQ(removeSpaces(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveSpaces,
    ::testing::Values(SpacesCase{"AsciiSpaces", " f l v ", "flv"},
                      SpacesCase{"FullWidthSpace", "flv\xA1\xA1", "flv"},
                      SpacesCase{"OtherPairStartingWithA1", "\xA1\xA2x", "\xA1\xA2x"},
                      // A1 A1 straddling two characters is not a full-width space.
                      SpacesCase{"NoMatchAcrossCharacters", "\xB0\xA1\xA1\xB0", "\xB0\xA1\xA1\xB0"},
                      SpacesCase{"SpaceAsSecondByteStays", "\x81\x20", "\x81\x20"},
                      SpacesCase{"TabsAndLineBreaksStay", "a\tb\r\n", "a\tb\r\n"},
                      SpacesCase{"CutLeadByteIsDropped", "mp4 \xA1", "mp4"}),
    [](const auto& p) { return std::string(p.param.what); });

struct SplitCase {
  const char* what;
  Text text;
  Text delimiter;
  std::vector<Text> pieces;
};

std::ostream& operator<<(std::ostream& out, const SplitCase& c) {
  return out << c.what;
}

class SplitText : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitText, CutsWhereACharacterBegins) {
  EXPECT_EQ(splitText(GetParam().text, GetParam().delimiter), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitText,
    ::testing::Values(SplitCase{"EmptyTextHasNoPieces", "", "\\", {}},
                      SplitCase{"EmptyDelimiterGivesTheWholeText", "a\\b", "", {"a\\b"}},
                      SplitCase{"LeadingDelimiterGivesAnEmptyFirstPiece", "\\a", "\\", {"", "a"}},
                      SplitCase{"TrailingDelimiterGivesNoEmptyLastPiece", "a\\", "\\", {"a"}},
                      SplitCase{"TwoDelimitersEncloseAnEmptyPiece", "a\\\\b", "\\", {"a", "", "b"}},
                      // 淺 is 9C 5C: its second byte is a backslash, and it stays whole.
                      SplitCase{"SecondByteBackslashStaysWhole",
                                "C:\\\x9C\x5C.flv",
                                "\\",
                                {"C:", "\x9C\x5C.flv"}},
                      SplitCase{"CutLeadByteStaysInTheLastPiece", "a\\b\x9C", "\\", {"a", "b\x9C"}},
                      SplitCase{"LongDelimiter", "xROOTyROOT", "ROOT", {"x", "y"}},
                      SplitCase{"CaseMatters", "aXbxc", "x", {"aXb", "c"}}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(FindSubtext, MatchesOnlyWhereACharacterBegins) {
  EXPECT_EQ(findSubtext("a \"%1\"", "\"%1\""), 2u);
  EXPECT_EQ(findSubtext("\x81%1%1", "%1"), 3u);  // the first % is the second byte of a pair
  EXPECT_EQ(findSubtext("abc", "d"), std::string_view::npos);
  EXPECT_EQ(findSubtext("", "%1"), std::string_view::npos);
}

TEST(LastCharacter, IgnoresTheSecondByteOfATwoByteCharacter) {
  EXPECT_TRUE(lastCharacterIs("C:\\Desktop\\", '\\'));
  EXPECT_FALSE(lastCharacterIs("C:\\Desktop", '\\'));
  EXPECT_FALSE(lastCharacterIs("C:\\\x9C\x5C", '\\'));  // ends in 淺
  EXPECT_TRUE(lastCharacterIs("C:\\\x9C\x5C\\", '\\'));
  EXPECT_FALSE(lastCharacterIs("", '\\'));
}

}  // namespace
}  // namespace quillfern
