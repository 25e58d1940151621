// Fuzzes the text helpers and the path derivations. The first input byte chooses the delimiter's
// length; the rest is split into the delimiter and the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "actions/selected_entry.h"
#include "common/text.h"

namespace {

using quillfern::isLeadByte;
using quillfern::Text;

void require(bool holds) {
  if (!holds) std::abort();
}

// The text as its characters: a lead byte takes the next byte along; a lead byte at the end
// stands alone (`cut` tells whether there is one).
std::vector<Text> charactersOf(const Text& text, bool* cut = nullptr) {
  std::vector<Text> characters;
  if (cut != nullptr) *cut = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = isLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
    if (length == 1 && isLeadByte(text[at]) && cut != nullptr) *cut = true;
    characters.push_back(text.substr(at, length));
    at += length;
  }
  return characters;
}

// What removing a one-byte subtext must give: every whole character but that one, and no cut
// lead byte at the end.
Text withoutCharacter(const Text& text, const Text& character) {
  bool cut = false;
  const auto characters = charactersOf(text, &cut);
  Text result;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (cut && i + 1 == characters.size()) break;
    if (characters[i] != character) result += characters[i];
  }
  return result;
}

Text cleanExtension(const Text& text) {
  return quillfern::removeSpaces(
      quillfern::removeSubtext(quillfern::removeSubtext(text, "."), "*"));
}

// A name that the platform could return: whole characters only, none of the characters that
// Windows forbids in a file name.
Text asFileName(const Text& bytes) {
  bool cut = false;
  const auto characters = charactersOf(bytes, &cut);
  Text name;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (cut && i + 1 == characters.size()) break;
    const Text& c = characters[i];
    if (c.size() == 1 &&
        (static_cast<unsigned char>(c[0]) < 0x20 || Text("\\/:*?\"<>|").find(c[0]) != Text::npos)) {
      continue;
    }
    name += c;
  }
  return name.empty() ? Text("x") : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t delimiterLength = std::min<std::size_t>(data[0] % 4, size - 1);
  const Text delimiter(reinterpret_cast<const char*>(data + 1), delimiterLength);
  const Text text(reinterpret_cast<const char*>(data + 1 + delimiterLength),
                  size - 1 - delimiterLength);

  // Removal never splits or matches inside a two-byte character.
  for (const char* one : {".", "*", " ", "\\"}) {
    require(quillfern::removeSubtext(text, one) == withoutCharacter(text, one));
  }
  Text expectedWithoutSpaces;
  for (const Text& c : charactersOf(withoutCharacter(text, " "))) {
    if (c != "\xA1\xA1") expectedWithoutSpaces += c;
  }
  require(quillfern::removeSpaces(text) == expectedWithoutSpaces);
  // Cleaning the extension box a second time changes nothing.
  require(cleanExtension(cleanExtension(text)) == cleanExtension(text));

  // Joining the pieces gives the text back, less a trailing delimiter.
  const auto pieces = quillfern::splitText(text, delimiter);
  if (text.empty()) {
    require(pieces.empty());
  } else if (delimiter.empty()) {
    require(pieces.size() == 1 && pieces[0] == text);
  } else {
    Text joined;
    for (std::size_t i = 0; i < pieces.size(); ++i)
      joined += (i == 0 ? "" : delimiter) + pieces[i];
    require(joined == text || joined + delimiter == text);
    // No piece holds the delimiter where one of its characters begins, save a piece that ends in
    // a cut character, where the scan stops.
    for (const Text& piece : pieces) {
      bool cut = false;
      charactersOf(piece, &cut);
      if (!cut) require(quillfern::findSubtext(piece, delimiter) == std::string::npos);
    }
  }

  // A path the walk can produce: the cache folder, folder names, a file name.
  const Text root =
      "C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";
  Text path = root;
  Text last;
  for (const Text& piece : quillfern::splitText(text, "/")) {
    last = asFileName(piece);
    path += "\\" + last;
  }
  if (last.empty()) {
    last = "x";
    path += "\\x";
  }
  require(quillfern::fullPathOf(path, root) == path);
  require(quillfern::fileNameOf(path) == last);
  return 0;
}
