// Fuzzes the largest-files table against the ranking written the long way: every input is a
// sequence of offers and clears, and the two must agree, order included, after each step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../unit/reference_table.h"
#include "search/found_file_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillfern::FoundFileTable table;
  quillfern::testing::ReferenceTable reference;
  int name = 0;
  for (std::size_t at = 0; at + 2 <= size; at += 2) {
    const std::uint8_t operation = data[at];
    const std::uint8_t value = data[at + 1];
    if (operation == 0xFF) {
      table.clear();
      reference.clear();
      continue;
    }
    // Small sizes make long runs of ties; the top bits reach into the 64-bit range and below 0.
    quillfern::FileSize fileSize = value % 16;
    if ((operation & 0xC0) == 0xC0) fileSize = (quillfern::FileSize{value} << 33) - 2;
    if ((operation & 0xC0) == 0x80) fileSize = -1 - value % 3;
    const std::string path = "F" + std::to_string(name++);
    table.offer(path, fileSize);
    reference.offer(path, fileSize);
    if (table.count() != static_cast<int>(reference.entries().size())) std::abort();
  }
  const auto& expected = reference.entries();
  for (int position = 1; position <= table.count(); ++position) {
    const auto& entry = expected[static_cast<std::size_t>(position - 1)];
    if (table.pathAt(position) != entry.first || table.sizeAt(position) != entry.second)
      std::abort();
  }
  return 0;
}
