// The commands the user can run, the numeric ids the window gives their sources, and the one
// place that maps ids to commands.
#pragma once

#include <optional>

namespace quillfern {

enum class Command { runSearch, extractToDesktop, openFolder };

// Child-window ids of the controls that raise commands, and the popup menu's item ids.
enum : int {
  k按钮1Id = 101,
  k列表框1Id = 102,
  k编辑框1Id = 103,
  k单选框1Id = 104,
  k单选框2Id = 105,
  k单选框3Id = 106,
  k状态条1Id = 107,
  k超级链接框1Id = 108,
};

enum : int {
  kExtractToDesktopItem = 201,  // "提取到桌面"
  kOpenFolderItem = 202,        // "打开文件夹"
  kSearchAgainItem = 203,       // "重新搜索"
};

// The command behind a menu item, or behind a click on a control with that id.
constexpr std::optional<Command> commandFor(int id) {
  switch (id) {
    case k按钮1Id:
    case kSearchAgainItem:
      return Command::runSearch;
    case kExtractToDesktopItem:
      return Command::extractToDesktop;
    case kOpenFolderItem:
      return Command::openFolder;
    default:
      return std::nullopt;
  }
}

}  // namespace quillfern
