#include "actions/selected_entry.h"

#include "common/fatal.h"

namespace quillfern {

namespace {
constexpr std::string_view kPieces = "the pieces of a path";
}

int selectedPosition(const ProgramState& state, const WindowOperations& window) {
  const int line = window.selectedResultLine();
  if (line >= 0 && static_cast<std::size_t>(line) < state.listedEntries.size()) {
    return state.listedEntries[static_cast<std::size_t>(line)];
  }
  return line + 1;
}

const Text& selectedEntryPath(const ProgramState& state, const WindowOperations& window) {
  return state.foundFiles.pathAt(selectedPosition(state, window));
}

Text relativePathOf(std::string_view path, std::string_view root, std::string_view endMarker) {
  const auto aroundRoot = splitText(path, root);
  const auto beforeEnd = splitText(elementAt(aroundRoot, 2, kPieces), endMarker);
  return elementAt(beforeEnd, 1, kPieces);
}

Text fullPathOf(std::string_view path, std::string_view cacheRoot) {
  return Text(cacheRoot) + relativePathOf(path, cacheRoot, "\r\n");
}

Text fileNameOf(std::string_view path) {
  const auto pieces = splitText(path, "\\");
  return elementAt(pieces, static_cast<long long>(pieces.size()), kPieces);
}

}  // namespace quillfern
