// The base of the end-to-end tests that search: one program under test per test, with the
// Explorer stand-in's log named to it and a cache of the test's own, and the steps a user takes
// with real input (a search with the button, a line chosen from the popup menu, a message box).
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/commands.h"
#include "fixtures.h"
#include "harness.h"

namespace quillfern::e2e {

// The Windows path of the program under test and of the screenshot folder.
std::wstring programPath();
std::wstring screenshotFolder();

// The items of the result list's popup menu, as Down reaches them from none highlighted.
enum class MenuItem { extractToDesktop = 1, openFolder = 2, searchAgain = 3 };

// The line a fixture's file gives: its size text, two spaces, its full path.
std::wstring resultLine(const std::wstring& sizeText, const std::wstring& relativePath);

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override;

  HWND control(int id) const { return program.control(id); }
  // Clicks the middle of a control.
  ::testing::AssertionResult click(int id);
  // Moves the tree prepared outside the prefix that the environment variable names into place as
  // the cache (make-long-walks.sh prepares them).
  void adopt(const wchar_t* variable);
  // Clicks 搜索 and waits until the walk is under way.
  ::testing::AssertionResult startSearch();
  // Clicks 搜索 and waits until the search it starts has put its lines in the list.
  ::testing::AssertionResult search(std::chrono::milliseconds timeout = 10s);
  // Selects line `selected` with a click, right-clicks line `clicked` and chooses `item` with
  // Down and Return.
  ::testing::AssertionResult chooseFromMenu(int selected, int clicked, MenuItem item);
  // Waits for the program's message box, or gives null.
  HWND waitForMessageBox();
  // Waits until the main window is enabled again after a message box and the command that showed
  // it has returned, then gives the window the focus back with a click on its bare background:
  // with no window manager Wine leaves the focus nowhere, and the next click would be lost.
  ::testing::AssertionResult returnToMainWindow();
  // The status bar's text once it has settled on `expected`, or the last text read.
  std::wstring settledStatus(const std::wstring& expected, std::chrono::milliseconds timeout = 3s);

  ExplorerLog explorerLog;  // before the program, which inherits the log's name when it starts
  std::optional<CacheFolder> cache;  // declared before the program, so it outlives it
  Program program{programPath()};
  HWND main = nullptr;
  HWND list = nullptr;
  HWND searchButton = nullptr;
};

}  // namespace quillfern::e2e
