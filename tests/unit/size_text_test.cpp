#include "results/size_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quillfern {
namespace {

TEST(SizeText, IsMegabytesWithAtMostTwoDecimals) {
  constexpr FileSize kGiB = FileSize{1} << 30;
  const struct {
    FileSize bytes;
    const char* text;
  } cases[] = {
      {0, "0"},
      {5242, "0"},
      {5243, "0.01"},
      {131072, "0.13"},  // exactly halfway: away from zero
      {524288, "0.5"},
      {1000000, "0.95"},
      {1048575, "1"},
      {1048576, "1"},
      {1572864, "1.5"},
      {10000000, "9.54"},
      {123456789, "117.74"},
      {2147483647, "2048"},
      {-1, "0"},  // an unreadable size
      {-5243, "-0.01"},
      {-131072, "-0.13"},
      {-1073741824, "-1024"},
      {-2147483648LL, "-2048"},
      {3 * kGiB, "3072"},
      {4 * kGiB + 5, "4096"},
      {5 * kGiB, "5120"},
      {FileSize{1} << 52, "4294967296"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatSizeMB(c.bytes), c.text) << c.bytes;
}

TEST(SizeText, RoundingIsHalfAwayFromZeroAndKeepsTheSignOfZero) {
  EXPECT_EQ(roundToDecimals(0.125, 2), 0.13);
  EXPECT_EQ(roundToDecimals(-0.125, 2), -0.13);
  EXPECT_EQ(roundToDecimals(0.124, 2), 0.12);
  const double negativeZero = roundToDecimals(-0.0000009537, 2);
  EXPECT_EQ(negativeZero, 0.0);
  EXPECT_TRUE(std::signbit(negativeZero));
  EXPECT_EQ(numberToText(negativeZero), "0");
}

TEST(SizeText, NumbersHaveThirteenSignificantDigitsAtMost) {
  EXPECT_EQ(numberToText(117.74), "117.74");
  EXPECT_EQ(numberToText(2048.0), "2048");
  EXPECT_EQ(numberToText(1.0 / 3.0), "0.3333333333333");
  EXPECT_EQ(numberToText(-1024.5), "-1024.5");
}

TEST(SizeText, LineIsSizeUnitTwoSpacesAndPath) {
  EXPECT_EQ(resultLine(123456789, "C:\\a b\\c.flv"), "117.74MB  C:\\a b\\c.flv");
  EXPECT_EQ(resultLine(kUnreadableSize, "C:\\x"), "0MB  C:\\x");
  EXPECT_EQ(resultLine(-1073741824, "C:\\x"), "-1024MB  C:\\x");
}

}  // namespace
}  // namespace quillfern
