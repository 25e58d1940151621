// The popup menu's commands in the real window, after a real search: the copy to the desktop and
// its message, the Explorer command line for paths with spaces, commas and two-byte characters,
// a search again with another filter, and what the menu over the lines looks like.
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "program_test.h"

namespace quillfern::e2e {
namespace {

// The cache root as the program's texts hold it, in code page 936.
constexpr char kCacheRootBytes[] =
    "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";

// In list order: every size differs, so the lines are in the order of the sizes.
const std::vector<FixtureFile> kFiles{
    {L"trailer, final cut[1].flv", 2621440},
    // 淺 is 9C 5C in code page 936: its second byte is a backslash.
    {L"Content.IE5\\a,b [1]\\淺 (2).flv", 1572864},
    {L"Content.IE5\\淺\\淺.flv", 1048576},
    {L"Content.IE5\\page[1].htm", 524288},
    // make-desktop-entries.sh puts an immutable file of this name on the desktop,
    {L"Content.IE5\\a,b [1]\\locked clip[1].flv", 262144},
    // and a folder of this one.
    {L"Content.IE5\\淺\\taken[1].flv", 131072},
};

const std::vector<std::wstring> kAllLines{
    resultLine(L"2.5", L"trailer, final cut[1].flv"),
    resultLine(L"1.5", L"Content.IE5\\a,b [1]\\淺 (2).flv"),
    resultLine(L"1", L"Content.IE5\\淺\\淺.flv"),
    resultLine(L"0.5", L"Content.IE5\\page[1].htm"),
    resultLine(L"0.25", L"Content.IE5\\a,b [1]\\locked clip[1].flv"),
    resultLine(L"0.13", L"Content.IE5\\淺\\taken[1].flv"),
};

std::wstring fileNameOf(const std::wstring& path) {
  return path.substr(path.find_last_of(L'\\') + 1);
}

// The line the Explorer stand-in logs for the file at `relativePath` (code page 936 bytes).
std::string explorerLine(const std::string& relativePath) {
  return std::string("Explorer /n,/select,\"") + kCacheRootBytes + "\\" + relativePath + "\"\n";
}

// A file the test puts on the desktop, removed at the end.
struct RemovedAtEnd {
  explicit RemovedAtEnd(std::wstring file) : path(std::move(file)) {}
  RemovedAtEnd(const RemovedAtEnd&) = delete;
  RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;
  ~RemovedAtEnd() { removeTree(path); }
  const std::wstring path;
};

class FileActionsE2eTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    desktop = environmentVariable(L"QUILLFERN_E2E_DESKTOP");
    ASSERT_NE(desktop, L"") << "QUILLFERN_E2E_DESKTOP is not set: run under "
                               "make-desktop-entries.sh";
    cache.emplace(kFiles, Contents::distinct);
    ASSERT_EQ(cache->failure(), L"");
    ASSERT_TRUE(search());
    ASSERT_EQ(listLines(list), kAllLines);
  }

  // Closes the message box with its OK button and waits until the command that showed it has
  // returned and the main window has the focus again.
  ::testing::AssertionResult closeMessageBox(HWND box) {
    ::SendMessageW(::GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return returnToMainWindow();
  }

  std::wstring desktop;
};

struct CopyCase {
  const char* name;
  int selected;
  int clicked;
  bool staleCopyOnDesktop;  // a file of the same name, which the copy replaces
};

// Parameters print as their names.
void PrintTo(const CopyCase& tested, std::ostream* os) {
  *os << tested.name;
}

class CopyE2eTest : public FileActionsE2eTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyE2eTest, CopiesTheSelectedFileAndNotTheClickedOne) {
  const FixtureFile& selected = kFiles[static_cast<std::size_t>(GetParam().selected)];
  const FixtureFile& clicked = kFiles[static_cast<std::size_t>(GetParam().clicked)];
  const RemovedAtEnd copy(desktop + L"\\" + fileNameOf(selected.path));
  const std::wstring clickedCopy = desktop + L"\\" + fileNameOf(clicked.path);
  ASSERT_EQ(::GetFileAttributesW(clickedCopy.c_str()), INVALID_FILE_ATTRIBUTES);
  if (GetParam().staleCopyOnDesktop) {
    ASSERT_TRUE(writeFile(copy.path, "stale\n"));
  }

