#include "search/found_file_table.h"

#include <gtest/gtest.h>

#include <random>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "common/fatal.h"
#include "reference_table.h"

namespace quillfern {
namespace {

using Offers = std::vector<std::pair<std::string, FileSize>>;

constexpr FileSize kGiB = FileSize{1} << 30;

FoundFileTable tableOf(const Offers& offers) {
  FoundFileTable table;
  for (const auto& [path, size] : offers)
    table.offer(path, size);
  return table;
}

Offers entriesOf(const FoundFileTable& table) {
  Offers entries;
  for (int position = 1; position <= table.count(); ++position) {
    entries.emplace_back(table.pathAt(position), table.sizeAt(position));
  }
  return entries;
}

// n entries named E1..En, with sizes from `sizeOf(position)`.
template <typename SizeOf>
Offers descending(int n, SizeOf sizeOf) {
  Offers offers;
  for (int position = 1; position <= n; ++position) {
    offers.emplace_back("E" + std::to_string(position), sizeOf(position));
  }
  return offers;
}

struct FillingCase {
  const char* what;
  Offers offers;
  Offers expected;
};

std::ostream& operator<<(std::ostream& out, const FillingCase& c) {
  return out << c.what;
}

class TableWhileFilling : public ::testing::TestWithParam<FillingCase> {};

TEST_P(TableWhileFilling, RanksEveryOffer) {
  EXPECT_EQ(entriesOf(tableOf(GetParam().offers)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableWhileFilling,
    ::testing::Values(FillingCase{"DisplacedTieSwaps",
                                  {{"A", 5}, {"B", 5}, {"X", 7}},
                                  {{"X", 7}, {"B", 5}, {"A", 5}}},
                      FillingCase{"FirstOfEachDisplacedRunMovesToItsEnd",
                                  {{"K", 9}, {"L", 5}, {"M", 5}, {"N", 5}, {"O", 3}, {"X", 7}},
                                  {{"K", 9}, {"X", 7}, {"M", 5}, {"N", 5}, {"L", 5}, {"O", 3}}},
                      FillingCase{"TwoDisplacedRuns",
                                  {{"K", 9}, {"L", 5}, {"M", 5}, {"O", 3}, {"P", 3}, {"X", 7}},
                                  {{"K", 9}, {"X", 7}, {"M", 5}, {"L", 5}, {"P", 3}, {"O", 3}}},
                      FillingCase{"EqualSizeLandsAfterItsEquals",
                                  {{"A", 5}, {"B", 5}, {"X", 5}},
                                  {{"A", 5}, {"B", 5}, {"X", 5}}},
                      FillingCase{"SmallestLandsLastAndNothingMoves",
                                  {{"A", 9}, {"B", 7}, {"C", 7}, {"X", 1}},
                                  {{"A", 9}, {"B", 7}, {"C", 7}, {"X", 1}}},
                      FillingCase{"UnreadableSizeRanksBelowEmptyFile",
                                  {{"A", 0}, {"X", -1}, {"B", 5}},
                                  {{"B", 5}, {"A", 0}, {"X", -1}}},
                      FillingCase{"ThreeGiBRanksAboveOneByte",
                                  {{"one", 1}, {"big", 3 * kGiB}},
                                  {{"big", 3 * kGiB}, {"one", 1}}},
                      FillingCase{"FourGiBPlusFiveIsNotFiveBytes",
                                  {{"six", 6}, {"huge", 4 * kGiB + 5}, {"five", 5}},
                                  {{"huge", 4 * kGiB + 5}, {"six", 6}, {"five", 5}}}),
    [](const auto& p) { return std::string(p.param.what); });

TEST(FullTable, LargestNewFileGoesFirstAndTheLastFallsOut) {
  FoundFileTable table = tableOf(descending(100, [](int p) { return 1000 - p; }));
  table.offer("X", 5000);
  ASSERT_EQ(table.count(), 100);
  EXPECT_EQ(table.pathAt(1), "X");
  EXPECT_EQ(table.pathAt(2), "E1");
  EXPECT_EQ(table.pathAt(100), "E99");
}

TEST(FullTable, TakesOnlySizesAboveTheLastEntry) {
  // Entry 99 is larger than the last entry's size s plus one.
  const FileSize s = 10;
  const Offers full = descending(100, [s](int p) { return p == 100 ? s : 1000 - p; });
  FoundFileTable table = tableOf(full);

  table.offer("equal", s);
  EXPECT_EQ(entriesOf(table), full);

  table.offer("above", s + 1);
  EXPECT_EQ(table.pathAt(99), "E99");
  EXPECT_EQ(table.pathAt(100), "above");
  EXPECT_EQ(table.sizeAt(100), s + 1);
}

TEST(FullTable, KeepsDisplacedTiesInOrderWhileTheFillingTableRotatesThem) {
  // P 150 and Q 150 at positions 50 and 51, every size before them above 160.
  auto sizeOf = [](int p) -> FileSize { return p < 50 ? 1000 - p : (p <= 51 ? 150 : 100 - p); };
  auto withTies = [&](int n) {
    Offers offers = descending(n, sizeOf);
    offers[49].first = "P";
    offers[50].first = "Q";
    return offers;
  };

  FoundFileTable full = tableOf(withTies(100));
  full.offer("X", 160);
  EXPECT_EQ(full.pathAt(50), "X");
  EXPECT_EQ(full.pathAt(51), "P");
  EXPECT_EQ(full.pathAt(52), "Q");

  FoundFileTable filling = tableOf(withTies(99));
  filling.offer("X", 160);
  EXPECT_EQ(filling.pathAt(50), "X");
  EXPECT_EQ(filling.pathAt(51), "Q");
  EXPECT_EQ(filling.pathAt(52), "P");
}

TEST(FullTable, TakesAnUnreadableSizeOnlyAboveSmallerSizes) {
  FoundFileTable nonNegative = tableOf(descending(100, [](int p) { return 100 - p; }));
  nonNegative.offer("unreadable", kUnreadableSize);
  EXPECT_EQ(nonNegative.pathAt(100), "E100");

  FoundFileTable withNegative =
      tableOf(descending(100, [](int p) { return p == 100 ? -2 : 100 - p; }));
  withNegative.offer("unreadable", kUnreadableSize);
  EXPECT_EQ(withNegative.pathAt(100), "unreadable");
}

TEST(Table, CountStaysWithinCapacityAndClearEmptiesIt) {
  FoundFileTable table;
  table.clear();
  EXPECT_EQ(table.count(), 0);
  for (int i = 0; i < 250; ++i) {
    table.offer("F" + std::to_string(i), i % 17);
    ASSERT_LE(table.count(), FoundFileTable::kCapacity);
  }
  EXPECT_EQ(table.count(), 100);
  table.clear();
  EXPECT_EQ(table.count(), 0);
  table.offer("again", 1);
  EXPECT_EQ(entriesOf(table), (Offers{{"again", 1}}));
}

TEST(Table, AgreesWithTheExchangeSortOnRandomOffers) {
  std::mt19937_64 random(20261211);
  for (int round = 0; round < 200; ++round) {
    FoundFileTable table;
    testing::ReferenceTable reference;
    // Few distinct sizes make long runs of ties; some rounds span the 64-bit range.
    const FileSize spread = round % 3 == 0 ? 4 : (round % 3 == 1 ? 40 : 6 * kGiB);
    std::uniform_int_distribution<FileSize> size(-2, spread);
    const int offers = 1 + static_cast<int>(random() % 400);
    for (int i = 0; i < offers; ++i) {
      const std::string path = "F" + std::to_string(i);
      const FileSize s = size(random);
      table.offer(path, s);
      reference.offer(path, s);
      if (random() % 97 == 0) {
        table.clear();
        reference.clear();
      }
    }
    ASSERT_EQ(entriesOf(table), reference.entries()) << "round " << round;
  }
}

using TableDeathTest = ::testing::Test;

TEST_F(TableDeathTest, ReadingOutsideTheEntriesEndsTheProgram) {
  const FoundFileTable table = tableOf({{"A", 1}, {"B", 2}});
  EXPECT_EXIT(table.pathAt(0), ::testing::ExitedWithCode(kFatalExitCode), "position 0 .* 1..2");
  EXPECT_EXIT(table.sizeAt(3), ::testing::ExitedWithCode(kFatalExitCode), "position 3 .* 1..2");
  EXPECT_EXIT(FoundFileTable().pathAt(1), ::testing::ExitedWithCode(kFatalExitCode), "1..0");
}

}  // namespace
}  // namespace quillfern
