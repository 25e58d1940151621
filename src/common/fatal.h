// The fatal position error: reading a list at a position outside 1..count is a broken invariant
// that the program reports and then ends on.
#pragma once

#include <string_view>

namespace quillfern {

inline constexpr int kFatalExitCode = 3;

// Reports the error and ends the process with kFatalExitCode. Never returns.
[[noreturn]] void fatalPositionError(std::string_view list, long long position, long long count);

// Shows the report to the user. Each executable links exactly one definition: the program shows
// a message box, the test programs write to the error stream.
void reportFatalError(std::string_view message);

// Reads list[position], counted from 1, or ends the program when the position is outside.
template <typename List>
const auto& elementAt(const List& list, long long position, std::string_view name) {
  const auto count = static_cast<long long>(list.size());
  if (position < 1 || position > count) fatalPositionError(name, position, count);
  return list[static_cast<std::size_t>(position - 1)];
}

}  // namespace quillfern
