// Texts are byte strings in the ANSI code page; a byte of 0x80 or above starts a two-byte
// character that takes the next byte along. The scans here step over such pairs as one unit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillfern {

using Text = std::string;

// Judged on the byte's value alone: no code-page table is consulted.
constexpr bool isLeadByte(char byte) {
  return static_cast<unsigned char>(byte) >= 0x80;
}

// `text` with every occurrence of `subtext` removed. A lead byte that ends the text is dropped.
Text removeSubtext(std::string_view text, std::string_view subtext);

// `text` without ASCII spaces and full-width spaces (A1 A1). A lead byte that ends the text is
// dropped.
Text removeSpaces(std::string_view text);

// The pieces of `text` between occurrences of `delimiter`, matched only where a character begins.
// No pieces for the empty text; the whole text for the empty delimiter; no empty last piece.
std::vector<Text> splitText(std::string_view text, std::string_view delimiter);

// Where `subtext` first occurs in `text`, matched only where a character begins; npos when it
// does not occur.
std::size_t findSubtext(std::string_view text, std::string_view subtext);

// Whether the last character of `text` is the one-byte character `c`; the second byte of a
// two-byte character never counts, even when it has the same value.
bool lastCharacterIs(std::string_view text, char c);

}  // namespace quillfern
