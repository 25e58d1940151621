// Searches in the real window over caches made for each test: the exact lines, in the order the
// walk offers the files and the table ranks them; the status bar's last text; the file-type
// filter chosen with the mouse and with typed keys; and searches that the user changes or ends
// while they run.
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "program_test.h"

namespace quillfern::e2e {
namespace {

constexpr std::int64_t kMB = 1048576;

struct Listing {
  std::wstring folder;  // relative to the cache root, empty for the root
  std::vector<std::wstring> names;
};

struct SearchCase {
  const char* name;
  std::vector<FixtureFile> files;
  // How the platform lists the folders whose order decides the lines: the walk offers a folder's
  // files after all of its sub-folders, the root's own files last, and ties keep that order
  // while the table fills.
  std::vector<Listing> listings;
  std::vector<std::wstring> lines;  // the result lines, worked out by hand
  std::wstring lastRootFolder;      // the last folder entry the root's listing gives
};

// Parameters print as their names.
void PrintTo(const SearchCase& tested, std::ostream* os) {
  *os << tested.name;
}

std::wstring numbered(const std::wstring& prefix, int number, const std::wstring& suffix) {
  std::wstring digits = std::to_wstring(number);
  return prefix + std::wstring(3 - digits.size(), L'0') + digits + suffix;
}

// f000.bin .. f099.bin in the folder "fill": 2 MB each up to f049, then 1 MB each.
std::vector<FixtureFile> fillingFiles() {
  std::vector<FixtureFile> files;
  for (int i = 0; i < 100; ++i)
    files.push_back({numbered(L"fill\\f", i, L".bin"), (i < 50 ? 2 : 1) * kMB});
  return files;
}

std::vector<FixtureFile> joined(std::vector<FixtureFile> files,
                                const std::vector<FixtureFile>& more) {
  files.insert(files.end(), more.begin(), more.end());
  return files;
}

std::vector<std::wstring> numberedLines(const std::wstring& size, int from, int to) {
  std::vector<std::wstring> lines;
  for (int i = from; i <= to; ++i)
    lines.push_back(resultLine(size, numbered(L"fill\\f", i, L".bin")));
  return lines;
}

std::vector<std::wstring> joined(std::vector<std::wstring> lines,
                                 const std::vector<std::wstring>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

std::vector<std::wstring> numberedNames(int from, int to) {
  std::vector<std::wstring> names{L".", L".."};
  for (int i = from; i <= to; ++i)
    names.push_back(numbered(L"f", i, L".bin"));
  return names;
}

const SearchCase kSearchCases[] = {
    {
        "TableStillFilling",
        {
            {L"Content.IE5\\7XK2L9QA\\a[1].jpg", 5 * kMB},
            {L"Content.IE5\\7XK2L9QA\\b, c[1].js", 5 * kMB},
            {L"Content.IE5\\7XK2L9QA\\clip 1[1].flv", 7 * kMB},
            // 淺 is 9C 5C in code page 936: its second byte is a backslash.
            {L"Content.IE5\\M3P0DF8Z\\淺\\淺.flv", 5 * kMB},
            {L"Content.IE5\\M3P0DF8Z\\k.gif", 9 * kMB},
            {L"Content.IE5\\M3P0DF8Z\\style[2].css", 3 * kMB},
            {L"Content.IE5\\index.dat", 0},
            {L"Low\\Content.IE5\\9QWE3RTY\\big movie, part 1[1].flv", 5120 * kMB},
            {L"Low\\Content.IE5\\9QWE3RTY\\player[1].swf", 131072},  // 0.125 MB
            {L"Low\\Content.IE5\\ad (2).flv", 7 * kMB},
            {L"[old]\\x.tmp", 123456789},
            {L"index.dat", 1572864},
        },
        {
            {L"", {L".", L"..", L"Content.IE5", L"index.dat", L"Low", L"[old]"}},
            {L"Content.IE5", {L".", L"..", L"7XK2L9QA", L"index.dat", L"M3P0DF8Z"}},
            {L"Content.IE5\\7XK2L9QA", {L".", L"..", L"a[1].jpg", L"b, c[1].js", L"clip 1[1].flv"}},
            {L"Content.IE5\\M3P0DF8Z", {L".", L"..", L"k.gif", L"style[2].css", L"淺"}},
            {L"Low\\Content.IE5", {L".", L"..", L"9QWE3RTY", L"ad (2).flv"}},
            {L"Low\\Content.IE5\\9QWE3RTY",
             {L".", L"..", L"big movie, part 1[1].flv", L"player[1].swf"}},
        },
        // Offered: a 5, b 5, clip 7 -> clip b a; 淺 5 at the end; k 9 first, pushing down the
        // run b a 淺 -> a 淺 b; style 3, Content.IE5\index 0; big first, the run a 淺 b -> 淺 b a;
        // player 0.125 before index 0; ad 7 after clip, 淺 b a -> b a 淺; x 117.7 after big,
        // clip ad -> ad clip and b a 淺 -> a 淺 b; the root's index 1.5 after style.
        {
            resultLine(L"5120", L"Low\\Content.IE5\\9QWE3RTY\\big movie, part 1[1].flv"),
            resultLine(L"117.74", L"[old]\\x.tmp"),
            resultLine(L"9", L"Content.IE5\\M3P0DF8Z\\k.gif"),
            resultLine(L"7", L"Low\\Content.IE5\\ad (2).flv"),
            resultLine(L"7", L"Content.IE5\\7XK2L9QA\\clip 1[1].flv"),
            resultLine(L"5", L"Content.IE5\\7XK2L9QA\\a[1].jpg"),
            resultLine(L"5", L"Content.IE5\\M3P0DF8Z\\淺\\淺.flv"),
            resultLine(L"5", L"Content.IE5\\7XK2L9QA\\b, c[1].js"),
            resultLine(L"3", L"Content.IE5\\M3P0DF8Z\\style[2].css"),
            resultLine(L"1.5", L"index.dat"),
            resultLine(L"0.13", L"Low\\Content.IE5\\9QWE3RTY\\player[1].swf"),
            resultLine(L"0", L"Content.IE5\\index.dat"),
        },
        L"[old]",
    },
    {
        "FullTable",
        joined(fillingFiles(),
               {
                   {L"late\\equal.bin", 1 * kMB},
                   {L"late\\mid.bin", 2 * kMB},
                   {L"late\\top.bin", 3 * kMB},
                   {L"late\\zero.bin", 0},
               }),
        {
            {L"", {L".", L"..", L"fill", L"late"}},
            {L"fill", numberedNames(0, 99)},
            {L"late", {L".", L"..", L"equal.bin", L"mid.bin", L"top.bin", L"zero.bin"}},
        },
        // f000..f099 fill the table in their order. Then equal, no larger than the last, stays
        // out; mid lands after the last 2 MB entry and top first, each pushing the last out.
        joined(joined({resultLine(L"3", L"late\\top.bin")}, numberedLines(L"2", 0, 49)),
               joined({resultLine(L"2", L"late\\mid.bin")}, numberedLines(L"1", 50, 97))),
        L"late",
    },
};

class SearchE2eTest : public ProgramTest, public ::testing::WithParamInterface<SearchCase> {};

// Twice in the same window: the second search starts from an empty table and list.
TEST_P(SearchE2eTest, ListsTheLargestFilesInRankAndEndsOnTheRootsLastFolder) {
  const SearchCase& tested = GetParam();
  cache.emplace(tested.files, Contents::sparse);
  ASSERT_EQ(cache->failure(), L"");
  for (const Listing& listing : tested.listings) {
    const std::wstring folder =
        listing.folder.empty() ? kCacheRoot : kCacheRoot + L"\\" + listing.folder;
    ASSERT_EQ(listingOf(folder + L"\\*"), listing.names)
        << "the platform lists " << folder << " otherwise than the lines assume";
  }
  const std::wstring lastStatus = kCacheRoot + L"\\" + tested.lastRootFolder;
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE("search " + std::to_string(round));
    ASSERT_TRUE(search());
    EXPECT_EQ(listLines(list), tested.lines);
    EXPECT_EQ(settledStatus(lastStatus), lastStatus);
  }
}

INSTANTIATE_TEST_SUITE_P(Caches, SearchE2eTest, ::testing::ValuesIn(kSearchCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

// The FLV filter's cache: a folder named like a video, whose files are walked but which is no
// file itself, and names in either case.
const std::vector<FixtureFile> kMixedFiles{
    {L"clips\\UPPER.FLV", 3 * kMB},
    {L"clips\\淺.flv", 1 * kMB},
    {L"clips\\page.htm", 8 * kMB},
    {L"movie.flv\\inner.flv", 2 * kMB},
    {L"movie.flv\\notes.txt", 9 * kMB},
    {L"a.flv", 4 * kMB},
    {L"b.txt", 10 * kMB},
};

// Offered clips (UPPER 3, 淺 1), movie.flv (inner 2), the root (a 4).
const std::vector<std::wstring> kVideoLines{
    resultLine(L"4", L"a.flv"),
    resultLine(L"3", L"clips\\UPPER.FLV"),
    resultLine(L"2", L"movie.flv\\inner.flv"),
    resultLine(L"1", L"clips\\淺.flv"),
};

struct FilterCase {
  const char* name;
  int radio;
  std::wstring typed;  // into the edit box, key by key, when not empty
  std::wstring extensionAfterwards;
};

void PrintTo(const FilterCase& tested, std::ostream* os) {
  *os << tested.name;
}

class FilterE2eTest : public ProgramTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterE2eTest, ListsOnlyTheChosenTypeAndCleansTheTypedExtension) {
  const FilterCase& tested = GetParam();
  cache.emplace(kMixedFiles, Contents::sparse);
  ASSERT_EQ(cache->failure(), L"");
  ASSERT_EQ(listingOf(kCacheRoot + L"\\*"),
            (std::vector<std::wstring>{L".", L"..", L"a.flv", L"b.txt", L"clips", L"movie.flv"}));
  ASSERT_EQ(listingOf(kCacheRoot + L"\\clips\\*"),
            (std::vector<std::wstring>{L".", L"..", L"page.htm", L"UPPER.FLV", L"淺.flv"}));

  ASSERT_TRUE(click(tested.radio));
  ASSERT_TRUE(waitFor([&] { return isChecked(control(tested.radio)); }, 2s));
  HWND edit = control(k编辑框1Id);
  if (!tested.typed.empty()) {
    ASSERT_TRUE(click(k编辑框1Id));
    ASSERT_TRUE(input::type(tested.typed));
    ASSERT_TRUE(waitFor([&] { return windowText(edit) == tested.typed; }, 2s))
        << "the edit box shows " << windowText(edit);
  }
  ASSERT_TRUE(search());
  EXPECT_EQ(listLines(list), kVideoLines);
  EXPECT_EQ(windowText(edit), tested.extensionAfterwards);
}

const FilterCase kFilterCases[] = {
    {"FlvButton", k单选框2Id, L"", L""},
    // Dots, stars and spaces are the user's, not the extension's.
    {"TypedExtension", k单选框3Id, L" .f l*v", L"flv"},
};

INSTANTIATE_TEST_SUITE_P(Choices, FilterE2eTest, ::testing::ValuesIn(kFilterCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

// Searches over the caches that make-long-walks.sh prepared outside the prefix.
using LongWalkE2eTest = ProgramTest;

bool contains(const std::vector<std::wstring>& lines, const std::wstring& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool hasLineEndingWith(const std::vector<std::wstring>& lines, const std::wstring& end) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::wstring& line) {
    return line.size() >= end.size() &&
           line.compare(line.size() - end.size(), end.size(), end) == 0;
  });
}

TEST_F(LongWalkE2eTest, TheFilterChosenDuringTheWalkAppliesToTheFoldersAfterIt) {
  ASSERT_NO_FATAL_FAILURE(adopt(L"QUILLFERN_E2E_LONG_WALK"));
  ASSERT_TRUE(startSearch());
  EXPECT_EQ(listCount(list), 0);
  // Once the status bar names a folder of the cache, the walk has scanned that folder.
  const std::wstring folders = kCacheRoot + L"\\d";
  ASSERT_TRUE(waitFor(
      [&] {
        return statusText(program.process(), control(k状态条1Id))
            .value_or(L"")
            .starts_with(folders);
      },
      5s))
      << "the walk did not get past the first folder";
  ASSERT_TRUE(click(k单选框2Id));
  ASSERT_TRUE(waitFor([&] { return isChecked(control(k单选框2Id)); }, 2s))
      << "FLV视频文件 was not checked during the walk";
  ASSERT_FALSE(::IsWindowEnabled(searchButton)) << "the walk ended before the filter changed";
  EXPECT_EQ(listCount(list), 0);

  ASSERT_TRUE(waitFor([&] { return ::IsWindowEnabled(searchButton) != FALSE; }, 60s))
      << "the search did not end";
  const std::vector<std::wstring> lines = listLines(list);
  // The first folders were scanned for every file, the last ones for videos only, and the root,
  // scanned last, too: its text file, larger than any, is not there.
  EXPECT_TRUE(contains(lines, resultLine(L"1", L"d0000\\notes.txt")));
  EXPECT_TRUE(contains(lines, resultLine(L"0", L"d3950\\clip.flv")));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), resultLine(L"90", L"root.flv"));
  EXPECT_FALSE(hasLineEndingWith(lines, L"\\root.txt"));
  for (int folder = 3950; folder < 4000; ++folder) {
    const std::wstring late = L"\\d" + std::to_wstring(folder) + L"\\notes.txt";
    ASSERT_FALSE(hasLineEndingWith(lines, late)) << late;
  }
}

struct CloseCase {
  const char* name;
  std::function<bool(POINT closeButton)> close;
};

const CloseCase kCloseCases[] = {
    {"Escape", [](POINT) { return input::press(VK_ESCAPE); }},
    {"CloseButton", [](POINT closeButton) { return input::click(closeButton); }},
    {"AltF4", [](POINT) { return input::press(VK_F4, {VK_MENU}); }},
};

void PrintTo(const CloseCase& tested, std::ostream* os) {
  *os << tested.name;
}

class CloseDuringSearchE2eTest : public LongWalkE2eTest,
                                 public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseDuringSearchE2eTest, EndsTheProgramWithExitCodeZeroAtOnce) {
  ASSERT_NO_FATAL_FAILURE(adopt(L"QUILLFERN_E2E_CLOSE_WALK"));
  const RECT outer = windowRect(main);
  const auto caption =
      findHit(main, HTCAPTION, POINT{centreOf(outer).x, outer.top}, POINT{0, 1}, 60);
  ASSERT_TRUE(caption.has_value());
  const auto closeButton =
      findHit(main, HTCLOSE, POINT{outer.right - 1, caption->y}, POINT{-1, 0}, 200);
  ASSERT_TRUE(closeButton.has_value()) << "no close button";

  ASSERT_TRUE(startSearch());
  ASSERT_TRUE(GetParam().close(*closeButton));
  const std::optional<DWORD> exitCode = program.waitForExit(2s);
  ASSERT_TRUE(exitCode.has_value()) << "still running 2 s after the close";
  EXPECT_EQ(*exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseDuringSearchE2eTest, ::testing::ValuesIn(kCloseCases),
                         [](const auto& tested) { return std::string(tested.param.name); });

}  // namespace
}  // namespace quillfern::e2e