  ASSERT_TRUE(chooseFromMenu(GetParam().selected, GetParam().clicked, MenuItem::extractToDesktop));
  HWND box = waitForMessageBox();
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(windowText(::GetDlgItem(box, 0xFFFF)), L"复制成功！");
  EXPECT_FALSE(::IsWindowEnabled(main)) << "the box is not task-modal";
  ASSERT_TRUE(closeMessageBox(box));

  EXPECT_EQ(readFile(copy.path), distinctContents(selected.path, selected.size));
  EXPECT_EQ(::GetFileAttributesW(clickedCopy.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(explorerLog.contents(), std::nullopt) << "Explorer was started";
}

INSTANTIATE_TEST_SUITE_P(Files, CopyE2eTest,
                         ::testing::Values(CopyCase{"TwoByteNameInTwoByteFolder", 2, 0, false},
                                           CopyCase{"OverAnOlderCopy", 0, 3, true}),
                         [](const auto& tested) { return std::string(tested.param.name); });

struct FailedCopyCase {
  const char* name;
  int selected;
  int clicked;
  std::string relativePath;  // in code page 936
};

void PrintTo(const FailedCopyCase& tested, std::ostream* os) {
  *os << tested.name;
}

class FailedCopyE2eTest : public FileActionsE2eTest,
                          public ::testing::WithParamInterface<FailedCopyCase> {};

TEST_P(FailedCopyE2eTest, SaysSoAndThenShowsTheFileInExplorer) {
  const std::wstring onDesktop =
      desktop + L"\\" + fileNameOf(kFiles[static_cast<std::size_t>(GetParam().selected)].path);
  const std::optional<std::string> before = readFile(onDesktop);
  ASSERT_TRUE(before.has_value() || isFolder(onDesktop))
      << "make-desktop-entries.sh made no " << onDesktop;

  ASSERT_TRUE(chooseFromMenu(GetParam().selected, GetParam().clicked, MenuItem::extractToDesktop));
  HWND box = waitForMessageBox();
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(windowText(::GetDlgItem(box, 0xFFFF)), L"复制失败！");
  // Explorer, once started, logs at once; the program waits until it takes input.
  EXPECT_EQ(explorerLog.contents(), std::nullopt) << "Explorer started before the box was closed";
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(explorerLog.contents(), std::nullopt) << "Explorer started while the box was up";
  ASSERT_TRUE(closeMessageBox(box));

  const std::string expected = explorerLine(GetParam().relativePath);
  EXPECT_TRUE(waitFor([&] { return explorerLog.contents() == expected; }, 5s))
      << "Explorer logged " << explorerLog.contents().value_or("nothing");
  EXPECT_EQ(readFile(onDesktop), before);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopEntries, FailedCopyE2eTest,
    ::testing::Values(FailedCopyCase{"ImmutableFile", 4, 1,
                                     "Content.IE5\\a,b [1]\\locked clip[1].flv"},
                      FailedCopyCase{"FolderOfTheSameName", 5, 0, "Content.IE5\\淺\\taken[1].flv"}),
    [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(FileActionsE2eTest, OpenFolderGivesExplorerTheSelectedFileInQuotes) {
  const struct {
    int selected;
    int clicked;
    std::string relativePath;  // in code page 936
  } cases[] = {
      {1, 3, "Content.IE5\\a,b [1]\\淺 (2).flv"},
      {2, 0, "Content.IE5\\淺\\淺.flv"},
      {0, 5, "trailer, final cut[1].flv"},
  };
  std::string logged;
  for (const auto& tested : cases) {
    SCOPED_TRACE("line " + std::to_string(tested.selected));
    ASSERT_TRUE(chooseFromMenu(tested.selected, tested.clicked, MenuItem::openFolder));
    logged += explorerLine(tested.relativePath);
    EXPECT_TRUE(waitFor([&] { return explorerLog.contents() == logged; }, 5s))
        << "Explorer logged " << explorerLog.contents().value_or("nothing");
  }
  EXPECT_EQ(program.visibleWindows(), std::vector<HWND>{main});
}

TEST_F(FileActionsE2eTest, SearchAgainListsWhatTheFilterNowChooses) {
  ASSERT_TRUE(click(k单选框2Id));
  ASSERT_TRUE(waitFor([&] { return isChecked(control(k单选框2Id)); }, 2s));
  ASSERT_TRUE(chooseFromMenu(3, 1, MenuItem::searchAgain));
  const std::vector<std::wstring> videos{kAllLines[0], kAllLines[1], kAllLines[2], kAllLines[4],
                                         kAllLines[5]};
  EXPECT_TRUE(
      waitFor([&] { return ::IsWindowEnabled(searchButton) && listLines(list) == videos; }, 5s));
  EXPECT_EQ(listLines(list), videos);
  EXPECT_EQ(listSelection(list), LB_ERR);
}

// A cache like a browser's, for the picture of the menu over the lines.
const std::vector<FixtureFile> kBrowserCache{
    {L"Content.IE5\\7XK2L9QA\\lecture-recording[1].flv", 48912384},
    {L"Content.IE5\\7XK2L9QA\\banner_wide[1].jpg", 183421},
    {L"Content.IE5\\7XK2L9QA\\jquery.min[2].js", 95786},
    {L"Content.IE5\\M3P0DF8Z\\新闻联播片段[1].flv", 23068672},
    {L"Content.IE5\\M3P0DF8Z\\style[1].css", 14302},
    {L"Content.IE5\\M3P0DF8Z\\trailer, final cut[1].flv", 131072000},
    {L"Content.IE5\\R8TY2B1C\\setup_assistant[1].exe", 7340032},
    {L"Content.IE5\\R8TY2B1C\\news\\2026\\photo-gallery[3].png", 2621440},
    {L"Content.IE5\\R8TY2B1C\\news\\2026\\clip_0042[1].flv", 9961472},
    {L"Content.IE5\\R8TY2B1C\\news\\2026\\clip_0043[1].mp4", 15728640},
    {L"Content.IE5\\W0AA5KEQ\\podcast-episode-17[1].mp3", 36700160},
    {L"Content.IE5\\W0AA5KEQ\\favicon[1].ico", 1150},
    {L"Low\\Content.IE5\\9QWE3RTY\\embedded-player[1].swf", 1048576},
    {L"Low\\Content.IE5\\9QWE3RTY\\short_ad[1].flv", 524288},
    {L"index.dat", 32768},
};

class MenuPictureE2eTest : public ProgramTest {};

TEST_F(MenuPictureE2eTest, MenuOverTheLinesOfASearchIsReadable) {
  cache.emplace(kBrowserCache, Contents::sparse);
  ASSERT_EQ(cache->failure(), L"");
  ASSERT_TRUE(search());
  ASSERT_EQ(listCount(list), static_cast<int>(kBrowserCache.size()));
  ASSERT_EQ(listLine(list, 0),
            resultLine(L"125", L"Content.IE5\\M3P0DF8Z\\trailer, final cut[1].flv"));

  ASSERT_TRUE(input::click(centreOf(listLineRect(list, 1))));
  ASSERT_TRUE(waitFor([&] { return listSelection(list) == 1; }, 2s));
  // Right of the paths, so that the menu hides none of them.
  const RECT line = listLineRect(list, 3);
  ASSERT_TRUE(
      input::click(POINT{line.left + 850, (line.top + line.bottom) / 2}, input::Button::right));
  HWND menu = nullptr;
  ASSERT_TRUE(waitFor([&] { return (menu = program.popupMenu()) != nullptr; }, 2s)) << "no menu";

  const RECT outer = windowRect(main);
  const RECT menuRect = windowRect(menu);
  RECT shot{};
  ::UnionRect(&shot, &outer, &menuRect);
  const auto screenshot = captureSettled(shot);
  ASSERT_TRUE(screenshot.has_value());
  EXPECT_TRUE(screenshot->saveBmp(screenshotPath(screenshotFolder(), L"search-menu")));
  // Dark text is drawn at the start of every line but the selected one, and on the menu's items.
  for (int i = 0; i < listCount(list); ++i) {
    if (i == 1) continue;
    const RECT drawn = listLineRect(list, i);
    const RECT text{drawn.left - shot.left + 2, drawn.top - shot.top, drawn.left - shot.left + 400,
                    drawn.bottom - shot.top};
    EXPECT_GT(screenshot->darkPixels(text), 40) << "line " << i;
  }
  const RECT items{menuRect.left - shot.left + 4, menuRect.top - shot.top + 2,
                   menuRect.right - shot.left - 4, menuRect.bottom - shot.top - 2};
  EXPECT_GT(screenshot->darkPixels(items), 100);

  ASSERT_TRUE(input::press(VK_ESCAPE));
  EXPECT_TRUE(waitFor([&] { return program.popupMenu() == nullptr; }, 2s));
}

}  // namespace
}  // namespace quillfern::e2e
